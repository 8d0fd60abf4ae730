// Reading numbers from the text of an edit, as the numeric edits and their validators do.
// Only the first 29 characters count. Whole numbers are read with an optional sign after
// leading white space; real numbers likewise, with the decimal separator of the global stream
// locale (the one values are written with) and an optional exponent.
#pragma once

#include <optional>
#include <string_view>

namespace Tev::NumberText {

inline constexpr std::size_t kReadLimit = 29;

struct Reading {
    double value = 0;
    std::size_t consumed = 0;  // characters of the number, leading white space included
    bool overflow = false;     // too large (or too small) for a double: value is ±infinity or 0
};

// The leading real number of `text`, or nullopt when it does not begin with one.
std::optional<Reading> LeadingReal(std::u16string_view text);
// The leading whole number (32-bit, saturating), or nullopt.
std::optional<long long> LeadingWhole(std::u16string_view text, std::size_t* consumed);

// Whether the first 29 characters are exactly one number of the kind and nothing else.
bool IsWholeNumber(std::u16string_view text);
bool IsRealNumber(std::u16string_view text);

// The decimal separator values are written and read with (the global stream locale's).
char16_t DecimalPoint();

}  // namespace Tev::NumberText
