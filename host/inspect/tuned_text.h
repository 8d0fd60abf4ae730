// A configuration text with one output's settings changed, as `ostrel tune` tries them: the
// level and hysteresis of one of its conditions, its hold-off and its pulse width. The text is
// read and written by the extension's own configuration code, so what tune sends to the
// document is a text the extension wrote, and `apply` reads it back as sent.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace inspect {

// What one combination changes; a setting left empty keeps the text's value.
struct SettingChange {
    std::optional<double> LevelPercent;       // of the input's full-scale range
    std::optional<double> HysteresisPercent;  // of the input's full-scale range
    std::optional<double> Holdoff;            // seconds; 0 switches the hold-off off
    std::optional<double> Width;              // seconds; 0: the output follows the state
};

// The condition a sweep changes, as the text holds it.
struct ConditionInText {
    std::int32_t Input = 0;  // zero-based
    bool Above = true;
    double LevelPercent = 0.0;
    double HysteresisPercent = 0.0;
    double Holdoff = 0.0;  // seconds, 0 when the hold-off is off
    double Width = 0.0;    // seconds, 0 when the output follows the state
};

// Condition `condition` (1-based) of output `output` in `text`. Throws std::invalid_argument
// naming what is wrong: a text that does not read, an output it lacks, a condition beyond the
// output's conditions.
ConditionInText FindCondition(const std::string& text, std::int32_t output, std::int32_t condition);

// `text` with output `output` switched on and `change` made to it and to its condition
// `condition`, written back by the configuration's writer. Throws as FindCondition.
std::string ChangedConfigurationText(const std::string& text, std::int32_t output,
                                     std::int32_t condition, const SettingChange& change);

}  // namespace inspect
