#include "host/ostrel/preview_command.h"

#include <cmath>
#include <stdexcept>
#include <string_view>

#include "host/device/device_description_text.h"
#include "host/device/input_converter.h"
#include "host/device/output_engine.h"
#include "host/ostrel/document_commands.h"
#include "host/ostrel/file_text.h"
#include "host/ostrel/ostrel_host.h"
#include "host/ostrel/preview_summary.h"
#include "host/preview/events_csv_writer.h"
#include "host/preview/plot_writer.h"
#include "host/preview/signal_file.h"
#include "host/preview/signal_file_error.h"
#include "host/preview/vcd_writer.h"
#include "host/session/document_file.h"

namespace Ostrel {
namespace {

// Raised for what stops the preview with exit code 2; the message is printed after "ostrel: ".
class PreviewError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The signals must fit the device: a rate its converters sample at, and every input a used
// rule slot watches. (The readers check the channels' number and units.)
void CheckFit(const Preview::Signals& signals, const std::string& path,
              const std::vector<OutputProgram>& programs) {
    if (!(signals.SampleRate > 0.0 && signals.SampleRate <= kMaxSampleRate))
        throw PreviewError(path + ": the sample rate " + std::to_string(signals.SampleRate) +
                           " per second does not fit the device, which samples each input at "
                           "up to " +
                           std::to_string(static_cast<long>(kMaxSampleRate)) + " per second");
    for (const OutputProgram& program : programs) {
        if (!program.Active())
            continue;
        for (const RuleProgram& rule : program.Rules) {
            if (static_cast<std::size_t>(rule.Input) > signals.Channels.size())
                throw PreviewError(path + ": output " + std::to_string(program.Output) +
                                   " watches Input " + std::to_string(rule.Input) +
                                   ", but the file holds " +
                                   std::to_string(signals.Channels.size()) + " inputs");
        }
    }
}

// The samples of [from, to) in the recording's time; the whole replay without them.
SampleWindow WindowOf(const PreviewOptions& options, const Preview::Trace& trace) {
    const double last = trace.StartTime + static_cast<double>(trace.SampleCount) / trace.SampleRate;
    const auto sample = [&](double seconds) {
        const double offset = (seconds - trace.StartTime) * trace.SampleRate;
        if (offset <= 0.0)
            return std::int64_t{0};
        if (offset >= static_cast<double>(trace.SampleCount))
            return trace.SampleCount;
        return static_cast<std::int64_t>(std::ceil(offset - 1e-9 * offset));
    };
    SampleWindow window{0, trace.SampleCount};
    if (!options.From && !options.To)
        return window;
    if (options.From)
        window.From = sample(*options.From);
    if (options.To)
        window.To = sample(*options.To);
    if (options.From && *options.From >= last)
        throw PreviewError("--from " + FormatSeconds(*options.From, trace.SampleRate) +
                           " s is not before the recording's end at " +
                           FormatSeconds(last, trace.SampleRate) + " s");
    if (options.To && *options.To <= trace.StartTime)
        throw PreviewError("--to " + FormatSeconds(*options.To, trace.SampleRate) +
                           " s is not after the recording's start at " +
                           FormatSeconds(trace.StartTime, trace.SampleRate) + " s");
    if (window.From >= window.To)
        throw PreviewError("--from and --to leave no sample to look at");
    return window;
}

// Programs the device as `apply` or `open` would; false (with the exit code) when it fails.
bool Program(OstrelHost& host, const std::string& path, std::ostream& out, std::ostream& err,
             int& code) {
    std::optional<std::string> text = ReadCommandFile(path, err);
    if (!text) {
        code = 2;
        return false;
    }
    if (!std::string_view(*text).starts_with(kDocumentFileHeader)) {
        // A text that does not read is refused, as apply refuses it, with where it stopped.
        text = ReadConfigurationToApply(path, err, code);
        if (!text)
            return false;
        host.SendConfigurationText(*text);
        out << "Configuration text " << path << " sent to the document\n";
        return true;
    }
    code = OpenDocumentFile(host, path, out, err);
    return code == 0;
}

// The blocks as the device carries them out: an output it keeps low counts as off.
std::vector<OutputCommandBlock> BlocksInForce(const std::vector<OutputProgram>& programs) {
    std::vector<OutputCommandBlock> blocks;
    for (const OutputProgram& program : programs) {
        OutputCommandBlock& block = blocks.emplace_back(program.Block);
        if (!program.Active())
            block.Mode = OutputCommandBlock::kOff;
    }
    return blocks;
}

void WriteFiles(const PreviewOptions& options, const Preview::Signals& signals,
                const Preview::Trace& trace, const std::vector<OutputProgram>& programs,
                const std::vector<Preview::InputScale>& inputs, std::ostream& out) {
    if (!options.Events.empty()) {
        Preview::WriteEventsCsv(options.Events, trace);
        out << "Events written to " << options.Events << "\n";
    }
    if (!options.Vcd.empty()) {
        Preview::WriteVcd(options.Vcd, signals, trace, BlocksInForce(programs));
        out << "Value change dump written to " << options.Vcd << ", GTKWave save file "
            << Preview::GtkwPathFor(options.Vcd) << "\n";
    }
    if (!options.Plot.empty()) {
        Preview::PlotOptions plot;
        plot.From = options.From;
        plot.To = options.To;
        Preview::WritePlot(options.Plot, signals, trace, BlocksInForce(programs), inputs, plot);
        out << "Picture written to " << options.Plot << "\n";
    }
}

}  // namespace

int RunPreview(const std::string& configOrDocument, const PreviewOptions& options,
               std::ostream& out, std::ostream& err) {
    try {
        const DeviceDescription device = ParseDeviceDescription(options.Device);
        OstrelHost host(device, out);
        int code = 0;
        if (!Program(host, configOrDocument, out, err, code))
            return code;
        const std::vector<OutputProgram> programs =
            ProgramsInForce(host.Device().Commands(), device.Inputs);

        const std::vector<Preview::InputScale> inputs = Preview::InputScalesOf(device);
        const Preview::Signals signals = Preview::ReadSignalFile(options.Signals, inputs);
        CheckFit(signals, options.Signals, programs);
        std::vector<double> ranges;
        for (const Preview::InputScale& input : inputs)
            ranges.push_back(input.Range);
        const Preview::Trace trace = ReplayOutputs(programs, ConvertSignals(signals, ranges));
        const SampleWindow window = WindowOf(options, trace);
        out << "Signals " << options.Signals << ": " << signals.Channels.size() << " inputs\n"
            << FormatPreviewSummary(programs, trace, window, inputs);
        WriteFiles(options, signals, trace, programs, inputs, out);
        return 0;
    } catch (const DeviceDescriptionError& error) {
        err << "ostrel: bad device description: " << error.what() << "\n";
    } catch (const Preview::SignalFileError& error) {
        err << "ostrel: " << error.what() << "\n";
    } catch (const PreviewError& error) {
        err << "ostrel: " << error.what() << "\n";
    }
    return 2;
}

}  // namespace Ostrel
