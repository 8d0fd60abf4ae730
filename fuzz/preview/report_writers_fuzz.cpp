// Runs the preview's report writers and the plot's time axis over arbitrary replays. The data
// is the sample rate, the start time and the window's bounds (4 doubles), a byte of flags (bit
// 0: a start is given, bit 1: an end, bit 2: SVG rather than PNG), then the samples of two
// inputs, interleaved, 16 bits each. The device replays them through one output that watches
// Input 1 above 0 V. Whatever the times, every writer ends, and either writes or refuses with
// the report's error naming the file; the axis has at most a tick per pixel, in order, within
// the window.
#include <unistd.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "fuzz/fuzz_check.h"
#include "host/device/input_converter.h"
#include "host/device/output_engine.h"
#include "host/preview/formats/signal_file_error.h"
#include "host/preview/reports/events_csv_report.h"
#include "host/preview/reports/plot_report.h"
#include "host/preview/reports/time_axis.h"
#include "host/preview/reports/trace_labels.h"
#include "host/preview/reports/vcd_report.h"

namespace {

using namespace preview;

// A name for each picture kind that writes into /dev/null, as the writers take a file's name.
std::string NullNamed(const char* extension) {
    const std::string path = "/tmp/tarvel-fuzz-" + std::to_string(::getpid()) + "-null" + extension;
    std::error_code ignored;
    std::filesystem::remove(path, ignored);
    std::filesystem::create_symlink("/dev/null", path, ignored);
    return path;
}

OutputCommandBlock WatchingInputOne() {
    OutputCommandBlock block{};
    block.Size = OutputCommandBlock::kSize;
    block.SlotCount = OutputCommandBlock::kRuleSlotCount;
    block.Output = 1;
    block.Mode = OutputCommandBlock::kAllRules;
    block.PulseWidth = 0.001;
    for (RuleSlot& slot : block.Rules)
        slot.Size = RuleSlot::kSize;
    block.Rules[0].Input = 1;
    block.Rules[0].Hysteresis = 1600;
    return block;
}

double DoubleAt(const std::uint8_t* data) {
    double value;
    std::memcpy(&value, data, sizeof value);
    return value;
}

// Runs `write`; it either writes or refuses with the report's error naming `path`.
template <class Write>
void WritesOrRefuses(const std::string& path, Write write) {
    try {
        write();
    } catch (const SignalFileError& error) {
        CHECK(error.File() == path);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // The drawing library's caches go before the leak checker looks at the end.
    static const int released = std::atexit(&ReleasePlotCaches);
    (void)released;
    constexpr std::size_t kHeader = 4 * sizeof(double) + 1;
    if (size < kHeader)
        return 0;
    const double rate = DoubleAt(data), start = DoubleAt(data + 8);
    const std::uint8_t flags = data[32];
    // What the command line and the readers let through: a rate the device samples at, finite
    // times.
    if (!(rate > 0 && rate <= device::kMaxSampleRate) || !std::isfinite(start))
        return 0;
    PlotOptions window;
    window.Width = 400;
    if (flags & 1)
        window.From = DoubleAt(data + 16);
    if (flags & 2)
        window.To = DoubleAt(data + 24);
    if ((window.From && !std::isfinite(*window.From)) || (window.To && !std::isfinite(*window.To)))
        return 0;

    device::Signals signals;
    signals.SampleRate = rate;
    signals.StartTime = start;
    signals.Channels = {{"Input 1", "V", {}}, {"Input 2", "mV", {}}};
    for (std::size_t at = kHeader; at + 4 <= size; at += 4) {
        for (std::size_t input = 0; input < 2; ++input) {
            std::int16_t value;
            std::memcpy(&value, data + at + 2 * input, 2);
            signals.Channels[input].Values.push_back(value / 3200.0);
        }
    }
    const std::vector<InputScale> inputs{{10.0, "V"}, {10000.0, "mV"}};
    const std::vector<OutputCommandBlock> blocks{WatchingInputOne()};
    device::BlockBytes bytes;
    std::memcpy(bytes.data(), &blocks[0], bytes.size());
    const std::vector<device::OutputProgram> programs{device::ReadOutputProgram(bytes, 2)};
    const device::Trace trace =
        device::ReplayOutputs(programs, device::ConvertSignals(signals, {10.0, 10000.0}));

    // The events: a header and a row per pulse and per ignored trigger.
    static const std::string events =
        "/tmp/tarvel-fuzz-" + std::to_string(::getpid()) + "-events.csv";
    WriteEventsCsv(events, trace);
    std::size_t rows = 0;
    std::FILE* written = std::fopen(events.c_str(), "rb");
    CHECK(written != nullptr);
    for (int c; (c = std::fgetc(written)) != EOF;)
        rows += c == '\n';
    std::fclose(written);
    std::remove(events.c_str());
    CHECK(rows == 1 + trace.Outputs[0].Pulses.size() + trace.Outputs[0].Ignored.size());

    static const std::string dump = NullNamed(".vcd");
    WritesOrRefuses(dump, [&] { WriteVcd(dump, signals, trace, blocks); });

    static const std::string png = NullNamed(".png"), svg = NullNamed(".svg");
    const std::string& picture = flags & 4 ? svg : png;
    WritesOrRefuses(picture, [&] { WritePlot(picture, signals, trace, blocks, inputs, window); });

    // The axis of any window in order that is wide enough to draw.
    const double from = window.From.value_or(start), to = window.To.value_or(start + 1.0);
    if (from < to && !TooNarrow(from, to, 400)) {
        const TimeTicks ticks = TicksFor(from, to, 400);
        CHECK(ticks.At.size() <= 400);
        for (std::size_t k = 0; k < ticks.At.size(); ++k) {
            CHECK(ticks.At[k] >= from - ticks.Step * 1e-6 && ticks.At[k] <= to + ticks.Step);
            CHECK(k == 0 || ticks.At[k] > ticks.At[k - 1]);
        }
        CHECK(!DurationText(to - from).empty());
    }
    return 0;
}
