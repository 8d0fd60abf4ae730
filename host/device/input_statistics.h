// What an input's converter saw over a replay, gathered block by block as it converts: the
// extremes of the values it was given (in the input's unit) and how many of them lay beyond
// what it converts, so that the preview can tell a signal that uses a sliver of the range, or
// one the range clips, from one that fits.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>

namespace device {

class InputStatistics {
public:
    // For an input whose full-scale range is ±`fullScale` in the values' unit.
    explicit InputStatistics(double fullScale) : fullScale_(fullScale) {}

    // Takes `count` more samples.
    void Add(const double* values, std::size_t count);

    double FullScale() const { return fullScale_; }
    std::int64_t Samples() const { return samples_; }
    // The smallest and largest values that are numbers; nothing when there was none.
    std::optional<double> Minimum() const;
    std::optional<double> Maximum() const;
    // The samples the converter clips: those that convert beyond its 16-bit limits.
    std::int64_t Clipped() const { return clipped_; }

    // (Maximum - Minimum) as a share of the converter's range, 2 × full scale; 0 without values.
    double SpanShare() const;
    // Clipped samples as a share of all samples; 0 without samples.
    double ClippedShare() const;

private:
    double fullScale_;
    std::int64_t samples_ = 0;
    std::int64_t clipped_ = 0;
    double minimum_ = 0.0;
    double maximum_ = 0.0;
    bool seen_ = false;  // a value that is a number
};

}  // namespace device
