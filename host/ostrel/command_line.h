// The `ostrel` command line: parses the arguments and runs the command they name.
#pragma once

#include <ostream>

namespace ostrel {

// Runs `ostrel` with `arguments` (argv without the program name); returns the exit code.
// Usage errors go to `err` with exit code 2.
int RunOstrel(int argc, const char* const* argv, std::ostream& out, std::ostream& err);

}  // namespace ostrel
