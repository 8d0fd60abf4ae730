#include "host/preview/reports/events_csv_report.h"

#include <memory>

#include "host/files/output_file.h"
#include "host/preview/reports/report_writer.h"
#include "host/preview/reports/trace_labels.h"

namespace preview {

std::string EventsCsvText(const device::Trace& trace) {
    const int decimals = TimeDecimals(trace.SampleRate);
    const auto time = [&](std::int64_t sample) {
        return FixedText(trace.StartTime + static_cast<double>(sample) / trace.SampleRate,
                         decimals);
    };
    std::string text = "output,name,event,start (s),end (s),note\n";
    for (const device::OutputTrace& output : trace.Outputs) {
        const std::string lead =
            std::to_string(output.Output) + "," + OutputName(output.Output) + ",";
        auto pulse = output.Pulses.begin();
        auto ignored = output.Ignored.begin();
        while (pulse != output.Pulses.end() || ignored != output.Ignored.end()) {
            if (ignored == output.Ignored.end() ||
                (pulse != output.Pulses.end() && pulse->Start <= ignored->Sample)) {
                text += lead + "pulse," + time(pulse->Start) + "," + time(pulse->End) + "," +
                        (pulse->End >= trace.SampleCount ? "still high at the end" : "") + "\n";
                ++pulse;
            } else {
                text += lead + "ignored," + time(ignored->Sample) + ",," +
                        ReasonText(ignored->Why) + "\n";
                ++ignored;
            }
        }
    }
    return text;
}

void WriteEventsCsv(const std::string& path, const device::Trace& trace) {
    files::OutputFile file(path);
    file.Write(EventsCsvText(trace));
    file.Commit();
}

namespace {

class EventsCsvWriter final : public ReportWriter {
public:
    explicit EventsCsvWriter(std::string path) : path_(std::move(path)) {}

    void Begin(const ReplaySetup&) override {}
    void Consume(const device::Signals&, const device::Trace& events) override {
        events_ = &events;
    }
    std::string Finish() override {
        static const device::Trace kNothing;
        WriteEventsCsv(path_, events_ != nullptr ? *events_ : kNothing);
        return "Events written to " + WhereTo(path_);
    }

private:
    std::string path_;
    const device::Trace* events_ = nullptr;
};

}  // namespace

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
