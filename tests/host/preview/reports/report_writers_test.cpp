// The report table, every report written through the writers' one shape, then the events CSV
// and the value change dump of one small replay: every pulse and ignored trigger at its time,
// the dump's structure, and the dump converted by GTKWave's own vcd2fst.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <sstream>

#include "host/device/output_engine.h"
#include "host/preview/reports/events_csv_report.h"
#include "host/preview/reports/plot_report.h"
#include "host/preview/reports/report_writers.h"
#include "host/preview/reports/vcd_report.h"
#include "tests/helpers/temp_folder.h"

namespace {

using namespace preview;
using namespace device;

std::string Read(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    std::stringstream text;
    text << file.rdbuf();
    return text.str();
}

OutputCommandBlock Block(std::int32_t output, std::int32_t mode, std::uint8_t input) {
    OutputCommandBlock block{};
    block.Size = OutputCommandBlock::kSize;
    block.SlotCount = OutputCommandBlock::kRuleSlotCount;
    block.Output = output;
    block.Mode = mode;
    for (RuleSlot& slot : block.Rules)
        slot.Size = RuleSlot::kSize;
    block.Rules[0].Input = input;
    block.Rules[0].Threshold = 8000;
    block.Rules[0].Hysteresis = 1600;
    return block;
}

// Three inputs at 1 kHz; output 1 watches Input 2, digital output 1 is off.
struct Replay {
    Signals Recorded;
    Trace Result;
    std::vector<OutputCommandBlock> Blocks;
};

Replay SmallReplay() {
    Replay replay;
    replay.Recorded.SampleRate = 1000.0;
    replay.Recorded.StartTime = 2.0;
    replay.Recorded.Channels = {{"Input 1", "V", std::vector<double>(10, 0.0)},
                                {"Input 2", "mV", {0, 0, 3, 3, 3, 1, 1, 1, 4, 4}},
                                {"Input 3", "V", std::vector<double>(10, 1.0)}};
    replay.Result.SampleRate = 1000.0;
    replay.Result.StartTime = 2.0;
    replay.Result.SampleCount = 10;
    replay.Result.Outputs = {
        {1, {{2, 4}, {8, 10}}, {{3, IgnoredBecause::kPulse}, {9, IgnoredBecause::kCountLimit}}},
        {-1, {}, {}}};
    replay.Blocks = {Block(1, OutputCommandBlock::kAnyRule, 2),
                     Block(-1, OutputCommandBlock::kOff, 1)};
    return replay;
}

// Every report of the table is found by its option and, told what was replayed and given the
// replay, writes its file and says so; the events CSV written so is the one WriteEventsCsv
// writes.
TEST(ReportWriters, EveryReportOfTheTableWritesItsFileThroughTheOneShape) {
    const TempFolder folder;
    const Replay replay = SmallReplay();
    const ReplaySetup setup{
        replay.Blocks, {{10, "V"}, {5, "mV"}, {10, "V"}}, {}, {}, RecordingOf(replay.Recorded),
        std::nullopt};
    std::set<std::string_view> options;
    for (const ReportKind* kind : ReportKinds()) {
        SCOPED_TRACE(kind->Option);
        EXPECT_TRUE(kind->Option.starts_with("--"));
        EXPECT_TRUE(options.insert(kind->Option).second) << "two reports share the option";
        EXPECT_EQ(ReportByOption(kind->Option), kind);
        EXPECT_FALSE(kind->Argument.empty());
        EXPECT_FALSE(kind->Help.empty());

        // "OUT.png|OUT.svg": the first extension the help names.
        const std::string_view argument = kind->Argument.substr(0, kind->Argument.find('|'));
        const std::string path = folder.PathOf(std::string(kind->Option.substr(2)) +
                                               std::string(argument.substr(argument.find('.'))));
        const auto writer = kind->Make(path);
        writer->Begin(setup);
        ConsumeWhole(*writer, setup, replay.Recorded, replay.Result);
        const std::string said = writer->Finish();
        EXPECT_NE(said.find(" written to " + path), std::string::npos) << said;
        EXPECT_GT(std::filesystem::file_size(path), 0u);
    }
    EXPECT_EQ(ReportByOption("--json"), nullptr);

    WriteEventsCsv(folder.PathOf("direct.csv"), replay.Result);
    EXPECT_EQ(Read(folder.PathOf("events.csv")), Read(folder.PathOf("direct.csv")));
    ReleasePlotCaches();
}

// Ten seconds at 1 kHz of three inputs; output 1 pulses with a delay, output 2 follows Input 2
// with a delay (its pulses settle long after they start), output -1 is off.
struct LongReplay {
    Signals Recorded;
    std::vector<OutputProgram> Programs;
    std::vector<OutputCommandBlock> Blocks;
    std::vector<InputScale> Inputs = {{10, "V"}, {5, "mV"}, {10, "V"}};
};

LongReplay MakeLongReplay() {
    LongReplay replay;
    replay.Recorded.SampleRate = 1000.0;
    replay.Recorded.StartTime = 0.5;
    replay.Recorded.Channels = {{"Input 1", "V", {}}, {"Input 2", "mV", {}}, {"Input 3", "V", {}}};
    for (int j = 0; j < 10000; ++j) {
        replay.Recorded.Channels[0].Values.push_back(j % 7 < 3 ? 1.0 : 3.0 + (j % 13) * 0.01);
        replay.Recorded.Channels[1].Values.push_back(j % 400 < 150 ? 4.0 : 0.25 * (j % 3));
        replay.Recorded.Channels[2].Values.push_back(0.0);
    }
    replay.Blocks = {Block(1, OutputCommandBlock::kAllRules, 1),
                     Block(2, OutputCommandBlock::kAnyRule, 2),
                     Block(-1, OutputCommandBlock::kOff, 3)};
    replay.Blocks[0].PulseWidth = 0.002;
    replay.Blocks[0].PulseDelay = 0.011;
    replay.Blocks[1].PulseDelay = 0.3;
    for (const OutputCommandBlock& block : replay.Blocks) {
        BlockBytes bytes;
        std::memcpy(bytes.data(), &block, sizeof block);
        replay.Programs.push_back(ReadOutputProgram(bytes, 3));
    }
    return replay;
}

// Runs the replay through the device in blocks of `size` samples into `writer`.
void WriteInBlocks(ReportWriter& writer, const ReplaySetup& setup, const LongReplay& replay,
                   std::int64_t size) {
    const std::int64_t count = setup.Recording.SampleCount;
    OutputEngine engine(replay.Programs, setup.Recording.SampleRate, count, 3);
    writer.Begin(setup);
    SampleBlock samples;
    TraceBlock events;
    for (samples.First = 0; samples.First < count; samples.First += size) {
        samples.Count = std::min(size, count - samples.First);
        samples.Values.clear();
        samples.Units.clear();
        std::vector<const std::int16_t*> inputs;
        for (std::size_t k = 0; k < 3; ++k) {
            const auto& all = replay.Recorded.Channels[k].Values;
            samples.Values.emplace_back(all.begin() + samples.First,
                                        all.begin() + samples.First + samples.Count);
            auto& units = samples.Units.emplace_back(static_cast<std::size_t>(samples.Count));
            ConvertToDeviceUnits(samples.Values[k].data(), units.size(), setup.Inputs[k].Range,
                                 units.data());
            inputs.push_back(units.data());
        }
        engine.Run(inputs.data(), samples.Count, events);
        writer.Consume(samples, events);
    }
    engine.Finish(events);
    samples.Count = 0;
    writer.Consume(samples, events);
    writer.Finish();
}

// Every report written block by block, whatever the blocks' sizes, is byte for byte the one
// written from the whole replay at once.
TEST(ReportWriters, ReportsWrittenBlockByBlockAreTheWholeReplaysByteForByte) {
    const TempFolder folder;
    const LongReplay replay = MakeLongReplay();
    const Trace whole =
        ReplayOutputs(replay.Programs, ConvertSignals(replay.Recorded, {10.0, 5.0, 10.0}));
    ASSERT_GT(whole.Outputs[0].Ignored.size(), 10u);
    ASSERT_GT(whole.Outputs[1].Pulses.size(), 10u);
    // So many triggers that the picture's margin widens for the counts known only at the end.
    EXPECT_GT(LayoutPlot("p.png", replay.Recorded, whole, replay.Blocks, replay.Inputs, {}).Left,
              150.0);
    for (const auto& [from, to] :
         std::vector<std::pair<std::optional<double>, std::optional<double>>>{
             {std::nullopt, std::nullopt}, {2.0, 2.3}}) {
        const ReplaySetup setup{
            replay.Blocks, replay.Inputs, from, to, RecordingOf(replay.Recorded), std::nullopt};
        for (const ReportKind* kind : ReportKinds()) {
            SCOPED_TRACE(kind->Option);
            const std::string extension =
                std::string(kind->Argument.substr(kind->Argument.find('.'), 4));
            const std::string once = folder.PathOf("once" + extension);
            const auto writer = kind->Make(once);
            writer->Begin(setup);
            ConsumeWhole(*writer, setup, replay.Recorded, whole);
            writer->Finish();
            for (const std::int64_t size : {1, 7, 4096}) {
                SCOPED_TRACE("blocks of " + std::to_string(size));
                const std::string blocks = folder.PathOf("blocks" + extension);
                WriteInBlocks(*kind->Make(blocks), setup, replay, size);
                EXPECT_EQ(Read(blocks), Read(once));
            }
        }
    }
    ReleasePlotCaches();
}

TEST(TraceWriters, EventsCsvHasOneRowPerPulseAndIgnoredTriggerInTimeOrder) {
    const TempFolder folder;
    WriteEventsCsv(folder.PathOf("events.csv"), SmallReplay().Result);
    EXPECT_EQ(Read(folder.PathOf("events.csv")),
              "output,name,event,start (s),end (s),note\n"
              "1,Analog Output 1,pulse,2.002,2.004,\n"
              "1,Analog Output 1,ignored,2.003,,pulse\n"
              "1,Analog Output 1,pulse,2.008,2.010,still high at the end\n"
              "1,Analog Output 1,ignored,2.009,,count limit\n");
    EXPECT_THROW(WriteEventsCsv(folder.PathOf("no/such/folder.csv"), SmallReplay().Result),
                 std::runtime_error);
}

TEST(TraceWriters, TimescaleIsExactForTheSampleClockOrFineEnough) {
    const struct {
        double Rate;
        int Exponent;
        std::int64_t UnitsPerSample;
    } kCases[] = {{1.0, 0, 1},      {1000.0, -3, 1},  {250.0, -3, 4}, {100000.0, -5, 1},
                  {44100.0, -8, 0}, {30000.0, -8, 0}, {3.0, -4, 0}};
    for (const auto& test : kCases) {
        const VcdTimescale scale = TimescaleFor(test.Rate);
        EXPECT_EQ(scale.Exponent, test.Exponent) << test.Rate;
        EXPECT_EQ(scale.UnitsPerSample, test.UnitsPerSample) << test.Rate;
    }
}

// A dump's changes by timestamp after its definitions: "r3 !;1\";" for Input 2 at 3 and Analog
// Output 1 high.
std::map<long, std::string> ChangesOf(const std::string& vcd) {
    std::istringstream lines(vcd.substr(vcd.find("$enddefinitions $end\n") + 21));
    std::map<long, std::string> changes;
    long time = -1;
    for (std::string line; std::getline(lines, line);) {
        if (line.starts_with("#")) {
            const long next = std::stol(line.substr(1));
            EXPECT_GT(next, time) << "timestamps must increase";
            time = next;
            changes[time];
        } else if (line != "$dumpvars" && line != "$end") {
            changes[time] += line + ";";
        }
    }
    return changes;
}

TEST(TraceWriters, VcdDeclaresUsedInputsAndOutputsAndGivesEveryValueAtTimeZero) {
    const TempFolder folder;
    const Replay replay = SmallReplay();
    WriteVcd(folder.PathOf("replay.vcd"), replay.Recorded, replay.Result, replay.Blocks,
             {{10, "V"}, {5, "mV"}, {10, "V"}});
    const std::string vcd = Read(folder.PathOf("replay.vcd"));

    // Declarations: only Input 2 is watched by an output that is not off.
    EXPECT_NE(vcd.find("$timescale 1 ms $end"), std::string::npos);
    EXPECT_NE(vcd.find("$var real 64 ! Input_2_mV $end"), std::string::npos);
    EXPECT_NE(vcd.find("$var wire 1 \" Analog_Output_1 $end"), std::string::npos);
    EXPECT_NE(vcd.find("$var wire 1 # Digital_Output_1 $end"), std::string::npos);
    EXPECT_EQ(vcd.find("Input_1"), std::string::npos);
    EXPECT_EQ(vcd.find("Input_3"), std::string::npos);

    // Changes by timestamp after the definitions.
    const std::map<long, std::string> changes = ChangesOf(vcd);
    const std::map<long, std::string> expected = {{0, "r0 !;0\";0#;"}, {2, "r3 !;1\";"},
                                                  {4, "0\";"},         {5, "r1 !;"},
                                                  {8, "r4 !;1\";"},    {10, ""}};
    EXPECT_EQ(changes, expected);

    const std::string gtkw = Read(folder.PathOf("replay.gtkw"));
    EXPECT_NE(gtkw.find("[dumpfile] \"" + folder.PathOf("replay.vcd") + "\""), std::string::npos);
    EXPECT_NE(gtkw.find("@50020\npreview.Input_2_mV\n"), std::string::npos);
    EXPECT_NE(gtkw.find("@28\npreview.Analog_Output_1\n"), std::string::npos);
}

// The dump writes an input again only when its device value changes, and then its value at the
// converter's resolution (5 mV over 32000: four decimals of mV); what stays within one unit of
// the converter is not written.
TEST(TraceWriters, VcdWritesAnInputOnlyWhenItsDeviceValueChanges) {
    const TempFolder folder;
    Replay replay = SmallReplay();
    replay.Recorded.Channels[1].Values = {0,       0.00001, 0.0002,  0.00021, 1.00004,
                                          1.00006, 1.00006, 0.14103, 0.14105, 4};
    WriteVcd(folder.PathOf("fine.vcd"), replay.Recorded, replay.Result, replay.Blocks,
             {{10, "V"}, {5, "mV"}, {10, "V"}});
    const std::map<long, std::string> expected = {
        {0, "r0 !;0\";0#;"}, {2, "r0.0002 !;1\";"}, {4, "r1 !;0\";"}, {7, "r0.141 !;"},
        {8, "1\";"},         {9, "r4 !;"},          {10, ""}};
    EXPECT_EQ(ChangesOf(Read(folder.PathOf("fine.vcd"))), expected);
}

// GTKWave opens a long recording on its first pulses, with the outputs that are on.
TEST(TraceWriters, TheSaveFileOpensOnTheFirstPulsesOfTheOutputsThatAreOn) {
    const TempFolder folder;
    Replay replay = SmallReplay();
    replay.Recorded.StartTime = replay.Result.StartTime = 0;
    for (auto& channel : replay.Recorded.Channels)
        channel.Values.assign(300000, 0.0);  // five minutes at 1 kHz
    replay.Result.SampleCount = 300000;
    replay.Result.Outputs[0].Pulses.clear();
    for (std::int64_t k = 0; k < 10; ++k)
        replay.Result.Outputs[0].Pulses.push_back({120000 + 500 * k, 120010 + 500 * k});
    WriteVcd(folder.PathOf("long.vcd"), replay.Recorded, replay.Result, replay.Blocks);
    const std::string gtkw = Read(folder.PathOf("long.gtkw"));
    // From a tenth of the span before the first pulse to as much after the fifth's end
    // (119.799 s to 122.211 s), in ms, over about 860 pixels at 200 pixels a ms at zoom 0.
    EXPECT_NE(gtkw.find("\n[timestart] 119799\n"), std::string::npos) << gtkw;
    EXPECT_NE(gtkw.find("\n*-9.13"), std::string::npos) << gtkw;
    EXPECT_NE(gtkw.find("preview.Analog_Output_1\n"), std::string::npos);
    EXPECT_EQ(gtkw.find("Digital_Output_1"), std::string::npos) << "an output that is off";
}

TEST(TraceWriters, GtkwavesOwnConverterTakesTheVcd) {
    if (std::system("command -v vcd2fst >/dev/null 2>&1") != 0)
        GTEST_SKIP() << "vcd2fst (from the gtkwave package) is not installed; the VCD was not "
                        "checked with it";
    const TempFolder folder;
    Replay replay = SmallReplay();
    // A longer recording at a rate whose step is no whole number of any unit.
    replay.Recorded.SampleRate = replay.Result.SampleRate = 30000.0;
    for (auto& channel : replay.Recorded.Channels) {
        channel.Values.resize(30000);
        for (std::size_t i = 10; i < channel.Values.size(); ++i)
            channel.Values[i] = static_cast<double>(i % 97) * 0.1 - 4.0;
    }
    replay.Result.SampleCount = 30000;
    replay.Result.Outputs[0].Pulses.push_back({20000, 30000});
    WriteVcd(folder.PathOf("long.vcd"), replay.Recorded, replay.Result, replay.Blocks,
             {{10, "V"}, {5, "mV"}, {10, "V"}});
    const std::string command = "vcd2fst " + folder.PathOf("long.vcd") + " " +
                                folder.PathOf("long.fst") + " >" + folder.PathOf("out.txt") +
                                " 2>&1";
    EXPECT_EQ(std::system(command.c_str()), 0) << Read(folder.PathOf("out.txt"));
    EXPECT_GT(std::filesystem::file_size(folder.PathOf("long.fst")), 1000u);
    const std::string output = Read(folder.PathOf("out.txt"));
    EXPECT_EQ(output.find("arn"), std::string::npos) << output;  // "Warning", "warning"
    EXPECT_EQ(output.find("rror"), std::string::npos) << output;
}

}  // namespace
