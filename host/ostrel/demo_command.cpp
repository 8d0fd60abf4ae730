#include "host/ostrel/demo_command.h"

#include <cstdlib>

#include "config/event_config.h"
#include "host/device/device_description_text.h"
#include "host/device/simulated_corvex.h"
#include "host/ostrel/block_table.h"

namespace Ostrel {
namespace {

constexpr double kTriggerVolts = 2.5;

std::string Narrow(const std::u16string& text) {
    // Output names are ASCII.
    return std::string(text.begin(), text.end());
}

void PrintDevice(const DeviceDescription& device, std::ostream& out) {
    out << "Simulated Corvex \"" << device.Name << "\": " << device.Inputs << " inputs of "
        << device.Range.Range << " " << device.Range.Unit << ", " << device.AnalogOutputs
        << " analog outputs, digital outputs ";
    for (std::size_t i = 0; i < device.DigitalGroups.size(); ++i) {
        out << (i > 0 ? "+" : "") << device.DigitalGroups[i];
    }
    out << "\n";
}

void PrintOutputs(const VavazaZavidi::EventConfig& config, std::ostream& out) {
    out << "LoadFromDevice: " << config.GetCount() << " outputs:";
    for (std::int32_t i = 0; i < config.GetCount(); ++i) {
        out << (i > 0 ? "," : "") << " " << config.GetOutputNumber(i) << " \""
            << Narrow(config.GetName(i)) << "\"";
    }
    out << "\n";
}

}  // namespace

int RunDemo(const DemoOptions& options, std::ostream& out) {
    const DeviceDescription description;  // the demonstration device
    const ComPtr<SimulatedCorvex> corvex = SimulatedCorvex::Create(description);
    IMasterDevice* device = corvex.Get();
    PrintDevice(description, out);

    VavazaZavidi::EventConfig config;
    config.LoadFromDevice(device);
    PrintOutputs(config, out);

    // Output 1 on: Input 1 goes above 2.5 V. Levels are percent of the input's range.
    const double range = std::strtod(description.RangeOf(0).Range.c_str(), nullptr);
    VavazaZavidi::Rule rule;
    rule.Input = 0;
    rule.Above = true;
    rule.Level = kTriggerVolts * 100.0 / range;
    config.SetRule(0, 0, rule);
    config.Settings(0).On = true;
    out << "Output 1 on: Input 1 above " << kTriggerVolts << " " << description.RangeOf(0).Unit
        << " (Level " << rule.Level << " % of " << range << " " << description.RangeOf(0).Unit
        << ", hysteresis " << rule.Hysteresis << " %)\n";

    const bool sent = config.SendToDevice(device);
    const std::vector<BlockBytes> blocks = corvex->ProgrammedBlocks();
    out << "SendToDevice: " << (sent ? "true" : "false") << ", " << blocks.size()
        << " command blocks of " << sizeof(OutputCommandBlock) << " bytes\n\n";
    if (options.Hex) {
        for (const BlockBytes& block : blocks)
            out << FormatBlockHex(block) << "\n";
    } else {
        out << FormatBlockTable(blocks);
    }
    return sent ? 0 : 1;
}

}  // namespace Ostrel
