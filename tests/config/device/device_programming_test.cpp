#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "config/command_block.h"
#include "config/event_config.h"
#include "host/device/simulated_corvex.h"
#include "tests/config/config_test_helpers.h"

namespace VavazaZavidi {
namespace {

using device::BlockBytes;
using device::DeviceDescription;
using device::SimulatedCorvex;

OutputCommandBlock Decode(const BlockBytes& bytes) {
    OutputCommandBlock block;
    std::memcpy(&block, bytes.data(), sizeof block);
    return block;
}

// The bytes of an output that is off: size, 4, the output number, mode 0, zeros.
std::string OffBlockHex(const std::string& outputHex) {
    return Squeeze("70000000 04000000 " + outputHex + " 00000000") + std::string(2 * 96, '0');
}

DeviceDescription SmallDevice() {
    DeviceDescription device;
    device.Inputs = 2;
    device.AnalogOutputs = 1;
    device.DigitalGroups = {4, 4};
    return device;
}

TEST(LoadFromDevice, MakesExactlyTheDeviceOutputsWithOneDefaultRule) {
    const auto corvex = SimulatedCorvex::Create(SmallDevice());
    EventConfig config;
    config.InsertOutput(7);  // replaced, not kept
    ASSERT_TRUE(config.LoadFromDevice(corvex.Get()));
    EXPECT_EQ(Numbers(config), (std::vector<std::int32_t>{1, -1, -2, -3, -4, -5, -6, -7, -8}));
    EXPECT_EQ(config.GetAnalogOutputCount(), 1);
    EXPECT_EQ(config.GetDigitalOutputCount(), 8);
    EXPECT_EQ(config.GetInputCount(), 2);
    EXPECT_EQ(config.GetName(0), u"Analog Output");
    for (const OutputRecord& record : config.GetOutputs()) {
        EXPECT_EQ(record.Rules, std::vector<Rule>{Rule{}}) << record.Output;
        EXPECT_EQ(record.Settings, OutputSettings{});
    }
}

TEST(LoadFromDevice, NullDeviceGivesFalseAndNoOutputs) {
    EventConfig config;
    config.SetOutputCounts(2, 2);
    EXPECT_FALSE(config.LoadFromDevice(nullptr));
    EXPECT_EQ(config.GetCount(), 0);
    EXPECT_EQ(config.GetAnalogOutputCount(), 0);
    EXPECT_EQ(config.GetDigitalOutputCount(), 0);
    EXPECT_TRUE(config.GetOutputs().empty());
}

TEST(LoadFromDevice, AMissingGroupDropsAllDigitalOutputs) {
    DeviceDescription device = SmallDevice();
    device.MissingGroups = {1};
    const auto corvex = SimulatedCorvex::Create(device);
    EventConfig config;
    ASSERT_TRUE(config.LoadFromDevice(corvex.Get()));
    EXPECT_EQ(Numbers(config), (std::vector<std::int32_t>{1}));
    EXPECT_EQ(config.GetDigitalOutputCount(), 0);
}

TEST(LoadFromDevice, AGroupThatCannotCountDropsAllDigitalOutputs) {
    DeviceDescription device = SmallDevice();
    device.DigitalGroups = {4, 2, 4};
    device.FailingGroups = {1};
    const auto corvex = SimulatedCorvex::Create(device);
    EventConfig config;
    ASSERT_TRUE(config.LoadFromDevice(corvex.Get()));
    EXPECT_EQ(Numbers(config), (std::vector<std::int32_t>{1}));
}

TEST(LoadFromDevice, DeviceWithoutOutputsGivesAnEmptyConfiguration) {
    DeviceDescription device;
    device.AnalogOutputs = 0;
    device.DigitalGroups = {};
    const auto corvex = SimulatedCorvex::Create(device);
    EventConfig config;
    EXPECT_TRUE(config.LoadFromDevice(corvex.Get()));
    EXPECT_EQ(config.GetCount(), 0);
    EXPECT_EQ(config.GetInputCount(), 8);
    EXPECT_TRUE(config.SendToDevice(corvex.Get()));
    EXPECT_TRUE(corvex->Commands().empty());
}

TEST(ClampInputs, RulesNamingMissingOrNegativeInputsWatchInputZero) {
    const auto corvex = SimulatedCorvex::Create(SmallDevice());
    EventConfig config;
    config.LoadFromDevice(corvex.Get());
    config.SetRule(0, 0, Rule{1, true, 5, 10});
    config.SetRule(1, 0, Rule{2, true, 5, 10});
    config.SetRule(2, 0, Rule{-5, true, 5, 10});
    config.SetRule(3, 0, Rule{-2147483647 - 1, true, 5, 10});
    config.ClampInputs();
    Rule rule;
    config.GetRule(0, 0, rule);
    EXPECT_EQ(rule.Input, 1);  // inside the device's two inputs
    for (std::int32_t i = 1; i <= 3; ++i) {
        config.GetRule(i, 0, rule);
        EXPECT_EQ(rule.Input, 0) << "output index " << i;
        EXPECT_EQ(rule.Level, 10);
    }
}

class SendToDeviceTest : public ::testing::Test {
protected:
    SendToDeviceTest() : corvex(SimulatedCorvex::Create(DeviceDescription{})) {
        config.LoadFromDevice(corvex.Get());
    }

    std::vector<std::int32_t> ProgrammedOutputs() const {
        std::vector<std::int32_t> outputs;
        for (const BlockBytes& bytes : corvex->ProgrammedBlocks()) {
            outputs.push_back(Decode(bytes).Output);
        }
        return outputs;
    }

    ComPtr<SimulatedCorvex> corvex;  // 8 inputs, outputs 1, 2, -1 ... -8
    EventConfig config;
};

TEST_F(SendToDeviceTest, TheTypicalRequestProgramsTenBlocks) {
    config.Settings(0).On = true;
    config.SetRule(0, 0, Rule{0, true, 5, 25});  // Input 1 above 2.5 V of 10 V
    ASSERT_TRUE(config.SendToDevice(corvex.Get()));

    const std::vector<BlockBytes> blocks = corvex->ProgrammedBlocks();
    ASSERT_EQ(blocks.size(), 10u);
    EXPECT_EQ(Hex(blocks[0]), Squeeze("70000000 04000000 01000000 01000000 00000000 00000000 "
                                      "0000000000000000 0000000000000000 0000000000000000 "
                                      "10000000 401f0000 40060000 01000000 "  // 8000, 1600, 1
                                      "10000000 00000000 00000000 00000000 "
                                      "10000000 00000000 00000000 00000000 "
                                      "10000000 00000000 00000000 00000000"));
    EXPECT_EQ(Hex(blocks[1]), OffBlockHex("02000000"));
    EXPECT_EQ(Hex(blocks[2]), OffBlockHex("ffffffff"));
    EXPECT_EQ(Hex(blocks[9]), OffBlockHex("f8ffffff"));
    EXPECT_EQ(ProgrammedOutputs(),
              (std::vector<std::int32_t>{1, 2, -1, -2, -3, -4, -5, -6, -7, -8}));
    EXPECT_EQ(corvex->ResetCount(), 0);
}

TEST_F(SendToDeviceTest, NullDeviceOrNoAutomaticOutputsSendsNothing) {
    EXPECT_FALSE(config.SendToDevice(nullptr));

    DeviceDescription absent;
    absent.AutoOutputs = device::AutoOutputSupport::kAbsent;
    const auto without = SimulatedCorvex::Create(absent);
    EXPECT_FALSE(config.SendToDevice(without.Get()));
    EXPECT_TRUE(without->Commands().empty());
}

TEST_F(SendToDeviceTest, AFailingOutputMakesItFalseButTheOthersAreStillProgrammed) {
    DeviceDescription device;
    device.FailingOutputs = {-1};
    const auto failing = SimulatedCorvex::Create(device);
    EXPECT_FALSE(config.SendToDevice(failing.Get()));
    ASSERT_EQ(failing->Commands().size(), 10u);
    EXPECT_EQ(failing->Commands()[2].Result, E_FAIL);
    EXPECT_EQ(failing->Commands()[3].Result, S_OK);
    EXPECT_EQ(failing->Commands()[9].Result, S_OK);
}

TEST_F(SendToDeviceTest, ProgramsOnlyTheDeviceOutputsWithDefaultsForTheMissingOnes) {
    EventConfig stored;
    stored.SetOutputCounts(3, 0);  // outputs 1, 2, 3; the device lacks 3 and all of them lack -1
    stored.AddDefaultRules();
    for (std::int32_t i = 0; i < 3; ++i)
        stored.Settings(i).On = true;
    EXPECT_TRUE(stored.SendToDevice(corvex.Get()));
    EXPECT_EQ(ProgrammedOutputs(),
              (std::vector<std::int32_t>{1, 2, -1, -2, -3, -4, -5, -6, -7, -8}));
    const std::vector<BlockBytes> blocks = corvex->ProgrammedBlocks();
    EXPECT_EQ(Decode(blocks[0]).Mode, OutputCommandBlock::kAllRules);
    EXPECT_EQ(Decode(blocks[1]).Mode, OutputCommandBlock::kAllRules);
    for (std::size_t i = 2; i < blocks.size(); ++i) {
        EXPECT_EQ(Decode(blocks[i]).Mode, OutputCommandBlock::kOff);
    }
}

TEST_F(SendToDeviceTest, InputsTheDeviceLacksAreSentAsInputOneAndTheConfigurationKeepsThem) {
    DeviceDescription device = SmallDevice();  // 2 inputs
    const auto small = SimulatedCorvex::Create(device);
    EventConfig wanted;
    wanted.LoadFromDevice(small.Get());
    wanted.Settings(0).On = true;
    wanted.SetRule(0, 0, Rule{3, true, 5, 50});
    wanted.InsertRule(0, 0);
    wanted.SetRule(0, 1, Rule{-5, false, 5, 50});
    wanted.InsertOutput(9);

    const EventConfig before = wanted;
    EXPECT_TRUE(wanted.SendToDevice(small.Get()));
    const OutputCommandBlock block = Decode(small->ProgrammedBlocks().at(0));
    EXPECT_EQ(block.Rules[0].Input, 1);
    EXPECT_EQ(block.Rules[0].Threshold, 16000);
    EXPECT_EQ(block.Rules[1].Input, 1);  // not 252
    EXPECT_EQ(block.Rules[1].Direction, RuleSlot::kBelow);
    EXPECT_EQ(small->ProgrammedBlocks().size(), 9u);

    // The configuration it was called on is left as it was.
    EXPECT_EQ(Numbers(wanted), Numbers(before));
    Rule rule;
    wanted.GetRule(0, 0, rule);
    EXPECT_EQ(rule.Input, 3);
    wanted.GetRule(0, 1, rule);
    EXPECT_EQ(rule.Input, -5);
}

TEST_F(SendToDeviceTest, EveryBlockIsExactlyTheOneItsRecordMakes) {
    config.Settings(3).On = true;
    config.Settings(3).All = false;
    config.Settings(3).LimitedDuration = true;
    config.Settings(3).PulseDuration = 0.002;
    config.InsertRule(3, 0);
    config.SetRule(3, 1, Rule{7, false, 2.5, -40});
    ASSERT_TRUE(config.SendToDevice(corvex.Get()));
    const std::vector<BlockBytes> blocks = corvex->ProgrammedBlocks();
    ASSERT_EQ(blocks.size(), config.GetOutputs().size());
    for (std::size_t i = 0; i < blocks.size(); ++i) {
        const OutputCommandBlock expected = MakeCommandBlock(config.GetOutputs()[i]);
        EXPECT_EQ(std::memcmp(blocks[i].data(), &expected, sizeof expected), 0) << i;
    }
}

// A hand-edited text with levels and hysteresis far outside their ranges: every block reaches
// the device within its converters' range, so the device takes them all.
TEST_F(SendToDeviceTest, AbsurdLevelsFromAHandEditedTextStayWithinFullScale) {
    std::string text =
        "Version = 1\nAnalogOutputCount = 1\nDigitalOutputCount = 0\n"
        "BeginOnlineEvent\nVersion = 1\nOutput = 1\nOn = 1\nPulseDuration = 0.001\n"
        "PulseDelay = 0\nRetriggerHoldoffTime = 0\nLimitedDuration = 0\n"
        "LimitedNumPulses = 0\nRetriggerHoldoff = 0\nPulseNumLimit = 1\nAll = 0\n"
        "RuleCount = 4\n";
    const char* rules[][3] = {
        // Above, Hysteresis, Level
        {"0", "-1e308", "7e6"},
        {"0", "1e9", "-250"},
        {"1", "1e9", "1e308"},
        {"0", "5", "1e308"},
    };
    for (const auto& rule : rules) {
        text += std::string("BeginOnlineEventRule\nVersion = 1\nInput = 0\nAbove = ") + rule[0] +
                "\nHysteresis = " + rule[1] + "\nLevel = " + rule[2] + "\nEndOnlineEventRule\n";
    }
    text += "EndOnlineEvent\n";
    EventConfig edited;
    ASSERT_TRUE(edited.Deserialize(text));
    ASSERT_TRUE(edited.SendToDevice(corvex.Get())) << corvex->LastRefusal();
    const OutputCommandBlock block = Decode(corvex->ProgrammedBlocks().front());
    const std::int32_t expected[][2] = {{32000, 0}, {0, 32000}, {32000, 32000}, {32766, 766}};
    for (int k = 0; k < 4; ++k) {
        EXPECT_EQ(block.Rules[k].Threshold, expected[k][0]) << k;
        EXPECT_EQ(block.Rules[k].Hysteresis, expected[k][1]) << k;
    }
}

}  // namespace
}  // namespace VavazaZavidi
