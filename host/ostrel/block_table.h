// Printing the command blocks a device received: a readable table, or hex.
#pragma once

#include <string>
#include <vector>

#include "host/api/output_command_block.h"
#include "host/device/simulated_corvex.h"

namespace ostrel {

OutputCommandBlock DecodeBlock(const device::BlockBytes& bytes);

// One row per block: output, mode, pulse count limit, width, delay, hold-off and the four rule
// slots (threshold/hysteresis, one-based input, direction), then a legend. Fields that carry
// no meaning are left out (everything after the mode of an output that is off) or show as "-"
// (unused slots).
std::string FormatBlockTable(const std::vector<device::BlockBytes>& blocks);

// The block's 112 bytes as 224 lower-case hex digits, in memory order.
std::string FormatBlockHex(const device::BlockBytes& bytes);

}  // namespace ostrel
