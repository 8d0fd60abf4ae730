// What the simulated Corvex holds for its automatic outputs, read from the command blocks it
// received and nothing else: per output the last block it accepted since the last reset,
// decoded and checked the way the device's firmware would check it.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "host/device/simulated_corvex.h"

namespace device {

// One used rule slot.
struct RuleProgram {
    std::int32_t Slot = 0;        // 0 to 3, its place in the block
    std::int32_t Input = 0;       // one-based
    bool Below = false;           // direction 1
    std::int32_t Threshold = 0;   // device units, as the block holds it
    std::int32_t Hysteresis = 0;  // device units, >= 0
};

struct OutputProgram {
    std::int32_t Output = 0;
    std::int32_t Mode = OutputCommandBlock::kOff;
    std::int32_t PulseCountLimit = 0;  // 0: no limit
    double PulseWidth = 0.0;           // seconds; 0: the output follows the combined state
    double PulseDelay = 0.0;
    double Holdoff = 0.0;
    std::vector<RuleProgram> Rules;  // the used slots, in slot order
    OutputCommandBlock Block{};      // as received
    // Not empty when the block holds something the device cannot carry out; the output then
    // stays low and this says why ("slot 2: direction 7 is neither above (0) nor below (1)").
    std::string Unreadable;

    // Whether the output can ever go high: on, readable and with at least one used slot.
    bool Active() const {
        return Unreadable.empty() && Mode != OutputCommandBlock::kOff && !Rules.empty();
    }
};

// Decodes one block for a device with `inputCount` inputs.
OutputProgram ReadOutputProgram(const BlockBytes& block, std::int32_t inputCount);

// The programs in force after `commands`: a reset forgets every output; a program call the
// device answered with success replaces that output's program; a refused or failed call leaves
// it as it was. Outputs come in the order of their first accepted block since the last reset.
std::vector<OutputProgram> ProgramsInForce(const std::vector<DeviceCommand>& commands,
                                           std::int32_t inputCount);

}  // namespace device
