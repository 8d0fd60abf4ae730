// The pipeline against the whole recording: the same signal written as CSV, WAV, FLAC and EDF,
// long enough for several blocks of every reader (and several pieces of the CSV reader), replays
// block by block into the very events, dump and picture that the whole recording, read at once
// and replayed at once, gives; and the values and device units of every block are the reader's.
#include "host/preview/replay_pipeline.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <fstream>
#include <sstream>

#include "host/device/input_converter.h"
#include "host/device/output_engine.h"
#include "host/preview/formats/csv_format.h"
#include "host/preview/formats/edf_format.h"
#include "host/preview/formats/signal_formats.h"
#include "host/preview/formats/sound_format.h"
#include "host/preview/reports/events_csv_report.h"
#include "host/preview/reports/plot_report.h"
#include "host/preview/reports/report_writers.h"
#include "host/preview/reports/spill_queue.h"
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

const std::vector<InputScale> kInputs = {{10.0, "V"}, {10.0, "V"}};

// 200,000 samples at 10 kHz of two inputs: bursts with a beat after each on Input 1, a slow
// square on Input 2.
Signals LongSignal() {
    Signals signals;
    signals.SampleRate = 10000.0;
    signals.Channels = {{"Input 1", "V", {}}, {"Input 2", "V", {}}};
    std::uint32_t noise = 9;
    for (int j = 0; j < 200000; ++j) {
        noise = noise * 1664525u + 1013904223u;
        const double jitter = static_cast<double>(noise >> 20) / 4096.0 - 0.5;
        const int phase = j % 1300;  // a burst and, within the hold-off, a beat
        signals.Channels[0].Values.push_back(
            (phase < 90 || (phase >= 120 && phase < 130) ? 4.0 : 0.0) + jitter);
        signals.Channels[1].Values.push_back(j % 20000 < 9000 ? 6.0 : -6.0 + jitter);
    }
    return signals;
}

OutputCommandBlock Block(std::int32_t output, std::uint8_t input, double width, double delay) {
    OutputCommandBlock block{};
    block.Size = OutputCommandBlock::kSize;
    block.SlotCount = OutputCommandBlock::kRuleSlotCount;
    block.Output = output;
    block.Mode = OutputCommandBlock::kAllRules;
    block.PulseWidth = width;
    block.PulseDelay = delay;
    block.Holdoff = 0.02;
    for (RuleSlot& slot : block.Rules)
        slot.Size = RuleSlot::kSize;
    block.Rules[0].Input = input;
    block.Rules[0].Threshold = 8000;  // 2.5 V
    block.Rules[0].Hysteresis = 1600;
    return block;
}

std::vector<OutputProgram> Programs(const std::vector<OutputCommandBlock>& blocks) {
    std::vector<OutputProgram> programs;
    for (const OutputCommandBlock& block : blocks) {
        BlockBytes bytes;
        std::memcpy(bytes.data(), &block, sizeof block);
        programs.push_back(ReadOutputProgram(bytes, 2));
    }
    return programs;
}

// Counts the blocks of samples the replay ran.
class BlockCount final : public ReplayFollower {
public:
    void Consume(const SampleBlock&, const TraceBlock& events) override {
        blocks += events.Count > 0;
    }
    int blocks = 0;
};

// Checks that every block holds the values of the whole recording at its place, and their
// device units.
class BlockCheck final : public ReportWriter {
public:
    explicit BlockCheck(const Signals& whole) : whole_(whole) {}
    void Begin(const ReplaySetup&) override {}
    void Needs(BlockNeeds& needs) const override { needs.Values.assign(needs.Values.size(), true); }
    void Consume(const SampleBlock& samples, const TraceBlock&) override {
        EXPECT_EQ(samples.First, next_);
        for (std::size_t k = 0; k < whole_.Channels.size(); ++k) {
            for (std::int64_t j = 0; j < samples.Count; ++j) {
                const double value = whole_.Channels[k].Values[samples.First + j];
                if (samples.Values[k][j] != value ||
                    samples.Units[k][j] != ToDeviceUnits(value, kInputs[k].Range)) {
                    ADD_FAILURE() << "channel " << k << ", sample " << samples.First + j;
                    return;
                }
            }
        }
        next_ += samples.Count;
    }
    std::string Finish() override { return ""; }

private:
    const Signals& whole_;
    std::int64_t next_ = 0;
};

TEST(ReplayPipeline, EveryFormatReplaysBlockByBlockIntoWhatTheWholeRecordingGives) {
    const TempFolder folder;
    const Signals original = LongSignal();
    WriteCsvSignals(folder.PathOf("s.csv"), original, 9);
    WriteSoundSignals(folder.PathOf("s.wav"), original, kInputs);
    WriteSoundSignals(folder.PathOf("s.flac"), original, kInputs);
    WriteEdfSignals(folder.PathOf("s.edf"), original, kInputs);
    // A fixed-width output with a delay, and one that follows its state with a delay.
    const std::vector<OutputCommandBlock> blocks = {Block(1, 1, 0.003, 0.0042),
                                                    Block(-1, 2, 0.0, 0.35)};
    const std::vector<OutputProgram> programs = Programs(blocks);
    for (const char* name : {"s.csv", "s.wav", "s.flac", "s.edf"}) {
        SCOPED_TRACE(name);
        const std::string path = folder.PathOf(name);
        // The whole recording, at once.
        const Signals whole = ReadSignalFile(path, kInputs);
        const Trace trace = ReplayOutputs(programs, ConvertSignals(whole, {10.0, 10.0}));
        ASSERT_GT(trace.Outputs[0].Pulses.size(), 100u);
        ASSERT_GT(trace.Outputs[0].Ignored.size(), 10u);
        ASSERT_GT(trace.Outputs[1].Pulses.size(), 5u);
        WriteEventsCsv(folder.PathOf("whole.csv"), trace);
        WriteVcd(folder.PathOf("whole.vcd"), whole, trace, blocks, kInputs);
        WritePlot(folder.PathOf("whole.png"), whole, trace, blocks, kInputs);

        // Block by block, through the reports of the table.
        const auto reader = OpenSignalFile(path, kInputs);
        ReplaySetup setup{blocks, kInputs, {}, {}, reader->Info(), std::nullopt};
        std::vector<std::unique_ptr<ReportWriter>> writers;
        std::vector<ReportWriter*> writing;
        for (const char* option : {"--events", "--vcd", "--plot"}) {
            const std::string extension = option[2] == 'e'   ? ".csv"
                                          : option[2] == 'v' ? ".vcd"
                                                             : ".png";
            writers.push_back(ReportByOption(option)->Make(folder.PathOf("blocks" + extension)));
            writers.back()->Begin(setup);
            writing.push_back(writers.back().get());
        }
        BlockCheck check(whole);
        writing.push_back(&check);
        BlockCount counted;
        ReplayRecording(*reader, path, programs, writing, {&counted});
        for (const auto& writer : writers)
            writer->Finish();
        EXPECT_GT(counted.blocks, 2) << "more than two blocks";
        EXPECT_EQ(Read(folder.PathOf("blocks.csv")), Read(folder.PathOf("whole.csv")));
        EXPECT_EQ(Read(folder.PathOf("blocks.vcd")), Read(folder.PathOf("whole.vcd")));
        EXPECT_EQ(Read(folder.PathOf("blocks.png")), Read(folder.PathOf("whole.png")));
    }
    ReleasePlotCaches();
}

// Records wait in the queue in their order, however many, whether they were set aside in its
// temporary file or not, with records taken out while others come in.
TEST(SpillQueue, GivesRecordsBackInTheirOrderWhateverWasSetAside) {
    SpillQueue<Pulse> queue(16);
    std::int64_t pushed = 0, popped = 0;
    for (const int burst : {3, 40, 1, 200, 17, 0, 1000, 5}) {
        for (int k = 0; k < burst; ++k, ++pushed)
            queue.Push({pushed, pushed + 1});
        for (int k = 0; k < burst / 2 + 1 && !queue.Empty(); ++k, ++popped) {
            ASSERT_EQ(queue.Front().Start, popped);
            queue.Pop();
        }
    }
    for (; !queue.Empty(); ++popped) {
        ASSERT_EQ(queue.Front().End, popped + 1);
        queue.Pop();
    }
    EXPECT_EQ(popped, pushed);
}

// An input's value in the dump: rounded to the converter's resolution, in its shortest form.
TEST(VcdValues, AreRoundedToTheConvertersResolutionInTheirShortestForm) {
    const struct {
        double Range;
        double Value;
        const char* Text;
    } kCases[] = {
        {10.0, 0.14100000000000001, "0.141"},
        {10.0, 1.409912109375, "1.4099"},
        {10.0, -0.00004, "0"},
        {10.0, -2.5, "-2.5"},
        {10.0, 9.99995, "10"},
        {2.5, 0.0001234, "0.00012"},
        {1000.0, 123.456, "123.46"},
        {32000.0, -7.5, "-8"},
        {10.0, 3e20, "3e+20"},
    };
    for (const auto& test : kCases) {
        std::string text;
        AppendRounded(text, test.Value, ResolutionDecimals(test.Range));
        EXPECT_EQ(text, test.Text) << test.Value << " of " << test.Range;
    }
}

}  // namespace
