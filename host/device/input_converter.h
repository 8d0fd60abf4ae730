// The simulated Corvex's input converters: physical values in, 16-bit device units out.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "host/device/signals.h"

namespace device {

// The converters sample every input at up to this many samples per second.
inline constexpr double kMaxSampleRate = 100000.0;

// An input's full-scale range (+-100 %) in device units.
inline constexpr std::int32_t kDeviceFullScale = 32000;

// `value` in device units for an input whose full-scale range is `fullScale` in the value's
// unit: +-fullScale gives +-32000, rounded to the nearest unit (a tie to the even one) and clipped
// at the 16-bit limits as a converter clips; a value that is not a number gives 0. Inline and
// branch-free, so that a loop over samples becomes vector code.
inline std::int16_t ToDeviceUnits(double value, double fullScale) {
    double units = value / fullScale * kDeviceFullScale;
    units = units == units ? units : 0.0;  // not a number: 0
    units = units < -32768.0 ? -32768.0 : units;
    units = units > 32767.0 ? 32767.0 : units;
    // Adding and taking away 1.5 * 2^52 rounds to the nearest whole number, a tie to the even one,
    // as the processor rounds; exact for the clipped range.
    constexpr double kRound = 6755399441055744.0;
    return static_cast<std::int16_t>(static_cast<std::int32_t>((units + kRound) - kRound));
}

// `count` values converted into `units`.
void ConvertToDeviceUnits(const double* values, std::size_t count, double fullScale,
                          std::int16_t* units);

// Device units for every 16-bit sample of a file, computed once by the same conversion as the
// values the file's reader would give: table[s + 32768] for the sample s.
using SampleTable = std::array<std::int16_t, 65536>;
template <typename PhysicalOf>
SampleTable MakeSampleTable(PhysicalOf physical, double fullScale) {
    SampleTable table;
    for (std::int32_t s = -32768; s <= 32767; ++s)
        table[static_cast<std::size_t>(s + 32768)] = ToDeviceUnits(physical(s), fullScale);
    return table;
}

// The inputs as the converters deliver them, all sampled together.
struct DeviceSamples {
    double SampleRate = 0.0;  // per second
    double StartTime = 0.0;   // seconds at sample 0
    std::int64_t Count = 0;
    std::vector<std::vector<std::int16_t>> Inputs;  // [input - 1][sample]
};

// Converts every channel of `signals`; `fullScale[k]` is channel k's range in its unit.
// Throws std::invalid_argument when there are fewer ranges than channels or the channels
// differ in length.
DeviceSamples ConvertSignals(const device::Signals& signals, const std::vector<double>& fullScale);

}  // namespace device
