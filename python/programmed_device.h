// A simulated Corvex that a Python program holds. It is programmed through the extension as
// `ostrel apply` programs it (the host sends the configuration text to the extension's
// document on a host document whose master device it is, and the extension programs the
// blocks), and it replays recordings through the preview's pipeline with the programs it then
// holds.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "host/device/device_description.h"
#include "host/device/output_program.h"
#include "host/preview/formats/input_scale.h"
#include "host/preview/formats/signal_reader.h"
#include "python/event_table.h"

namespace python {

// What programming did for one output the extension sent a block for.
struct OutputProgramming {
    std::int32_t Output = 0;  // 1, 2 ... analog; -1, -2 ... digital
    bool Accepted = false;    // the device took the block
    bool Active = false;      // the output can go high: on, with a rule the device reads
    // Why not, as ostrel says it: the device's refusal with its answer, or why the device keeps
    // an output it took low; empty otherwise.
    std::string Reason;
};

// What a program call did.
struct Programming {
    std::vector<OutputProgramming> Outputs;  // in the order the blocks came
    // The message boxes the extension showed meanwhile ("CAPTION: TEXT"); none when all went
    // well.
    std::vector<std::string> Messages;
};

class ProgrammedDevice {
public:
    // A device of `description` (ostrel's --device syntax; empty: the demonstration device),
    // holding no program. Throws device::DeviceDescriptionError for a description that does not
    // read, std::invalid_argument for an input range that is not a positive number.
    explicit ProgrammedDevice(const std::string& description);

    const device::DeviceDescription& Description() const { return description_; }
    const std::vector<preview::InputScale>& Inputs() const { return inputs_; }

    // Programs the device with `text`, a configuration text that reads, as `apply` does, from a
    // device that holds nothing; the device then holds what the extension programmed. One call
    // at a time in the process: the host's session is the process's. Throws
    // std::runtime_error when the host cannot load the extension.
    Programming Program(const std::string& text);

    // The programs in force after the last Program call; none before it.
    const std::vector<device::OutputProgram>& Programs() const { return programs_; }

private:
    device::DeviceDescription description_;
    std::vector<preview::InputScale> inputs_;
    std::vector<device::OutputProgram> programs_;
};

// Replays the recording `reader` delivers through `programs` by the preview's pipeline, after
// checking that it fits the device as `preview` checks it; `name` names the recording in the
// messages. Throws ostrel::PreviewError for signals that do not fit the device,
// preview::SignalFileError for what the reader does not deliver.
EventTable Replay(const std::vector<device::OutputProgram>& programs, preview::SignalReader& reader,
                  const std::string& name);

}  // namespace python
