#include "host/device/input_converter.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <stdexcept>

namespace device {

std::int16_t ToDeviceUnits(double value, double fullScale) {
    const double units = value / fullScale * kDeviceFullScale;
    if (std::isnan(units))
        return 0;
    constexpr double kLow = std::numeric_limits<std::int16_t>::min();
    constexpr double kHigh = std::numeric_limits<std::int16_t>::max();
    return static_cast<std::int16_t>(std::lrint(std::clamp(units, kLow, kHigh)));
}

DeviceSamples ConvertSignals(const device::Signals& signals, const std::vector<double>& fullScale) {
    if (fullScale.size() < signals.Channels.size())
        throw std::invalid_argument("a range is missing for some of the channels");
    DeviceSamples samples;
    samples.SampleRate = signals.SampleRate;
    samples.StartTime = signals.StartTime;
    samples.Count = static_cast<std::int64_t>(signals.SampleCount());
    samples.Inputs.reserve(signals.Channels.size());
    for (std::size_t k = 0; k < signals.Channels.size(); ++k) {
        const std::vector<double>& values = signals.Channels[k].Values;
        if (static_cast<std::int64_t>(values.size()) != samples.Count)
            throw std::invalid_argument("channel " + std::to_string(k + 1) + " has " +
                                        std::to_string(values.size()) + " samples, not " +
                                        std::to_string(samples.Count));
        std::vector<std::int16_t>& converted = samples.Inputs.emplace_back(values.size());
        std::transform(values.begin(), values.end(), converted.begin(),
                       [scale = fullScale[k]](double v) { return ToDeviceUnits(v, scale); });
    }
    return samples;
}

}  // namespace device
