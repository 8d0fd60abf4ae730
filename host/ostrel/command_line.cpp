#include "host/ostrel/command_line.h"

#include <algorithm>
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
#include "host/preview/formats/signal_formats.h"
#include "host/preview/reports/report_writers.h"

namespace ostrel {
namespace {

constexpr const char kUsageBeforePreview[] =
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
)";

constexpr const char kUsageAfterPreview[] = R"(  check FILE
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

constexpr std::size_t kHelpWidth = 92;

// `words` as lines of at most kHelpWidth columns, the first indented by `indent`, the others by
// `hanging`.
std::string Wrapped(const std::vector<std::string>& words, std::size_t indent,
                    std::size_t hanging) {
    std::string text(indent, ' ');
    std::size_t column = indent;
    bool lineStart = true;
    for (const std::string& word : words) {
        if (!lineStart && column + 1 + word.size() > kHelpWidth) {
            text += "\n" + std::string(hanging, ' ');
            column = hanging;
            lineStart = true;
        }
        if (!lineStart) {
            text += ' ';
            ++column;
        }
        text += word;
        column += word.size();
        lineStart = false;
    }
    return text + "\n";
}

std::vector<std::string> WordsOf(std::string_view text) {
    std::vector<std::string> words;
    std::size_t at = 0;
    while (at < text.size()) {
        const std::size_t end = std::min(text.find(' ', at), text.size());
        if (end > at)
            words.emplace_back(text.substr(at, end - at));
        at = end + 1;
    }
    return words;
}

// The preview command's part of the help: its report options and the signal files it reads
// come from the report and format tables.
std::string PreviewUsage() {
    std::vector<std::string> synopsis = WordsOf("preview CONFIG|DOC --signals FILE");
    synopsis.emplace_back("[--device D]");
    for (const preview::ReportKind* kind : preview::ReportKinds())
        synopsis.push_back("[" + std::string(kind->Option) + " " + std::string(kind->Argument) +
                           "]");
    synopsis.emplace_back("[--from S]");
    synopsis.emplace_back("[--to S]");

    std::string text =
        "Programs the device as apply (a configuration text) or open (a document file) does, "
        "then lets the simulated Corvex run the blocks it holds over the recorded signals in "
        "FILE and prints per output: its program, the number of pulses, the first and last "
        "pulse start, the shortest interval between starts, and the triggers it ignored and "
        "why (during the delay, during a pulse, in the hold-off, over the count limit). The "
        "device always runs from the start of the recording; --from and --to (seconds, in the "
        "recording's time) choose the part the summary and the picture look at.";
    const auto& kinds = preview::ReportKinds();
    for (std::size_t i = 0; i < kinds.size(); ++i) {
        text += (i == 0 ? " " : "; ") + std::string(kinds[i]->Option) + " " +
                std::string(kinds[i]->Help);
    }
    text += ". FILE is told by its name: ";
    const auto& formats = preview::SignalFormats();
    for (std::size_t i = 0; i < formats.size(); ++i) {
        const auto& extensions = formats[i]->Extensions;
        for (std::size_t e = 0; e < extensions.size(); ++e)
            text += (e == 0 ? "" : " or ") + std::string(extensions[e]);
        text += " (" + std::string(formats[i]->Holds) + ")" + (i + 1 < formats.size() ? ", " : ".");
    }
    text +=
        " Its units must be the inputs' units or other prefixes of them, its rate at most 100000 "
        "samples per second, and it must hold every input a rule watches.";
    return Wrapped(synopsis, 2, 10) + Wrapped(WordsOf(text), 6, 6);
}

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
        const preview::ReportKind* report = preview::ReportByOption(argument);
        if (argument == "--signals" || argument == "--device" || argument == "--from" ||
            argument == "--to" || report != nullptr) {
            if (i + 1 >= argc) {
                problem = std::string(argument) + " needs a value";
                return false;
            }
            const std::string_view value = argv[++i];
            if (report != nullptr) {
                options.AskFor(*report, std::string(value));
            } else if (argument == "--signals") {
                options.Signals = value;
            } else if (argument == "--device") {
                options.Device = value;
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
        out << kUsageBeforePreview << PreviewUsage() << kUsageAfterPreview
            << device::kDeviceDescriptionSyntax;
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

}  // namespace ostrel
