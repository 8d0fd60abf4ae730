#include "dialog/level_scale.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <string>

namespace VavazaZavidi {

std::optional<double> LevelScale::LeadingDecimal(std::u16string_view text) {
    std::string digits;
    for (const char16_t c : text) {
        if ((c < u'0' || c > u'9') && c != u'.')
            break;
        digits.push_back(static_cast<char>(c));
    }
    double value = 0;
    const char* const first = digits.data();
    const auto [end, error] =
        std::from_chars(first, first + digits.size(), value, std::chars_format::fixed);
    if (error != std::errc() || end == first)
        return std::nullopt;
    return value;
}

LevelScale LevelScale::FromRangeText(std::u16string_view range) {
    const std::optional<double> value = LeadingDecimal(range);
    if (!value || !std::isfinite(*value) || *value <= 0)
        return LevelScale();
    return LevelScale(*value);
}

double LevelScale::ToShown(double percent) const {
    return InPercent() ? percent : range_ * percent / 100;
}

double LevelScale::ToPercent(double shown) const {
    return InPercent() ? shown : shown / range_ * 100;
}

int LevelScale::Position(double percent) {
    if (std::isnan(percent))
        return 0;
    return static_cast<int>(std::trunc(std::clamp<double>(percent, kLowest, kHighest)));
}

}  // namespace VavazaZavidi
