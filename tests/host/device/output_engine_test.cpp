// The simulated Corvex's outputs on hand-made signals, pinned to the sample. Every case runs at
// 1000 samples per second, so one sample is one millisecond; its rule slots watch inputs whose
// values are already device units.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>
#include <string>
#include <utility>
#include <vector>

#include "host/device/output_engine.h"
#include "host/device/sample_masks.h"
#include "host/device/simulated_corvex.h"

namespace device {
namespace {

using device::IgnoredBecause;
constexpr double kRate = 1000.0;
constexpr double kMs = 0.001;
constexpr IgnoredBecause kDelay = IgnoredBecause::kDelay;
constexpr IgnoredBecause kPulse = IgnoredBecause::kPulse;
constexpr IgnoredBecause kHoldoff = IgnoredBecause::kHoldoff;
constexpr IgnoredBecause kLimit = IgnoredBecause::kCountLimit;

using Samples = std::vector<std::int16_t>;
using Spans = std::vector<std::pair<std::int64_t, std::int64_t>>;
using Ignored = std::vector<std::pair<std::int64_t, IgnoredBecause>>;

// `count` samples at 0, at 2000 within the spans [start, end).
Samples High(std::int64_t count, const Spans& spans) {
    Samples samples(static_cast<std::size_t>(count), 0);
    for (const auto& [start, end] : spans)
        std::fill(samples.begin() + start, samples.begin() + end, 2000);
    return samples;
}

RuleSlot Slot(std::uint8_t input, std::uint8_t direction, std::int32_t threshold,
              std::int32_t hysteresis) {
    return RuleSlot{RuleSlot::kSize, threshold, hysteresis, input, direction, {}};
}
RuleSlot Above(std::uint8_t input, std::int32_t threshold = 1000, std::int32_t hysteresis = 200) {
    return Slot(input, RuleSlot::kAbove, threshold, hysteresis);
}
RuleSlot Below(std::uint8_t input, std::int32_t threshold, std::int32_t hysteresis) {
    return Slot(input, RuleSlot::kBelow, threshold, hysteresis);
}
RuleSlot Unused() {
    return RuleSlot{RuleSlot::kSize, 0, 0, RuleSlot::kUnusedInput, 0, {}};
}

struct Settings {
    std::int32_t Mode = OutputCommandBlock::kAllRules;
    std::int32_t Limit = 0;
    double Width = 1 * kMs;
    double Delay = 0.0;
    double Holdoff = 0.0;
    std::vector<RuleSlot> Slots = {Above(1)};
};

BlockBytes MakeBlock(std::int32_t output, const Settings& settings) {
    OutputCommandBlock block{};
    block.Size = OutputCommandBlock::kSize;
    block.SlotCount = OutputCommandBlock::kRuleSlotCount;
    block.Output = output;
    block.Mode = settings.Mode;
    block.PulseCountLimit = settings.Limit;
    block.PulseWidth = settings.Width;
    block.PulseDelay = settings.Delay;
    block.Holdoff = settings.Holdoff;
    for (std::int32_t k = 0; k < OutputCommandBlock::kRuleSlotCount; ++k)
        block.Rules[k] =
            k < static_cast<std::int32_t>(settings.Slots.size()) ? settings.Slots[k] : Unused();
    BlockBytes bytes;
    std::memcpy(bytes.data(), &block, sizeof block);
    return bytes;
}

device::OutputTrace Replay(std::int32_t output, const Settings& settings,
                           const std::vector<Samples>& inputs) {
    DeviceSamples samples;
    samples.SampleRate = kRate;
    samples.Count = static_cast<std::int64_t>(inputs.front().size());
    samples.Inputs = inputs;
    const OutputProgram program = ReadOutputProgram(MakeBlock(output, settings), 8);
    EXPECT_EQ(program.Unreadable, "");
    device::Trace trace = ReplayOutputs({program}, samples);
    EXPECT_EQ(trace.SampleCount, samples.Count);
    EXPECT_EQ(trace.Outputs.size(), 1u);
    EXPECT_EQ(trace.Outputs[0].Output, output);
    return trace.Outputs[0];
}

Spans PulsesOf(const device::OutputTrace& trace) {
    Spans spans;
    for (const device::Pulse& pulse : trace.Pulses)
        spans.emplace_back(pulse.Start, pulse.End);
    return spans;
}
Ignored IgnoredOf(const device::OutputTrace& trace) {
    Ignored ignored;
    for (const device::IgnoredTrigger& trigger : trace.Ignored)
        ignored.emplace_back(trigger.Sample, trigger.Why);
    return ignored;
}

struct Case {
    const char* name;
    Settings settings;
    std::vector<Samples> inputs;
    Spans pulses;
    Ignored ignored;
};

Settings With(auto change) {
    Settings settings;
    change(settings);
    return settings;
}

const std::vector<Case>& Cases() {
    static const std::vector<Case> cases = {
        {"starting above the threshold gives no trigger until the input left the band and rose",
         {},
         {{2000, 2000, 900, 1100, 800, 1100, 799, 799, 1000, 1001, 1001, 0}},
         {{9, 10}},
         {}},
        {"noise inside the band after a rise gives one trigger",
         {},
         {{0, 0, 1100, 850, 1100, 800, 1001, 950, 1200, 700, 1200, 0}},
         {{2, 3}, {10, 11}},
         {}},
        {"without hysteresis the same noise triggers again and again",
         With([](Settings& s) { s.Slots = {Above(1, 1000, 0)}; }),
         {{0, 0, 1100, 850, 1100, 800, 1001, 950, 1200, 700, 1200, 0}},
         {{2, 3}, {4, 5}, {6, 7}, {8, 9}, {10, 11}},
         {}},
        {"a below slot is true under the band and false over it",
         With([](Settings& s) { s.Slots = {Below(1, 1200, 200)}; }),
         {{2000, 1100, 999, 1100, 1200, 1201, 1100, 999, 2000}},
         {{2, 3}, {7, 8}},
         {}},
        {"a below slot that starts under the band waits for the next fall",
         With([](Settings& s) { s.Slots = {Below(1, 1200, 200)}; }),
         {{0, 1100, 1300, 0, 0}},
         {{3, 4}},
         {}},
        {"all: the trigger comes when the last slot becomes true",
         With([](Settings& s) {
             s.Slots = {Above(1), Above(2)};
         }),
         {High(10, {{2, 6}}), High(10, {{4, 8}})},
         {{4, 5}},
         {}},
        {"any: the trigger comes when the first slot becomes true",
         With([](Settings& s) {
             s.Mode = OutputCommandBlock::kAnyRule;
             s.Slots = {Above(1), Above(2)};
         }),
         {High(10, {{2, 6}}), High(10, {{4, 8}})},
         {{2, 3}},
         {}},
        {"an unused slot between used ones is passed over",
         With([](Settings& s) {
             s.Slots = {Unused(), Above(2), Unused(), Above(1)};
         }),
         {High(10, {{2, 6}}), High(10, {{4, 8}})},
         {{4, 5}},
         {}},
        {"delay: the pulse starts the delay after the trigger, triggers meanwhile are ignored",
         With([](Settings& s) {
             s.Delay = 3 * kMs;
             s.Width = 2 * kMs;
         }),
         {High(14, {{2, 3}, {4, 5}, {6, 7}, {10, 11}})},
         {{5, 7}, {13, 14}},
         {{4, kDelay}, {6, kPulse}}},
        {"width: a trigger during the pulse is ignored, the one at its end is taken",
         With([](Settings& s) { s.Width = 4 * kMs; }),
         {High(12, {{1, 2}, {3, 4}, {5, 6}})},
         {{1, 5}, {5, 9}},
         {{3, kPulse}}},
        {"hold-off: measured from the pulse start, a trigger at its end is taken",
         With([](Settings& s) { s.Holdoff = 5 * kMs; }),
         {High(12, {{1, 2}, {3, 4}, {6, 7}, {8, 9}})},
         {{1, 2}, {6, 7}},
         {{3, kHoldoff}, {8, kHoldoff}}},
        {"hold-off shorter than the width: the pulse itself keeps triggers out",
         With([](Settings& s) {
             s.Width = 4 * kMs;
             s.Holdoff = 2 * kMs;
         }),
         {High(12, {{1, 2}, {3, 4}, {5, 6}})},
         {{1, 5}, {5, 9}},
         {{3, kPulse}}},
        {"hold-off runs from the delayed start, not from the trigger",
         With([](Settings& s) {
             s.Delay = 2 * kMs;
             s.Holdoff = 4 * kMs;
         }),
         {High(14, {{1, 2}, {3, 4}, {5, 6}, {7, 8}})},
         {{3, 4}, {9, 10}},
         {{3, kPulse}, {5, kHoldoff}}},
        {"count limit: later triggers are ignored for it",
         With([](Settings& s) { s.Limit = 2; }),
         {High(10, {{1, 2}, {3, 4}, {5, 6}, {7, 8}})},
         {{1, 2}, {3, 4}},
         {{5, kLimit}, {7, kLimit}}},
        {"count limit: a busy output names its business first",
         With([](Settings& s) {
             s.Limit = 1;
             s.Width = 3 * kMs;
         }),
         {High(10, {{1, 2}, {3, 4}, {5, 6}})},
         {{1, 4}},
         {{3, kPulse}, {5, kLimit}}},
        {"times between sample instants happen at the next instant",
         With([](Settings& s) {
             s.Delay = 0.4 * kMs;
             s.Width = 2.5 * kMs;
         }),
         {High(10, {{2, 3}})},
         {{3, 6}},
         {}},
        {"a pulse still high at the end ends with the replay",
         With([](Settings& s) { s.Width = 5 * kMs; }),
         {High(8, {{5, 6}})},
         {{5, 8}},
         {}},
        {"a pulse due after the end is not seen, its trigger still holds the output",
         With([](Settings& s) { s.Delay = 5 * kMs; }),
         {High(8, {{4, 5}, {6, 7}})},
         {},
         {{6, kDelay}}},
        {"width 0: the output follows the combined state",
         With([](Settings& s) { s.Width = 0.0; }),
         {High(12, {{2, 5}, {7, 8}})},
         {{2, 5}, {7, 8}},
         {}},
        {"width 0: a state already true at the first sample is followed",
         With([](Settings& s) { s.Width = 0.0; }),
         {High(6, {{0, 3}})},
         {{0, 3}},
         {}},
        {"width 0 with a delay: every change comes the delay later, short ones too",
         With([](Settings& s) {
             s.Width = 0.0;
             s.Delay = 3 * kMs;
         }),
         {High(12, {{0, 2}, {4, 5}, {6, 7}, {8, 12}})},
         {{3, 5}, {7, 8}, {9, 10}, {11, 12}},
         {}},
        {"width 0 with a count limit: the output rises at most that often",
         With([](Settings& s) {
             s.Width = 0.0;
             s.Limit = 2;
         }),
         {High(12, {{1, 3}, {4, 6}, {7, 9}, {10, 11}})},
         {{1, 3}, {4, 6}},
         {{7, kLimit}, {10, kLimit}}},
        {"width 0 with a hold-off: a rise within it is not followed",
         With([](Settings& s) {
             s.Width = 0.0;
             s.Holdoff = 4 * kMs;
         }),
         {High(12, {{1, 2}, {3, 6}, {7, 9}})},
         {{1, 2}, {7, 9}},
         {{3, kHoldoff}}},
        {"mode 0 keeps the output low whatever the slots hold",
         With([](Settings& s) { s.Mode = OutputCommandBlock::kOff; }),
         {High(8, {{2, 5}})},
         {},
         {}},
        {"an output without used slots stays low",
         With([](Settings& s) { s.Slots = {}; }),
         {High(8, {{2, 5}})},
         {},
         {}},
        {"thresholds beyond the 16-bit range are never crossed",
         With([](Settings& s) {
             s.Mode = OutputCommandBlock::kAnyRule;
             s.Slots = {Above(1, 32767, 0), Below(1, -32766, 5000)};
         }),
         {{0, 32767, -32768, 32767, -32768}},
         {},
         {}},
    };
    return cases;
}

TEST(OutputEngine, PinsEveryRuleToTheSample) {
    for (const Case& c : Cases()) {
        SCOPED_TRACE(c.name);
        const device::OutputTrace trace = Replay(1, c.settings, c.inputs);
        EXPECT_EQ(PulsesOf(trace), c.pulses);
        EXPECT_EQ(IgnoredOf(trace), c.ignored);
    }
}

TEST(OutputEngine, DigitalAndAnalogOutputsBehaveAlike) {
    for (const Case& c : Cases()) {
        SCOPED_TRACE(c.name);
        const device::OutputTrace analog = Replay(2, c.settings, c.inputs);
        const device::OutputTrace digital = Replay(-5, c.settings, c.inputs);
        EXPECT_EQ(PulsesOf(analog), PulsesOf(digital));
        EXPECT_EQ(IgnoredOf(analog), IgnoredOf(digital));
    }
}

// Long signals cross the engine's internal passes: the result must not depend on where they
// fall. A square wave of period 7 and a width of 3 give a pulse every 7 samples.
TEST(OutputEngine, LongSignalsKeepTheirTiming) {
    const std::int64_t count = 10000;
    Samples square(count, 0);
    for (std::int64_t j = 0; j < count; ++j)
        square[static_cast<std::size_t>(j)] = (j % 7) >= 4 ? 2000 : 0;
    const auto trace = Replay(1, With([](Settings& s) { s.Width = 3 * kMs; }), {square});
    ASSERT_EQ(trace.Pulses.size(), static_cast<std::size_t>((count - 4 + 6) / 7));
    for (std::size_t k = 0; k < trace.Pulses.size(); ++k) {
        const std::int64_t start = 4 + 7 * static_cast<std::int64_t>(k);
        EXPECT_EQ(trace.Pulses[k].Start, start);
        EXPECT_EQ(trace.Pulses[k].End, std::min(start + 3, count));
    }
    const auto followed = Replay(1, With([](Settings& s) { s.Width = 0.0; }), {square});
    EXPECT_EQ(PulsesOf(followed), PulsesOf(trace));
}

// The engine works on 64 samples at a time; a plain sample-by-sample Schmitt trigger must agree
// with it everywhere. With width 0, no delay and no limits, the output's pulses are exactly the
// high stretches of the combined state, so random signals and slots compare the two.
TEST(OutputEngine, AgreesWithASampleBySampleTrigger) {
    std::uint32_t random = 2024;
    const auto next = [&](std::uint32_t bound) {
        random = random * 1664525u + 1013904223u;
        return (random >> 8) % bound;
    };
    for (int round = 0; round < 200; ++round) {
        SCOPED_TRACE(round);
        const std::int64_t count = 1 + next(9000);
        std::vector<Samples> inputs(2, Samples(static_cast<std::size_t>(count)));
        for (Samples& input : inputs) {
            std::int32_t value = static_cast<std::int32_t>(next(65536)) - 32768;
            for (std::int16_t& sample : input) {
                value += next(50) == 0 ? static_cast<std::int32_t>(next(40000)) - 20000
                                       : static_cast<std::int32_t>(next(2001)) - 1000;
                value = std::clamp(value, -32768, 32767);
                sample = static_cast<std::int16_t>(value);
            }
        }
        Settings settings;
        settings.Width = 0.0;
        settings.Mode = next(2) == 0 ? OutputCommandBlock::kAllRules : OutputCommandBlock::kAnyRule;
        settings.Slots.clear();
        const std::int32_t levels[] = {-40000, -32768, -32767, 0, 32766, 32767, 40000};
        for (std::uint32_t k = 0, slots = 1 + next(4); k < slots; ++k) {
            const std::int32_t threshold =
                next(8) == 0 ? levels[next(7)] : static_cast<std::int32_t>(next(60001)) - 30000;
            const std::int32_t hysteresis =
                next(4) == 0 ? 0 : static_cast<std::int32_t>(next(8000));
            settings.Slots.push_back(Slot(static_cast<std::uint8_t>(1 + next(2)),
                                          static_cast<std::uint8_t>(next(2)), threshold,
                                          hysteresis));
        }

        std::vector<bool> slotStates(settings.Slots.size(), false);
        Spans expected;
        bool last = false;
        for (std::int64_t j = 0; j < count; ++j) {
            bool all = true, any = false;
            for (std::size_t k = 0; k < settings.Slots.size(); ++k) {
                const RuleSlot& slot = settings.Slots[k];
                const std::int64_t x = inputs[slot.Input - 1][static_cast<std::size_t>(j)];
                const std::int64_t high = slot.Threshold, low = high - slot.Hysteresis;
                if (slot.Direction == RuleSlot::kAbove)
                    slotStates[k] = x > high || (slotStates[k] && x >= low);
                else
                    slotStates[k] = x < low || (slotStates[k] && x <= high);
                all = all && slotStates[k];
                any = any || slotStates[k];
            }
            const bool state = settings.Mode == OutputCommandBlock::kAllRules ? all : any;
            if (state && !last)
                expected.emplace_back(j, count);
            if (!state && last)
                expected.back().second = j;
            last = state;
        }
        EXPECT_EQ(PulsesOf(Replay(1, settings, inputs)), expected);
    }
}

// The device's state carries from block to block: whatever the blocks' sizes, a replay in blocks
// gives the pulses and ignored triggers of a replay of the whole recording, and announces each
// level change of the pulses no later than the block that holds it.
device::Trace ReplayInBlocks(const std::vector<OutputProgram>& programs,
                             const DeviceSamples& samples, std::int64_t size,
                             std::vector<std::vector<LevelChange>>& changes) {
    OutputEngine engine(programs, samples.SampleRate, samples.Count, samples.Inputs.size());
    device::Trace trace;
    trace.Outputs.resize(programs.size());
    changes.assign(programs.size(), {});
    device::TraceBlock block;
    const auto keep = [&] {
        for (std::size_t k = 0; k < programs.size(); ++k) {
            auto& pulses = trace.Outputs[k].Pulses;
            auto& ignored = trace.Outputs[k].Ignored;
            pulses.insert(pulses.end(), block.Outputs[k].Pulses.begin(),
                          block.Outputs[k].Pulses.end());
            ignored.insert(ignored.end(), block.Outputs[k].Ignored.begin(),
                           block.Outputs[k].Ignored.end());
            for (const LevelChange& change : block.Changes[k]) {
                EXPECT_GE(change.Sample, block.First) << "announced after it happened";
                changes[k].push_back(change);
            }
        }
    };
    for (std::int64_t first = 0; first < samples.Count; first += size) {
        const std::int64_t count = std::min(size, samples.Count - first);
        std::vector<const std::int16_t*> inputs;
        for (const Samples& input : samples.Inputs)
            inputs.push_back(input.data() + first);
        engine.Run(inputs.data(), count, block);
        EXPECT_EQ(block.First, first);
        keep();
    }
    engine.Finish(block);
    keep();
    return trace;
}

void ExpectSameInBlocks(const std::vector<OutputProgram>& programs, const DeviceSamples& samples,
                        std::int64_t size) {
    SCOPED_TRACE("blocks of " + std::to_string(size));
    const device::Trace whole = ReplayOutputs(programs, samples);
    std::vector<std::vector<LevelChange>> changes;
    const device::Trace blocks = ReplayInBlocks(programs, samples, size, changes);
    for (std::size_t k = 0; k < programs.size(); ++k) {
        EXPECT_EQ(PulsesOf(blocks.Outputs[k]), PulsesOf(whole.Outputs[k]));
        EXPECT_EQ(IgnoredOf(blocks.Outputs[k]), IgnoredOf(whole.Outputs[k]));
        Spans levels;  // the changes as high stretches
        for (const LevelChange& change : changes[k]) {
            if (change.High)
                levels.emplace_back(change.Sample, samples.Count);
            else if (!levels.empty())
                levels.back().second = change.Sample;
        }
        EXPECT_EQ(levels, PulsesOf(whole.Outputs[k]));
    }
}

TEST(OutputEngine, AReplayInBlocksGivesWhatTheWholeRecordingGives) {
    // Every pinned case, its events on every edge of blocks of one to five samples.
    for (const Case& c : Cases()) {
        SCOPED_TRACE(c.name);
        DeviceSamples samples;
        samples.SampleRate = kRate;
        samples.Count = static_cast<std::int64_t>(c.inputs.front().size());
        samples.Inputs = c.inputs;
        const std::vector<OutputProgram> programs = {
            ReadOutputProgram(MakeBlock(1, c.settings), 8)};
        for (const std::int64_t size : {1, 2, 3, 5})
            ExpectSameInBlocks(programs, samples, size);
    }
    // Long random signals through outputs with delays, widths and hold-offs of many passes, so
    // that pulses wait across blocks and the engine's passes of 64 and 4096 samples.
    std::uint32_t random = 77;
    const auto next = [&](std::uint32_t bound) {
        random = random * 1664525u + 1013904223u;
        return static_cast<std::int32_t>((random >> 8) % bound);
    };
    DeviceSamples samples;
    samples.SampleRate = kRate;
    samples.Count = 30000;
    samples.Inputs.assign(2, Samples(30000));
    for (Samples& input : samples.Inputs) {
        std::int32_t level = 0;
        for (std::int16_t& sample : input) {
            level = std::clamp(level + next(801) - 400, -3000, 3000);
            sample = static_cast<std::int16_t>(level);
        }
    }
    std::vector<OutputProgram> programs;
    for (int k = 0; k < 6; ++k) {
        Settings settings;
        settings.Mode = k % 2 == 0 ? OutputCommandBlock::kAllRules : OutputCommandBlock::kAnyRule;
        settings.Width = k % 3 == 0 ? 0.0 : next(300) * kMs;
        settings.Delay = next(5000) * kMs;
        settings.Holdoff = next(400) * kMs;
        settings.Limit = k == 5 ? 40 : 0;
        settings.Slots = {Above(1, next(2000), next(300)), Below(2, next(2000), next(300))};
        programs.push_back(ReadOutputProgram(MakeBlock(k + 1, settings), 8));
    }
    for (const std::int64_t size : {1, 63, 64, 65, 4095, 4096, 4097, 10007, 30000})
        ExpectSameInBlocks(programs, samples, size);
}

TEST(SampleMasks, CompareWholeWordsAndTailsAlike) {
    Samples samples(64);
    for (std::size_t j = 0; j < samples.size(); ++j)
        samples[j] = static_cast<std::int16_t>(static_cast<int>(j) * 1031 - 32768);
    for (const std::int32_t level : {-40000, -32768, -32767, -1, 0, 1, 32766, 32767, 40000}) {
        SCOPED_TRACE(level);
        std::uint64_t atLeast = 0, atMost = 0;
        for (int j = 0; j < 64; ++j) {
            atLeast |= std::uint64_t{samples[static_cast<std::size_t>(j)] >= level} << j;
            atMost |= std::uint64_t{samples[static_cast<std::size_t>(j)] <= level} << j;
        }
        EXPECT_EQ(AtLeastMask(samples.data(), 64, level), atLeast);
        EXPECT_EQ(AtMostMask(samples.data(), 64, level), atMost);
        EXPECT_EQ(AtLeastMask(samples.data(), 37, level), atLeast & LowBits(37));
        EXPECT_EQ(AtMostMask(samples.data(), 37, level), atMost & LowBits(37));
    }
}

// A rule whose band ends beyond the converter's range, as the extension makes it of an above
// rule at -97.6 % with 5 % hysteresis (threshold -31232, hysteresis 1600: re-arm level -32832),
// is taken by the device; the input can never fall below the re-arm level, so the rule
// triggers once and never again, however often the input swings through the full range. The
// same band on a below rule is never entered: that rule never triggers.
TEST(OutputEngine, ABandEndingBeyondTheRangeIsNeverLeft) {
    DeviceDescription description;
    description.Inputs = 1;
    description.AnalogOutputs = 2;
    const auto corvex = SimulatedCorvex::Create(description);
    const BlockBytes above =
        MakeBlock(1, With([](Settings& s) { s.Slots = {Above(1, -31232, 1600)}; }));
    const BlockBytes below =
        MakeBlock(2, With([](Settings& s) { s.Slots = {Below(1, -31232, 1600)}; }));
    for (const BlockBytes& block : {above, below}) {
        OutputCommandBlock command{};
        std::memcpy(&command, block.data(), sizeof command);
        ASSERT_EQ(corvex->ProgramOutput(&command), S_OK) << corvex->LastRefusal();
    }

    DeviceSamples samples;
    samples.SampleRate = kRate;
    samples.Inputs = {{-32768, 0, -32768, 32767, -32768, -31232, -31231, -32768, 0}};
    samples.Count = static_cast<std::int64_t>(samples.Inputs[0].size());
    const device::Trace trace =
        ReplayOutputs(ProgramsInForce(corvex->Commands(), description.Inputs), samples);
    ASSERT_EQ(trace.Outputs.size(), 2u);
    EXPECT_EQ(trace.Outputs[0].Output, 1);
    EXPECT_EQ(PulsesOf(trace.Outputs[0]), (Spans{{1, 2}}));
    EXPECT_EQ(IgnoredOf(trace.Outputs[0]), Ignored{});
    EXPECT_EQ(trace.Outputs[1].Output, 2);
    EXPECT_EQ(PulsesOf(trace.Outputs[1]), Spans{});
}

TEST(OutputEngine, RefusesInputsItIsNotGiven) {
    DeviceSamples samples;
    samples.SampleRate = kRate;
    samples.Count = 4;
    samples.Inputs = {Samples(4, 0)};
    const OutputProgram program =
        ReadOutputProgram(MakeBlock(1, With([](Settings& s) { s.Slots = {Above(3)}; })), 8);
    EXPECT_THROW(ReplayOutputs({program}, samples), std::invalid_argument);
    // An output that is off may name any input.
    OutputProgram off = program;
    off.Mode = OutputCommandBlock::kOff;
    EXPECT_NO_THROW(ReplayOutputs({off}, samples));
}

TEST(OutputEngine, CountsTimesInWholeSamples) {
    EXPECT_EQ(SamplesFor(0.010, 1000.0), 10);  // 10.000000000000002 as a double product
    EXPECT_EQ(SamplesFor(0.0105, 1000.0), 11);
    EXPECT_EQ(SamplesFor(0.0, 1000.0), 0);
    EXPECT_EQ(SamplesFor(1e-12, 1000.0), 1);
    EXPECT_EQ(SamplesFor(0.3, 100000.0), 30000);
    EXPECT_EQ(SamplesFor(1e30, 100000.0), std::int64_t{1} << 60);
}

TEST(InputConverter, ScalesAndClipsLikeAConverter) {
    struct {
        double value, range;
        std::int16_t units;
    } const cases[] = {
        {10.0, 10.0, 32000},     {-10.0, 10.0, -32000},     {2.5, 10.0, 8000},
        {12.0, 10.0, 32767},     {-12.0, 10.0, -32768},     {1e300, 10.0, 32767},
        {0.00046875, 10.0, 2},   {-0.00015, 10.0, 0},       {std::nan(""), 10.0, 0},
        {-1.25, 2.5, -16000},    {0.00078125, 10.0, 2},     {-0.00078125, 10.0, -2},
        {INFINITY, 10.0, 32767}, {-INFINITY, 10.0, -32768},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ToDeviceUnits(c.value, c.range), c.units) << c.value << " of " << c.range;
    // Converted four at a time, the same (one range for all, the values of 10 V).
    std::vector<double> values;
    for (const auto& c : cases)
        values.push_back(c.value / c.range * 10.0);
    std::vector<std::int16_t> units(values.size());
    ConvertToDeviceUnits(values.data(), values.size(), 10.0, units.data());
    for (std::size_t k = 0; k < values.size(); ++k)
        EXPECT_EQ(units[k], ToDeviceUnits(values[k], 10.0)) << values[k];

    device::Signals signals;
    signals.SampleRate = 500.0;
    signals.StartTime = 1.5;
    signals.Channels = {{"Input 1", "V", {0.0, 5.0}}, {"Input 2", "mV", {250.0, -250.0}}};
    const DeviceSamples samples = ConvertSignals(signals, {10.0, 500.0});
    EXPECT_EQ(samples.Count, 2);
    EXPECT_EQ(samples.SampleRate, 500.0);
    EXPECT_EQ(samples.StartTime, 1.5);
    EXPECT_EQ(samples.Inputs, (std::vector<Samples>{{0, 16000}, {16000, -16000}}));
    signals.Channels[1].Values.pop_back();
    EXPECT_THROW(ConvertSignals(signals, {10.0, 500.0}), std::invalid_argument);
}

}  // namespace
}  // namespace device
