#include "host/ostrel/demo_command.h"

#include <cstdlib>

#include "host/device/simulated_corvex.h"
#include "host/inspect/tarvel_formats.h"
#include "host/ostrel/document_commands.h"

namespace Ostrel {
namespace {

constexpr double kTriggerVolts = 2.5;

}  // namespace

std::string DemoConfigurationText(const DeviceDescription& description) {
    const ComPtr<SimulatedCorvex> corvex = SimulatedCorvex::Create(description);
    // Levels are percent of the input's range.
    const double range = std::strtod(description.RangeOf(0).Range.c_str(), nullptr);
    return Inspect::OneRuleConfigurationText(corvex.Get(), kTriggerVolts * 100.0 / range);
}

int RunDemo(const DemoOptions& options, std::ostream& out, std::ostream& err) {
    const DeviceDescription description;  // the demonstration device
    out << "Demonstration: output 1 on, Input 1 above " << kTriggerVolts << " "
        << description.RangeOf(0).Unit << "\n";
    return ApplyConfigurationText(DemoConfigurationText(description), description, options.Hex, out,
                                  err);
}

}  // namespace Ostrel
