#include "host/device/block_check.h"

#include <cmath>
#include <locale>
#include <sstream>

namespace device {
namespace {

// A number as the device's messages show it: classic locale, enough digits that a value just
// beyond a limit does not read as the limit.
std::string Number(double value) {
    std::ostringstream text;
    text.imbue(std::locale::classic());
    text.precision(10);
    text << value;
    return text.str();
}

// Why a time field is refused, or nothing. `limit` < 0: no upper limit.
std::optional<std::string> CheckSeconds(const char* what, double seconds, double limit) {
    if (std::isnan(seconds))
        return std::string(what) + " is not a number";
    if (seconds < 0.0)
        return std::string(what) + " " + Number(seconds) + " s is negative";
    if (std::isinf(seconds))
        return std::string(what) + " is infinite";
    if (limit >= 0.0 && seconds > limit) {
        return std::string(what) + " " + Number(seconds) + " s is beyond the device's limit of " +
               Number(limit) + " s";
    }
    return std::nullopt;
}

bool InConverterRange(std::int64_t value) {
    return value >= kConverterMin && value <= kConverterMax;
}

std::optional<std::string> CheckSlot(const RuleSlot& slot, int number,
                                     const DeviceDescription& device) {
    const std::string name = "rule slot " + std::to_string(number) + ": ";
    if (slot.Size != RuleSlot::kSize) {
        return name + "size " + std::to_string(slot.Size) + ", the device expects " +
               std::to_string(RuleSlot::kSize);
    }
    if (slot.Input == RuleSlot::kUnusedInput)
        return std::nullopt;
    if (slot.Input > device.Inputs) {
        return name + "input " + std::to_string(slot.Input) + ", but the device has " +
               std::to_string(device.Inputs) + (device.Inputs == 1 ? " input" : " inputs");
    }
    if (slot.Direction != RuleSlot::kAbove && slot.Direction != RuleSlot::kBelow) {
        return name + "direction " + std::to_string(slot.Direction) +
               " is neither 0 (above) nor 1 (below)";
    }
    const std::string range = " the converter's range " + std::to_string(kConverterMin) + " to " +
                              std::to_string(kConverterMax);
    if (!InConverterRange(slot.Threshold)) {
        return name + "threshold " + std::to_string(slot.Threshold) + " lies beyond" + range;
    }
    if (slot.Hysteresis < 0)
        return name + "hysteresis " + std::to_string(slot.Hysteresis) + " is negative";
    // The band's other end, threshold minus hysteresis, may lie beyond the range: the input
    // then never crosses it (an above rule triggers once and never re-arms, a below rule never
    // triggers), which is what a rule near full scale with a wide hysteresis asks for.
    return std::nullopt;
}

}  // namespace

std::optional<std::string> CheckCommandBlock(const OutputCommandBlock& block,
                                             const DeviceDescription& device) {
    if (block.Size != OutputCommandBlock::kSize) {
        return "block size " + std::to_string(block.Size) + ", the device expects " +
               std::to_string(OutputCommandBlock::kSize);
    }
    if (block.SlotCount != OutputCommandBlock::kRuleSlotCount) {
        return "rule slot count " + std::to_string(block.SlotCount) + ", the device expects " +
               std::to_string(OutputCommandBlock::kRuleSlotCount);
    }
    if (!device.HasOutput(block.Output))
        return "output " + std::to_string(block.Output) + " is not one of the device's outputs";
    if (block.Mode == OutputCommandBlock::kOff)
        return std::nullopt;
    if (block.Mode != OutputCommandBlock::kAllRules && block.Mode != OutputCommandBlock::kAnyRule) {
        return "mode " + std::to_string(block.Mode) +
               " is none of 0 (off), 1 (all rules) and 2 (any rule)";
    }
    if (block.PulseCountLimit < 0)
        return "pulse count limit " + std::to_string(block.PulseCountLimit) + " is negative";
    if (auto refused = CheckSeconds("pulse width", block.PulseWidth, -1.0))
        return refused;
    if (auto refused = CheckSeconds("pulse delay", block.PulseDelay, device.MaxPulseDelay))
        return refused;
    if (auto refused = CheckSeconds("hold-off", block.Holdoff, device.MaxHoldoff))
        return refused;
    for (int k = 0; k < OutputCommandBlock::kRuleSlotCount; ++k) {
        if (auto refused = CheckSlot(block.Rules[k], k + 1, device))
            return refused;
    }
    return std::nullopt;
}

}  // namespace device
