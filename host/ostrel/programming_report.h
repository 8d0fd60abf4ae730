// What ostrel says after a command that programs the device: each command block the device
// refused, with the output, the device's answer and its reason, then the overall result.
#pragma once

#include <ostream>

#include "host/device/simulated_corvex.h"

namespace ostrel {

// Reports the program calls in `device`'s record: refusals on `err`, the overall result on
// `out`. A device that does not offer its automatic outputs at all counts as refusing. Returns
// true when the device took every block.
bool ReportProgramming(const device::SimulatedCorvex& device, std::ostream& out, std::ostream& err);

}  // namespace ostrel
