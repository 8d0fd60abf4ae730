// What the simulated Corvex makes of the blocks it received: which block counts for an output,
// and which blocks it cannot carry out.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <functional>
#include <string>

#include "host/device/output_program.h"

namespace device {
namespace {

OutputCommandBlock OnBlock(std::int32_t output, std::int32_t threshold = 8000) {
    OutputCommandBlock block{};
    block.Size = OutputCommandBlock::kSize;
    block.SlotCount = OutputCommandBlock::kRuleSlotCount;
    block.Output = output;
    block.Mode = OutputCommandBlock::kAnyRule;
    block.PulseCountLimit = 3;
    block.PulseWidth = 0.01;
    block.PulseDelay = 0.002;
    block.Holdoff = 0.2;
    for (RuleSlot& slot : block.Rules)
        slot.Size = RuleSlot::kSize;
    block.Rules[1] = RuleSlot{RuleSlot::kSize, threshold, 1600, 2, RuleSlot::kBelow, {}};
    return block;
}

BlockBytes Bytes(const OutputCommandBlock& block) {
    BlockBytes bytes;
    std::memcpy(bytes.data(), &block, sizeof block);
    return bytes;
}

TEST(OutputProgram, DecodesWhatTheBlockHolds) {
    const OutputProgram program = ReadOutputProgram(Bytes(OnBlock(-3)), 8);
    EXPECT_EQ(program.Unreadable, "");
    EXPECT_TRUE(program.Active());
    EXPECT_EQ(program.Output, -3);
    EXPECT_EQ(program.Mode, OutputCommandBlock::kAnyRule);
    EXPECT_EQ(program.PulseCountLimit, 3);
    EXPECT_EQ(program.PulseWidth, 0.01);
    EXPECT_EQ(program.PulseDelay, 0.002);
    EXPECT_EQ(program.Holdoff, 0.2);
    ASSERT_EQ(program.Rules.size(), 1u);
    EXPECT_EQ(program.Rules[0].Slot, 1);
    EXPECT_EQ(program.Rules[0].Input, 2);
    EXPECT_TRUE(program.Rules[0].Below);
    EXPECT_EQ(program.Rules[0].Threshold, 8000);
    EXPECT_EQ(program.Rules[0].Hysteresis, 1600);

    // With mode 0 nothing after the mode counts, however odd it is.
    OutputCommandBlock off = OnBlock(1);
    off.Mode = OutputCommandBlock::kOff;
    off.PulseWidth = -1.0;
    off.Rules[0].Direction = 9;
    const OutputProgram low = ReadOutputProgram(Bytes(off), 8);
    EXPECT_EQ(low.Unreadable, "");
    EXPECT_FALSE(low.Active());
    EXPECT_TRUE(low.Rules.empty());
}

TEST(OutputProgram, KeepsTheOutputLowForWhatItCannotCarryOut) {
    const struct {
        std::function<void(OutputCommandBlock&)> spoil;
        const char* problem;
    } cases[] = {
        {[](auto& b) { b.Mode = 3; }, "mode 3 is not 0, 1 or 2"},
        {[](auto& b) { b.PulseCountLimit = -1; }, "pulse count limit -1 is negative"},
        {[](auto& b) { b.PulseWidth = -0.5; }, "pulse width -0.500000 s"},
        {[](auto& b) { b.PulseDelay = std::nan(""); }, "pulse delay"},
        {[](auto& b) { b.Holdoff = INFINITY; }, "hold-off inf s"},
        {[](auto& b) { b.Rules[1].Direction = 7; },
         "slot 2: direction 7 is neither above (0) nor below (1)"},
        {[](auto& b) { b.Rules[3].Input = 9; }, "slot 4: input 9 is beyond the device's 8 inputs"},
        {[](auto& b) { b.Rules[1].Hysteresis = -5; }, "slot 2: hysteresis -5 is negative"},
        {[](auto& b) { b.Rules[1].Size = 12; }, "slot 2: size 12 is not 16"},
    };
    for (const auto& c : cases) {
        OutputCommandBlock block = OnBlock(2);
        c.spoil(block);
        const OutputProgram program = ReadOutputProgram(Bytes(block), 8);
        EXPECT_NE(program.Unreadable.find(c.problem), std::string::npos)
            << program.Unreadable << " lacks " << c.problem;
        EXPECT_FALSE(program.Active()) << c.problem;
        EXPECT_TRUE(program.Rules.empty()) << c.problem;
    }
}

// The last block the device accepted since its last reset counts; refused and failed calls
// change nothing; a reset forgets every output.
TEST(OutputProgram, TheLastAcceptedBlockSinceTheResetCounts) {
    DeviceDescription description;
    description.FailingOutputs = {-2};
    const auto corvex = SimulatedCorvex::Create(description);
    IAutoOutputControl* control = corvex.Get();
    const auto program = [&](const OutputCommandBlock& block) {
        return control->ProgramOutput(&block);
    };

    ASSERT_EQ(program(OnBlock(2, 100)), S_OK);
    ASSERT_EQ(program(OnBlock(1, 200)), S_OK);
    ASSERT_EQ(control->ResetOutputs(), S_OK);
    ASSERT_EQ(program(OnBlock(-1, 300)), S_OK);
    ASSERT_EQ(program(OnBlock(1, 400)), S_OK);
    ASSERT_EQ(program(OnBlock(-1, 500)), S_OK);  // replaces the first -1, keeps its place
    ASSERT_EQ(program(OnBlock(-2, 600)), E_FAIL);
    ASSERT_EQ(program(OnBlock(7, 700)), E_INVALIDARG);  // no such output

    const std::vector<OutputProgram> programs = ProgramsInForce(corvex->Commands(), 8);
    ASSERT_EQ(programs.size(), 2u);
    EXPECT_EQ(programs[0].Output, -1);
    EXPECT_EQ(programs[0].Rules.at(0).Threshold, 500);
    EXPECT_EQ(programs[1].Output, 1);
    EXPECT_EQ(programs[1].Rules.at(0).Threshold, 400);

    ASSERT_EQ(control->ResetOutputs(), S_OK);
    EXPECT_TRUE(ProgramsInForce(corvex->Commands(), 8).empty());
}

}  // namespace
}  // namespace device
