// The record in which the device's automatic-output control reports its timing limits:
// 24 bytes, little-endian. The caller sets Size before the call.
#pragma once

#include <cstddef>
#include <cstdint>

struct TimingLimits {
    static constexpr std::int32_t kSize = 24;

    std::int32_t Size;
    std::uint8_t Reserved[4];
    double MaxPulseDelay;  // largest allowed pulse delay, seconds
    double MaxHoldoff;     // largest allowed hold-off after a pulse start, seconds
};

static_assert(sizeof(TimingLimits) == 24);
static_assert(offsetof(TimingLimits, Size) == 0);
static_assert(offsetof(TimingLimits, MaxPulseDelay) == 8);
static_assert(offsetof(TimingLimits, MaxHoldoff) == 16);
