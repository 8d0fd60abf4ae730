// The bridge between the configuration and the master device: building a configuration for the
// device's outputs and programming every output with its command block.
#include <cstdint>
#include <limits>
#include <stdexcept>

#include "config/command_block.h"
#include "config/event_config.h"
#include "host/api/auto_output_control.h"
#include "host/api/master_device.h"
#include "platform/com/com_ptr.h"

namespace VavazaZavidi {
namespace {

// The number of digital outputs over all groups; 0 when a group is missing or cannot tell its
// count.
std::int64_t CountDigitalOutputs(IMasterDevice* device, UINT groupCount) {
    std::int64_t total = 0;
    for (UINT index = 0; index < groupCount; ++index) {
        IDigitalOutputGroup* raw = nullptr;
        device->GetDigitalOutputGroup(index, &raw);
        const ComPtr<IDigitalOutputGroup> group = ComPtr<IDigitalOutputGroup>::Adopt(raw);
        if (!group)
            return 0;
        LONG count = 0;
        if (FAILED(group->GetOutputCount(&count)))
            return 0;
        total += count;
    }
    return total;
}

}  // namespace

bool EventConfig::LoadFromDevice(IMasterDevice* device) {
    // The counts go with the records, so that the invariants hold whatever follows.
    Clear();
    if (device == nullptr)
        return false;

    LONG inputs = 0;
    LONG analog = 0;
    UINT groups = 0;
    device->GetInputCount(&inputs);
    device->GetAnalogOutputCount(&analog);
    device->GetDigitalOutputGroupCount(&groups);

    const std::int64_t digital = CountDigitalOutputs(device, groups);
    if (digital > std::numeric_limits<std::int32_t>::max()) {
        throw std::length_error("Vavaza Zavidi: Too many digital outputs.");
    }
    SetOutputCounts(analog, static_cast<std::int32_t>(digital));
    AddDefaultRules();
    InputCount = inputs;
    return true;
}

void EventConfig::ClampInputs() {
    for (OutputRecord& record : Outputs) {
        for (Rule& rule : record.Rules) {
            // A negative input would reach the device as a large input byte.
            if (rule.Input >= InputCount || rule.Input < 0)
                rule.Input = 0;
        }
    }
}

bool EventConfig::SendToDevice(IMasterDevice* device) const {
    if (device == nullptr)
        return false;
    const ComPtr<IAutoOutputControl> control = ComPtr<IAutoOutputControl>::QueryFrom(device);
    if (!control)
        return false;

    // The device is programmed for exactly its own outputs: this configuration's settings
    // where it has the same output, the defaults elsewhere.
    EventConfig programmed;
    programmed.LoadFromDevice(device);
    programmed.CopyOutputsFrom(*this, false);
    programmed.ClampInputs();

    bool allProgrammed = true;
    for (const OutputRecord& record : programmed.Outputs) {
        const OutputCommandBlock block = MakeCommandBlock(record);
        // A failing output does not stop the others.
        if (control->ProgramOutput(&block) != S_OK)
            allProgrammed = false;
    }
    return allProgrammed;
}

}  // namespace VavazaZavidi
