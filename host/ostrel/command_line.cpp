#include "host/ostrel/command_line.h"

#include <string>
#include <string_view>

#include "host/ostrel/check_command.h"
#include "host/ostrel/demo_command.h"

namespace Ostrel {
namespace {

constexpr const char kUsage[] =
    R"(Usage: ostrel COMMAND [OPTIONS]

The host application Ostrel with a simulated Corvex device.

Commands:
  demo [--hex]   Makes a configuration for the demonstration device (8 inputs of 10 V,
                 2 analog outputs, digital outputs 4+4), switches output 1 on for Input 1
                 above 2.5 V and programs the device. Prints the device's command blocks as a
                 table, or with --hex each block as 224 hex digits on one line.
  check FILE     Reads the configuration text FILE and prints the text it gives when written
                 back. Exit code 0 when it reads, 1 when it does not (what was read up to the
                 failure is printed), 2 when the file cannot be read.
  --help         Prints this text.
)";

int UsageError(const std::string& problem, std::ostream& err) {
    err << "ostrel: " << problem << "\n"
        << "Try 'ostrel --help'.\n";
    return 2;
}

}  // namespace

int RunOstrel(int argc, const char* const* argv, std::ostream& out, std::ostream& err) {
    if (argc < 1)
        return UsageError("no command given", err);
    const std::string_view command = argv[0];
    if (command == "--help" || command == "-h" || command == "help") {
        out << kUsage;
        return 0;
    }
    if (command == "demo") {
        DemoOptions options;
        for (int i = 1; i < argc; ++i) {
            const std::string_view option = argv[i];
            if (option == "--hex") {
                options.Hex = true;
            } else {
                return UsageError("unknown option for demo: " + std::string(option), err);
            }
        }
        return RunDemo(options, out);
    }
    if (command == "check") {
        if (argc != 2)
            return UsageError("check takes one FILE", err);
        return RunCheck(argv[1], out, err);
    }
    return UsageError("unknown command: " + std::string(command), err);
}

}  // namespace Ostrel
