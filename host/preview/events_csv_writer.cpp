#include "host/preview/events_csv_writer.h"

#include <fstream>

#include "host/preview/signal_file_error.h"
#include "host/preview/trace_labels.h"

namespace Ostrel::Preview {

std::string EventsCsvText(const Trace& trace) {
    const int decimals = TimeDecimals(trace.SampleRate);
    const auto time = [&](std::int64_t sample) {
        return FixedText(trace.StartTime + static_cast<double>(sample) / trace.SampleRate,
                         decimals);
    };
    std::string text = "output,name,event,start (s),end (s),note\n";
    for (const OutputTrace& output : trace.Outputs) {
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

void WriteEventsCsv(const std::string& path, const Trace& trace) {
    const std::string text = EventsCsvText(trace);
    std::ofstream file(path, std::ios::binary);
    if (!file)
        throw SignalFileError(path, 0, "cannot be opened for writing");
    file << text;
    file.flush();
    if (!file)
        throw SignalFileError(path, 0, "could not be written");
}

}  // namespace Ostrel::Preview
