#include "host/ostrel/signal_check.h"

#include <charconv>

namespace ostrel {
namespace {

std::string Number(double value, int digits = 3) {
    char text[32];
    const auto written =
        std::to_chars(text, text + sizeof text, value, std::chars_format::general, digits);
    return std::string(text, written.ptr);
}

std::string WithUnit(const std::string& number, const std::string& unit) {
    return unit.empty() ? number : number + " " + unit;
}

std::string Percent(double share) {
    return Number(share * 100.0) + " %";
}

std::string NameOf(const InputCheck& input) {
    const std::string name = "Input " + std::to_string(input.Input + 1);
    return input.Label.empty() || input.Label == name ? name : name + " (" + input.Label + ")";
}

std::string RangeOf(const InputCheck& input) {
    return "±" + WithUnit(Number(input.Statistics.FullScale(), 6), input.Unit);
}

}  // namespace

std::string FormatSignalCheck(const std::vector<InputCheck>& inputs) {
    std::string text;
    for (const InputCheck& input : inputs) {
        const device::InputStatistics& statistics = input.Statistics;
        text += NameOf(input) + ": ";
        if (!statistics.Minimum()) {
            text += "no value that is a number\n";
            continue;
        }
        text += Number(*statistics.Minimum(), 6) + " to " +
                WithUnit(Number(*statistics.Maximum(), 6), input.Unit) + ", spans " +
                Percent(statistics.SpanShare()) + " of " + RangeOf(input) + ", ";
        const std::int64_t clipped = statistics.Clipped();
        text += clipped == 0   ? std::string("no sample clipped")
                : clipped == 1 ? std::string("1 sample clipped")
                               : std::to_string(clipped) + " samples clipped";
        if (clipped > 0)
            text += " (" + Percent(statistics.ClippedShare()) + ")";
        text += "\n";
    }
    return text;
}

std::vector<std::string> SignalWarnings(const std::vector<InputCheck>& inputs) {
    std::vector<std::string> warnings;
    for (const InputCheck& input : inputs) {
        const device::InputStatistics& statistics = input.Statistics;
        if (!input.Watched || statistics.Samples() == 0)
            continue;
        if (statistics.SpanShare() < kNarrowSpanShare) {
            warnings.push_back(NameOf(input) + " spans " + Percent(statistics.SpanShare()) +
                               " of its range " + RangeOf(input) + " (less than " +
                               Percent(kNarrowSpanShare) +
                               "): the rules watching it see almost nothing of it");
        }
        if (statistics.ClippedShare() > kClippedShare) {
            warnings.push_back(NameOf(input) + ": " + std::to_string(statistics.Clipped()) +
                               " of " + std::to_string(statistics.Samples()) + " samples (" +
                               Percent(statistics.ClippedShare()) + ") clip at its range " +
                               RangeOf(input));
        }
    }
    return warnings;
}

SignalCheckFollower::SignalCheckFollower(const device::RecordingInfo& recording,
                                         const std::vector<preview::InputScale>& inputs,
                                         const std::vector<device::OutputProgram>& programs) {
    for (std::size_t k = 0; k < recording.Channels.size() && k < inputs.size(); ++k) {
        InputCheck& input = inputs_.emplace_back(
            InputCheck{static_cast<std::int32_t>(k), recording.Channels[k].Name, inputs[k].Unit,
                       false, device::InputStatistics(inputs[k].Range)});
        for (const device::OutputProgram& program : programs) {
            for (const device::RuleProgram& rule : program.Rules)
                input.Watched |= program.Active() && rule.Input == input.Input + 1;
        }
    }
}

void SignalCheckFollower::Needs(device::BlockNeeds& needs) const {
    for (std::size_t k = 0; k < inputs_.size() && k < needs.Values.size(); ++k)
        needs.Values[k] = true;
}

void SignalCheckFollower::Consume(const device::SampleBlock& samples, const device::TraceBlock&) {
    for (std::size_t k = 0; k < inputs_.size() && samples.Count > 0; ++k)
        inputs_[k].Statistics.Add(samples.Values[k].data(),
                                  static_cast<std::size_t>(samples.Count));
}

}  // namespace ostrel
