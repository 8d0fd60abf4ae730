#include "host/device/input_converter.h"

#include <stdexcept>
#include <string>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace device {

void ConvertToDeviceUnits(const double* values, std::size_t count, double fullScale,
                          std::int16_t* units) {
    std::size_t i = 0;
#if defined(__SSE2__)
    // Four values at a time, by the same operations as ToDeviceUnits: the division and the
    // multiplication, a not-a-number made 0, the clip, and the processor's rounding to nearest
    // (a tie to the even one) in the conversion to whole numbers.
    const __m128d scale = _mm_set1_pd(fullScale);
    const __m128d full = _mm_set1_pd(kDeviceFullScale);
    const __m128d low = _mm_set1_pd(-32768.0);
    const __m128d high = _mm_set1_pd(32767.0);
    const auto convert = [&](const double* at) {
        __m128d v = _mm_mul_pd(_mm_div_pd(_mm_loadu_pd(at), scale), full);
        v = _mm_and_pd(v, _mm_cmpeq_pd(v, v));
        return _mm_cvtpd_epi32(_mm_min_pd(_mm_max_pd(v, low), high));
    };
    for (; i + 4 <= count; i += 4) {
        const __m128i whole = _mm_unpacklo_epi64(convert(values + i), convert(values + i + 2));
        _mm_storel_epi64(reinterpret_cast<__m128i*>(units + i), _mm_packs_epi32(whole, whole));
    }
#endif
    for (; i < count; ++i)
        units[i] = ToDeviceUnits(values[i], fullScale);
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
        ConvertToDeviceUnits(values.data(), values.size(), fullScale[k], converted.data());
    }
    return samples;
}

}  // namespace device
