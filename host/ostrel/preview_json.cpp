#include "host/ostrel/preview_json.h"

#include "host/device/input_converter.h"
#include "host/ostrel/results_json.h"
#include "host/preview/reports/trace_labels.h"

namespace ostrel {
namespace {

nlohmann::json SlotJson(const device::RuleProgram& rule,
                        const std::vector<preview::InputScale>& inputs) {
    const std::int64_t high = rule.Threshold;
    const std::int64_t low = high - rule.Hysteresis;
    nlohmann::json slot{{"slot", rule.Slot + 1},
                        {"input", rule.Input},
                        {"direction", rule.Below ? "below" : "above"},
                        {"threshold_units", rule.Threshold},
                        {"hysteresis_units", rule.Hysteresis}};
    const std::size_t index = static_cast<std::size_t>(rule.Input - 1);
    if (index < inputs.size()) {
        const preview::InputScale& scale = inputs[index];
        const auto physical = [&](std::int64_t units) {
            return static_cast<double>(units) * scale.Range / device::kDeviceFullScale;
        };
        slot["level"] = physical(rule.Below ? low : high);
        slot["band"] = {physical(low), physical(high)};
        slot["unit"] = scale.Unit;
    }
    return slot;
}

nlohmann::json ProgramJson(const device::OutputProgram& program,
                           const std::vector<preview::InputScale>& inputs) {
    nlohmann::json json;
    json["state"] = !program.Unreadable.empty()                ? "unreadable"
                    : program.Mode == OutputCommandBlock::kOff ? "off"
                    : program.Rules.empty()                    ? "no slot used"
                                                               : "on";
    if (!program.Unreadable.empty())
        json["unreadable"] = program.Unreadable;
    if (json["state"] != "on")
        return json;
    json["mode"] = program.Mode == OutputCommandBlock::kAllRules ? "all" : "any";
    json["width_s"] = program.PulseWidth;  // 0: the output follows the state
    json["delay_s"] = program.PulseDelay;
    json["holdoff_s"] = program.Holdoff;
    json["count_limit"] = program.PulseCountLimit;  // 0: none
    json["slots"] = nlohmann::json::array();
    for (const device::RuleProgram& rule : program.Rules)
        json["slots"].push_back(SlotJson(rule, inputs));
    return json;
}

}  // namespace

nlohmann::json PreviewJson(const std::string& signals,
                           const std::vector<device::OutputProgram>& programs,
                           const device::RecordingInfo& recording, const SummaryTally& tally,
                           SampleWindow window, const std::vector<preview::InputScale>& inputs,
                           const std::optional<ReferenceFacts>& reference,
                           const std::vector<scoring::Figures>& scores) {
    const auto time = [&](std::int64_t sample) {
        return recording.StartTime + static_cast<double>(sample) / recording.SampleRate;
    };
    nlohmann::json json;
    json["command"] = "preview";
    json["recording"] = {{"file", signals},
                         {"inputs", recording.Channels.size()},
                         {"samples", recording.SampleCount},
                         {"sample_rate", recording.SampleRate},
                         {"start_s", time(0)},
                         {"end_s", time(recording.SampleCount)}};
    json["part"] = {{"from_s", time(window.From)}, {"to_s", time(window.To)}};
    json["reference"] = nullptr;
    if (reference) {
        json["reference"] = {{"file", reference->File},
                             {"label", reference->Label ? nlohmann::json(*reference->Label)
                                                        : nlohmann::json(nullptr)},
                             {"events_in_file", reference->InFile},
                             {"window", WindowJson(reference->Window)}};
    }
    json["outputs"] = nlohmann::json::array();
    for (std::size_t k = 0; k < programs.size() && k < tally.Outputs().size(); ++k) {
        const device::OutputProgram& program = programs[k];
        const SummaryTally::Output& counted = tally.Outputs()[k];
        nlohmann::json output{{"output", program.Output},
                              {"name", preview::OutputName(program.Output)},
                              {"program", ProgramJson(program, inputs)}};
        if (program.Active()) {
            output["pulses"] = counted.Pulses;
            output["first_pulse_s"] =
                counted.Pulses > 0 ? NumberJson(time(counted.First)) : nlohmann::json(nullptr);
            output["last_pulse_s"] =
                counted.Pulses > 0 ? NumberJson(time(counted.Last)) : nlohmann::json(nullptr);
            output["shortest_interval_s"] =
                counted.Pulses > 1
                    ? NumberJson(static_cast<double>(counted.Shortest) / recording.SampleRate)
                    : nlohmann::json(nullptr);
            output["ignored"] = {{"delay", counted.Ignored[0]},
                                 {"pulse", counted.Ignored[1]},
                                 {"hold-off", counted.Ignored[2]},
                                 {"count limit", counted.Ignored[3]}};
        }
        output["score"] = k < scores.size() && program.Active() ? FiguresJson(scores[k])
                                                                : nlohmann::json(nullptr);
        json["outputs"].push_back(std::move(output));
    }
    return json;
}

}  // namespace ostrel
