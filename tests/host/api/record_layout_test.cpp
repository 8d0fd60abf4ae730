// The device's records lie in memory exactly as the device reads them.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "host/api/output_command_block.h"
#include "host/api/timing_limits.h"

namespace {

template <class Record>
std::vector<std::uint8_t> Bytes(const Record& record) {
    std::vector<std::uint8_t> bytes(sizeof record);
    std::memcpy(bytes.data(), &record, sizeof record);
    return bytes;
}

TEST(RecordLayout, RuleSlotFieldsAtTheirOffsets) {
    RuleSlot slot{};
    slot.Size = 16;
    slot.Threshold = -2;
    slot.Hysteresis = 0x01020304;
    slot.Input = 9;
    slot.Direction = 1;
    EXPECT_EQ(Bytes(slot), (std::vector<std::uint8_t>{16, 0, 0, 0, 0xFE, 0xFF, 0xFF, 0xFF, 4, 3, 2,
                                                      1, 9, 1, 0, 0}));
}

TEST(RecordLayout, TimingLimitsFieldsAtTheirOffsets) {
    TimingLimits limits{};
    limits.Size = 24;
    limits.MaxPulseDelay = 2.0;  // 0x4000000000000000
    limits.MaxHoldoff = -0.5;    // 0xBFE0000000000000
    EXPECT_EQ(Bytes(limits),
              (std::vector<std::uint8_t>{24, 0, 0, 0,    0, 0, 0, 0, 0, 0, 0,    0,
                                         0,  0, 0, 0x40, 0, 0, 0, 0, 0, 0, 0xE0, 0xBF}));
}

TEST(RecordLayout, CommandBlockKeepsEightByteValuesAligned) {
    OutputCommandBlock block{};
    block.PulseCountLimit = 0x11223344;
    block.PulseWidth = 1.0;  // 0x3FF0000000000000
    block.Rules[3].Direction = 1;
    const std::vector<std::uint8_t> bytes = Bytes(block);
    ASSERT_EQ(bytes.size(), 112u);
    EXPECT_EQ(bytes[16], 0x44);
    EXPECT_EQ(bytes[19], 0x11);
    EXPECT_EQ(bytes[20] | bytes[21] | bytes[22] | bytes[23], 0);  // padding
    EXPECT_EQ(bytes[30], 0xF0);
    EXPECT_EQ(bytes[31], 0x3F);
    EXPECT_EQ(bytes[48 + 3 * 16 + 13], 1);
}

}  // namespace
