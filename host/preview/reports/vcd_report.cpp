#include "host/preview/reports/vcd_report.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <memory>

#include "host/files/output_file.h"
#include "host/preview/formats/signal_file_error.h"
#include "host/preview/reports/report_writer.h"
#include "host/preview/reports/trace_labels.h"

namespace preview {

namespace {

// Collects text and writes it into the file in blocks of about a megabyte.
class BlockWriter {
public:
    explicit BlockWriter(const std::string& path) : file_(path) {}
    std::string& Text() { return text_; }
    void MaybeFlush() {
        if (text_.size() >= (1u << 20))
            Flush();
    }
    void Close() {
        Flush();
        file_.Commit();
    }
    bool ReplacesAFile() const { return file_.ReplacesAFile(); }

private:
    void Flush() {
        file_.Write(text_);
        text_.clear();
    }
    files::OutputFile file_;
    std::string text_;
};

// Identifier codes from the printable characters '!' to '~'.
std::string CodeOf(std::size_t index) {
    std::string code;
    do {
        code += static_cast<char>('!' + index % 94);
        index /= 94;
    } while (index > 0);
    return code;
}

// A variable name: letters, digits and underscores only ("Input 1" in "µV" is "Input_1_uV").
std::string VariableName(std::string text) {
    std::string name;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        if (c == 0xC2 && i + 1 < text.size() && static_cast<unsigned char>(text[i + 1]) == 0xB5) {
            name += 'u';
            ++i;
        } else if (c == 0xCE && i + 1 < text.size() &&
                   static_cast<unsigned char>(text[i + 1]) == 0xBC) {
            name += 'u';
            ++i;
        } else if ((c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z')) {
            name += static_cast<char>(c);
        } else if (name.empty() || name.back() != '_') {
            name += '_';
        }
    }
    while (!name.empty() && name.back() == '_')
        name.pop_back();
    return name.empty() ? "signal" : name;
}

// 10^exponent seconds as a timescale: "1 s", "100 ms" ... "1 fs".
std::string UnitName(int exponent) {
    static const char* const kUnits[] = {"s", "ms", "us", "ns", "ps", "fs"};
    const int group = (-exponent + 2) / 3;
    const int multiplier = exponent + 3 * group;
    return (multiplier == 0 ? "1 " : multiplier == 1 ? "10 " : "100 ") + std::string(kUnits[group]);
}

// A sample as a real value; a value that is not finite has no place in a dump.
void AppendReal(std::string& text, double value, const std::string& path) {
    if (!std::isfinite(value))
        throw SignalFileError(
            path, 0,
            "a sample is " + std::to_string(value) + ", which a value change dump cannot hold");
    char buffer[32];
    text += 'r';
    text.append(buffer, std::to_chars(buffer, buffer + sizeof buffer, value).ptr);
}

// How many of the first pulses the save file's span shows; how wide (in pixels) GTKWave draws
// the waves in the window the save file asks for; and how many pixels it gives one unit of
// time (a second, a millisecond ... whatever the timescale's multiplier) at zoom 0: each step
// of zoom halves or doubles that.
constexpr std::size_t kPulsesShown = 5;
constexpr double kWavePixels = 860;
constexpr double kPixelsPerUnitAtZoomZero = 200;
constexpr double kSecondsShownWithoutPulses = 5;

// The seconds after the first sample that the save file opens on: from a little before the
// first pulse of the outputs shown to a little after the first few; the first seconds when
// none of them pulses.
std::pair<double, double> FirstPulses(const device::Trace& trace,
                                      const std::vector<std::size_t>& shown) {
    std::vector<device::Pulse> pulses;
    for (const std::size_t output : shown) {
        const auto& all = trace.Outputs[output].Pulses;
        pulses.insert(pulses.end(), all.begin(), all.begin() + std::min(all.size(), kPulsesShown));
    }
    std::sort(pulses.begin(), pulses.end(),
              [](const device::Pulse& a, const device::Pulse& b) { return a.Start < b.Start; });
    const double rate = trace.SampleRate;
    const double length = static_cast<double>(std::max<std::int64_t>(trace.SampleCount, 1)) / rate;
    if (pulses.empty())
        return {0.0, std::min(length, kSecondsShownWithoutPulses)};
    pulses.resize(std::min(pulses.size(), kPulsesShown));
    std::int64_t last = 0;
    for (const device::Pulse& pulse : pulses)
        last = std::max(last, pulse.End);
    const double first = static_cast<double>(pulses.front().Start) / rate;
    const double end = static_cast<double>(last) / rate;
    const double margin = std::max((end - first) * 0.1, 10.0 / rate);
    return {std::max(0.0, first - margin), std::min(length, end + margin)};
}

// The GTKWave save file for a dump at `path` whose variables are `names` (the inputs' first):
// inputs as analog traces stretched over a few rows, the outputs that are on as wires, opened
// on the first pulses. `exponent` is the dump's timescale's (10^exponent seconds).
std::string GtkwText(const std::string& path, const std::vector<std::string>& names,
                     std::size_t inputCount, const device::Trace& trace,
                     const std::vector<OutputCommandBlock>& blocks, int exponent) {
    std::vector<std::size_t> shown;
    for (std::size_t o = 0; o < trace.Outputs.size(); ++o) {
        const OutputCommandBlock* block = BlockOf(blocks, trace.Outputs[o].Output);
        if (block != nullptr && block->Mode != OutputCommandBlock::kOff)
            shown.push_back(o);
    }
    const auto [from, to] = FirstPulses(trace, shown);
    // GTKWave counts the save file's times in the timescale's unit without its multiplier:
    // in ms for "100 ms".
    const double unit = std::pow(10.0, -3 * ((-exponent + 2) / 3));
    const double unitsPerPixel = (to - from) / unit / kWavePixels;
    char zoom[64];
    std::snprintf(zoom, sizeof zoom, "*%.6f -1",
                  -std::log2(std::max(unitsPerPixel * kPixelsPerUnitAtZoomZero, 1e-9)));

    std::string gtkw = "[*] Ostrel preview: inputs as analog traces, outputs as wires\n";
    gtkw += "[dumpfile] \"" + std::filesystem::absolute(path).string() + "\"\n";
    gtkw += "[timestart] " + std::to_string(std::llround(from / unit)) + "\n";
    gtkw += "[size] 1400 700\n" + std::string(zoom);
    for (int marker = 0; marker < 26; ++marker)
        gtkw += " -1";
    gtkw += "\n[signals_width] 220\n[sst_expanded] 1\n";
    for (std::size_t i = 0; i < inputCount; ++i) {
        // Real value, interpolated analog, right-justified; then blank rows that stretch it.
        gtkw += "@50020\npreview." + names[i] + "\n@20000\n-\n-\n-\n-\n";
    }
    for (const std::size_t o : shown)
        gtkw += "@28\npreview." + names[inputCount + o] + "\n";
    return gtkw + "[pattern_trace] 1\n[pattern_trace] 0\n";
}

}  // namespace

VcdTimescale TimescaleFor(double sampleRate) {
    const double step = 1.0 / sampleRate;
    for (int exponent = 0; exponent >= -15; --exponent) {
        const double units = step / std::pow(10.0, exponent);
        const double whole = std::round(units);
        if (whole >= 1.0 && whole < 0x1p62 && std::fabs(units - whole) <= 1e-9 * units)
            return {exponent, static_cast<std::int64_t>(whole)};
        if (units >= 1000.0)
            return {exponent, 0};
    }
    return {-15, 0};
}

std::string GtkwPathFor(const std::string& vcdPath) {
    return std::filesystem::path(vcdPath).replace_extension(".gtkw").string();
}

std::vector<std::string> FilesBesideVcd(const std::string& vcdPath) {
    if (!files::NamesRegularFile(vcdPath))
        return {};
    return {GtkwPathFor(vcdPath)};
}

void WriteVcd(const std::string& path, const device::Signals& signals, const device::Trace& trace,
              const std::vector<OutputCommandBlock>& blocks) {
    std::vector<std::size_t> inputs = UsedInputs(blocks, signals.Channels.size());
    if (inputs.empty()) {
        for (std::size_t input = 0; input < signals.Channels.size(); ++input)
            inputs.push_back(input);
    }
    const VcdTimescale scale = TimescaleFor(signals.SampleRate);
    const double unit = std::pow(10.0, scale.Exponent);
    const auto timeOf = [&](std::int64_t sample) -> std::int64_t {
        const double units = static_cast<double>(sample) / signals.SampleRate / unit;
        // GTKWave counts in the unit without the timescale's multiplier (up to 100 times as
        // many): every time must stay a whole number of 64 bits there too.
        if (!(units < 0x1p55))
            throw SignalFileError(path, 0,
                                  "sample " + std::to_string(sample) + " lies " +
                                      ShortNumber(units * unit, 6) +
                                      " s after the first, beyond the times a value change "
                                      "dump can hold");
        if (scale.UnitsPerSample > 0)
            return sample * scale.UnitsPerSample;
        return std::llround(units);
    };

    std::vector<std::string> names;
    BlockWriter out(path);
    std::string& text = out.Text();
    text += "$version Ostrel preview $end\n";
    text += "$comment time 0 is the first sample, " + FixedText(signals.StartTime, 9) +
            " s into the recording; inputs in their units $end\n";
    text += "$timescale " + UnitName(scale.Exponent) + " $end\n";
    text += "$scope module preview $end\n";
    std::size_t code = 0;
    for (const std::size_t input : inputs) {
        const device::SignalChannel& channel = signals.Channels[input];
        names.push_back(VariableName("Input " + std::to_string(input + 1) + " " + channel.Unit));
        text += "$var real 64 " + CodeOf(code++) + " " + names.back() + " $end\n";
    }
    for (const device::OutputTrace& output : trace.Outputs) {
        names.push_back(VariableName(OutputName(output.Output)));
        text += "$var wire 1 " + CodeOf(code++) + " " + names.back() + " $end\n";
    }
    text += "$upscope $end\n$enddefinitions $end\n";

    const std::int64_t samples = static_cast<std::int64_t>(signals.SampleCount());
    std::vector<double> lastValue(inputs.size());
    std::vector<bool> lastLevel(trace.Outputs.size(), false);
    std::vector<std::size_t> nextPulse(trace.Outputs.size(), 0);
    const auto levelAt = [&](std::size_t output, std::int64_t sample) {
        const std::vector<device::Pulse>& pulses = trace.Outputs[output].Pulses;
        std::size_t& next = nextPulse[output];
        while (next < pulses.size() && pulses[next].End <= sample)
            ++next;
        return next < pulses.size() && pulses[next].Start <= sample;
    };

    text += "#0\n$dumpvars\n";
    for (std::size_t i = 0; i < inputs.size(); ++i) {
        lastValue[i] = samples > 0 ? signals.Channels[inputs[i]].Values[0] : 0.0;
        AppendReal(text, lastValue[i], path);
        text += " " + CodeOf(i) + "\n";
    }
    for (std::size_t o = 0; o < trace.Outputs.size(); ++o) {
        lastLevel[o] = levelAt(o, 0);
        text += (lastLevel[o] ? "1" : "0") + CodeOf(inputs.size() + o) + "\n";
    }
    text += "$end\n";

    for (std::int64_t sample = 1; sample < samples; ++sample) {
        bool stamped = false;
        const auto stamp = [&] {
            if (!stamped)
                text += "#" + std::to_string(timeOf(sample)) + "\n";
            stamped = true;
        };
        for (std::size_t i = 0; i < inputs.size(); ++i) {
            const double value =
                signals.Channels[inputs[i]].Values[static_cast<std::size_t>(sample)];
            if (value != lastValue[i]) {
                stamp();
                AppendReal(text, value, path);
                text += " " + CodeOf(i) + "\n";
                lastValue[i] = value;
            }
        }
        for (std::size_t o = 0; o < trace.Outputs.size(); ++o) {
            const bool level = levelAt(o, sample);
            if (level != lastLevel[o]) {
                stamp();
                text += (level ? "1" : "0") + CodeOf(inputs.size() + o) + "\n";
                lastLevel[o] = level;
            }
        }
        out.MaybeFlush();
    }
    text += "#" + std::to_string(timeOf(std::max<std::int64_t>(samples, 1))) + "\n";
    // The save file goes beside a dump that is a file of its own, never beside a device or
    // the standard output.
    const bool beside = out.ReplacesAFile();
    out.Close();
    if (beside)
        files::ReplaceFile(GtkwPathFor(path),
                           GtkwText(path, names, inputs.size(), trace, blocks, scale.Exponent));
}

namespace {

class VcdWriter final : public ReportWriter {
public:
    explicit VcdWriter(std::string path) : path_(std::move(path)) {}

    void Begin(const ReplaySetup& setup) override { blocks_ = setup.Blocks; }
    void Consume(const device::Signals& samples, const device::Trace& events) override {
        samples_ = &samples;
        events_ = &events;
    }
    std::string Finish() override {
        static const device::Signals kNoSamples;
        static const device::Trace kNothing;
        WriteVcd(path_, samples_ != nullptr ? *samples_ : kNoSamples,
                 events_ != nullptr ? *events_ : kNothing, blocks_);
        const std::vector<std::string> beside = FilesBesideVcd(path_);
        return "Value change dump written to " + WhereTo(path_) +
               (beside.empty() ? std::string() : ", GTKWave save file " + beside.front());
    }

private:
    std::string path_;
    std::vector<OutputCommandBlock> blocks_;
    const device::Signals* samples_ = nullptr;
    const device::Trace* events_ = nullptr;
};

}  // namespace

const ReportKind& VcdReport() {
    static const ReportKind kind{
        "--vcd",
        "OUT.vcd",
        "writes the used inputs and the outputs as a value change dump, with a GTKWave save "
        "file (.gtkw) beside it",
        [](const std::string& path) -> std::unique_ptr<ReportWriter> {
            return std::make_unique<VcdWriter>(path);
        },
        {},
        &FilesBesideVcd,
    };
    return kind;
}

}  // namespace preview
