// Filling the device's command block from an output record.
#pragma once

#include <cstdint>

#include "config/output_record.h"
#include "host/api/output_command_block.h"

namespace VavazaZavidi {

// The full-scale range of an input, +-100 percent, is +-kDeviceFullScale device units.
inline constexpr double kDeviceFullScale = 32000.0;
// A "below" rule's threshold (level plus hysteresis) stays at or under this value.
inline constexpr std::int32_t kBelowThresholdCeiling = 32766;

// The ranges a rule's level and hysteresis are held to before they are converted, percent.
inline constexpr double kMinLevel = -100.0;
inline constexpr double kMaxLevel = 100.0;
inline constexpr double kMinHysteresis = 0.0;
inline constexpr double kMaxHysteresis = 100.0;

// `percent` held to [low, high]; NaN stays NaN.
double ClampPercent(double percent, double low, double high);

// `value` truncated toward zero to a 32-bit integer; values beyond the range saturate to its
// ends and NaN gives 0.
std::int32_t TruncateToInt32(double value);

// A percentage of full scale in device units: percent x 32000 / 100, truncated toward zero.
std::int32_t PercentToDeviceUnits(double percent);

// The slot of one rule: threshold, hysteresis, direction and one-based input.
RuleSlot MakeRuleSlot(const Rule& rule);

// The block that programs `record`'s output. Bytes that carry no meaning (everything after the
// mode of an output that is off, unused rule slots, padding) are zero.
OutputCommandBlock MakeCommandBlock(const OutputRecord& record);

}  // namespace VavazaZavidi
