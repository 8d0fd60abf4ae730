// The record with which the device's automatic-output control programs one output: 112 bytes,
// little-endian, natural alignment. Filled by the extension, read by the device.
#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>

static_assert(std::endian::native == std::endian::little,
              "the device's records are little-endian and are passed as they lie in memory");

// One level condition of an output. An unused slot carries its size and input byte 0 only.
struct RuleSlot {
    static constexpr std::int32_t kSize = 16;
    static constexpr std::uint8_t kUnusedInput = 0;
    static constexpr std::uint8_t kAbove = 0;
    static constexpr std::uint8_t kBelow = 1;

    std::int32_t Size;        // always kSize
    std::int32_t Threshold;   // device units: full scale (+-100 %) is +-32000
    std::int32_t Hysteresis;  // device units
    std::uint8_t Input;       // one-based input number; kUnusedInput marks an unused slot
    std::uint8_t Direction;   // kAbove or kBelow
    std::uint8_t Padding[2];
};

struct OutputCommandBlock {
    static constexpr std::int32_t kSize = 112;
    static constexpr std::int32_t kRuleSlotCount = 4;

    enum Mode : std::int32_t { kOff = 0, kAllRules = 1, kAnyRule = 2 };

    std::int32_t Size;             // always kSize
    std::int32_t SlotCount;        // always kRuleSlotCount
    std::int32_t Output;           // 1, 2 ... analog; -1, -2 ... digital
    std::int32_t Mode;             // a Mode value; with kOff nothing after this field counts
    std::int32_t PulseCountLimit;  // 0: no limit
    std::uint8_t Padding[4];
    double PulseWidth;  // seconds; 0.0: the pulse lasts as long as the conditions hold
    double PulseDelay;  // seconds
    double Holdoff;     // seconds after a pulse start during which triggers are ignored
    RuleSlot Rules[kRuleSlotCount];
};

static_assert(sizeof(RuleSlot) == 16);
static_assert(offsetof(RuleSlot, Size) == 0);
static_assert(offsetof(RuleSlot, Threshold) == 4);
static_assert(offsetof(RuleSlot, Hysteresis) == 8);
static_assert(offsetof(RuleSlot, Input) == 12);
static_assert(offsetof(RuleSlot, Direction) == 13);

static_assert(sizeof(OutputCommandBlock) == 112);
static_assert(offsetof(OutputCommandBlock, Size) == 0);
static_assert(offsetof(OutputCommandBlock, SlotCount) == 4);
static_assert(offsetof(OutputCommandBlock, Output) == 8);
static_assert(offsetof(OutputCommandBlock, Mode) == 12);
static_assert(offsetof(OutputCommandBlock, PulseCountLimit) == 16);
static_assert(offsetof(OutputCommandBlock, PulseWidth) == 24);
static_assert(offsetof(OutputCommandBlock, PulseDelay) == 32);
static_assert(offsetof(OutputCommandBlock, Holdoff) == 40);
static_assert(offsetof(OutputCommandBlock, Rules) == 48);
