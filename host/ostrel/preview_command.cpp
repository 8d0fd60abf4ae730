#include "host/ostrel/preview_command.h"

#include <algorithm>
#include <cmath>
#include <memory>
#include <stdexcept>
#include <string_view>
#include <utility>
#include <vector>

#include "host/device/device_description_text.h"
#include "host/device/input_converter.h"
#include "host/files/file_identity.h"
#include "host/files/read_file.h"
#include "host/ostrel/document_commands.h"
#include "host/ostrel/file_text.h"
#include "host/ostrel/ostrel_host.h"
#include "host/ostrel/preview_json.h"
#include "host/ostrel/preview_steps.h"
#include "host/ostrel/preview_summary.h"
#include "host/ostrel/programming_report.h"
#include "host/ostrel/results_json.h"
#include "host/ostrel/rule_warnings.h"
#include "host/ostrel/score_text.h"
#include "host/ostrel/signal_check.h"
#include "host/preview/formats/reference_events.h"
#include "host/preview/formats/signal_file_error.h"
#include "host/preview/formats/signal_formats.h"
#include "host/preview/replay_pipeline.h"
#include "host/preview/reports/report_writers.h"
#include "host/preview/reports/trace_labels.h"
#include "host/preview/reports/trace_scoring.h"
#include "host/session/document_file.h"

namespace ostrel {

void CheckFit(const device::RecordingInfo& signals, const std::string& path,
              const std::vector<device::OutputProgram>& programs, bool mapped) {
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
                                   (mapped
                                        ? ", which --map gives no channel"
                                        : ", but the recording holds " +
                                              std::to_string(signals.Channels.size()) + " inputs"));
        }
    }
}

namespace {

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

// The preview's files, each with how the messages name it.
void CheckFilesApart(const std::string& configOrDocument, const PreviewOptions& options) {
    std::vector<NamedFile> inputs{{configOrDocument, "the input " + configOrDocument},
                                  {options.Signals, "the recording " + options.Signals}};
    if (!options.Reference.empty())
        inputs.push_back({options.Reference, "the reference events " + options.Reference});
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
    if (!options.Json.empty())
        outputs.push_back({options.Json, "--json " + options.Json});
    CheckFilesApart(inputs, outputs);
}

}  // namespace

void CheckFilesApart(const std::vector<NamedFile>& inputs, const std::vector<NamedFile>& outputs) {
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

std::optional<Programming> Prepare(const std::string& path,
                                   const std::optional<std::string>& device, bool strict,
                                   std::ostream& out, std::ostream& err, int& code) {
    const std::optional<std::string> text = ReadCommandFile(path, err);
    code = 2;
    if (!text)
        return std::nullopt;
    Programming programming;
    if (std::string_view(*text).starts_with(session::kDocumentFileHeader)) {
        programming.Document = ReadDocumentOnDevice(path, device, out, err);
        if (!programming.Document)
            return std::nullopt;
        programming.Device = programming.Document->Device;
        code = 1;
        if (!WarnAboutRules(*programming.Document, strict, err))
            return std::nullopt;
        return programming;
    }
    // A text that does not read is refused, as apply refuses it, with where it stopped.
    programming.Text = ReadConfigurationToApply(path, err, code);
    if (!programming.Text)
        return std::nullopt;
    programming.Device = GivenDevice(device);
    out << programming.Device.Line << "\n";
    code = 1;
    if (!ReportRuleWarnings(*programming.Text, programming.Device.Device, nullptr, strict, err))
        return std::nullopt;
    return programming;
}

bool Program(OstrelHost& host, const Programming& programming, const std::string& path,
             std::ostream& out, std::ostream& err, int& code) {
    if (programming.Text) {
        host.SendConfigurationText(*programming.Text);
        out << "Configuration text " << path << " sent to the document\n";
        return true;
    }
    code = OpenDocumentFile(host, programming.Document->File, out, err);
    if (code == 0 && !host.StoredTextProblem().empty()) {
        err << "ostrel: " << path
            << " holds no configuration this Tarvel reads; nothing was "
               "applied\n";
        code = 1;
    }
    return code == 0;
}

namespace {

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

// The scoring the summary prints, counted block by block.
class ScoreFollower final : public preview::ReplayFollower {
public:
    explicit ScoreFollower(const preview::ReplaySetup& setup) : scoring_(setup, false) {}
    void Consume(const device::SampleBlock&, const device::TraceBlock& events) override {
        scoring_.Consume(events);
    }
    std::vector<scoring::Figures> Figures() const {
        std::vector<scoring::Figures> figures;
        for (std::size_t k = 0; k < scoring_.Outputs(); ++k)
            figures.push_back(scoring_.Of(k).Result());
        return figures;
    }

private:
    preview::TraceScoring scoring_;
};

// The reference events to score against, counted in the part looked at.
std::optional<preview::ScoringSetup> ScoringOf(const PreviewOptions& options,
                                               std::optional<std::vector<double>> events,
                                               const device::RecordingInfo& recording,
                                               SampleWindow window) {
    if (!events)
        return std::nullopt;
    const auto time = [&](std::int64_t sample) {
        return recording.StartTime + static_cast<double>(sample) / recording.SampleRate;
    };
    return preview::ScoringSetup{
        std::move(*events), options.Window, {time(window.From), time(window.To)}};
}

}  // namespace

int RunPreview(const std::string& configOrDocument, const PreviewOptions& options,
               std::ostream& out, std::ostream& err) {
    // A report on the standard output has it to itself: what ostrel says goes with the errors.
    const bool reportOnOutput = files::IsStandardOutput(options.Json) ||
                                std::any_of(options.Reports.begin(), options.Reports.end(),
                                            [](const ReportRequest& request) {
                                                return files::IsStandardOutput(request.Path);
                                            });
    std::ostream& status = reportOnOutput ? err : out;
    try {
        CheckFilesApart(configOrDocument, options);
        // A recording that never ends (a FIFO, a device) is refused before it is opened.
        files::CheckRegularFile(options.Signals);
        int code = 0;
        const std::optional<Programming> programming =
            Prepare(configOrDocument, options.Device, options.Strict, status, err, code);
        if (!programming)
            return code;
        const device::DeviceDescription& device = programming->Device.Device;
        OstrelHost host(device, status);
        if (!Program(host, *programming, configOrDocument, status, err, code))
            return code;
        // Refusals are reported as apply reports them; the device runs what it holds.
        const bool programmed = ReportProgramming(host.Device(), status, err);
        const std::vector<device::OutputProgram> programs =
            device::ProgramsInForce(host.Device().Commands(), device.Inputs);

        // The reference is read whole before the recording opens: it may be the recording's own
        // annotations, and the EDF library opens a file only once at a time.
        std::optional<std::vector<double>> referenceEvents;
        if (!options.Reference.empty())
            referenceEvents = preview::ReadReferenceEvents(options.Reference, options.Label);
        const std::vector<preview::InputScale> inputs = preview::InputScalesOf(device);
        const std::unique_ptr<preview::SignalReader> reader =
            preview::OpenSignalFile(options.Signals, inputs, options.Map ? &*options.Map : nullptr);
        const device::RecordingInfo& recording = reader->Info();
        CheckFit(recording, options.Signals, programs, options.Map.has_value());
        const SampleWindow window = WindowOf(options, recording);
        const preview::ReplaySetup setup{
            BlocksInForce(programs),
            inputs,
            options.From,
            options.To,
            recording,
            ScoringOf(options, std::move(referenceEvents), recording, window)};
        const std::vector<std::unique_ptr<preview::ReportWriter>> writers =
            BeginReports(options, setup);
        std::vector<preview::ReportWriter*> writing;
        for (const auto& writer : writers)
            writing.push_back(writer.get());
        SummaryTally tally(window);
        SignalCheckFollower check(recording, inputs, programs);
        std::vector<preview::ReplayFollower*> followers{&tally, &check};
        std::optional<ScoreFollower> scores;
        if (setup.Scoring)
            followers.push_back(&scores.emplace(setup));
        preview::ReplayRecording(*reader, options.Signals, programs, writing, followers);
        const std::vector<scoring::Figures> figures =
            scores ? scores->Figures() : std::vector<scoring::Figures>{};
        status << "Signals " << options.Signals << ": " << recording.Channels.size() << " inputs\n"
               << FormatSignalCheck(check.Inputs());
        const std::vector<std::string> warnings = SignalWarnings(check.Inputs());
        for (const std::string& warning : warnings)
            err << "ostrel: warning: " << warning << "\n";
        if (options.Strict && !warnings.empty()) {
            // The reports are left unfinished: none takes its name.
            err << "ostrel: --strict: " << warnings.size()
                << (warnings.size() == 1 ? " warning" : " warnings")
                << " above; no report was written\n";
            return 1;
        }
        std::optional<ReferenceFacts> reference;
        if (setup.Scoring) {
            reference = ReferenceFacts{options.Reference, options.Label,
                                       setup.Scoring->Events.size(), options.Window};
            const scoring::Matcher counting(setup.Scoring->Events, options.Window,
                                            setup.Scoring->Counted);
            status << "Reference events " << options.Reference << ": "
                   << setup.Scoring->Events.size() << " events, " << counting.Result().Events
                   << " in the part looked at; match " << WindowText(options.Window) << "\n";
        }
        status << FormatPreviewSummary(programs, recording, tally, window, inputs, figures)
               << RefusedOutputsText(host.Device().Commands(), programs);
        for (const auto& writer : writers)
            status << writer->Finish() << "\n";
        if (!options.Json.empty()) {
            WriteJson(options.Json, PreviewJson(options.Signals, programs, recording, tally, window,
                                                inputs, reference, figures));
            status << "Results written to " << preview::WhereTo(options.Json) << "\n";
        }
        return programmed ? 0 : 1;
    } catch (...) {
        return ReportStop(err);
    }
}

int ReportStop(std::ostream& err) {
    try {
        throw;
    } catch (const device::DeviceDescriptionError& error) {
        err << "ostrel: bad device description: " << error.what() << "\n";
    } catch (const preview::SignalFileError& error) {
        err << "ostrel: " << error.what() << "\n";
    } catch (const files::FileError& error) {
        err << "ostrel: " << error.what() << "\n";
    } catch (const PreviewError& error) {
        err << "ostrel: " << error.what() << "\n";
    } catch (const preview::ChannelMapError& error) {
        err << "ostrel: " << error.what() << "\n";
    }
    return 2;
}

}  // namespace ostrel
