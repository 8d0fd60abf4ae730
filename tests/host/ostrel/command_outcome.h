// What an ostrel command printed and the exit code it gave, as the tests look at them.
#pragma once

#include <ostream>
#include <sstream>
#include <string>
#include <vector>

#include "host/ostrel/command_line.h"

namespace ostrel {

struct Outcome {
    int code;
    std::string out;
    std::string err;
};

// Runs `command(out, err)`, which returns the exit code, and keeps what it printed.
template <class Command>
Outcome Capture(Command command) {
    std::ostringstream out, err;
    const int code = command(out, err);
    return {code, out.str(), err.str()};
}

// Runs `ostrel` with `arguments` (without the program name).
inline Outcome RunCommand(std::vector<const char*> arguments) {
    return Capture([&](std::ostream& out, std::ostream& err) {
        return RunOstrel(static_cast<int>(arguments.size()), arguments.data(), out, err);
    });
}

// RunCommand with the arguments as strings.
inline Outcome RunArguments(const std::vector<std::string>& arguments) {
    std::vector<const char*> pointers;
    for (const std::string& argument : arguments)
        pointers.push_back(argument.c_str());
    return RunCommand(pointers);
}

}  // namespace ostrel
