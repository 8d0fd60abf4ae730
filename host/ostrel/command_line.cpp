#include "host/ostrel/command_line.h"

#include <charconv>
#include <cmath>
#include <string>
#include <string_view>
#include <vector>

#include "host/device/device_description_text.h"
#include "host/ostrel/check_command.h"
#include "host/ostrel/demo_command.h"
#include "host/ostrel/document_commands.h"
#include "host/ostrel/preview_command.h"
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
  demo [--hex] [--snapshot FILE] [--window]
      The typical request on the demonstration device (8 inputs of 10 V, 2 analog outputs,
      digital outputs 4+4): the user chooses the menu item "Tarvel...", and in the setup
      dialog selects output 1's tab, ticks "Generate output when", chooses Input 1 and
      "above", types 2.5 into the level and presses OK. The configuration text message
      reaches the document, which merges it, marks itself modified and programs the device.
      Prints the menu item's state before and after, what the user saw in the dialog, the
      configuration text the document holds, its state and the command blocks the device
      received. --snapshot writes a PNG picture of the dialog just before OK. --window plays
      the dialog visibly in a real window on the display, each step shown for a moment.
  apply CONFIG [--device D] [--hex]
      The same for the configuration text in the file CONFIG, on the device D.
  save CONFIG DOC [--device D]
      Applies CONFIG, then saves the document into the document file DOC.
  open DOC [--device D] [--hex]
      Opens the document file DOC into a new document and prints the configuration text it
      then holds and the command blocks programmed after the load.
  setup DOC [--device D]
      Opens the document file DOC (a new document when there is none), shows the state of
      the menu item "Tarvel..." and chooses it, as a user of the host would: refusals are
      printed as their message boxes. With a display (DISPLAY set; an X server, SSH with X
      forwarding, or xvfb-run) the dialog and the message boxes open as real windows and
      the person there acts in them; without one ostrel says that the dialog needs a
      display and changes nothing (exit 2). After OK in the dialog the document is saved
      into DOC (exit 0); a refusal, Cancel or the close box writes nothing (exit 1).
  preview CONFIG|DOC --signals FILE [--device D] [--events OUT.csv] [--vcd OUT.vcd]
          [--plot OUT.png|OUT.svg] [--from S] [--to S]
      Programs the device as apply (a configuration text) or open (a document file) does,
      then lets the simulated Corvex run the blocks it holds over the recorded signals in
      FILE and prints per output: its program, the number of pulses, the first and last
      pulse start, the shortest interval between starts, and the triggers it ignored and
      why (during the delay, during a pulse, in the hold-off, over the count limit). The
      device always runs from the start of the recording; --from and --to (seconds, in the
      recording's time) choose the part the summary and the picture look at. --events
      writes every pulse and ignored trigger as CSV; --vcd writes the used inputs and the
      outputs as a value change dump, with a GTKWave save file (.gtkw) beside it; --plot
      draws the used inputs with each rule's band and the outputs' pulses, as PNG or SVG.
      FILE is told by its name: .csv (a header "time (s),Input 1 (V),Input 2 (mV)...",
      then one line per sample), .wav or .flac (full scale is each input's range), .edf or
      .bdf (physical values). Its units must be the inputs' units or other prefixes of them,
      its rate at most 100000 samples per second, and it must hold every input a rule
      watches.
  check FILE
      Reads the configuration text FILE and prints the text it gives when written back.
  selftest
      Runs every self-test the extension registered and prints each with passed or failed.
  --help
      Prints this text.

Options:
  --device D   D is a device description (below); without it, the demonstration device.
  --hex        Prints each command block as 224 hex digits on one line instead of a table.
  --signals F  The recorded signals that preview replays.
  --from S, --to S
               The part of the recording that preview sums up and draws, in seconds.

A configuration text that does not read is reported as FILE:LINE: what was expected and what
was found (or a byte-order mark, UTF-16, a NUL byte, a version other than 1); apply and save
refuse it and apply, program and write nothing. Files read must be regular files of at most
64 MiB. save writes DOC beside the old one and renames it over it, so that a failed save leaves
the old DOC as it was; with DOC the standard output, the status lines go to standard error.

Exit codes: 0 success; 1 the extension's Save or Load did not answer S_OK (the HRESULT is
printed in hex with what it means), a configuration text that does not read (or, for apply
and save, reads as nothing because of its version), the device refused a command block, or a
failed self-test; 2 a usage error, a file that cannot be read or written, or signals that do
not fit the device (preview).

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

// A number of seconds given on the command line, in the classic notation.
bool ParseSeconds(std::string_view text, double& seconds) {
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, seconds);
    return error == std::errc() && stop == end && std::isfinite(seconds);
}

bool ParsePreviewArguments(int argc, const char* const* argv, std::string& file,
                           PreviewOptions& options, std::string& problem) {
    for (int i = 1; i < argc; ++i) {
        const std::string_view argument = argv[i];
        if (argument == "--signals" || argument == "--device" || argument == "--events" ||
            argument == "--vcd" || argument == "--plot" || argument == "--from" ||
            argument == "--to") {
            if (i + 1 >= argc) {
                problem = std::string(argument) + " needs a value";
                return false;
            }
            const std::string_view value = argv[++i];
            if (argument == "--signals") {
                options.Signals = value;
            } else if (argument == "--device") {
                options.Device = value;
            } else if (argument == "--events") {
                options.Events = value;
            } else if (argument == "--vcd") {
                options.Vcd = value;
            } else if (argument == "--plot") {
                options.Plot = value;
            } else {
                double seconds = 0.0;
                if (!ParseSeconds(value, seconds)) {
                    problem = std::string(argument) + " needs a number of seconds, not \"" +
                              std::string(value) + "\"";
                    return false;
                }
                (argument == "--from" ? options.From : options.To) = seconds;
            }
        } else if (argument.starts_with("--")) {
            problem = "unknown option for preview: " + std::string(argument);
            return false;
        } else if (!file.empty()) {
            problem = "preview takes one CONFIG or DOC file";
            return false;
        } else {
            file = argument;
        }
    }
    if (file.empty())
        problem = "preview needs a CONFIG or DOC file";
    else if (options.Signals.empty())
        problem = "preview needs --signals FILE";
    else if (options.From && options.To && *options.From >= *options.To)
        problem = "--from must come before --to";
    return problem.empty();
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
            } else if (option == "--window") {
                options.Window = true;
            } else if (option == "--snapshot" && i + 1 < argc) {
                options.Snapshot = argv[++i];
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
    if (command == "preview") {
        std::string file, problem;
        PreviewOptions options;
        if (!ParsePreviewArguments(argc, argv, file, options, problem))
            return UsageError(problem, err);
        return RunPreview(file, options, out, err);
    }
    if (command == "apply" || command == "save" || command == "open" || command == "setup") {
        DocumentArguments arguments;
        std::string problem;
        if (!ParseDocumentArguments(argc, argv, command == "apply" || command == "open", arguments,
                                    problem))
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
        if (command == "setup") {
            if (files.size() != 1)
                return UsageError("setup takes one DOC file", err);
            return RunSetupCommand(files[0], arguments.options, out, err);
        }
        if (files.size() != 1)
            return UsageError("open takes one DOC file", err);
        return RunOpen(files[0], arguments.options, out, err);
    }
    return UsageError("unknown command: " + std::string(command), err);
}

}  // namespace Ostrel
