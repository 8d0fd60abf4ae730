// One level condition of an output: the signal of input `Input` is above (or below) `Level`.
#pragma once

#include <cstdint>

namespace VavazaZavidi {

struct Rule {
    std::int32_t Input = 0;   // zero-based input index
    bool Above = true;        // true: above the level; false: below
    double Hysteresis = 5.0;  // percent of the input's full-scale range
    double Level = 0.0;       // percent of the input's full-scale range, -100 to 100

    // Floating-point members compare exactly.
    bool operator==(const Rule&) const = default;
};

}  // namespace VavazaZavidi
