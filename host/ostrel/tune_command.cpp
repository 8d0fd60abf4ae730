#include "host/ostrel/tune_command.h"

#include <algorithm>
#include <condition_variable>
#include <exception>
#include <mutex>
#include <numeric>
#include <thread>
#include <utility>

#include "host/device/device_description_text.h"
#include "host/device/output_program.h"
#include "host/files/file_identity.h"
#include "host/files/output_file.h"
#include "host/files/read_file.h"
#include "host/inspect/tuned_text.h"
#include "host/ostrel/ostrel_host.h"
#include "host/ostrel/preview_steps.h"
#include "host/ostrel/results_json.h"
#include "host/ostrel/tune_report.h"
#include "host/preview/formats/reference_events.h"
#include "host/preview/formats/signal_file_error.h"
#include "host/preview/formats/signal_formats.h"
#include "host/preview/held_recording.h"
#include "host/preview/reports/trace_labels.h"
#include "host/preview/scored_replay.h"

namespace ostrel {
namespace {

// One combination as the device took it.
struct Programmed {
    device::OutputProgram Program;
    std::string Refusal;  // why the device does not run it; empty when it does
};

// What one combination changes, with the level in percent of the input's range.
inspect::SettingChange ChangeOf(const Sweep& sweep, std::size_t index,
                                const preview::InputScale& scale) {
    inspect::SettingChange change;
    const std::vector<double> values = sweep.ValuesOf(index);
    for (std::size_t s = 0; s < values.size(); ++s) {
        switch (sweep.Settings()[s].Setting) {
            case TunedSetting::kLevel:
                change.LevelPercent = values[s] / scale.Range * 100.0;
                break;
            case TunedSetting::kHysteresis:
                change.HysteresisPercent = values[s];
                break;
            case TunedSetting::kHoldoff:
                change.Holdoff = values[s];
                break;
            case TunedSetting::kWidth:
                change.Width = values[s];
                break;
        }
    }
    return change;
}

// Sends `text` to the document, which programs the device, and reads back what the device
// runs for `output`.
Programmed ProgramCombination(OstrelHost& host, const std::string& text, std::int32_t output,
                              std::int32_t inputCount) {
    device::SimulatedCorvex& device = host.Device();
    device.ClearRecord();
    host.SendConfigurationText(text);
    Programmed programmed;
    for (const device::DeviceCommand& command : device.Commands()) {
        if (command.What == device::DeviceCommand::Kind::kProgram && command.Result != S_OK &&
            device::ReadOutputProgram(command.Block, inputCount).Output == output)
            programmed.Refusal = command.Refusal.empty() ? "refused" : command.Refusal;
    }
    for (device::OutputProgram& program : device::ProgramsInForce(device.Commands(), inputCount)) {
        if (program.Output == output)
            programmed.Program = std::move(program);
    }
    if (programmed.Refusal.empty() && !programmed.Program.Active())
        programmed.Refusal = programmed.Program.Unreadable.empty() ? "the output never goes high"
                                                                   : programmed.Program.Unreadable;
    return programmed;
}

// Scores combinations while they are programmed: the main thread programs one after another
// and hands each on (Ready); `jobs - 1` threads score what has been handed on, and the main
// thread joins them once every combination is programmed (Finish).
class ScoringPool {
public:
    ScoringPool(const std::vector<Programmed>& programmed,
                const std::vector<preview::HeldRecording>& recordings,
                const std::vector<preview::ScoringSetup>& scorings, std::vector<Tried>& results,
                unsigned jobs)
        : programmed_(programmed), recordings_(recordings), scorings_(scorings), results_(results) {
        for (unsigned j = 1; j < jobs; ++j)
            threads_.emplace_back([this] { Work(); });
    }
    ~ScoringPool() {
        {
            const std::lock_guard lock(mutex_);
            stop_ = true;
        }
        changed_.notify_all();
        for (std::thread& thread : threads_)
            thread.join();
    }
    ScoringPool(const ScoringPool&) = delete;
    ScoringPool& operator=(const ScoringPool&) = delete;

    // Combinations 0 to `count` - 1 are programmed.
    void Ready(std::size_t count) {
        {
            const std::lock_guard lock(mutex_);
            ready_ = count;
        }
        changed_.notify_all();
    }

    // Every combination is programmed: scores the rest, waits for the threads, and throws
    // what a replay threw.
    void Finish() {
        Ready(programmed_.size());
        Work();
        for (std::thread& thread : threads_)
            thread.join();
        threads_.clear();
        if (failure_)
            std::rethrow_exception(failure_);
    }

private:
    void Work() {
        for (;;) {
            std::size_t i = 0;
            {
                std::unique_lock lock(mutex_);
                changed_.wait(
                    lock, [&] { return stop_ || next_ < ready_ || next_ >= programmed_.size(); });
                if (stop_ || next_ >= programmed_.size())
                    return;
                i = next_++;
            }
            try {
                Score(i);
            } catch (...) {
                const std::lock_guard lock(mutex_);
                if (!failure_)
                    failure_ = std::current_exception();
                stop_ = true;
                changed_.notify_all();
                return;
            }
        }
    }

    void Score(std::size_t i) {
        Tried& tried = results_[i];
        tried.Index = i;
        tried.Refusal = programmed_[i].Refusal;
        if (!tried.Refusal.empty())
            return;
        scoring::Figures whole;
        for (std::size_t r = 0; r < recordings_.size(); ++r) {
            const scoring::Figures figures =
                preview::ScoreReplay(recordings_[r], scorings_[r], programmed_[i].Program);
            tried.ByRecording.push_back(scoring::Summarize(figures));
            whole += figures;
        }
        tried.Whole = scoring::Summarize(whole);
    }

    const std::vector<Programmed>& programmed_;
    const std::vector<preview::HeldRecording>& recordings_;
    const std::vector<preview::ScoringSetup>& scorings_;
    std::vector<Tried>& results_;
    std::vector<std::thread> threads_;
    std::mutex mutex_;
    std::condition_variable changed_;
    std::size_t ready_ = 0;  // combinations programmed
    std::size_t next_ = 0;   // the next one to score
    bool stop_ = false;
    std::exception_ptr failure_;
};

void CheckTuneFilesApart(const std::string& configOrDocument, const TuneOptions& options) {
    std::vector<NamedFile> inputs{{configOrDocument, "the input " + configOrDocument}};
    for (const std::string& signals : options.Signals)
        inputs.push_back({signals, "the recording " + signals});
    for (const std::string& reference : options.References)
        inputs.push_back({reference, "the reference events " + reference});
    std::vector<NamedFile> outputs;
    for (const auto& [option, path] :
         {std::pair{"--write", options.Write}, std::pair{"--plot", options.Plot},
          std::pair{"--json", options.Json}}) {
        if (!path.empty())
            outputs.push_back({path, std::string(option) + " " + path});
    }
    CheckFilesApart(inputs, outputs);
}

void WriteText(const std::string& path, const std::string& text) {
    files::OutputFile file(path);
    file.Write(text);
    file.Commit();
}

}  // namespace

int RunTune(const std::string& configOrDocument, const TuneOptions& options, std::ostream& out,
            std::ostream& err) {
    // A file on the standard output has it to itself: what ostrel says goes with the errors.
    const bool fileOnOutput = files::IsStandardOutput(options.Json) ||
                              files::IsStandardOutput(options.Write) ||
                              files::IsStandardOutput(options.Plot);
    std::ostream& status = fileOnOutput ? err : out;
    try {
        CheckTuneFilesApart(configOrDocument, options);
        for (const std::string& signals : options.Signals)
            files::CheckRegularFile(signals);
        int code = 0;
        // The device and its programming as preview chooses them: a document's own device
        // unless --device names another.
        const std::optional<Programming> programming =
            Prepare(configOrDocument, options.Device, false, status, err, code);
        if (!programming)
            return code;
        const device::DeviceDescription& device = programming->Device.Device;
        OstrelHost host(device, status);
        if (!Program(host, *programming, configOrDocument, status, err, code))
            return code;

        // The configuration as the document holds it is the base every combination changes.
        const std::string base = host.DocumentText();
        inspect::ConditionInText condition;
        try {
            condition = inspect::FindCondition(base, options.Output, options.Condition);
        } catch (const std::invalid_argument& error) {
            throw PreviewError(configOrDocument + ": " + error.what());
        }
        const std::vector<preview::InputScale> inputs = preview::InputScalesOf(device);
        if (condition.Input < 0 || static_cast<std::size_t>(condition.Input) >= inputs.size())
            throw PreviewError(configOrDocument + ": output " + std::to_string(options.Output) +
                               " condition " + std::to_string(options.Condition) +
                               " watches input " + std::to_string(condition.Input + 1) +
                               ", which the device lacks");
        TuneRun run;
        run.Output = options.Output;
        run.Condition = options.Condition;
        run.Input = condition.Input + 1;
        run.Above = condition.Above;
        run.Scale = inputs[static_cast<std::size_t>(condition.Input)];
        run.Swept = Sweep(options.Settings);
        run.Window = options.Window;
        run.Label = options.Label;
        run.Jobs =
            options.Jobs > 0 ? options.Jobs : std::max(1u, std::thread::hardware_concurrency());

        // The combinations are programmed through the document one after the other, the
        // first ones until one runs: the recordings are read with the inputs it watches.
        const std::size_t count = run.Swept.Combinations();
        std::vector<Programmed> programmed(count);
        std::size_t done = 0;
        const auto programNext = [&] {
            const std::string text = inspect::ChangedConfigurationText(
                base, options.Output, options.Condition, ChangeOf(run.Swept, done, run.Scale));
            programmed[done] = ProgramCombination(host, text, options.Output, device.Inputs);
            return programmed[done++].Refusal.empty();
        };
        while (done < count && !programNext()) {
        }
        std::vector<bool> keep(inputs.size(), false);
        std::vector<device::OutputProgram> checked;
        if (done > 0 && programmed[done - 1].Refusal.empty()) {
            checked.push_back(programmed[done - 1].Program);
            for (const device::RuleProgram& rule : checked.back().Rules)
                keep[static_cast<std::size_t>(rule.Input - 1)] = true;
        }
        std::vector<preview::HeldRecording> recordings;
        std::vector<preview::ScoringSetup> scorings;
        for (std::size_t r = 0; r < options.Signals.size(); ++r) {
            // Read whole before the recording opens: the reference may be the recording's own
            // annotations, and the EDF library opens a file only once at a time.
            std::vector<double> events =
                preview::ReadReferenceEvents(options.References[r], options.Label);
            const std::unique_ptr<preview::SignalReader> reader =
                preview::OpenSignalFile(options.Signals[r], inputs);
            CheckFit(reader->Info(), options.Signals[r], checked);
            recordings.push_back(preview::HoldRecording(*reader, options.Signals[r], keep));
            scorings.push_back(preview::WholeRecordingScoring(recordings.back().Info,
                                                              std::move(events), options.Window));
            const scoring::Matcher counting(scorings.back().Events, options.Window,
                                            scorings.back().Counted);
            run.Recordings.push_back({options.Signals[r], options.References[r],
                                      recordings.back().Info, counting.Result().Events});
        }

        // The rest are scored as they are programmed.
        run.Results.resize(count);
        {
            ScoringPool pool(programmed, recordings, scorings, run.Results, run.Jobs);
            pool.Ready(done);
            while (done < count) {
                programNext();
                // Handed on in small groups: the threads wait less on one another.
                if (done % 16 == 0)
                    pool.Ready(done);
            }
            pool.Finish();
        }
        run.Ranking.resize(count);
        std::iota(run.Ranking.begin(), run.Ranking.end(), std::size_t{0});
        std::sort(run.Ranking.begin(), run.Ranking.end(), [&](std::size_t a, std::size_t b) {
            return RanksBefore(run.Results[a], run.Results[b]);
        });

        status << TuneHeader(run) << TuneTable(run, options.Top);
        const Tried& best = run.Results[run.Ranking.front()];
        if (!best.Refusal.empty()) {
            err << "ostrel: the device refused every combination\n";
            return 1;
        }
        if (!options.Write.empty()) {
            WriteText(options.Write, inspect::ChangedConfigurationText(
                                         base, options.Output, options.Condition,
                                         ChangeOf(run.Swept, best.Index, run.Scale)));
            status << "Best written to " << preview::WhereTo(options.Write) << "\n";
        }
        if (!options.Plot.empty()) {
            DrawHeatMap(TuneHeatMap(run), options.Plot);
            status << "Heat map written to " << preview::WhereTo(options.Plot) << "\n";
        }
        if (!options.Json.empty()) {
            WriteJson(options.Json, TuneJson(run));
            status << "Results written to " << preview::WhereTo(options.Json) << "\n";
        }
        return 0;
    } catch (...) {
        return ReportStop(err);
    }
}

}  // namespace ostrel
