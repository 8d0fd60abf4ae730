#include "host/ostrel/preview_command.h"

#include <algorithm>
#include <cmath>
#include <memory>
#include <stdexcept>
#include <string_view>

#include "host/device/device_description_text.h"
#include "host/device/input_converter.h"
#include "host/files/file_identity.h"
#include "host/files/read_file.h"
#include "host/ostrel/document_commands.h"
#include "host/ostrel/file_text.h"
#include "host/ostrel/ostrel_host.h"
#include "host/ostrel/preview_summary.h"
#include "host/ostrel/programming_report.h"
#include "host/ostrel/signal_fit.h"
#include "host/preview/formats/signal_file_error.h"
#include "host/preview/formats/signal_formats.h"
#include "host/preview/replay_pipeline.h"
#include "host/preview/reports/report_writers.h"
#include "host/session/document_file.h"

namespace ostrel {
namespace {

// Raised for what stops the preview with exit code 2; the message is printed after "ostrel: ".
class PreviewError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The samples of [from, to) in the recording's time; the whole replay without them.
SampleWindow WindowOf(const PreviewOptions& options, const device::RecordingInfo& trace) {
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

// A file the preview reads or writes, with how the messages name it.
struct NamedFile {
    std::string Path;
    std::string Name;
};

// Refuses, before anything is read or written, an output that is one of the inputs or another
// output, whatever their names: two names of one file (a link, "./x", "-" and a redirected
// standard output) are one file.
void CheckFilesApart(const std::string& configOrDocument, const PreviewOptions& options) {
    const std::vector<NamedFile> inputs{{configOrDocument, "the input " + configOrDocument},
                                        {options.Signals, "the recording " + options.Signals}};
    std::vector<NamedFile> outputs;
    for (const ReportRequest& request : options.Reports) {
        const std::string option(request.Kind->Option);
        outputs.push_back({request.Path, option + " " + request.Path});
        if (request.Kind->FilesBeside != nullptr) {
            for (const std::string& beside : request.Kind->FilesBeside(request.Path))
                outputs.push_back({beside, "the file written beside " + option + " " +
                                               request.Path + " (" + beside + ")"});
        }
    }
    for (std::size_t i = 0; i < outputs.size(); ++i) {
        const std::optional<files::FileIdentity> output = files::IdentityOf(outputs[i].Path);
        if (!output)
            continue;  // its folder is missing: the write says so
        for (const NamedFile& input : inputs) {
            if (files::IdentityOf(input.Path) == output)
                throw PreviewError(outputs[i].Name + " would overwrite " + input.Name +
                                   "; nothing was read or written");
        }
        for (std::size_t j = 0; j < i; ++j) {
            if (files::IdentityOf(outputs[j].Path) == output)
                throw PreviewError(outputs[j].Name + " and " + outputs[i].Name +
                                   " are one file; nothing was read or written");
        }
    }
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
    if (code == 0 && !host.StoredTextProblem().empty()) {
        err << "ostrel: " << path
            << " holds no configuration this Tarvel reads; nothing was "
               "applied\n";
        code = 1;
    }
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

// Every report asked for, in the table's order, each told what is replayed; its file is opened
// here and completed, once the whole recording has replayed, by Finish.
std::vector<std::unique_ptr<preview::ReportWriter>> BeginReports(
    const PreviewOptions& options, const preview::ReplaySetup& setup) {
    std::vector<std::unique_ptr<preview::ReportWriter>> writers;
    for (const ReportRequest& request : options.Reports) {
        writers.push_back(request.Kind->Make(request.Path));
        writers.back()->Begin(setup);
    }
    return writers;
}

}  // namespace

int RunPreview(const std::string& configOrDocument, const PreviewOptions& options,
               std::ostream& out, std::ostream& err) {
    // A report on the standard output has it to itself: what ostrel says goes with the errors.
    const bool reportOnOutput = std::any_of(
        options.Reports.begin(), options.Reports.end(),
        [](const ReportRequest& request) { return files::IsStandardOutput(request.Path); });
    std::ostream& status = reportOnOutput ? err : out;
    try {
        CheckFilesApart(configOrDocument, options);
        // A recording that never ends (a FIFO, a device) is refused before it is opened.
        files::CheckRegularFile(options.Signals);
        const device::DeviceDescription device = device::ParseDeviceDescription(options.Device);
        OstrelHost host(device, status);
        int code = 0;
        if (!Program(host, configOrDocument, status, err, code))
            return code;
        // Refusals are reported as apply reports them; the device runs what it holds.
        const bool programmed = ReportProgramming(host.Device(), status, err);
        const std::vector<device::OutputProgram> programs =
            device::ProgramsInForce(host.Device().Commands(), device.Inputs);

        const std::vector<preview::InputScale> inputs = preview::InputScalesOf(device);
        const std::unique_ptr<preview::SignalReader> reader =
            preview::OpenSignalFile(options.Signals, inputs);
        const device::RecordingInfo& recording = reader->Info();
        CheckFit(recording, options.Signals, programs);
        const SampleWindow window = WindowOf(options, recording);
        const std::vector<std::unique_ptr<preview::ReportWriter>> writers = BeginReports(
            options, preview::ReplaySetup{BlocksInForce(programs), inputs, options.From, options.To,
                                          recording, std::nullopt});
        std::vector<preview::ReportWriter*> writing;
        for (const auto& writer : writers)
            writing.push_back(writer.get());
        SummaryTally tally(window);
        preview::ReplayRecording(*reader, options.Signals, programs, writing, {&tally});
        status << "Signals " << options.Signals << ": " << recording.Channels.size() << " inputs\n"
               << FormatPreviewSummary(programs, recording, tally, window, inputs)
               << RefusedOutputsText(host.Device().Commands(), programs);
        for (const auto& writer : writers)
            status << writer->Finish() << "\n";
        return programmed ? 0 : 1;
    } catch (const device::DeviceDescriptionError& error) {
        err << "ostrel: bad device description: " << error.what() << "\n";
    } catch (const preview::SignalFileError& error) {
        err << "ostrel: " << error.what() << "\n";
    } catch (const files::FileError& error) {
        err << "ostrel: " << error.what() << "\n";
    } catch (const PreviewError& error) {
        err << "ostrel: " << error.what() << "\n";
    } catch (const SignalFitError& error) {
        err << "ostrel: " << error.what() << "\n";
    }
    return 2;
}

}  // namespace ostrel
