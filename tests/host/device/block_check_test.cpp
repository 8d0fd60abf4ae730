// The device's checks on the blocks it is programmed with: a table of blocks it must refuse,
// each with the words its reason must contain, and the edges it must still take.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <functional>
#include <limits>

#include "host/device/block_check.h"
#include "host/device/simulated_corvex.h"

namespace device {
namespace {

// A device of 3 inputs, 1 analog output and 4 digital outputs; delays up to 1 s, hold-offs up
// to 2 s.
DeviceDescription SmallDevice() {
    DeviceDescription device;
    device.Inputs = 3;
    device.AnalogOutputs = 1;
    device.DigitalGroups = {4};
    device.MaxPulseDelay = 1.0;
    device.MaxHoldoff = 2.0;
    return device;
}

// Output -1 on, with a pulse and two rules, as the extension sends it.
OutputCommandBlock GoodBlock() {
    OutputCommandBlock block{};
    block.Size = OutputCommandBlock::kSize;
    block.SlotCount = OutputCommandBlock::kRuleSlotCount;
    block.Output = -1;
    block.Mode = OutputCommandBlock::kAnyRule;
    block.PulseCountLimit = 3;
    block.PulseWidth = 0.01;
    block.PulseDelay = 0.5;
    block.Holdoff = 1.5;
    block.Rules[0] = RuleSlot{RuleSlot::kSize, 16000, 1600, 1, RuleSlot::kAbove, {}};
    block.Rules[1] = RuleSlot{RuleSlot::kSize, 17600, 1600, 3, RuleSlot::kBelow, {}};
    block.Rules[2] = RuleSlot{RuleSlot::kSize, 0, 0, RuleSlot::kUnusedInput, 0, {}};
    block.Rules[3] = RuleSlot{RuleSlot::kSize, 0, 0, RuleSlot::kUnusedInput, 0, {}};
    return block;
}

struct BadBlock {
    const char* name;
    std::function<void(OutputCommandBlock&)> spoil;
    const char* reason;  // words the device's reason contains
};

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInfinity = std::numeric_limits<double>::infinity();

TEST(BlockCheck, RefusesNonsenseAndAppliesNothing) {
    const BadBlock cases[] = {
        {"size", [](auto& b) { b.Size = 111; }, "block size 111, the device expects 112"},
        {"constant", [](auto& b) { b.SlotCount = 5; }, "rule slot count 5"},
        {"analog output beyond", [](auto& b) { b.Output = 2; }, "output 2 is not one"},
        {"digital output beyond", [](auto& b) { b.Output = -5; }, "output -5 is not one"},
        {"output zero", [](auto& b) { b.Output = 0; }, "output 0 is not one"},
        {"mode", [](auto& b) { b.Mode = 3; }, "mode 3 is none of"},
        {"negative mode", [](auto& b) { b.Mode = -1; }, "mode -1"},
        {"negative count", [](auto& b) { b.PulseCountLimit = -1; }, "pulse count limit -1"},
        {"negative width", [](auto& b) { b.PulseWidth = -0.5; }, "pulse width -0.5 s is negative"},
        {"NaN width", [](auto& b) { b.PulseWidth = kNaN; }, "pulse width is not a number"},
        {"infinite width", [](auto& b) { b.PulseWidth = kInfinity; }, "pulse width is infinite"},
        {"delay beyond the limit", [](auto& b) { b.PulseDelay = 11.0; },
         "pulse delay 11 s is beyond the device's limit of 1 s"},
        {"negative delay", [](auto& b) { b.PulseDelay = -1e-9; }, "pulse delay -1e-09 s"},
        {"NaN delay", [](auto& b) { b.PulseDelay = -kNaN; }, "pulse delay is not a number"},
        {"infinite delay", [](auto& b) { b.PulseDelay = kInfinity; }, "pulse delay is infinite"},
        {"hold-off beyond the limit", [](auto& b) { b.Holdoff = 2.000001; },
         "hold-off 2.000001 s is beyond the device's limit of 2 s"},
        {"negative hold-off", [](auto& b) { b.Holdoff = -3; }, "hold-off -3 s is negative"},
        {"NaN hold-off", [](auto& b) { b.Holdoff = kNaN; }, "hold-off is not a number"},
        {"slot size", [](auto& b) { b.Rules[3].Size = 0; }, "rule slot 4: size 0"},
        {"input the device lacks", [](auto& b) { b.Rules[1].Input = 4; },
         "rule slot 2: input 4, but the device has 3 inputs"},
        {"input 255", [](auto& b) { b.Rules[0].Input = 255; }, "rule slot 1: input 255"},
        {"direction", [](auto& b) { b.Rules[0].Direction = 2; }, "rule slot 1: direction 2"},
        {"threshold above full scale", [](auto& b) { b.Rules[0].Threshold = 32768; },
         "rule slot 1: threshold 32768 lies beyond the converter's range -32768 to 32767"},
        {"threshold below full scale", [](auto& b) { b.Rules[0].Threshold = -32769; },
         "threshold -32769"},
        {"hysteresis of -2.1 billion", [](auto& b) { b.Rules[1].Hysteresis = -2147450881; },
         "rule slot 2: hysteresis -2147450881 is negative"},
    };
    const DeviceDescription device = SmallDevice();
    const auto corvex = SimulatedCorvex::Create(device);
    const OutputCommandBlock good = GoodBlock();
    ASSERT_EQ(corvex->ProgramOutput(&good), S_OK);
    ASSERT_EQ(corvex->LastRefusal(), "");
    for (const BadBlock& bad : cases) {
        OutputCommandBlock block = GoodBlock();
        bad.spoil(block);
        EXPECT_EQ(corvex->ProgramOutput(&block), E_INVALIDARG) << bad.name;
        EXPECT_NE(corvex->LastRefusal().find(bad.reason), std::string::npos)
            << bad.name << ": " << corvex->LastRefusal();
        // The output keeps running the block it had.
        const std::optional<BlockBytes> running = corvex->ProgramOf(-1);
        ASSERT_TRUE(running.has_value()) << bad.name;
        EXPECT_EQ(std::memcmp(running->data(), &good, sizeof good), 0) << bad.name;
    }
    EXPECT_EQ(corvex->Commands().size(), std::size(cases) + 1);
    EXPECT_FALSE(corvex->ProgramOf(2).has_value());
}

TEST(BlockCheck, TakesTheEdgesOfEveryRange) {
    const std::function<void(OutputCommandBlock&)> edges[] = {
        [](auto&) {},
        [](auto& b) { b.PulseDelay = 1.0; },
        [](auto& b) { b.Holdoff = 2.0; },
        [](auto& b) { b.PulseWidth = 1e9; },
        [](auto& b) { b.PulseCountLimit = 0; },
        [](auto& b) { b.PulseDelay = b.Holdoff = b.PulseWidth = 0.0; },
        [](auto& b) { b.PulseDelay = -0.0; },
        [](auto& b) { b.Mode = OutputCommandBlock::kAllRules; },
        [](auto& b) { b.Rules[0] = RuleSlot{RuleSlot::kSize, 32767, 65535, 3, 0, {}}; },
        [](auto& b) { b.Rules[0] = RuleSlot{RuleSlot::kSize, -32768, 0, 1, 1, {}}; },
        // A band that ends beyond the converter's range is never left: the threshold is what
        // must lie within it. The above rule the extension makes of level -97.6 %, hysteresis
        // 5 %; the widest band of all; a below rule whose band ends beyond the range.
        [](auto& b) { b.Rules[0] = RuleSlot{RuleSlot::kSize, -31232, 1600, 1, 0, {}}; },
        [](auto& b) { b.Rules[0].Hysteresis = 48769; },
        [](auto& b) {
            b.Rules[0].Threshold = -32768;
            b.Rules[0].Hysteresis = std::numeric_limits<std::int32_t>::max();
        },
        [](auto& b) { b.Rules[1] = RuleSlot{RuleSlot::kSize, -31000, 5000, 2, 1, {}}; },
        // The below rule the extension makes of level 100: threshold at the ceiling.
        [](auto& b) { b.Rules[1] = RuleSlot{RuleSlot::kSize, 32766, 766, 2, 1, {}}; },
        // An unused slot's other bytes carry no meaning.
        [](auto& b) { b.Rules[2] = RuleSlot{RuleSlot::kSize, -99999999, -5, 0, 7, {}}; },
        // Everything after the mode of an output that is off carries no meaning.
        [](auto& b) {
            b.Mode = OutputCommandBlock::kOff;
            b.PulseCountLimit = -1;
            b.PulseDelay = kNaN;
            b.Rules[0].Size = 0;
        },
        [](auto& b) { b.Output = 1; },
        [](auto& b) { b.Output = -4; },
    };
    const DeviceDescription device = SmallDevice();
    int index = 0;
    for (const auto& edge : edges) {
        OutputCommandBlock block = GoodBlock();
        edge(block);
        const std::optional<std::string> refusal = CheckCommandBlock(block, device);
        EXPECT_FALSE(refusal.has_value()) << index << ": " << refusal.value_or("");
        ++index;
    }
}

TEST(BlockCheck, FailureModesOfTheDescriptionGiveTheirReasons) {
    DeviceDescription device = SmallDevice();
    device.FailingOutputs = {-1};
    const auto failing = SimulatedCorvex::Create(device);
    const OutputCommandBlock block = GoodBlock();
    EXPECT_EQ(failing->ProgramOutput(&block), E_FAIL);
    EXPECT_NE(failing->LastRefusal().find("programming output -1 fails"), std::string::npos);
    EXPECT_FALSE(failing->ProgramOf(-1).has_value());

    device.FailingOutputs.clear();
    device.AutoOutputs = AutoOutputSupport::kOff;
    const auto unsupported = SimulatedCorvex::Create(device);
    EXPECT_EQ(unsupported->ProgramOutput(&block), E_NOTIMPL);
    EXPECT_EQ(unsupported->LastRefusal(), "the device does not support automatic outputs");

    // A reset stops every output; a block taken after it runs again.
    device.AutoOutputs = AutoOutputSupport::kOn;
    const auto corvex = SimulatedCorvex::Create(device);
    ASSERT_EQ(corvex->ProgramOutput(&block), S_OK);
    ASSERT_EQ(corvex->ResetOutputs(), S_OK);
    EXPECT_FALSE(corvex->ProgramOf(-1).has_value());
    ASSERT_EQ(corvex->ProgramOutput(&block), S_OK);
    EXPECT_TRUE(corvex->ProgramOf(-1).has_value());
}

}  // namespace
}  // namespace device
