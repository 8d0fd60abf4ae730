// A simulated Corvex master device: the host's device object with the master device, its
// automatic-output control and its channel information, shaped and made to fail by a
// DeviceDescription. It records every command block it is programmed with and every reset.
#pragma once

#include <array>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "host/api/auto_output_control.h"
#include "host/api/channel_info.h"
#include "host/api/device_object.h"
#include "host/api/master_device.h"
#include "host/device/device_description.h"
#include "platform/com/com_object.h"
#include "platform/com/com_ptr.h"

namespace device {

// A command block as the device received it, byte for byte.
using BlockBytes = std::array<std::uint8_t, sizeof(OutputCommandBlock)>;

// One call that changed the device's automatic outputs, in the order they came.
struct DeviceCommand {
    enum class Kind { kProgram, kReset };

    Kind What = Kind::kProgram;
    BlockBytes Block{};     // kProgram: the block received
    HRESULT Result = S_OK;  // what the device answered
    std::string Refusal;    // kProgram refused: why, for the host to report
};

class SimulatedCorvex final
    : public ComObject<IDeviceObject, IMasterDevice, IAutoOutputControl, IChannelInfo> {
public:
    // A new device with one reference, held by the result.
    static ComPtr<SimulatedCorvex> Create(const DeviceDescription& description);

    const DeviceDescription& Description() const { return description_; }

    // Sampling and the stimulator change while the host runs.
    void SetSampling(bool sampling) { description_.Sampling = sampling; }
    void SetStimulatorEnabled(bool enabled);

    // The record of program and reset calls.
    const std::vector<DeviceCommand>& Commands() const { return commands_; }
    // The blocks of every program call, in order, whatever the device answered.
    std::vector<BlockBytes> ProgrammedBlocks() const;
    int ResetCount() const;
    // The block output `output` runs on: the last one the device took for it since the last
    // reset; nothing when it has none. Refused blocks change nothing.
    std::optional<BlockBytes> ProgramOf(std::int32_t output) const;
    // Why the last program call was refused; empty when it was taken (or none came yet).
    std::string LastRefusal() const;
    int StatusQueryCount() const { return statusQueries_; }
    void ClearRecord();

    // The XML text (UTF-8) describing input `input`, with its "PhysicalGainIndex" element.
    std::string InputDescriptionText(std::int32_t input) const;

    // IDeviceObject
    HRESULT GetProperties(LONG set, IDeviceProperties** properties) override;

    // IMasterDevice
    HRESULT QueryStatus(LONG item, LONG* value) override;
    HRESULT GetDigitalOutputGroup(UINT index, IDigitalOutputGroup** group) override;
    HRESULT GetInputCount(LONG* count) override;
    HRESULT GetAnalogOutputCount(LONG* count) override;
    HRESULT GetDigitalOutputGroupCount(UINT* count) override;
    HRESULT IsSampling(VARIANT_BOOL* sampling) override;

    // IAutoOutputControl
    HRESULT IsSupported(VARIANT_BOOL* supported) override;
    HRESULT ResetOutputs() override;
    HRESULT ProgramOutput(const OutputCommandBlock* block) override;
    HRESULT GetTimingLimits(TimingLimits* limits) override;
    HRESULT IsAllowedWhileSampling(VARIANT_BOOL* allowed) override;

    // IChannelInfo (its slots 3 to 19 are placeholders)
    HRESULT GetChannelDescription(LONG kind, LONG index, ITevString** description) override;
    HRESULT GetStimulator(IStimulator** stimulator) override;

protected:
    // The automatic-output control is not offered when the description says so.
    bool RefusesInterface(REFIID iid) override;

private:
    explicit SimulatedCorvex(const DeviceDescription& description);
    bool Supported() const { return description_.AutoOutputs == AutoOutputSupport::kOn; }

    DeviceDescription description_;
    std::vector<DeviceCommand> commands_;
    std::map<std::int32_t, BlockBytes> programs_;  // by output, the blocks taken
    int statusQueries_ = 0;
};

}  // namespace device
