#include "host/ostrel/programming_report.h"

#include "host/ostrel/block_table.h"
#include "host/ostrel/hresult_text.h"

namespace ostrel {

bool ReportProgramming(const device::SimulatedCorvex& device, std::ostream& out,
                       std::ostream& err) {
    if (device.Description().AutoOutputs == device::AutoOutputSupport::kAbsent) {
        err << "ostrel: the device does not offer automatic outputs (auto-outputs=absent): no "
               "output was programmed\n";
        out << "Programming failed: the device has no automatic outputs\n";
        return false;
    }
    int blocks = 0;
    int refused = 0;
    for (const device::DeviceCommand& command : device.Commands()) {
        if (command.What != device::DeviceCommand::Kind::kProgram)
            continue;
        ++blocks;
        if (command.Result == S_OK)
            continue;
        ++refused;
        err << "ostrel: the device refused output " << DecodeBlock(command.Block).Output << ": "
            << (command.Refusal.empty() ? "no reason given" : command.Refusal) << " ["
            << DescribeHResult(command.Result) << "]\n";
    }
    const char* noun = blocks == 1 ? " command block" : " command blocks";
    if (refused == 0) {
        out << "Programming: the device took " << (blocks > 1 ? "all " : "") << blocks << noun
            << "\n";
        return true;
    }
    out << "Programming failed: the device refused " << refused << " of " << blocks << noun << "\n";
    return false;
}

}  // namespace ostrel
