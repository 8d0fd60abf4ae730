// The ids of the controls of the setup dialog's panes: the on/off pane (template 209), a rule
// row (template 208) and the output settings pane (template 205). The templates themselves are
// named in resources/dialog_ids.h.
#pragma once

namespace VavazaZavidi {

// "Generate output when [all|any] of the following conditions are met:"
namespace OnOffPaneId {
inline constexpr int kGenerate = 216;     // automatic check box: the output's On setting
inline constexpr int kCombination = 206;  // drop-down list "all" / "any": its All setting
inline constexpr int kConditions = 257;   // "of the following conditions are met:"
}  // namespace OnOffPaneId

// "When [Input 1] goes [above] <level> Hysteresis: [5] %  [-] [+]"
namespace RulePaneId {
inline constexpr int kSeparator = 203;        // etched line at the top of the row
inline constexpr int kWhen = 252;             // "When"
inline constexpr int kInput = 204;            // drop-down list of the inputs
inline constexpr int kVerb = 251;             // "goes" or "is"
inline constexpr int kDirection = 206;        // drop-down list "above" / "below"
inline constexpr int kLevelLabel = 215;       // "Level (V)"
inline constexpr int kLevelSlider = 205;      // trackbar, -100 to 100 percent
inline constexpr int kLevelEdit = 207;        // the level in the input's unit
inline constexpr int kLevelUpDown = 208;      // up-down beside the level edit
inline constexpr int kHysteresisLabel = 211;  // "Hysteresis:"
inline constexpr int kHysteresis = 212;       // whole percent, 0 to 95
inline constexpr int kPercent = 247;          // "%"
inline constexpr int kRemove = 230;           // minus button: remove this rule
inline constexpr int kAdd = 231;              // plus button: add a rule after this one
inline constexpr int kLowRange = 234;         // "-10" under the slider's left end
inline constexpr int kZero = 236;             // "0" under the slider's middle
inline constexpr int kHighRange = 235;        // "10" under the slider's right end
}  // namespace RulePaneId

// The "Output settings" group.
namespace SettingsPaneId {
inline constexpr int kSeparator = 203;     // etched line at the top of the pane
inline constexpr int kGroup = 258;         // group box "Output settings"
inline constexpr int kFixedWidth = 217;    // check box "Fixed width pulse:"
inline constexpr int kWidth = 220;         // pulse width, seconds
inline constexpr int kWidthUnit = 223;     // "s"
inline constexpr int kDelayLabel = 254;    // "Delay pulse for:"
inline constexpr int kDelay = 221;         // pulse delay, seconds
inline constexpr int kDelayUnit = 224;     // "s"
inline constexpr int kLimitedCount = 218;  // check box "Limited number of pulses:"
inline constexpr int kPulseCount = 222;    // number of pulses
inline constexpr int kHoldoffLabel = 253;  // "Wait after pulse start:"
inline constexpr int kHoldoff = 250;       // hold-off after a pulse start, seconds
inline constexpr int kHoldoffUnit = 228;   // "s"
}  // namespace SettingsPaneId

}  // namespace VavazaZavidi
