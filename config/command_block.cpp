#include "config/command_block.h"

#include <cmath>
#include <cstddef>
#include <limits>

namespace VavazaZavidi {

double ClampPercent(double percent, double low, double high) {
    // NaN passes through; the conversion to device units makes it 0.
    return percent < low ? low : percent > high ? high : percent;
}

std::int32_t TruncateToInt32(double value) {
    // Truncation toward zero keeps every value in (-2^31 - 1, 2^31) inside the range.
    if (std::isnan(value))
        return 0;
    if (value >= 2147483648.0)
        return std::numeric_limits<std::int32_t>::max();
    if (value <= -2147483649.0)
        return std::numeric_limits<std::int32_t>::min();
    return static_cast<std::int32_t>(value);
}

std::int32_t PercentToDeviceUnits(double percent) {
    // Multiply, then divide, in double precision.
    return TruncateToInt32(percent * kDeviceFullScale / 100.0);
}

RuleSlot MakeRuleSlot(const Rule& rule) {
    RuleSlot slot{};
    slot.Size = RuleSlot::kSize;
    // A hand-edited text may hold any number: the level stays within full scale and the
    // hysteresis within 0 to 100 percent, so no threshold lies beyond the device's range and
    // the arithmetic below cannot overflow. Values inside the ranges are sent unchanged.
    const std::int32_t level = PercentToDeviceUnits(ClampPercent(rule.Level, kMinLevel, kMaxLevel));
    std::int32_t hysteresis =
        PercentToDeviceUnits(ClampPercent(rule.Hysteresis, kMinHysteresis, kMaxHysteresis));
    if (rule.Above) {
        slot.Threshold = level;
        slot.Direction = RuleSlot::kAbove;
    } else {
        // The threshold of a "below" rule, level plus hysteresis, stays at or under the
        // ceiling: the hysteresis gives way.
        if (static_cast<std::int64_t>(level) + hysteresis > kBelowThresholdCeiling) {
            hysteresis = TruncateToInt32(static_cast<double>(kBelowThresholdCeiling) - level);
        }
        slot.Threshold = level + hysteresis;
        slot.Direction = RuleSlot::kBelow;
    }
    slot.Hysteresis = hysteresis;
    // Low 8 bits of the one-based input number.
    slot.Input = static_cast<std::uint8_t>(static_cast<std::uint32_t>(rule.Input) + 1u);
    return slot;
}

OutputCommandBlock MakeCommandBlock(const OutputRecord& record) {
    OutputCommandBlock block{};
    block.Size = OutputCommandBlock::kSize;
    block.SlotCount = OutputCommandBlock::kRuleSlotCount;
    block.Output = record.Output;
    const OutputSettings& settings = record.Settings;
    if (!settings.On) {
        block.Mode = OutputCommandBlock::kOff;
        return block;
    }
    block.Mode = settings.All ? OutputCommandBlock::kAllRules : OutputCommandBlock::kAnyRule;
    block.PulseCountLimit = settings.LimitedNumPulses ? settings.PulseNumLimit : 0;
    block.PulseWidth = settings.LimitedDuration ? settings.PulseDuration : 0.0;
    block.PulseDelay = settings.PulseDelay;
    block.Holdoff = settings.RetriggerHoldoff ? settings.RetriggerHoldoffTime : 0.0;
    // Rules beyond the slots (possible only after CopyOutputsFrom) are not sent.
    for (std::size_t k = 0; k < static_cast<std::size_t>(OutputCommandBlock::kRuleSlotCount); ++k) {
        if (k < record.Rules.size()) {
            block.Rules[k] = MakeRuleSlot(record.Rules[k]);
        } else {
            block.Rules[k].Size = RuleSlot::kSize;
            block.Rules[k].Input = RuleSlot::kUnusedInput;
        }
    }
    return block;
}

}  // namespace VavazaZavidi
