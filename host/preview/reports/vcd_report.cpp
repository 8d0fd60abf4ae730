#include "host/preview/reports/vcd_report.h"

#include <algorithm>
#include <charconv>
#include <climits>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <memory>

#include "host/files/output_file.h"
#include "host/preview/formats/signal_file_error.h"
#include "host/preview/reports/report_file.h"
#include "host/preview/reports/report_writer.h"
#include "host/preview/reports/spill_queue.h"
#include "host/preview/reports/trace_labels.h"

namespace preview {

namespace {

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
// none of them pulses. `pulses` holds the first few pulses of each output shown.
std::pair<double, double> FirstPulses(std::vector<device::Pulse> pulses, double rate,
                                      std::int64_t sampleCount) {
    std::sort(pulses.begin(), pulses.end(),
              [](const device::Pulse& a, const device::Pulse& b) { return a.Start < b.Start; });
    const double length = static_cast<double>(std::max<std::int64_t>(sampleCount, 1)) / rate;
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
// inputs as analog traces stretched over a few rows, the outputs `shown` (those that are on)
// as wires, opened on [from, to] seconds. `exponent` is the dump's timescale's (10^exponent
// seconds).
std::string GtkwText(const std::string& path, const std::vector<std::string>& names,
                     std::size_t inputCount, const std::vector<std::size_t>& shown, double from,
                     double to, int exponent) {
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

int ResolutionDecimals(double range) {
    const double step = range / 32000.0;
    if (!(step > 0.0) || !std::isfinite(step))
        return 0;
    return std::clamp(static_cast<int>(std::ceil(-std::log10(step) - 1e-9)), 0, 17);
}

char* WriteRounded(char* at, double value, int decimals) {
    static constexpr std::uint64_t kPowers[] = {1ull,
                                                10ull,
                                                100ull,
                                                1000ull,
                                                10000ull,
                                                100000ull,
                                                1000000ull,
                                                10000000ull,
                                                100000000ull,
                                                1000000000ull,
                                                10000000000ull,
                                                100000000000ull,
                                                1000000000000ull,
                                                10000000000000ull,
                                                100000000000000ull,
                                                1000000000000000ull,
                                                10000000000000000ull,
                                                100000000000000000ull};
    const double scaled = std::nearbyint(value * static_cast<double>(kPowers[decimals]));
    if (!(std::fabs(scaled) < 9e15)) {
        // Beyond the whole numbers a double holds exactly: the value in its shortest form.
        return std::to_chars(at, at + kRoundedLength, value).ptr;
    }
    if (scaled < 0)
        *at++ = '-';
    const std::uint64_t whole = static_cast<std::uint64_t>(std::fabs(scaled));
    at = std::to_chars(at, at + 20, whole / kPowers[decimals]).ptr;
    std::uint64_t fraction = whole % kPowers[decimals];
    if (fraction == 0)
        return at;
    int digits = decimals;
    for (; fraction % 10 == 0; fraction /= 10)
        --digits;
    *at++ = '.';
    char* const end = at + digits;
    for (char* digit = end; digit != at; fraction /= 10)
        *--digit = static_cast<char>('0' + fraction % 10);
    return end;
}

void AppendRounded(std::string& text, double value, int decimals) {
    char buffer[kRoundedLength];
    text.append(buffer, WriteRounded(buffer, value, decimals));
}

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

namespace {

class VcdWriter final : public ReportWriter {
public:
    explicit VcdWriter(std::string path) : path_(std::move(path)) {}

    void Begin(const ReplaySetup& setup) override {
        const device::RecordingInfo& recording = setup.Recording;
        inputs_ = UsedInputs(setup.Blocks, recording.Channels.size());
        if (inputs_.empty()) {
            for (std::size_t input = 0; input < recording.Channels.size(); ++input)
                inputs_.push_back(input);
        }
        rate_ = recording.SampleRate;
        count_ = recording.SampleCount;
        scale_ = TimescaleFor(rate_);
        unit_ = std::pow(10.0, scale_.Exponent);
        for (const std::size_t input : inputs_) {
            decimals_.push_back(
                ResolutionDecimals(input < setup.Inputs.size() ? setup.Inputs[input].Range : 1.0));
        }
        names_.clear();
        file_ = std::make_unique<ReportFile>(path_);
        std::string& text = file_->Text();
        text += "$version Ostrel preview $end\n";
        text += "$comment time 0 is the first sample, " + FixedText(recording.StartTime, 9) +
                " s into the recording; inputs in their units at the converter's resolution "
                "$end\n";
        text += "$timescale " + UnitName(scale_.Exponent) + " $end\n";
        text += "$scope module preview $end\n";
        for (std::size_t i = 0; i < inputs_.size(); ++i) {
            codes_.push_back(CodeOf(i));
            names_.push_back(VariableName("Input " + std::to_string(inputs_[i] + 1) + " " +
                                          recording.Channels[inputs_[i]].Unit));
            text += "$var real 64 " + codes_.back() + " " + names_.back() + " $end\n";
        }
        // The outputs are declared with the first block, which names them.
        blocks_ = setup.Blocks;
    }

    void Needs(device::BlockNeeds& needs) const override {
        for (const std::size_t input : inputs_) {
            needs.Units[input] = true;
            needs.Values[input] = true;
        }
    }

    void Consume(const device::SampleBlock& samples, const device::TraceBlock& events) override {
        if (!declared_)
            Declare(events);
        for (std::size_t o = 0; o < outputs_.size(); ++o) {
            for (const device::LevelChange& change : events.Changes[o])
                outputs_[o].Waiting.Push(change);
            if (!outputs_[o].Waiting.Empty())
                nextChange_ = std::min(nextChange_, outputs_[o].Waiting.Front().Sample);
            for (const device::Pulse& pulse : events.Outputs[o].Pulses) {
                if (outputs_[o].First.size() < kPulsesShown)
                    outputs_[o].First.push_back(pulse);
            }
        }
        std::string& text = file_->Text();
        const std::int64_t first = samples.First;
        for (std::int64_t j = 0; j < samples.Count; ++j) {
            const std::int64_t sample = first + j;
            // The sample's lines gather in `line_`, then go to the file at once.
            char* const begin = line_.data();
            char* at = begin;
            bool stamped = sample == 0;  // the first sample's values come under "#0"
            for (std::size_t i = 0; i < inputs_.size(); ++i) {
                const std::int16_t units = samples.Units[inputs_[i]][static_cast<std::size_t>(j)];
                if (sample != 0 && units == last_[i])
                    continue;
                if (!stamped) {
                    *at++ = '#';
                    at = std::to_chars(at, at + 20, TimeOf(sample)).ptr;
                    *at++ = '\n';
                    stamped = true;
                }
                const double value = samples.Values[inputs_[i]][static_cast<std::size_t>(j)];
                if (!std::isfinite(value))
                    throw SignalFileError(path_, 0,
                                          "a sample is " + std::to_string(value) +
                                              ", which a value change dump cannot hold");
                *at++ = 'r';
                at = WriteRounded(at, value, decimals_[i]);
                *at++ = ' ';
                at = std::copy(codes_[i].begin(), codes_[i].end(), at);
                *at++ = '\n';
                last_[i] = units;
            }
            text.append(begin, at);
            stamped_ = stamped;
            if (sample >= nextChange_)
                Levels(text, sample);
            if (sample == 0)
                text += "$end\n";
            file_->MaybeFlush();
        }
    }

    std::string Finish() override {
        file_->Text() += "#" + std::to_string(TimeOf(std::max<std::int64_t>(count_, 1))) + "\n";
        // The save file goes beside a dump that is a file of its own, never beside a device or
        // the standard output.
        const bool beside = file_->ReplacesAFile();
        file_->Commit();
        if (beside) {
            std::vector<std::size_t> shown;
            std::vector<device::Pulse> first;
            for (std::size_t o = 0; o < outputs_.size(); ++o) {
                const OutputCommandBlock* block = BlockOf(blocks_, numbers_[o]);
                if (block == nullptr || block->Mode == OutputCommandBlock::kOff)
                    continue;
                shown.push_back(o);
                first.insert(first.end(), outputs_[o].First.begin(), outputs_[o].First.end());
            }
            const auto [from, to] = FirstPulses(first, rate_, count_);
            files::ReplaceFile(GtkwPathFor(path_), GtkwText(path_, names_, inputs_.size(), shown,
                                                            from, to, scale_.Exponent));
        }
        const std::vector<std::string> saved =
            beside ? FilesBesideVcd(path_) : std::vector<std::string>{};
        return "Value change dump written to " + WhereTo(path_) +
               (saved.empty() ? std::string() : ", GTKWave save file " + saved.front());
    }

private:
    struct Output {
        std::string Code;
        std::vector<device::Pulse> First;  // its first few pulses, for the save file
        SpillQueue<device::LevelChange> Waiting;
        bool Level = false;
    };

    void Declare(const device::TraceBlock& events) {
        std::string& text = file_->Text();
        outputs_ = std::vector<Output>(events.Outputs.size());
        for (std::size_t o = 0; o < outputs_.size(); ++o) {
            outputs_[o].Code = CodeOf(inputs_.size() + o);
            numbers_.push_back(events.Outputs[o].Output);
            names_.push_back(VariableName(OutputName(events.Outputs[o].Output)));
            text += "$var wire 1 " + outputs_[o].Code + " " + names_.back() + " $end\n";
        }
        text += "$upscope $end\n$enddefinitions $end\n";
        text += "#0\n$dumpvars\n";
        stamped_ = true;
        last_.assign(inputs_.size(), 0);
        line_.resize(32 + inputs_.size() * (kRoundedLength + 8));
        declared_ = true;
        if (count_ == 0) {
            for (std::size_t i = 0; i < inputs_.size(); ++i)
                text += "r0 " + codes_[i] + "\n";
            for (const Output& output : outputs_)
                text += "0" + output.Code + "\n";
            text += "$end\n";
        }
    }

    std::int64_t TimeOf(std::int64_t sample) const {
        const double units = static_cast<double>(sample) / rate_ / unit_;
        // GTKWave counts in the unit without the timescale's multiplier (up to 100 times as
        // many): every time must stay a whole number of 64 bits there too.
        if (!(units < 0x1p55))
            throw SignalFileError(path_, 0,
                                  "sample " + std::to_string(sample) + " lies " +
                                      ShortNumber(units * unit_, 6) +
                                      " s after the first, beyond the times a value change "
                                      "dump can hold");
        if (scale_.UnitsPerSample > 0)
            return sample * scale_.UnitsPerSample;
        return std::llround(units);
    }

    void Stamp(std::string& text, std::int64_t sample) {
        if (stamped_ && sample != 0)
            return;
        if (sample != 0) {
            text += '#';
            char buffer[24];
            text.append(buffer, std::to_chars(buffer, buffer + sizeof buffer, TimeOf(sample)).ptr);
            text += '\n';
        }
        stamped_ = true;
    }

    // Applies the level changes due at `sample` and writes the outputs whose level changed.
    void Levels(std::string& text, std::int64_t sample) {
        nextChange_ = INT64_MAX;
        for (Output& output : outputs_) {
            bool level = output.Level;
            while (!output.Waiting.Empty() && output.Waiting.Front().Sample <= sample) {
                level = output.Waiting.Front().High;
                output.Waiting.Pop();
            }
            if (!output.Waiting.Empty())
                nextChange_ = std::min(nextChange_, output.Waiting.Front().Sample);
            if (level != output.Level || sample == 0) {
                Stamp(text, sample);
                text += level ? '1' : '0';
                text += output.Code;
                text += '\n';
                output.Level = level;
            }
        }
    }

    std::string path_;
    std::vector<OutputCommandBlock> blocks_;
    std::vector<std::size_t> inputs_;
    std::vector<int> decimals_;
    std::vector<std::string> codes_;
    std::vector<std::string> names_;
    std::vector<Output> outputs_;
    std::vector<std::int16_t> last_;
    std::vector<char> line_;  // one sample's lines
    double rate_ = 0.0;
    double unit_ = 1.0;
    std::int64_t count_ = 0;
    VcdTimescale scale_;
    std::unique_ptr<ReportFile> file_;
    std::vector<std::int32_t> numbers_;  // the outputs, in the programs' order
    bool declared_ = false;
    bool stamped_ = false;
    std::int64_t nextChange_ = 0;
};

}  // namespace

void WriteVcd(const std::string& path, const device::Signals& signals, const device::Trace& trace,
              const std::vector<OutputCommandBlock>& blocks,
              const std::vector<InputScale>& inputs) {
    VcdWriter writer(path);
    ReplaySetup setup;
    setup.Blocks = blocks;
    setup.Inputs = inputs;
    setup.Recording = RecordingOf(signals);
    writer.Begin(setup);
    ConsumeWhole(writer, setup, signals, trace);
    writer.Finish();
}

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
