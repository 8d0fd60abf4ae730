#include "host/ostrel/command_line.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>
#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "host/ostrel/channels_command.h"
#include "host/ostrel/check_command.h"
#include "host/ostrel/command_help.h"
#include "host/ostrel/demo_command.h"
#include "host/ostrel/document_commands.h"
#include "host/ostrel/preview_command.h"
#include "host/ostrel/selftest_command.h"
#include "host/ostrel/text_command.h"
#include "host/preview/reports/report_writers.h"

namespace ostrel {
namespace {

int UsageError(const std::string& problem, std::ostream& err) {
    err << "ostrel: " << problem << "\n"
        << "Try 'ostrel --help'.\n";
    return 2;
}

// A command's arguments: its operands, and the options given with their values (a switch has
// the empty value).
struct Arguments {
    std::vector<std::string> Operands;
    std::map<std::string, std::string, std::less<>> Options;
    bool Help = false;

    bool Has(std::string_view option) const { return Options.find(option) != Options.end(); }
    std::string ValueOf(std::string_view option) const {
        return OptionalValueOf(option).value_or("");
    }
    std::optional<std::string> OptionalValueOf(std::string_view option) const {
        const auto found = Options.find(option);
        return found != Options.end() ? std::optional(found->second) : std::nullopt;
    }
};

// Reads `argv` (after the command's name) by the command's options. An option not the
// command's, one without its value or with an empty one (where that means nothing), and one
// given twice are usage errors.
bool ParseArguments(const CommandSpec& command, int argc, const char* const* argv,
                    Arguments& parsed, std::string& problem) {
    for (int i = 1; i < argc; ++i) {
        const std::string_view argument = argv[i];
        if (argument == "--help" || argument == "-h") {
            parsed.Help = true;
            continue;
        }
        if (!argument.starts_with("--")) {
            parsed.Operands.emplace_back(argument);
            continue;
        }
        const auto option =
            std::find_if(command.Options.begin(), command.Options.end(),
                         [&](const OptionSpec& known) { return known.Name == argument; });
        if (option == command.Options.end()) {
            problem =
                "unknown option for " + std::string(command.Name) + ": " + std::string(argument);
            return false;
        }
        if (parsed.Has(argument)) {
            problem = std::string(argument) + " is given twice";
            return false;
        }
        std::string value;
        if (!option->Value.empty()) {
            const std::string needs =
                std::string(argument) + " needs " + std::string(option->Value);
            if (i + 1 >= argc) {
                problem = needs;
                return false;
            }
            value = argv[++i];
            if ((value.empty() && !option->MayBeEmpty) || value.starts_with("--")) {
                problem =
                    needs + ", not " + (value.empty() ? "an empty text" : "\"" + value + "\"");
                return false;
            }
        }
        parsed.Options.emplace(argument, std::move(value));
    }
    return true;
}

// A number of seconds given on the command line, in the classic notation.
bool ParseSeconds(std::string_view text, double& seconds) {
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, seconds);
    return error == std::errc() && stop == end && std::isfinite(seconds);
}

std::string LowerExtensionOf(const std::string& path) {
    std::string extension = std::filesystem::path(path).extension().string();
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return extension;
}

// The preview's options from its arguments; false with the problem when they do not make a
// preview.
bool PreviewOptionsOf(const Arguments& arguments, PreviewOptions& options, std::string& problem) {
    options.Signals = arguments.ValueOf("--signals");
    options.Device = arguments.OptionalValueOf("--device");
    options.Strict = arguments.Has("--strict");
    if (arguments.Has("--map")) {
        try {
            options.Map = preview::ParseChannelMap(arguments.ValueOf("--map"));
        } catch (const preview::ChannelMapError& error) {
            problem = error.what();
            return false;
        }
    }
    for (const char* bound : {"--from", "--to"}) {
        if (!arguments.Has(bound))
            continue;
        double seconds = 0.0;
        if (!ParseSeconds(arguments.ValueOf(bound), seconds)) {
            problem = std::string(bound) + " needs a number of seconds, not \"" +
                      arguments.ValueOf(bound) + "\"";
            return false;
        }
        (std::string_view(bound) == "--from" ? options.From : options.To) = seconds;
    }
    for (const preview::ReportKind* kind : preview::ReportKinds()) {
        if (!arguments.Has(kind->Option))
            continue;
        const std::string path = arguments.ValueOf(kind->Option);
        if (!kind->Extensions.empty() &&
            std::find(kind->Extensions.begin(), kind->Extensions.end(), LowerExtensionOf(path)) ==
                kind->Extensions.end()) {
            std::string endings;
            for (std::size_t e = 0; e < kind->Extensions.size(); ++e)
                endings += (e == 0                             ? ""
                            : e + 1 == kind->Extensions.size() ? " or "
                                                               : ", ") +
                           std::string(kind->Extensions[e]);
            problem = std::string(kind->Option) + " writes a file ending in " + endings +
                      ", not \"" + path + "\"";
            return false;
        }
        options.Reports.push_back({kind, path});
    }
    if (arguments.Operands.size() != 1)
        problem = arguments.Operands.empty() ? "preview needs a CONFIG or DOC file"
                                             : "preview takes one CONFIG or DOC file";
    else if (options.Signals.empty())
        problem = "preview needs --signals FILE";
    else if (options.From && options.To && *options.From >= *options.To)
        problem = "--from must come before --to";
    return problem.empty();
}

// How many operands each command takes, and what it says when it gets another number.
struct OperandRule {
    std::string_view Command;
    std::size_t Count;
    std::string_view Problem;
};
constexpr OperandRule kOperandRules[] = {
    {"demo", 0, "demo takes no files"},
    {"apply", 1, "apply takes one CONFIG file"},
    {"save", 2, "save takes a CONFIG file and a DOC file"},
    {"open", 1, "open takes one DOC file"},
    {"text", 1, "text takes one DOC file"},
    {"setup", 1, "setup takes one DOC file"},
    {"check", 1, "check takes one FILE"},
    {"channels", 1, "channels takes one recording FILE"},
    {"selftest", 0, "selftest takes no arguments"},
};

int RunCommand(const CommandSpec& command, const Arguments& arguments, std::ostream& out,
               std::ostream& err) {
    const std::string_view name = command.Name;
    if (name == "preview") {
        PreviewOptions options;
        std::string problem;
        if (!PreviewOptionsOf(arguments, options, problem))
            return UsageError(problem, err);
        return RunPreview(arguments.Operands[0], options, out, err);
    }
    for (const OperandRule& rule : kOperandRules) {
        if (rule.Command == name && arguments.Operands.size() != rule.Count)
            return UsageError(std::string(rule.Problem), err);
    }
    const std::vector<std::string>& files = arguments.Operands;
    if (name == "demo") {
        DemoOptions options;
        options.Hex = arguments.Has("--hex");
        options.Window = arguments.Has("--window");
        options.Snapshot = arguments.ValueOf("--snapshot");
        return RunDemo(options, out, err);
    }
    if (name == "check")
        return RunCheck(files[0], out, err);
    if (name == "channels")
        return RunChannels(files[0], out, err);
    if (name == "text")
        return RunText(files[0], out, err);
    if (name == "selftest")
        return RunSelfTest(out, err);
    DocumentOptions options;
    options.Device = arguments.OptionalValueOf("--device");
    options.Hex = arguments.Has("--hex");
    options.Strict = arguments.Has("--strict");
    if (name == "apply")
        return RunApply(files[0], options, out, err);
    if (name == "save")
        return RunSave(files[0], files[1], options, out, err);
    if (name == "setup")
        return RunSetupCommand(files[0], options, out, err);
    return RunOpen(files[0], options, out, err);
}

}  // namespace

int RunOstrel(int argc, const char* const* argv, std::ostream& out, std::ostream& err) {
    if (argc < 1)
        return UsageError("no command given", err);
    const std::string_view first = argv[0];
    if (first == "--help" || first == "-h" || (first == "help" && argc == 1)) {
        out << OverallHelp();
        return 0;
    }
    if (first == "--version") {
        out << VersionText();
        return 0;
    }
    if (first == "help" && argc == 2) {
        if (const CommandSpec* command = CommandNamed(argv[1])) {
            out << CommandHelp(*command);
            return 0;
        }
        return UsageError("unknown command: " + std::string(argv[1]), err);
    }
    const CommandSpec* command = CommandNamed(first);
    if (command == nullptr)
        return UsageError("unknown command: " + std::string(first), err);
    Arguments arguments;
    std::string problem;
    if (!ParseArguments(*command, argc, argv, arguments, problem))
        return UsageError(problem, err);
    if (arguments.Help) {
        out << CommandHelp(*command);
        return 0;
    }
    return RunCommand(*command, arguments, out, err);
}

}  // namespace ostrel
