#include "host/preview/reports/events_csv_report.h"

#include <cstdio>
#include <memory>
#include <vector>

#include "host/preview/formats/signal_file_error.h"
#include "host/preview/reports/report_file.h"
#include "host/preview/reports/report_writer.h"
#include "host/preview/reports/spill_queue.h"
#include "host/preview/reports/trace_labels.h"

namespace preview {

namespace {

class EventsCsvWriter final : public ReportWriter {
public:
    explicit EventsCsvWriter(std::string path) : path_(std::move(path)) {}

    void Begin(const ReplaySetup& setup) override {
        recording_ = setup.Recording;
        decimals_ = TimeDecimals(recording_.SampleRate);
        file_ = std::make_unique<ReportFile>(path_);
        file_->Text() += "output,name,event,start (s),end (s),note\n";
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
        const std::int64_t passed = events.First + events.Count;
        for (std::size_t k = 0; k < events.Outputs.size(); ++k) {
            Output& output = outputs_[k];
            std::string& text = k == 0 ? file_->Text() : output.Text;
            for (const device::Pulse& pulse : events.Outputs[k].Pulses)
                output.Waiting.Push(pulse);
            for (const device::IgnoredTrigger& ignored : events.Outputs[k].Ignored) {
                WritePulses(output, text, ignored.Sample);
                text += output.Lead;
                text += "ignored,";
                AppendTime(text, ignored.Sample);
                text += ",,";
                text += ReasonText(ignored.Why);
                text += '\n';
            }
            WritePulses(output, text, passed);
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

    struct Output {
        std::string Lead;  // "1,Analog Output 1,"
        SpillQueue<device::Pulse> Waiting;
        std::string Text;
        std::vector<std::pair<std::uint64_t, std::size_t>> Aside;  // in the temporary file
    };

    void AppendTime(std::string& text, std::int64_t sample) const {
        text += FixedText(
            recording_.StartTime + static_cast<double>(sample) / recording_.SampleRate, decimals_);
    }

    // The pulses that start at or before `sample`: no trigger ignored later can precede them.
    void WritePulses(Output& output, std::string& text, std::int64_t sample) {
        while (!output.Waiting.Empty() && output.Waiting.Front().Start <= sample) {
            const device::Pulse pulse = output.Waiting.Front();
            output.Waiting.Pop();
            text += output.Lead;
            text += "pulse,";
            AppendTime(text, pulse.Start);
            text += ',';
            AppendTime(text, pulse.End);
            text += ',';
            if (pulse.End >= recording_.SampleCount)
                text += "still high at the end";
            text += '\n';
        }
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
