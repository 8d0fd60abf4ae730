// A number of a CSV field, as fast_float reads it (the C notation of std::from_chars, exact to
// the last bit), with a shorter way for the common field: an optional minus, digits, a point and
// digits, fifteen digits at most. Such a number is its digits as a whole number over a power of
// ten, both exact in a double, and one division rounds it exactly as the full reading would.
#pragma once

#include <fast_float/fast_float.h>

#include <cstdint>
#include <system_error>

namespace preview {

// Reads a number at [p, end); returns where it ends, or nullptr when no number starts at p.
inline const char* ReadNumber(const char* p, const char* end, double& value) {
    static constexpr double kPowers[] = {1e0, 1e1, 1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                         1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};
    const char* at = p;
    const bool minus = at != end && *at == '-';
    at += minus;
    std::uint64_t digits = 0;
    int count = 0;
    const char* const whole = at;
    for (; at != end && static_cast<unsigned char>(*at - '0') < 10; ++at, ++count)
        digits = digits * 10 + static_cast<std::uint64_t>(*at - '0');
    int decimals = 0;
    if (at != whole && at != end && *at == '.') {
        const char* const fraction = ++at;
        for (; at != end && static_cast<unsigned char>(*at - '0') < 10; ++at, ++count)
            digits = digits * 10 + static_cast<std::uint64_t>(*at - '0');
        decimals = static_cast<int>(at - fraction);
        if (decimals == 0)
            at = whole;  // "1." : the full reading decides
    }
    const bool ends = at == end || (*at != 'e' && *at != 'E' && *at != '.');
    if (at != whole && decimals > 0 && count <= 15 && ends) {
        const double magnitude = static_cast<double>(digits) / kPowers[decimals];
        value = minus ? -magnitude : magnitude;
        return at;
    }
    const auto parsed = fast_float::from_chars(p, end, value);
    return parsed.ec == std::errc() && parsed.ptr != p ? parsed.ptr : nullptr;
}

}  // namespace preview
