// The host's master acquisition device: its inputs, analog outputs, digital output groups
// and sampling state. Obtained from the host's current device object by interface query.
#pragma once

#include "host/api/digital_output_group.h"
#include "platform/com/unknown.h"

struct IMasterDevice : IUnknown {
    static constexpr IID kIid = MakeGuid("{4EC14961-9464-11D2-B7E7-008048C36FE8}");

    virtual HRESULT Unused3() = 0;
    // A status item of the device; the host's documents ask for item 1 whenever they
    // pick up a device.
    virtual HRESULT QueryStatus(LONG item, LONG* value) = 0;
    virtual HRESULT Unused5() = 0;
    virtual HRESULT Unused6() = 0;
    virtual HRESULT Unused7() = 0;
    virtual HRESULT Unused8() = 0;
    virtual HRESULT Unused9() = 0;
    virtual HRESULT Unused10() = 0;
    virtual HRESULT Unused11() = 0;
    virtual HRESULT Unused12() = 0;
    virtual HRESULT Unused13() = 0;
    // Group `index` (zero-based) of digital outputs, with a reference for the caller; a null
    // group when there is none.
    virtual HRESULT GetDigitalOutputGroup(UINT index, IDigitalOutputGroup** group) = 0;
    virtual HRESULT Unused15() = 0;
    virtual HRESULT Unused16() = 0;
    virtual HRESULT GetInputCount(LONG* count) = 0;
    virtual HRESULT GetAnalogOutputCount(LONG* count) = 0;
    virtual HRESULT GetDigitalOutputGroupCount(UINT* count) = 0;
    virtual HRESULT Unused20() = 0;
    virtual HRESULT Unused21() = 0;
    virtual HRESULT Unused22() = 0;
    virtual HRESULT Unused23() = 0;
    virtual HRESULT IsSampling(VARIANT_BOOL* sampling) = 0;

protected:
    ~IMasterDevice() = default;
};
