#include "host/ostrel/demo_command.h"

#include <cstdlib>

#include "config/event_config.h"
#include "host/device/simulated_corvex.h"
#include "host/ostrel/document_commands.h"

namespace Ostrel {
namespace {

constexpr double kTriggerVolts = 2.5;

}  // namespace

std::string DemoConfigurationText(const DeviceDescription& description) {
    const ComPtr<SimulatedCorvex> corvex = SimulatedCorvex::Create(description);
    VavazaZavidi::EventConfig config;
    config.LoadFromDevice(corvex.Get());

    // Output 1 on: Input 1 goes above 2.5 V. Levels are percent of the input's range.
    const double range = std::strtod(description.RangeOf(0).Range.c_str(), nullptr);
    VavazaZavidi::Rule rule;
    rule.Input = 0;
    rule.Above = true;
    rule.Level = kTriggerVolts * 100.0 / range;
    config.SetRule(0, 0, rule);
    config.Settings(0).On = true;

    std::string text;
    config.Serialize(text);
    return text;
}

int RunDemo(const DemoOptions& options, std::ostream& out, std::ostream& err) {
    const DeviceDescription description;  // the demonstration device
    out << "Demonstration: output 1 on, Input 1 above " << kTriggerVolts << " "
        << description.RangeOf(0).Unit << "\n";
    return ApplyConfigurationText(DemoConfigurationText(description), description, options.Hex, out,
                                  err);
}

}  // namespace Ostrel
