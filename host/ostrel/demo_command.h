// `ostrel demo`: the typical request end to end, as far as it exists: a configuration made for
// the simulated device, output 1 switched on for Input 1 above 2.5 V, the device programmed.
#pragma once

#include <ostream>

namespace Ostrel {

struct DemoOptions {
    bool Hex = false;  // print the blocks as hex instead of a table
};

// Runs the demonstration, printing to `out`; returns the process exit code.
int RunDemo(const DemoOptions& options, std::ostream& out);

}  // namespace Ostrel
