// Whether recorded signals fit the device that is to replay them: what `preview` checks before
// it replays, and what every other replay through the programmed device checks too.
#pragma once

#include <stdexcept>
#include <string>
#include <vector>

#include "host/device/output_program.h"
#include "host/device/sample_block.h"

namespace ostrel {

// Signals that do not fit the device; what() names them by `name` and says what does not fit.
class SignalFitError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The signals must fit the device: a rate its converters sample at, and every input a used
// rule slot of an active output watches. (The readers check the channels' number and units.)
void CheckFit(const device::RecordingInfo& signals, const std::string& name,
              const std::vector<device::OutputProgram>& programs);

}  // namespace ostrel
