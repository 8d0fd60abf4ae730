#include "host/preview/reports/events_csv_report.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <memory>
#include <optional>
#include <vector>

#include "host/preview/formats/signal_file_error.h"
#include "host/preview/reports/report_file.h"
#include "host/preview/reports/report_writer.h"
#include "host/preview/reports/spill_queue.h"
#include "host/preview/reports/trace_labels.h"
#include "host/preview/reports/trace_scoring.h"

namespace preview {

namespace {

class EventsCsvWriter final : public ReportWriter {
public:
    explicit EventsCsvWriter(std::string path) : path_(std::move(path)) {}

    void Begin(const ReplaySetup& setup) override {
        recording_ = setup.Recording;
        decimals_ = TimeDecimals(recording_.SampleRate);
        file_ = std::make_unique<ReportFile>(path_);
        file_->Text() += "output,name,event,start (s),end (s),note";
        if (setup.Scoring) {
            scoring_.emplace(setup, true);
            file_->Text() += ",reference (s)";
        }
        file_->Text() += '\n';
    }

    void Needs(device::BlockNeeds&) const override {}

    void Consume(const device::SampleBlock&, const device::TraceBlock& events) override {
        if (outputs_.empty()) {
            outputs_.resize(events.Outputs.size());
            for (std::size_t k = 0; k < outputs_.size(); ++k) {
                const std::int32_t output = events.Outputs[k].Output;
                outputs_[k].Lead = std::to_string(output) + "," + OutputName(output) + ",";
            }
        }
        if (scoring_)
            scoring_->Consume(events);
        const std::int64_t passed = events.First + events.Count;
        for (std::size_t k = 0; k < events.Outputs.size(); ++k) {
            Output& output = outputs_[k];
            std::string& text = k == 0 ? file_->Text() : output.Text;
            for (const device::Pulse& pulse : events.Outputs[k].Pulses)
                output.Waiting.Push(pulse);
            for (const device::IgnoredTrigger& ignored : events.Outputs[k].Ignored) {
                WritePulses(k, text, ignored.Sample);
                Row(k, text, {ignored.Sample, 0, kIgnored, static_cast<int>(ignored.Why)});
            }
            WritePulses(k, text, passed);
            if (scoring_ && scoring_->Scores(k))
                Release(k, text);
            if (k == 0)
                file_->MaybeFlush();
            else if (output.Text.size() >= kKeptBytes)
                SetAside(output);
        }
    }

    std::string Finish() override {
        // The other outputs' rows follow the first's, in order.
        std::vector<char> buffer;
        for (std::size_t k = 1; k < outputs_.size(); ++k) {
            for (const auto& [offset, length] : outputs_[k].Aside) {
                buffer.resize(length);
                if (std::fseek(aside_.get(), static_cast<long>(offset), SEEK_SET) != 0 ||
                    std::fread(buffer.data(), 1, length, aside_.get()) != length)
                    throw SignalFileError(path_, 0, "its rows set aside could not be read back");
                file_->Write(std::string_view(buffer.data(), length));
            }
            file_->Write(outputs_[k].Text);
        }
        file_->Commit();
        return "Events written to " + WhereTo(path_);
    }

private:
    // An output's rows beyond the first output's are kept up to this many bytes, then set aside.
    static constexpr std::size_t kKeptBytes = 64 << 10;

    // A row of the file as it waits for its scoring: a pulse (from Sample to End) or an
    // ignored trigger (at Sample, for the reason Why).
    static constexpr int kPulse = 0, kIgnored = 1;
    struct HeldRow {
        std::int64_t Sample;
        std::int64_t End;
        int Kind;
        int Why;
    };

    struct Output {
        std::string Lead;  // "1,Analog Output 1,"
        SpillQueue<device::Pulse> Waiting;
        // Scored: rows whose pulse's event, or the missed events before them, are not known yet.
        SpillQueue<HeldRow> Held;
        std::string Text;
        std::vector<std::pair<std::uint64_t, std::size_t>> Aside;  // in the temporary file
    };

    void AppendTime(std::string& text, std::int64_t sample) const {
        text += FixedText(
            recording_.StartTime + static_cast<double>(sample) / recording_.SampleRate, decimals_);
    }

    // The pulses that start at or before `sample`: no trigger ignored later can precede them.
    void WritePulses(std::size_t k, std::string& text, std::int64_t sample) {
        Output& output = outputs_[k];
        while (!output.Waiting.Empty() && output.Waiting.Front().Start <= sample) {
            const device::Pulse pulse = output.Waiting.Front();
            output.Waiting.Pop();
            Row(k, text, {pulse.Start, pulse.End, kPulse, 0});
        }
    }

    // A row in time order: written at once, or, when scored, held until its scoring is known.
    void Row(std::size_t k, std::string& text, const HeldRow& row) {
        if (scoring_ && scoring_->Scores(k))
            outputs_[k].Held.Push(row);
        else
            WriteRow(outputs_[k], text, row, std::nullopt);
    }

    void WriteRow(const Output& output, std::string& text, const HeldRow& row,
                  const std::optional<scoring::PulseFate>& fate) {
        text += output.Lead;
        if (row.Kind == kIgnored) {
            text += "ignored,";
            AppendTime(text, row.Sample);
            text += ",,";
            text += ReasonText(static_cast<device::IgnoredBecause>(row.Why));
            text += scoring_ ? ",\n" : "\n";
            return;
        }
        text += "pulse,";
        AppendTime(text, row.Sample);
        text += ',';
        AppendTime(text, row.End);
        text += ',';
        const bool open = row.End >= recording_.SampleCount;
        if (open)
            text += "still high at the end";
        if (fate && fate->Counted && !fate->Hit)
            text += open ? "; false pulse" : "false pulse";
        if (scoring_) {
            text += ',';
            if (fate && fate->Hit)
                AppendReference(text, fate->Reference);
        }
        text += '\n';
    }

    static void AppendReference(std::string& text, double seconds) {
        char buffer[32];
        const auto result = std::to_chars(buffer, buffer + sizeof buffer, seconds);
        text.append(buffer, result.ptr);
    }

    // Writes the held rows of output k whose scoring is known, each after the missed events
    // before it; at the end every row and every missed event.
    void Release(std::size_t k, std::string& text) {
        Output& output = outputs_[k];
        scoring::Matcher& matcher = scoring_->Of(k);
        const auto missedUpTo = [&](double time) {
            for (std::optional<double> missed; (missed = matcher.NextMissed()) && *missed <= time;
                 matcher.TakeMissed()) {
                text += output.Lead;
                text += "missed,,,,";
                AppendReference(text, *missed);
                text += '\n';
            }
        };
        for (; !output.Held.Empty(); output.Held.Pop()) {
            const HeldRow row = output.Held.Front();
            const double time = scoring_->TimeOf(row.Sample);
            std::optional<scoring::PulseFate> fate;
            if (row.Kind == kPulse && !(fate = matcher.NextFate()))
                break;
            if (const std::optional<double> event = matcher.NextUndecidedEvent();
                event && *event <= time)
                break;
            missedUpTo(time);
            WriteRow(output, text, row, fate);
            if (fate)
                matcher.TakeFate();
        }
        if (scoring_->Finished())
            missedUpTo(INFINITY);
    }

    void SetAside(Output& output) {
        if (!aside_) {
            aside_.reset(std::tmpfile());
            if (!aside_)
                throw SignalFileError(path_, 0, "no temporary file for its rows");
        }
        if (std::fseek(aside_.get(), 0, SEEK_END) != 0)
            throw SignalFileError(path_, 0, "its rows could not be set aside");
        const long offset = std::ftell(aside_.get());
        if (offset < 0 || std::fwrite(output.Text.data(), 1, output.Text.size(), aside_.get()) !=
                              output.Text.size())
            throw SignalFileError(path_, 0, "its rows could not be set aside");
        output.Aside.emplace_back(static_cast<std::uint64_t>(offset), output.Text.size());
        output.Text.clear();
    }

    struct FileCloser {
        void operator()(std::FILE* file) const { std::fclose(file); }
    };

    std::string path_;
    device::RecordingInfo recording_;
    int decimals_ = 0;
    std::unique_ptr<ReportFile> file_;
    std::optional<TraceScoring> scoring_;
    std::vector<Output> outputs_;
    std::unique_ptr<std::FILE, FileCloser> aside_;
};

}  // namespace

void WriteEventsCsv(const std::string& path, const device::Trace& trace) {
    EventsCsvWriter writer(path);
    ReplaySetup setup;
    setup.Recording.SampleRate = trace.SampleRate;
    setup.Recording.StartTime = trace.StartTime;
    setup.Recording.SampleCount = trace.SampleCount;
    writer.Begin(setup);
    ConsumeWhole(writer, setup, device::Signals{}, trace);
    writer.Finish();
}

const ReportKind& EventsCsvReport() {
    static const ReportKind kind{
        "--events",
        "OUT.csv",
        "writes every pulse and ignored trigger as CSV",
        [](const std::string& path) -> std::unique_ptr<ReportWriter> {
            return std::make_unique<EventsCsvWriter>(path);
        },
        {},
        nullptr,
    };
    return kind;
}

}  // namespace preview
