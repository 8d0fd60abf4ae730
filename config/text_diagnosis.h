// Where and why a configuration text does not read: the line, what the reader expected there
// and what it found, or what is wrong with the text as a whole (a byte-order mark, UTF-16, NUL
// bytes, a version this reader does not read).
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace VavazaZavidi {

struct TextDiagnosis {
    // 1-based line of the problem; 0 when it concerns no particular line.
    std::size_t Line = 0;
    // What is wrong, e.g. `expected "PulseDelay = ", found "PulseDelai = 0"`; empty when the
    // text reads without remark.
    std::string Problem;

    // "SOURCE:LINE: PROBLEM" (without the line when it is 0); empty without a problem.
    std::string Describe(std::string_view source) const;
};

}  // namespace VavazaZavidi
