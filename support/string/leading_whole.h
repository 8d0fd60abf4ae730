// Reading a whole number at the start of UTF-16 text as the C library's wcstol does: white
// space (a space, or a tab to a carriage return), an optional sign, then decimal digits.
#pragma once

#include <cstddef>
#include <optional>
#include <string_view>

namespace Tev {

// Skips the white space and the sign at the start of `text`; returns where the digits would
// begin and sets `negative` when the sign is a minus.
std::size_t SkipBlanksAndSign(std::u16string_view text, bool& negative);

struct LeadingWhole {
    long long value = 0;  // signed; its magnitude stops growing at the saturation given
    std::size_t end = 0;  // after the last digit
};

// The leading whole number of `text`, or nullopt when no digit follows the white space and
// sign. Every digit counts towards `end`, however large the number. `saturation` is at most
// a tenth of the largest long long.
std::optional<LeadingWhole> ReadLeadingWhole(std::u16string_view text, long long saturation);

}  // namespace Tev
