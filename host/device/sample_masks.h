// Comparing up to 64 consecutive 16-bit samples with a level at once: bit j of the result is
// sample j's answer. Levels may lie beyond the 16-bit range (then every answer is the same).
#pragma once

#include <cstdint>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace device {

inline constexpr int kMaskSamples = 64;

// The low `count` bits set.
inline std::uint64_t LowBits(int count) {
    return count >= kMaskSamples ? ~std::uint64_t{0} : (std::uint64_t{1} << count) - 1;
}

// Bits of x[j] > level for j < count; level within the 16-bit range.
inline std::uint64_t GreaterMask(const std::int16_t* x, int count, std::int16_t level) {
#if defined(__SSE2__)
    if (count == kMaskSamples) {
        const __m128i threshold = _mm_set1_epi16(level);
        std::uint64_t bits = 0;
        for (int k = 0; k < 4; ++k) {
            const __m128i low = _mm_loadu_si128(reinterpret_cast<const __m128i*>(x + 16 * k));
            const __m128i high = _mm_loadu_si128(reinterpret_cast<const __m128i*>(x + 16 * k + 8));
            const __m128i bytes =
                _mm_packs_epi16(_mm_cmpgt_epi16(low, threshold), _mm_cmpgt_epi16(high, threshold));
            bits |= std::uint64_t{static_cast<std::uint16_t>(_mm_movemask_epi8(bytes))} << (16 * k);
        }
        return bits;
    }
#endif
    std::uint64_t bits = 0;
    for (int j = 0; j < count; ++j)
        bits |= std::uint64_t{x[j] > level} << j;
    return bits;
}

// Bits of x[j] >= level for j < count.
inline std::uint64_t AtLeastMask(const std::int16_t* x, int count, std::int32_t level) {
    if (level <= INT16_MIN)
        return LowBits(count);
    if (level > INT16_MAX)
        return 0;
    return GreaterMask(x, count, static_cast<std::int16_t>(level - 1));
}

// Bits of x[j] <= level for j < count.
inline std::uint64_t AtMostMask(const std::int16_t* x, int count, std::int32_t level) {
    if (level >= INT16_MAX)
        return LowBits(count);
    if (level < INT16_MIN)
        return 0;
    return ~GreaterMask(x, count, static_cast<std::int16_t>(level)) & LowBits(count);
}

}  // namespace device
