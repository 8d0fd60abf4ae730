// The master device's automatic outputs: the device watches its inputs and pulses its outputs
// by itself, each output programmed with one OutputCommandBlock. Obtained from IMasterDevice
// by interface query; a device without the feature does not offer it.
#pragma once

#include "host/api/output_command_block.h"
#include "host/api/timing_limits.h"
#include "platform/com/unknown.h"

struct IAutoOutputControl : IUnknown {
    static constexpr IID kIid = MakeGuid("{DC040EA5-D1B9-4669-BD1B-47B5E28DB457}");

    virtual HRESULT IsSupported(VARIANT_BOOL* supported) = 0;
    virtual HRESULT Unused4() { return E_NOTIMPL; }
    // Switches every automatic output off.
    virtual HRESULT ResetOutputs() = 0;
    virtual HRESULT ProgramOutput(const OutputCommandBlock* block) = 0;
    // Fills `limits`, whose Size the caller has set to TimingLimits::kSize.
    virtual HRESULT GetTimingLimits(TimingLimits* limits) = 0;
    virtual HRESULT IsAllowedWhileSampling(VARIANT_BOOL* allowed) = 0;

protected:
    ~IAutoOutputControl() = default;
};
