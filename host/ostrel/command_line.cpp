#include "host/ostrel/command_line.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>
#include <filesystem>
#include <functional>
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
#include "host/ostrel/tune_command.h"
#include "host/preview/reports/report_writers.h"
#include "host/scoring/event_matching.h"

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
    // Every value of a repeatable option, in the order given (Options holds the last).
    std::map<std::string, std::vector<std::string>, std::less<>> Repeated;
    bool Help = false;

    bool Has(std::string_view option) const { return Options.find(option) != Options.end(); }
    std::string ValueOf(std::string_view option) const {
        return OptionalValueOf(option).value_or("");
    }
    std::optional<std::string> OptionalValueOf(std::string_view option) const {
        const auto found = Options.find(option);
        return found != Options.end() ? std::optional(found->second) : std::nullopt;
    }
    std::vector<std::string> ValuesOf(std::string_view option) const {
        const auto found = Repeated.find(option);
        return found != Repeated.end() ? found->second : std::vector<std::string>();
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
        if (parsed.Has(argument) && !option->Repeatable) {
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
        if (option->Repeatable)
            parsed.Repeated[std::string(argument)].push_back(value);
        parsed.Options.insert_or_assign(std::string(argument), std::move(value));
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

// "A,B": the match window in seconds, A <= B.
bool ParseWindow(std::string_view text, scoring::MatchWindow& window) {
    const std::size_t comma = text.find(',');
    return comma != std::string_view::npos && ParseSeconds(text.substr(0, comma), window.Early) &&
           ParseSeconds(text.substr(comma + 1), window.Late) && window.Early <= window.Late;
}

// The scoring options preview and tune share; false with the problem when they do not fit.
bool ScoringOptionsOf(const Arguments& arguments, std::optional<std::string>& label,
                      scoring::MatchWindow& window, std::string& problem) {
    if (arguments.Has("--label"))
        label = arguments.ValueOf("--label");
    if (arguments.Has("--window") && !ParseWindow(arguments.ValueOf("--window"), window)) {
        problem =
            "--window needs two numbers of seconds A,B with A <= B (such as -0.1,0.1), "
            "not \"" +
            arguments.ValueOf("--window") + "\"";
        return false;
    }
    return true;
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
    options.Reference = arguments.ValueOf("--reference");
    options.Json = arguments.ValueOf("--json");
    if (!ScoringOptionsOf(arguments, options.Label, options.Window, problem))
        return false;
    for (const char* scoringOption : {"--label", "--window"}) {
        if (arguments.Has(scoringOption) && options.Reference.empty()) {
            problem = std::string(scoringOption) +
                      " scores against --reference FILE, which is "
                      "not given";
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

// A whole number from `low` to `high` given on the command line.
bool ParseWhole(std::string_view text, long long low, long long high, long long& value) {
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, value);
    return error == std::errc() && stop == end && value >= low && value <= high;
}

// tune's options from its arguments; false with the problem when they do not make a sweep.
bool TuneOptionsOf(const Arguments& arguments, TuneOptions& options, std::string& problem) {
    options.Signals = arguments.ValuesOf("--signals");
    options.References = arguments.ValuesOf("--reference");
    options.Device = arguments.OptionalValueOf("--device");
    options.Write = arguments.ValueOf("--write");
    options.Plot = arguments.ValueOf("--plot");
    options.Json = arguments.ValueOf("--json");
    if (!ScoringOptionsOf(arguments, options.Label, options.Window, problem))
        return false;
    for (const char* required : {"--signals", "--reference", "--output"}) {
        if (!arguments.Has(required)) {
            problem = "tune needs " + std::string(required) +
                      (std::string_view(required) == "--output" ? " N" : " FILE");
            return false;
        }
    }
    long long whole = 0;
    if (!ParseWhole(arguments.ValueOf("--output"), -4096, 4096, whole) || whole == 0) {
        problem = "--output needs an output number (1, 2 ... analog, -1, -2 ... digital), not \"" +
                  arguments.ValueOf("--output") + "\"";
        return false;
    }
    options.Output = static_cast<std::int32_t>(whole);
    const struct {
        const char* Option;
        long long Low, High;
        std::function<void(long long)> Set;
    } wholes[] = {
        {"--condition", 1, 4, [&](long long v) { options.Condition = static_cast<int>(v); }},
        {"--jobs", 1, 1024, [&](long long v) { options.Jobs = static_cast<unsigned>(v); }},
        {"--top", 1, 1000000000, [&](long long v) { options.Top = static_cast<std::size_t>(v); }},
    };
    for (const auto& number : wholes) {
        if (!arguments.Has(number.Option))
            continue;
        if (!ParseWhole(arguments.ValueOf(number.Option), number.Low, number.High, whole)) {
            problem = std::string(number.Option) + " needs a whole number from " +
                      std::to_string(number.Low) + " to " + std::to_string(number.High) +
                      ", not \"" + arguments.ValueOf(number.Option) + "\"";
            return false;
        }
        number.Set(whole);
    }
    double combinations = 1;
    const std::pair<const char*, TunedSetting> settings[] = {
        {"--level", TunedSetting::kLevel},
        {"--hysteresis", TunedSetting::kHysteresis},
        {"--holdoff", TunedSetting::kHoldoff},
        {"--width", TunedSetting::kWidth}};
    for (const auto& [option, setting] : settings) {
        if (!arguments.Has(option))
            continue;
        std::vector<double> values;
        if (!ParseSweepValues(arguments.ValueOf(option), values, problem)) {
            problem = std::string(option) + " " + problem;
            return false;
        }
        if (setting != TunedSetting::kLevel &&
            std::any_of(values.begin(), values.end(), [](double v) { return v < 0; })) {
            problem = std::string(option) + " takes no value below 0";
            return false;
        }
        combinations *= static_cast<double>(values.size());
        options.Settings.push_back({setting, std::move(values)});
    }
    const std::string ending = LowerExtensionOf(options.Plot);
    if (!options.Plot.empty() && ending != ".png" && ending != ".svg")
        problem = "--plot writes a file ending in .png or .svg, not \"" + options.Plot + "\"";
    else if (combinations > 1e6)
        problem = "the settings make more than a million combinations";
    else if (arguments.Operands.size() != 1)
        problem = arguments.Operands.empty() ? "tune needs a CONFIG or DOC file"
                                             : "tune takes one CONFIG or DOC file";
    else if (options.Signals.size() != options.References.size())
        problem = "tune pairs each --signals FILE with a --reference FILE: " +
                  std::to_string(options.Signals.size()) + " recordings, " +
                  std::to_string(options.References.size()) + " reference files";
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
    if (name == "tune") {
        TuneOptions options;
        std::string problem;
        if (!TuneOptionsOf(arguments, options, problem))
            return UsageError(problem, err);
        return RunTune(arguments.Operands[0], options, out, err);
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
