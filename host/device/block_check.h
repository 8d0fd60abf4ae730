// What the Corvex checks in a command block before it takes it, as its firmware does: the
// record's size and constant, the output, the mode, the pulse timing against the device's
// limits, and every used rule slot against the inputs it has and the range of its 16-bit
// converters. A block that fails a check is refused as a whole and changes nothing.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "host/api/output_command_block.h"
#include "host/device/device_description.h"

namespace device {

// The range of the device's input converters, in device units.
inline constexpr std::int32_t kConverterMin = -32768;
inline constexpr std::int32_t kConverterMax = 32767;

// Why `device` refuses `block` (for example "pulse delay 11 s is beyond the device's limit of
// 1 s"), or nothing when it takes it. Everything after the mode of an output that is off, and
// everything after the size and the input byte of an unused slot, is not looked at.
std::optional<std::string> CheckCommandBlock(const OutputCommandBlock& block,
                                             const DeviceDescription& device);

}  // namespace device
