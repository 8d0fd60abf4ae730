#include "host/device/input_statistics.h"

#include <algorithm>
#include <cmath>

#include "host/device/input_converter.h"

namespace device {

void InputStatistics::Add(const double* values, std::size_t count) {
    // A value clips where its device units, rounded as the converter rounds (a tie to the even
    // one), fall beyond -32768 ... 32767.
    const double high = 32767.5 / kDeviceFullScale * fullScale_;
    const double low = -32768.5 / kDeviceFullScale * fullScale_;
    double minimum = seen_ ? minimum_ : HUGE_VAL;
    double maximum = seen_ ? maximum_ : -HUGE_VAL;
    std::int64_t clipped = 0;
    for (std::size_t i = 0; i < count; ++i) {
        const double value = values[i];
        minimum = std::min(minimum, value);  // a NaN compares false and changes nothing
        maximum = std::max(maximum, value);
        clipped += (value >= high) | (value < low);
    }
    seen_ = minimum <= maximum;
    minimum_ = minimum;
    maximum_ = maximum;
    clipped_ += clipped;
    samples_ += static_cast<std::int64_t>(count);
}

std::optional<double> InputStatistics::Minimum() const {
    return seen_ ? std::optional(minimum_) : std::nullopt;
}

std::optional<double> InputStatistics::Maximum() const {
    return seen_ ? std::optional(maximum_) : std::nullopt;
}

double InputStatistics::SpanShare() const {
    return seen_ ? (maximum_ - minimum_) / (2.0 * fullScale_) : 0.0;
}

double InputStatistics::ClippedShare() const {
    return samples_ > 0 ? static_cast<double>(clipped_) / static_cast<double>(samples_) : 0.0;
}

}  // namespace device
