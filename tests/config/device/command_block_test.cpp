#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstring>
#include <limits>
#include <string>

#include "config/command_block.h"
#include "tests/config/config_test_helpers.h"

namespace VavazaZavidi {
namespace {

constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();
constexpr std::int32_t kMin = std::numeric_limits<std::int32_t>::min();

std::string BlockHex(const OutputCommandBlock& block) {
    return Hex({reinterpret_cast<const std::uint8_t*>(&block), sizeof block});
}

OutputRecord OnRecord(std::int32_t output) {
    OutputRecord record;
    record.Output = output;
    record.Settings.On = true;
    return record;
}

TEST(CommandBlockBytes, FullBlockMatchesTheDeviceLayout) {
    OutputRecord record = OnRecord(1);
    record.Settings.All = false;
    record.Settings.LimitedNumPulses = true;
    record.Settings.PulseNumLimit = 3;
    record.Settings.LimitedDuration = true;
    record.Settings.PulseDuration = 0.5;
    record.Settings.PulseDelay = 0.25;
    record.Settings.RetriggerHoldoff = true;
    record.Settings.RetriggerHoldoffTime = 1.0;
    record.Rules = {Rule{0, true, 5, 50}, Rule{1, false, 5, 50}};

    const std::string expected = Squeeze(
        "70000000 04000000 01000000 02000000 "  // size, 4, output 1, mode any
        "03000000 00000000 "                    // pulse limit 3, padding
        "000000000000e03f "                     // width 0.5
        "000000000000d03f "                     // delay 0.25
        "000000000000f03f "                     // hold-off 1.0
        "10000000 803e0000 40060000 01000000 "  // 16000, 1600, input 1, above
        "10000000 c0440000 40060000 02010000 "  // 17600, 1600, input 2, below
        "10000000 00000000 00000000 00000000 "  // unused
        "10000000 00000000 00000000 00000000");
    EXPECT_EQ(BlockHex(MakeCommandBlock(record)), expected);
}

TEST(CommandBlockBytes, OutputOffCarriesOnlyTheFirstFourFields) {
    OutputRecord record;
    record.Output = -3;
    record.Settings.LimitedNumPulses = true;
    record.Settings.PulseNumLimit = 9;
    record.Rules = {Rule{}};
    const std::string expected =
        "70000000"
        "04000000"
        "fdffffff"
        "00000000" +
        std::string(2 * (112 - 16), '0');
    EXPECT_EQ(BlockHex(MakeCommandBlock(record)), expected);
}

TEST(CommandBlockFields, ModeFollowsOnAndAll) {
    OutputRecord record = OnRecord(2);
    EXPECT_EQ(MakeCommandBlock(record).Mode, OutputCommandBlock::kAllRules);
    record.Settings.All = false;
    EXPECT_EQ(MakeCommandBlock(record).Mode, OutputCommandBlock::kAnyRule);
    record.Settings.On = false;
    EXPECT_EQ(MakeCommandBlock(record).Mode, OutputCommandBlock::kOff);
}

TEST(CommandBlockFields, UnsetFlagsSendZeroWhateverTheValues) {
    OutputRecord record = OnRecord(1);
    record.Settings.PulseNumLimit = 12;
    record.Settings.PulseDuration = 0.75;
    record.Settings.RetriggerHoldoffTime = 2.0;
    record.Settings.PulseDelay = 0.125;
    const OutputCommandBlock block = MakeCommandBlock(record);
    EXPECT_EQ(block.PulseCountLimit, 0);
    EXPECT_EQ(block.PulseWidth, 0.0);
    EXPECT_EQ(block.Holdoff, 0.0);
    EXPECT_EQ(block.PulseDelay, 0.125);  // the delay has no flag
}

TEST(CommandBlockFields, RulesBeyondTheListLeaveUnusedSlots) {
    OutputRecord record = OnRecord(1);
    record.Rules = {Rule{0, true, 5, 10}, Rule{3, true, 5, 20}};
    const OutputCommandBlock block = MakeCommandBlock(record);
    EXPECT_EQ(block.Rules[1].Input, 4);
    for (int k : {2, 3}) {
        EXPECT_EQ(block.Rules[k].Size, 16);
        EXPECT_EQ(block.Rules[k].Input, 0);
    }
}

TEST(CommandBlockFields, OnlyTheFirstFourOfALongRuleListAreSent) {
    OutputRecord record = OnRecord(1);
    for (int i = 0; i < 6; ++i)
        record.Rules.push_back(Rule{i, true, 5, 10.0 * i});
    const OutputCommandBlock block = MakeCommandBlock(record);
    for (int k = 0; k < 4; ++k) {
        EXPECT_EQ(block.Rules[k].Input, k + 1);
        EXPECT_EQ(block.Rules[k].Threshold, 3200 * k);
    }
}

struct SlotCase {
    Rule rule;
    std::int32_t threshold;
    std::int32_t hysteresis;
    std::uint8_t direction;
};

class RuleSlotConversion : public ::testing::TestWithParam<SlotCase> {};

TEST_P(RuleSlotConversion, GivesThresholdHysteresisAndDirection) {
    const SlotCase& c = GetParam();
    const RuleSlot slot = MakeRuleSlot(c.rule);
    EXPECT_EQ(slot.Size, 16);
    EXPECT_EQ(slot.Threshold, c.threshold);
    EXPECT_EQ(slot.Hysteresis, c.hysteresis);
    EXPECT_EQ(slot.Direction, c.direction);
    EXPECT_EQ(slot.Input, static_cast<std::uint8_t>(c.rule.Input + 1));
    EXPECT_EQ(slot.Padding[0] | slot.Padding[1], 0);
}

INSTANTIATE_TEST_SUITE_P(
    DeviceUnits, RuleSlotConversion,
    ::testing::Values(SlotCase{Rule{0, true, 5, 50}, 16000, 1600, 0},
                      SlotCase{Rule{0, false, 5, 50}, 17600, 1600, 1},
                      // Level + hysteresis beyond the ceiling: the hysteresis gives way.
                      SlotCase{Rule{0, false, 5, 100}, 32766, 766, 1},
                      SlotCase{Rule{2, true, 5, -12.5}, -4000, 1600, 0},
                      SlotCase{Rule{0, true, 5, 0.0031}, 0, 1600, 0},
                      SlotCase{Rule{0, true, 5, -0.0031}, 0, 1600, 0},
                      SlotCase{Rule{0, true, 0.5, 33.33333}, 10666, 160, 0},
                      // Exactly at the ceiling is not beyond it.
                      SlotCase{Rule{0, false, 2.39375, 100}, 32766, 766, 1},
                      // Levels beyond full scale and hysteresis outside 0 to 100 percent, as a
                      // hand-edited text can carry them, are held to those ranges first.
                      SlotCase{Rule{0, true, 1e300, 1e300}, 32000, 32000, 0},
                      SlotCase{Rule{0, true, -1e300, -1e300}, -32000, 0, 0},
                      SlotCase{Rule{0, true, std::nan(""), std::nan("")}, 0, 0, 0},
                      SlotCase{Rule{0, true, 5, std::numeric_limits<double>::infinity()}, 32000,
                               1600, 0},
                      SlotCase{Rule{0, true, 100.5, -100.5}, -32000, 32000, 0},
                      SlotCase{Rule{0, true, -0.001, 250}, 32000, 0, 0},
                      SlotCase{Rule{0, false, 5, 1e300}, 32766, 766, 1},
                      SlotCase{Rule{0, false, -1e300, -1e300}, -32000, 0, 1},
                      SlotCase{Rule{0, false, 1e300, -1e300}, 0, 32000, 1},
                      // Without the ranges this rule's hysteresis came out near -2.1 billion.
                      SlotCase{Rule{0, false, 5, 7e6}, 32766, 766, 1},
                      SlotCase{Rule{0, false, 1e7, 0}, 32000, 32000, 1}));

// Every level and hysteresis inside the ranges gives the bytes it gave before they were held
// to them: the ranges' ends and a sweep through them.
TEST(RuleSlotConversion, ValuesInsideTheRangesAreUntouched) {
    for (double level = -100.0; level <= 100.0; level += 0.25) {
        for (double hysteresis : {0.0, 0.001, 2.39375, 5.0, 50.0, 99.999, 100.0}) {
            for (bool above : {true, false}) {
                const RuleSlot slot = MakeRuleSlot(Rule{1, above, hysteresis, level});
                std::int32_t l = static_cast<std::int32_t>(level * 32000.0 / 100.0);
                std::int32_t h = static_cast<std::int32_t>(hysteresis * 32000.0 / 100.0);
                if (!above && l + h > 32766)
                    h = static_cast<std::int32_t>(32766.0 - l);
                EXPECT_EQ(slot.Threshold, above ? l : l + h) << level << " " << hysteresis;
                EXPECT_EQ(slot.Hysteresis, h) << level << " " << hysteresis;
            }
        }
    }
}

TEST(RuleSlotConversion, InputByteIsTheLowByteOfTheOneBasedInput) {
    EXPECT_EQ(MakeRuleSlot(Rule{254, true, 5, 0}).Input, 255);
    EXPECT_EQ(MakeRuleSlot(Rule{255, true, 5, 0}).Input, 0);
    EXPECT_EQ(MakeRuleSlot(Rule{kMax, true, 5, 0}).Input, 0);
}

TEST(TruncateToInt32, TruncatesTowardZeroAndSaturates) {
    EXPECT_EQ(TruncateToInt32(0.99), 0);
    EXPECT_EQ(TruncateToInt32(-0.99), 0);
    EXPECT_EQ(TruncateToInt32(-7.9), -7);
    EXPECT_EQ(TruncateToInt32(2147483647.9), kMax);
    EXPECT_EQ(TruncateToInt32(2147483648.0), kMax);
    EXPECT_EQ(TruncateToInt32(-2147483648.9), kMin);
    EXPECT_EQ(TruncateToInt32(-2147483649.0), kMin);
    EXPECT_EQ(TruncateToInt32(-std::numeric_limits<double>::infinity()), kMin);
    EXPECT_EQ(TruncateToInt32(std::nan("")), 0);
}

TEST(PercentToDeviceUnits, FullScaleIs32000) {
    EXPECT_EQ(PercentToDeviceUnits(100), 32000);
    EXPECT_EQ(PercentToDeviceUnits(-100), -32000);
    EXPECT_EQ(PercentToDeviceUnits(25), 8000);
    // Multiply first, then divide: 0.175 x 32000 / 100 is 56, 0.175 / 100 x 32000 only 55.999...
    EXPECT_EQ(PercentToDeviceUnits(0.175), 56);
}

}  // namespace
}  // namespace VavazaZavidi
