#include "host/ostrel/command_line.h"

#include <string>
#include <string_view>
#include <vector>

#include "host/device/device_description_text.h"
#include "host/ostrel/check_command.h"
#include "host/ostrel/demo_command.h"
#include "host/ostrel/document_commands.h"
#include "host/ostrel/selftest_command.h"

namespace Ostrel {
namespace {

constexpr const char kUsage[] =
    R"(Usage: ostrel COMMAND [OPTIONS]

The host application Ostrel with a simulated Corvex master device. The document commands load
the Tarvel extension module (libtarvel.so, beside ostrel) as the host does, open a host
document whose master device is the simulated Corvex, and work through the extension's
document beside it.

Commands:
  demo [--hex]
      The typical request: a configuration for the demonstration device (8 inputs of 10 V,
      2 analog outputs, digital outputs 4+4) with output 1 on for Input 1 above 2.5 V is sent
      to the document as the configuration text message. The document merges it, marks itself
      modified and programs the device. Prints the configuration text the document holds, its
      state and the command blocks the device received.
  apply CONFIG [--device D] [--hex]
      The same for the configuration text in the file CONFIG, on the device D.
  save CONFIG DOC [--device D]
      Applies CONFIG, then saves the document into the document file DOC.
  open DOC [--device D] [--hex]
      Opens the document file DOC into a new document and prints the configuration text it
      then holds and the command blocks programmed after the load.
  check FILE
      Reads the configuration text FILE and prints the text it gives when written back.
  selftest
      Runs every self-test the extension registered and prints each with passed or failed.
  --help
      Prints this text.

Options:
  --device D   D is a device description (below); without it, the demonstration device.
  --hex        Prints each command block as 224 hex digits on one line instead of a table.

A configuration text that does not read is reported as FILE:LINE: what was expected and what
was found (or a byte-order mark, UTF-16, a NUL byte, a version other than 1); apply and save
refuse it and apply, program and write nothing. Files read must be regular files of at most
64 MiB. save writes DOC beside the old one and renames it over it, so that a failed save leaves
the old DOC as it was; with DOC the standard output, the status lines go to standard error.

Exit codes: 0 success; 1 the extension's Save or Load did not answer S_OK (the HRESULT is
printed in hex with what it means), a configuration text that does not read (or, for apply
and save, reads as nothing because of its version), or a failed self-test; 2 a usage error or
a file that cannot be read or written.

Document file: the line "OSTRELDOC 1", then for each extension stream a line
"{CLSID} <byte count>" followed by exactly that many bytes of the stream; one stream per
CLSID, blank lines after the last stream accepted.

)";

int UsageError(const std::string& problem, std::ostream& err) {
    err << "ostrel: " << problem << "\n"
        << "Try 'ostrel --help'.\n";
    return 2;
}

// The arguments of a document command: its files, then --device D and --hex.
struct DocumentArguments {
    std::vector<std::string> files;
    DocumentOptions options;
};

bool ParseDocumentArguments(int argc, const char* const* argv, bool allowHex,
                            DocumentArguments& parsed, std::string& problem) {
    for (int i = 1; i < argc; ++i) {
        const std::string_view argument = argv[i];
        if (argument == "--device") {
            if (i + 1 >= argc) {
                problem = "--device needs a device description";
                return false;
            }
            parsed.options.Device = argv[++i];
        } else if (argument == "--hex" && allowHex) {
            parsed.options.Hex = true;
        } else if (argument.starts_with("--")) {
            problem = "unknown option for " + std::string(argv[0]) + ": " + std::string(argument);
            return false;
        } else {
            parsed.files.emplace_back(argument);
        }
    }
    return true;
}

}  // namespace

int RunOstrel(int argc, const char* const* argv, std::ostream& out, std::ostream& err) {
    if (argc < 1)
        return UsageError("no command given", err);
    const std::string_view command = argv[0];
    if (command == "--help" || command == "-h" || command == "help") {
        out << kUsage << kDeviceDescriptionSyntax;
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
        return RunDemo(options, out, err);
    }
    if (command == "check") {
        if (argc != 2)
            return UsageError("check takes one FILE", err);
        return RunCheck(argv[1], out, err);
    }
    if (command == "selftest") {
        if (argc != 1)
            return UsageError("selftest takes no arguments", err);
        return RunSelfTest(out, err);
    }
    if (command == "apply" || command == "save" || command == "open") {
        DocumentArguments arguments;
        std::string problem;
        if (!ParseDocumentArguments(argc, argv, command != "save", arguments, problem))
            return UsageError(problem, err);
        const auto& files = arguments.files;
        if (command == "apply") {
            if (files.size() != 1)
                return UsageError("apply takes one CONFIG file", err);
            return RunApply(files[0], arguments.options, out, err);
        }
        if (command == "save") {
            if (files.size() != 2)
                return UsageError("save takes a CONFIG file and a DOC file", err);
            return RunSave(files[0], files[1], arguments.options, out, err);
        }
        if (files.size() != 1)
            return UsageError("open takes one DOC file", err);
        return RunOpen(files[0], arguments.options, out, err);
    }
    return UsageError("unknown command: " + std::string(command), err);
}

}  // namespace Ostrel
