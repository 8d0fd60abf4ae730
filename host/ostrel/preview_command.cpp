#include "host/ostrel/preview_command.h"

#include <algorithm>
#include <cmath>
#include <memory>
#include <stdexcept>
#include <string_view>

#include "host/device/device_description_text.h"
#include "host/device/input_converter.h"
#include "host/device/output_engine.h"
#include "host/ostrel/document_commands.h"
#include "host/ostrel/file_text.h"
#include "host/ostrel/ostrel_host.h"
#include "host/ostrel/preview_summary.h"
#include "host/preview/formats/signal_file_error.h"
#include "host/preview/formats/signal_formats.h"
#include "host/preview/reports/report_writers.h"
#include "host/session/document_file.h"

namespace ostrel {
namespace {

// Raised for what stops the preview with exit code 2; the message is printed after "ostrel: ".
class PreviewError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The signals must fit the device: a rate its converters sample at, and every input a used
// rule slot watches. (The readers check the channels' number and units.)
void CheckFit(const device::Signals& signals, const std::string& path,
              const std::vector<device::OutputProgram>& programs) {
    if (!(signals.SampleRate > 0.0 && signals.SampleRate <= device::kMaxSampleRate))
        throw PreviewError(path + ": the sample rate " + std::to_string(signals.SampleRate) +
                           " per second does not fit the device, which samples each input at "
                           "up to " +
                           std::to_string(static_cast<long>(device::kMaxSampleRate)) +
                           " per second");
    for (const device::OutputProgram& program : programs) {
        if (!program.Active())
            continue;
        for (const device::RuleProgram& rule : program.Rules) {
            if (static_cast<std::size_t>(rule.Input) > signals.Channels.size())
                throw PreviewError(path + ": output " + std::to_string(program.Output) +
                                   " watches Input " + std::to_string(rule.Input) +
                                   ", but the file holds " +
                                   std::to_string(signals.Channels.size()) + " inputs");
        }
    }
}

// The samples of [from, to) in the recording's time; the whole replay without them.
SampleWindow WindowOf(const PreviewOptions& options, const device::Trace& trace) {
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
    if (!std::string_view(*text).starts_with(session::kDocumentFileHeader)) {
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
std::vector<OutputCommandBlock> BlocksInForce(const std::vector<device::OutputProgram>& programs) {
    std::vector<OutputCommandBlock> blocks;
    for (const device::OutputProgram& program : programs) {
        OutputCommandBlock& block = blocks.emplace_back(program.Block);
        if (!program.Active())
            block.Mode = OutputCommandBlock::kOff;
    }
    return blocks;
}

// Every report asked for, in the table's order, each told what was replayed and given the
// whole replay.
void WriteReports(const PreviewOptions& options, const preview::ReplaySetup& setup,
                  const device::Signals& signals, const device::Trace& trace, std::ostream& out) {
    for (const ReportRequest& request : options.Reports) {
        const std::unique_ptr<preview::ReportWriter> writer = request.Kind->Make(request.Path);
        writer->Begin(setup);
        writer->Consume(signals, trace);
        out << writer->Finish() << "\n";
    }
}

}  // namespace

void PreviewOptions::AskFor(const preview::ReportKind& kind, const std::string& path) {
    const auto& kinds = preview::ReportKinds();
    const auto rank = [&](const preview::ReportKind* k) {
        return std::find(kinds.begin(), kinds.end(), k) - kinds.begin();
    };
    auto at = Reports.begin();
    while (at != Reports.end() && rank(at->Kind) < rank(&kind))
        ++at;
    const bool asked = at != Reports.end() && at->Kind == &kind;
    if (path.empty()) {  // an empty file name asks for no report
        if (asked)
            Reports.erase(at);
    } else if (asked) {
        at->Path = path;
    } else {
        Reports.insert(at, ReportRequest{&kind, path});
    }
}

int RunPreview(const std::string& configOrDocument, const PreviewOptions& options,
               std::ostream& out, std::ostream& err) {
    try {
        const device::DeviceDescription device = device::ParseDeviceDescription(options.Device);
        OstrelHost host(device, out);
        int code = 0;
        if (!Program(host, configOrDocument, out, err, code))
            return code;
        const std::vector<device::OutputProgram> programs =
            device::ProgramsInForce(host.Device().Commands(), device.Inputs);

        const std::vector<preview::InputScale> inputs = preview::InputScalesOf(device);
        const device::Signals signals = preview::ReadSignalFile(options.Signals, inputs);
        CheckFit(signals, options.Signals, programs);
        std::vector<double> ranges;
        for (const preview::InputScale& input : inputs)
            ranges.push_back(input.Range);
        const device::Trace trace = ReplayOutputs(programs, ConvertSignals(signals, ranges));
        const SampleWindow window = WindowOf(options, trace);
        out << "Signals " << options.Signals << ": " << signals.Channels.size() << " inputs\n"
            << FormatPreviewSummary(programs, trace, window, inputs);
        WriteReports(
            options,
            preview::ReplaySetup{BlocksInForce(programs), inputs, options.From, options.To},
            signals, trace, out);
        return 0;
    } catch (const device::DeviceDescriptionError& error) {
        err << "ostrel: bad device description: " << error.what() << "\n";
    } catch (const preview::SignalFileError& error) {
        err << "ostrel: " << error.what() << "\n";
    } catch (const PreviewError& error) {
        err << "ostrel: " << error.what() << "\n";
    }
    return 2;
}

}  // namespace ostrel
