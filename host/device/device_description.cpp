#include "host/device/device_description.h"

namespace device {

std::int32_t DeviceDescription::DigitalOutputCount() const {
    std::int32_t total = 0;
    for (const std::int32_t count : DigitalGroups)
        total += count;
    return total;
}

const InputRange& DeviceDescription::RangeOf(std::int32_t input) const {
    const auto found = InputRanges.find(input);
    return found != InputRanges.end() ? found->second : Range;
}

bool DeviceDescription::HasOutput(std::int32_t output) const {
    if (output > 0)
        return output <= AnalogOutputs;
    return output < 0 && -static_cast<std::int64_t>(output) <= DigitalOutputCount();
}

}  // namespace device
