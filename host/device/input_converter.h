// The simulated Corvex's input converters: physical values in, 16-bit device units out.
#pragma once

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
// at the 16-bit limits as a converter clips; a value that is not a number gives 0.
std::int16_t ToDeviceUnits(double value, double fullScale);

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
