#include "host/device/output_program.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace device {

namespace {

// A time field the device can count out: finite and not negative.
bool ReadTime(double seconds, const char* name, std::string& problem) {
    if (std::isfinite(seconds) && seconds >= 0.0)
        return true;
    problem = std::string(name) + " " + std::to_string(seconds) +
              " s is not a time the device can count out";
    return false;
}

bool ReadSlot(const RuleSlot& slot, std::int32_t index, std::int32_t inputCount,
              OutputProgram& program) {
    const std::string where = "slot " + std::to_string(index + 1) + ": ";
    if (slot.Input == RuleSlot::kUnusedInput)
        return true;
    if (slot.Size != RuleSlot::kSize) {
        program.Unreadable = where + "size " + std::to_string(slot.Size) + " is not 16";
        return false;
    }
    if (slot.Input > inputCount) {
        program.Unreadable = where + "input " + std::to_string(slot.Input) +
                             " is beyond the device's " + std::to_string(inputCount) + " inputs";
        return false;
    }
    if (slot.Direction != RuleSlot::kAbove && slot.Direction != RuleSlot::kBelow) {
        program.Unreadable = where + "direction " + std::to_string(slot.Direction) +
                             " is neither above (0) nor below (1)";
        return false;
    }
    if (slot.Hysteresis < 0) {
        program.Unreadable =
            where + "hysteresis " + std::to_string(slot.Hysteresis) + " is negative";
        return false;
    }
    program.Rules.push_back(RuleProgram{index, slot.Input, slot.Direction == RuleSlot::kBelow,
                                        slot.Threshold, slot.Hysteresis});
    return true;
}

}  // namespace

OutputProgram ReadOutputProgram(const BlockBytes& bytes, std::int32_t inputCount) {
    OutputCommandBlock block;
    std::memcpy(&block, bytes.data(), sizeof block);
    OutputProgram program;
    program.Block = block;
    program.Output = block.Output;
    program.Mode = block.Mode;
    if (block.Mode == OutputCommandBlock::kOff)
        return program;  // nothing after the mode counts
    if (block.Mode != OutputCommandBlock::kAllRules && block.Mode != OutputCommandBlock::kAnyRule) {
        program.Unreadable = "mode " + std::to_string(block.Mode) + " is not 0, 1 or 2";
        return program;
    }
    if (block.PulseCountLimit < 0) {
        program.Unreadable =
            "pulse count limit " + std::to_string(block.PulseCountLimit) + " is negative";
        return program;
    }
    program.PulseCountLimit = block.PulseCountLimit;
    if (!ReadTime(block.PulseWidth, "pulse width", program.Unreadable) ||
        !ReadTime(block.PulseDelay, "pulse delay", program.Unreadable) ||
        !ReadTime(block.Holdoff, "hold-off", program.Unreadable))
        return program;
    program.PulseWidth = block.PulseWidth;
    program.PulseDelay = block.PulseDelay;
    program.Holdoff = block.Holdoff;
    for (std::int32_t k = 0; k < OutputCommandBlock::kRuleSlotCount; ++k) {
        if (!ReadSlot(block.Rules[k], k, inputCount, program)) {
            program.Rules.clear();
            return program;
        }
    }
    return program;
}

std::vector<OutputProgram> ProgramsInForce(const std::vector<DeviceCommand>& commands,
                                           std::int32_t inputCount) {
    std::vector<OutputProgram> programs;
    for (const DeviceCommand& command : commands) {
        if (command.What == DeviceCommand::Kind::kReset) {
            if (command.Result == S_OK)
                programs.clear();
            continue;
        }
        if (command.Result != S_OK)
            continue;
        OutputProgram program = ReadOutputProgram(command.Block, inputCount);
        const auto same = std::find_if(programs.begin(), programs.end(),
                                       [&](const auto& p) { return p.Output == program.Output; });
        if (same != programs.end())
            *same = std::move(program);
        else
            programs.push_back(std::move(program));
    }
    return programs;
}

}  // namespace device
