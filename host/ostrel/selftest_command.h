// `ostrel selftest`: runs every self-test the loaded extensions registered with the host.
#pragma once

#include <ostream>

namespace ostrel {

// Prints each test's name with "passed" or "failed" and the message; returns 1 when a test
// failed or none was registered, 0 otherwise.
int RunSelfTest(std::ostream& out, std::ostream& err);

}  // namespace ostrel
