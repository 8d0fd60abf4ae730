// The scale between a rule's stored level (percent of the input's full-scale range) and the
// level the user sees and types in the input's unit.
//
// The range R is the leading decimal number of the host's range text, read in the classic
// locale whatever the user's regional settings: "10" gives 10, "2.5" gives 2.5, so that a
// 2.5 mV input shows 1.25 mV for 50 percent, exactly where the device fires. A range text
// that gives no positive, finite R (empty, "0", "-5", "x") leaves the scale in percent: the
// level is shown as the stored percentage and nothing is divided by zero.
#pragma once

#include <optional>
#include <string_view>

namespace VavazaZavidi {

class LevelScale {
public:
    // Slider and up-down positions: whole percentages.
    static constexpr int kLowest = -100;
    static constexpr int kHighest = 100;

    // A scale in percent.
    LevelScale() = default;
    // The scale a range text gives.
    static LevelScale FromRangeText(std::u16string_view range);
    // The leading decimal number of `text` (digits with an optional point and fraction,
    // classic locale), or nullopt when it does not begin with one.
    static std::optional<double> LeadingDecimal(std::u16string_view text);

    bool InPercent() const { return range_ == 0; }
    // The largest level shown (R, or 100 in percent); the smallest is its negation.
    double Maximum() const { return InPercent() ? kHighest : range_; }

    // The level shown for a percentage: R × p / 100 (p itself in percent).
    double ToShown(double percent) const;
    // The percentage of a shown level: v / R × 100 (v itself in percent). Not clamped.
    double ToPercent(double shown) const;
    // A percentage as a slider or up-down position: the fraction dropped (33.9 gives 33,
    // -33.9 gives -33), kept within -100 to 100; a NaN gives 0.
    static int Position(double percent);

private:
    explicit LevelScale(double range) : range_(range) {}
    double range_ = 0;  // R; 0 in percent
};

}  // namespace VavazaZavidi
