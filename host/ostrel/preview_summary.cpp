#include "host/ostrel/preview_summary.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <limits>

#include "host/device/input_converter.h"
#include "host/ostrel/block_table.h"
#include "host/ostrel/score_text.h"
#include "host/preview/reports/trace_labels.h"

namespace ostrel {
namespace {

std::string Printf(const char* format, auto... values) {
    char text[256];
    std::snprintf(text, sizeof text, format, values...);
    return text;
}

std::string Plural(std::size_t count, const char* one, const char* many) {
    return std::to_string(count) + " " + (count == 1 ? one : many);
}

// "input 1 above 2.5 V (band 2 to 2.5 V)": the level the input crosses to make the slot true,
// and the band it must leave to make it false again.
std::string SlotText(const device::RuleProgram& rule,
                     const std::vector<preview::InputScale>& inputs) {
    const std::int64_t high = rule.Threshold;
    const std::int64_t low = high - rule.Hysteresis;
    const std::size_t index = static_cast<std::size_t>(rule.Input - 1);
    if (index >= inputs.size())
        return Printf("input %d %s %d/%d", rule.Input, rule.Below ? "below" : "above",
                      rule.Threshold, rule.Hysteresis);
    const preview::InputScale& scale = inputs[index];
    const auto physical = [&](std::int64_t units) {
        return static_cast<double>(units) * scale.Range / device::kDeviceFullScale;
    };
    const std::string unit = scale.Unit.empty() ? "" : " " + scale.Unit;
    return Printf("input %d %s %g%s (band %g to %g%s)", rule.Input, rule.Below ? "below" : "above",
                  physical(rule.Below ? low : high), unit.c_str(), physical(low), physical(high),
                  unit.c_str());
}

std::string ProgramText(const device::OutputProgram& program,
                        const std::vector<preview::InputScale>& inputs) {
    if (!program.Unreadable.empty())
        return "kept low, the device cannot carry out its block: " + program.Unreadable;
    if (program.Mode == OutputCommandBlock::kOff)
        return "off";
    if (program.Rules.empty())
        return "on, but no rule slot is used: stays low";
    std::string text = program.Mode == OutputCommandBlock::kAllRules ? "all of " : "any of ";
    text += Plural(program.Rules.size(), "slot", "slots") + ", ";
    text += program.PulseWidth == 0.0 ? std::string("follows the state")
                                      : Printf("width %g s", program.PulseWidth);
    text += Printf(", delay %g s, hold-off %g s, ", program.PulseDelay, program.Holdoff);
    text += program.PulseCountLimit == 0
                ? std::string("no count limit")
                : "at most " +
                      Plural(static_cast<std::size_t>(program.PulseCountLimit), "pulse", "pulses");
    for (const device::RuleProgram& rule : program.Rules)
        text += Printf("\n  slot %d: ", rule.Slot + 1) + SlotText(rule, inputs);
    return text;
}

std::string PulsesText(const SummaryTally::Output& output, const device::RecordingInfo& recording) {
    if (output.Pulses == 0)
        return "no pulses";
    const auto seconds = [&](std::int64_t sample) {
        return FormatSeconds(
                   recording.StartTime + static_cast<double>(sample) / recording.SampleRate,
                   recording.SampleRate) +
               " s";
    };
    std::string text = Plural(output.Pulses, "pulse", "pulses") + ", first at " +
                       seconds(output.First) + ", last at " + seconds(output.Last);
    if (output.Pulses > 1) {
        text += ", shortest interval " +
                FormatSeconds(static_cast<double>(output.Shortest) / recording.SampleRate,
                              recording.SampleRate) +
                " s";
    }
    return text;
}

std::string IgnoredText(const SummaryTally::Output& output) {
    if (output.IgnoredTotal == 0)
        return "no trigger ignored";
    constexpr std::array<const char*, 4> kReasons = {"during the delay", "during a pulse",
                                                     "in the hold-off", "over the count limit"};
    std::string text = Plural(output.IgnoredTotal, "trigger", "triggers") + " ignored:";
    const char* separator = " ";
    for (std::size_t k = 0; k < output.Ignored.size(); ++k) {
        if (output.Ignored[k] == 0)
            continue;
        text += separator + std::to_string(output.Ignored[k]) + " " + kReasons[k];
        separator = ", ";
    }
    return text;
}

}  // namespace

std::string FormatSeconds(double seconds, double sampleRate) {
    const std::string text = preview::FixedText(seconds, preview::TimeDecimals(sampleRate));
    // No "-0.000" for a time a rounding error put just below zero.
    return text.find_first_not_of("-0.") == std::string::npos && text[0] == '-' ? text.substr(1)
                                                                                : text;
}

void SummaryTally::Consume(const device::SampleBlock&, const device::TraceBlock& events) {
    outputs_.resize(events.Outputs.size());
    for (std::size_t k = 0; k < events.Outputs.size(); ++k) {
        Output& output = outputs_[k];
        // Pulses come by their start.
        for (const device::Pulse& pulse : events.Outputs[k].Pulses) {
            if (pulse.Start < window_.From || pulse.Start >= window_.To)
                continue;
            if (output.Pulses == 0)
                output.First = pulse.Start;
            else
                output.Shortest = std::min(output.Shortest, pulse.Start - output.Last);
            output.Last = pulse.Start;
            ++output.Pulses;
        }
        for (const device::IgnoredTrigger& trigger : events.Outputs[k].Ignored) {
            if (trigger.Sample >= window_.From && trigger.Sample < window_.To) {
                ++output.Ignored[static_cast<std::size_t>(trigger.Why)];
                ++output.IgnoredTotal;
            }
        }
    }
}

std::string FormatPreviewSummary(const std::vector<device::OutputProgram>& programs,
                                 const device::RecordingInfo& recording, const SummaryTally& tally,
                                 SampleWindow window,
                                 const std::vector<preview::InputScale>& inputs,
                                 const std::vector<scoring::Figures>& scores) {
    const auto at = [&](std::int64_t sample) {
        return FormatSeconds(
            recording.StartTime + static_cast<double>(sample) / recording.SampleRate,
            recording.SampleRate);
    };
    std::string text =
        "Replayed " + Plural(static_cast<std::size_t>(recording.SampleCount), "sample", "samples") +
        Printf(" per input at %g samples per second", recording.SampleRate);
    if (recording.SampleCount > 0)
        text += ", " + at(0) + " s to " + at(recording.SampleCount - 1) + " s";
    text += "\n";
    if (window.From != 0 || window.To != recording.SampleCount)
        text += "Pulses and triggers from " + at(window.From) + " s to " + at(window.To) +
                " s (the device ran from the start)\n";
    if (programs.empty())
        text += "The device holds no program for any output: every output stays low\n";
    for (std::size_t k = 0; k < programs.size() && k < tally.Outputs().size(); ++k) {
        const device::OutputProgram& program = programs[k];
        text += Printf("Output %d: ", program.Output) + ProgramText(program, inputs) + "\n";
        if (program.Active()) {
            text += "  " + PulsesText(tally.Outputs()[k], recording) + "\n";
            text += "  " + IgnoredText(tally.Outputs()[k]) + "\n";
        }
        if (k < scores.size() && program.Active())
            text += ScoreLines(scores[k]);
    }
    return text;
}

std::string RefusedOutputsText(const std::vector<device::DeviceCommand>& commands,
                               const std::vector<device::OutputProgram>& programs) {
    std::string text;
    std::vector<std::int32_t> named;
    for (const device::DeviceCommand& command : commands) {
        if (command.What != device::DeviceCommand::Kind::kProgram || command.Result == S_OK)
            continue;
        const std::int32_t output = DecodeBlock(command.Block).Output;
        const bool held = std::any_of(programs.begin(), programs.end(), [&](const auto& program) {
            return program.Output == output;
        });
        if (held || std::find(named.begin(), named.end(), output) != named.end())
            continue;
        named.push_back(output);
        text += Printf("Output %d: refused by the device: ", output) +
                (command.Refusal.empty() ? std::string("no reason given") : command.Refusal) +
                "; it holds no program and stays low\n";
    }
    return text;
}

}  // namespace ostrel
