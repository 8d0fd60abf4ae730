#include "host/ostrel/rule_warnings.h"

#include <charconv>
#include <cmath>
#include <ostream>

#include "host/preview/formats/input_scale.h"

namespace ostrel {
namespace {

// The device is programmed with an output's first rules only, one per slot of its block.
constexpr std::size_t kRuleSlots = 4;

std::string Number(double value) {
    char text[32];
    const auto written =
        std::to_chars(text, text + sizeof text, value, std::chars_format::general, 6);
    return std::string(text, written.ptr);
}

std::string WithUnit(double value, const std::string& unit) {
    return Number(value) + (unit.empty() ? "" : " " + unit);
}

std::string Inputs(std::int32_t count) {
    return std::to_string(count) + (count == 1 ? " input" : " inputs");
}

// The input a rule is programmed on: its own, or Input 1 where the device lacks it.
std::int32_t ProgrammedInput(std::int32_t input, const device::DeviceDescription& device) {
    return input >= device.Inputs ? 0 : input;
}

// Whether full scale on `from` is full scale on `to`: the same amount in the same unit, or in
// other prefixes of it.
bool SameScale(const preview::InputScale& from, const preview::InputScale& to) {
    const std::optional<double> factor = preview::UnitFactor(from.Unit, to.Unit);
    return factor && std::abs(from.Range * *factor - to.Range) <= 1e-9 * to.Range;
}

}  // namespace

std::vector<std::string> RuleWarnings(const std::vector<inspect::OutputRules>& outputs,
                                      const device::DeviceDescription& device,
                                      const device::DeviceDescription* madeOn) {
    const std::vector<preview::InputScale> scales = preview::InputScalesOf(device);
    const std::vector<preview::InputScale> madeOnScales =
        madeOn != nullptr ? preview::InputScalesOf(*madeOn) : std::vector<preview::InputScale>{};
    std::vector<std::string> warnings;
    for (const inspect::OutputRules& output : outputs) {
        if (!output.On)
            continue;
        const std::string name = "output " + std::to_string(output.Output);
        if (!device.HasOutput(output.Output)) {
            warnings.push_back(name + " is on, but this device has no " + name +
                               ": kept in the document, not programmed");
            continue;
        }
        for (std::size_t k = 0; k < output.Rules.size() && k < kRuleSlots; ++k) {
            const inspect::OutputRules::Rule& rule = output.Rules[k];
            const std::string condition = name + ", condition " + std::to_string(k + 1);
            const std::int32_t input = ProgrammedInput(rule.Input, device);
            if (input != rule.Input) {
                warnings.push_back(condition + " watches Input " + std::to_string(rule.Input + 1) +
                                   ", which this device (" + Inputs(device.Inputs) +
                                   ") lacks: programmed on Input " + std::to_string(input + 1));
            }
            if (madeOn == nullptr || scales.empty() || madeOnScales.empty())
                continue;
            const preview::InputScale& now = scales[static_cast<std::size_t>(input)];
            const preview::InputScale& then =
                madeOnScales[static_cast<std::size_t>(ProgrammedInput(rule.Input, *madeOn))];
            if (SameScale(then, now))
                continue;
            warnings.push_back(condition + ": level " + Number(rule.Level) + " % was " +
                               WithUnit(rule.Level * then.Range / 100.0, then.Unit) +
                               " on the device this document was made on (±" +
                               WithUnit(then.Range, then.Unit) + "), is " +
                               WithUnit(rule.Level * now.Range / 100.0, now.Unit) +
                               " on this one (±" + WithUnit(now.Range, now.Unit) + ")");
        }
    }
    return warnings;
}

bool ReportRuleWarnings(const std::string& text, const device::DeviceDescription& device,
                        const device::DeviceDescription* madeOn, bool strict, std::ostream& err) {
    const std::vector<std::string> warnings =
        RuleWarnings(inspect::OutputRulesOf(text), device, madeOn);
    for (const std::string& warning : warnings)
        err << "ostrel: warning: " << warning << "\n";
    if (!strict || warnings.empty())
        return true;
    err << "ostrel: --strict: " << warnings.size()
        << (warnings.size() == 1 ? " warning" : " warnings")
        << " above; nothing was programmed or written\n";
    return false;
}

}  // namespace ostrel
