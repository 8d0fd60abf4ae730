// One output of the master device with its settings and rules.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "config/output_settings.h"
#include "config/rule.h"

namespace VavazaZavidi {

struct OutputRecord {
    OutputSettings Settings;
    std::vector<Rule> Rules;  // at most 4 when added one at a time
    // Analog outputs 1, 2, 3 ...; digital outputs -1, -2, -3 ...; 0 names no output.
    std::int32_t Output = 0;
    std::u16string Name;  // display name, the output's tab label
};

// The magnitude of an output number, without overflow for the most negative number.
inline std::int64_t OutputMagnitude(std::int32_t output) {
    return output < 0 ? -static_cast<std::int64_t>(output) : output;
}

}  // namespace VavazaZavidi
