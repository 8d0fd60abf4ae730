#include "python/programmed_device.h"

#include <sstream>

#include "host/device/device_description_text.h"
#include "host/ostrel/block_table.h"
#include "host/ostrel/hresult_text.h"
#include "host/ostrel/ostrel_host.h"
#include "host/ostrel/preview_steps.h"

namespace python {

ProgrammedDevice::ProgrammedDevice(const std::string& description)
    : description_(device::ParseDeviceDescription(description)),
      inputs_(preview::InputScalesOf(description_)) {}

Programming ProgrammedDevice::Program(const std::string& text) {
    std::ostringstream boxes;
    ostrel::OstrelHost host(description_, boxes);
    host.SendConfigurationText(text);
    const std::vector<device::DeviceCommand>& commands = host.Device().Commands();
    programs_ = device::ProgramsInForce(commands, description_.Inputs);

    Programming done;
    for (const device::DeviceCommand& command : commands) {
        if (command.What != device::DeviceCommand::Kind::kProgram)
            continue;
        OutputProgramming& output = done.Outputs.emplace_back();
        output.Output = ostrel::DecodeBlock(command.Block).Output;
        output.Accepted = command.Result == S_OK;
        if (!output.Accepted) {
            output.Reason = (command.Refusal.empty() ? "no reason given" : command.Refusal) + " [" +
                            ostrel::DescribeHResult(command.Result) + "]";
            continue;
        }
        for (const device::OutputProgram& program : programs_) {
            if (program.Output != output.Output)
                continue;
            output.Active = program.Active();
            output.Reason = program.Unreadable;
        }
    }
    // "[message box] CAPTION: TEXT" lines, continued lines indented.
    std::istringstream lines(boxes.str());
    for (std::string line; std::getline(lines, line);) {
        constexpr std::string_view kBox = "[message box] ";
        if (line.starts_with(kBox))
            done.Messages.push_back(line.substr(kBox.size()));
        else if (const std::size_t text = line.find_first_not_of(' ');
                 !done.Messages.empty() && text != std::string::npos)
            done.Messages.back().append(1, '\n').append(line, text);
    }
    return done;
}

EventTable Replay(const std::vector<device::OutputProgram>& programs, preview::SignalReader& reader,
                  const std::string& name) {
    EventTable table;
    table.Recording = reader.Info();
    ostrel::CheckFit(table.Recording, name, programs);
    EventGatherer gatherer;
    preview::ReplayRecording(reader, name, programs, {}, {&gatherer});
    table.Rows = gatherer.Rows();
    return table;
}

}  // namespace python
