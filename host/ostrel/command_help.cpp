#include "host/ostrel/command_help.h"

#include <algorithm>

#include "host/device/device_description_text.h"
#include "host/preview/formats/signal_formats.h"
#include "host/preview/reports/report_writers.h"

namespace ostrel {
namespace {

constexpr std::size_t kHelpWidth = 92;

constexpr char kIntroduction[] =
    "The host application Ostrel with a simulated Corvex master device. The document commands "
    "load the Tarvel extension module (libtarvel.so, beside ostrel) as the host does, open a "
    "host document whose master device is the simulated Corvex, and work through the "
    "extension's document beside it. 'ostrel COMMAND --help' prints the help of one command.";

constexpr char kNotes[] =
    R"(Files:
  A configuration text that does not read is reported as FILE:LINE: what was expected and
  what was found (or a byte-order mark, UTF-16, a NUL byte, a version other than 1); apply,
  save and preview refuse it and program and write nothing. Configurations and documents must
  be regular files of at most 64 MiB; a recording must be a regular file, of any size. Every
  file written (a document, a report) is written beside the old one and renamed over it once
  complete, so that a failed or interrupted write leaves the old file as it was; no output may
  be one of the inputs or another output. "-" for a report, or a document or report on the
  standard output, writes the standard output; the status lines then go to standard error.

Exit codes:
  0  success
  1  the extension's Save or Load did not answer S_OK (the HRESULT is printed in hex with what
     it means); a configuration text that does not read (or, for apply, save and preview,
     reads as nothing because of its version); the device refused a command block; a warning
     about a rule (preview: or a signal) with --strict; setup refused or cancelled; a failed
     self-test
  2  a usage error; a file that cannot be read or written; a document changed by another
     program while setup had it open; a bad device description; signals that do not fit the
     device (preview); a dialog that cannot be shown

Document file:
  The line "OSTRELDOC 1", then for each stream a line "{CLSID} <byte count>" followed by
  exactly that many bytes of the stream; one stream per CLSID, blank lines after the last
  stream accepted. The first stream, of the class {7913F195-6EAD-4C4F-82B1-D93D05DF4E3E}, is
  the host's own part: "KEY: VALUE" lines, "device: D" the device the document was made on.

The document's device:
  save and setup record the device in the document file; open, setup and preview use it
  unless --device is given, and print which device they use (a document of an older ostrel
  opens on the demonstration device). Levels are kept as a percent of the input's range and
  inputs by number, so every command that programs the device warns, for each output that is
  on: of a rule on an input the device lacks (the extension programs it on Input 1), of a
  level that stands for another value than on the device the document was made on (in both
  units), of an output the device lacks. --strict (apply, preview) makes these errors.

)";

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

// The preview's description: its report options and the signal files it reads come from the
// report and format tables.
std::string PreviewDescription() {
    std::string text =
        "Programs the device as apply (a configuration text) or open (a document file, on the "
        "device it was made on unless D is given) does, then lets the simulated Corvex run the "
        "blocks it holds over the recorded signals in "
        "FILE and prints per output: its program, the number of pulses, the first and last "
        "pulse start, the shortest interval between starts, and the triggers it ignored and "
        "why (during the delay, during a pulse, in the hold-off, over the count limit); a block "
        "the device refused is reported as apply reports it (exit 1). The device always runs "
        "from the start of the recording; --from and --to (seconds, in the recording's time) "
        "choose the part the summary and the picture look at. Before the summary it prints per "
        "input read the extremes of its signal, the share of the input's range they span and "
        "the samples the converter clips, and warns of an input a rule watches that spans less "
        "than 1 % of its range or clips more than 0.1 % of its samples. With --reference each "
        "output that is on is scored against the reference events in the part looked at: "
        "events, pulses, hits, missed, false pulses, sensitivity (hits / events), positive "
        "predictivity (hits / pulses), F1 (2 hits / (events + pulses)) and the latency of the "
        "hits (median, 5th and 95th percentile); the events CSV then names each pulse's event "
        "and has a row per missed event, the picture marks missed events and false pulses.";
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
        " The inputs read its channels in the file's order (a CSV file's columns by their "
        "\"Input N\" names), or as --map chooses them; the channels read must be in the inputs' "
        "units or other prefixes of them, have one rate of at most 100000 samples per second, "
        "and feed every input a rule watches.";
    return text;
}

constexpr char kTuneDescription[] =
    "Tries every combination of the settings swept for condition K (default 1) of output N "
    "and scores each as preview --reference does, over every recording: --signals and "
    "--reference are given as many times as there are recordings, paired in order, and the "
    "scores add up. Each combination goes the way of preview: the configuration text is "
    "changed, the extension programs the device with it, and the device replays the "
    "recordings. Levels are in the watched input's unit (as the dialog shows them), "
    "hysteresis in percent of its range, hold-off and width in seconds (0: no hold-off; the "
    "output follows the state); A:B:STEP sweeps A, A + STEP ... up to B, and one number sets "
    "a setting for every combination. Prints the best K combinations (default 10) by F1, "
    "then by the smaller magnitude of the median latency, then in sweep order (the level "
    "outermost, the width innermost).";

std::vector<OptionSpec> TuneOptions(const OptionSpec& device, const OptionSpec& label,
                                    const OptionSpec& window, const OptionSpec& json) {
    std::vector<OptionSpec> options{{"--signals", "FILE", true, false, true},
                                    {"--reference", "FILE", true, false, true},
                                    {"--output", "N", true},
                                    device,
                                    {"--condition", "K"}};
    for (const char* setting : {"--level", "--hysteresis", "--holdoff", "--width"})
        options.push_back({setting, "A:B:STEP"});
    for (const OptionSpec& option : std::initializer_list<OptionSpec>{label,
                                                                      window,
                                                                      {"--jobs", "J"},
                                                                      {"--top", "K"},
                                                                      {"--write", "BEST.txt"},
                                                                      {"--plot", "MAP.png|MAP.svg"},
                                                                      json})
        options.push_back(option);
    return options;
}

std::vector<CommandSpec> MakeCommands() {
    // The empty description is the demonstration device.
    const OptionSpec device{"--device", "D", false, true};
    const OptionSpec hex{"--hex", ""};
    const OptionSpec strict{"--strict", ""};
    std::vector<OptionSpec> previewOptions{
        {"--signals", "FILE", true}, device, {"--map", "MAP"}, strict};
    for (const preview::ReportKind* kind : preview::ReportKinds())
        previewOptions.push_back({kind->Option, kind->Argument});
    previewOptions.push_back({"--from", "S"});
    previewOptions.push_back({"--to", "S"});
    const OptionSpec reference{"--reference", "FILE"};
    const OptionSpec label{"--label", "TEXT", false, true};
    const OptionSpec window{"--window", "A,B"};
    const OptionSpec json{"--json", "OUT.json"};
    for (const OptionSpec& option : {reference, label, window, json})
        previewOptions.push_back(option);
    return {
        {"demo",
         "",
         {hex, {"--snapshot", "FILE"}, {"--window", ""}},
         "The typical request on the demonstration device (8 inputs of 10 V, 2 analog outputs, "
         "digital outputs 4+4): the user chooses the menu item \"Tarvel...\", and in the setup "
         "dialog selects output 1's tab, ticks \"Generate output when\", chooses Input 1 and "
         "\"above\", types 2.5 into the level and presses OK. The configuration text message "
         "reaches the document, which merges it, marks itself modified and programs the "
         "device. Prints the menu item's state before and after, what the user saw in the "
         "dialog, the configuration text the document holds, its state and the command blocks "
         "the device received."},
        {"apply",
         "CONFIG",
         {device, hex, strict},
         "The same for the configuration text in the file CONFIG, on the device D."},
        {"save",
         "CONFIG DOC",
         {device},
         "Applies CONFIG, then saves the document into the document file DOC, which records "
         "the device D it was made on."},
        {"open",
         "DOC",
         {device, hex},
         "Opens the document file DOC into a new document, on the device it was made on unless "
         "D is given, and prints which device that is, the configuration text the document "
         "then holds and the command blocks programmed after the load. A stored text this "
         "Tarvel does not read (a later version) opens as empty, and ostrel says so."},
        {"text",
         "DOC",
         {},
         "Prints the configuration text stored in the document file DOC, as it is stored: "
         "apply and check read it, an editor can change it."},
        {"setup",
         "DOC",
         {device},
         "Opens the document file DOC (a new document when there is none) on the device it was "
         "made on unless D is given, shows the state of the menu item \"Tarvel...\" and chooses "
         "it, as a user of the host would: refusals "
         "are printed as their message boxes. DOC must be writable before anything opens, and "
         "a document whose stored text this Tarvel does not read is refused. With a display "
         "(DISPLAY set to an X server that answers, SSH with X forwarding, or xvfb-run) the "
         "dialog and the message boxes open as real windows and the person there acts in "
         "them; without one ostrel says that the dialog cannot be shown and changes nothing "
         "(exit 2). After OK in the dialog the document is saved into DOC (exit 0), unless "
         "another program saved DOC meanwhile: then DOC is left as it is and the new work is "
         "saved beside it, in DOC.mine (exit 2); DOC then records the device used. A refusal, "
         "Cancel or the close box writes nothing (exit 1)."},
        {"preview", "CONFIG|DOC", previewOptions, PreviewDescription()},
        {"tune", "CONFIG|DOC", TuneOptions(device, label, window, json), kTuneDescription},
        {"channels",
         "FILE",
         {},
         "Lists the channels of the recording FILE (as preview reads it), whatever the device: "
         "per channel its label (what --map names), unit, rate, number of samples, minimum and "
         "maximum. A sound file's values are shares of its full scale."},
        {"check",
         "FILE",
         {},
         "Reads the configuration text FILE and prints the text it gives when written back."},
        {"selftest",
         "",
         {},
         "Runs every self-test the extension registered and prints each with passed or "
         "failed."},
    };
}

// What an option does, for the help's lists. An option that means one thing for one command
// and another for another (demo's --window, the match window) is told apart by its value.
std::string OptionText(const OptionSpec& option) {
    const std::string_view name = option.Name;
    static const struct {
        std::string_view Name;
        std::string_view Text;
        std::string_view Value = "*";  // "*": whatever the option's value
    } kTexts[] = {
        {"--device",
         "D is a device description (below); without it, the device a document was made on, "
         "else the demonstration device."},
        {"--strict",
         "A rule the device would change (an input it lacks, a level that stands for another "
         "value than on the device the document was made on, an output it lacks) is an error: "
         "exit 1, nothing programmed or written. For preview, so is a watched signal that spans "
         "less than 1 % of its input's range or clips: exit 1, no report written."},
        {"--hex", "Prints each command block as 224 hex digits on one line instead of a table."},
        {"--snapshot", "Writes a PNG picture of the dialog just before OK."},
        {"--window",
         "Plays the dialog visibly in a real window on the display, each step shown for a "
         "moment.",
         ""},
        {"--signals", "The recorded signals that preview (or tune) replays."},
        {"--map",
         "\"Input 1=ECG, Input 2=EMG left\": each input named reads the channel of that label "
         "(an EDF or BDF signal's label, a CSV column's name without its unit, \"Channel N\" of "
         "a sound file), wherever it lies; the inputs not named read nothing. Only the channels "
         "read must fit the device. ostrel channels FILE lists the labels."},
        {"--from", "The start of the part of the recording that preview sums up and draws."},
        {"--to", "Its end, in seconds of the recording."},
        {"--reference",
         "Reference events the outputs should catch, scored per output that is on: a CSV file "
         "with a column \"time (s)\" (or ms ...; other columns ignored), or the annotations of "
         "an EDF+/BDF+ file."},
        {"--label", "Takes only the annotations whose text is TEXT."},
        {"--window",
         "The match window in seconds (default -0.1,0.1): a pulse starting at p catches an "
         "event at r when r + A <= p <= r + B; each event catches at most one pulse, the "
         "earliest free one in its window, and each pulse at most one event.",
         "A,B"},
        {"--json", "Writes every figure printed as JSON; - writes the standard output."},
        {"--output", "The output tuned: 1, 2 ... analog, -1, -2 ... digital."},
        {"--condition", "The condition of the output that the levels apply to (default 1)."},
        {"--level", "The levels tried, in the watched input's unit."},
        {"--hysteresis", "The hysteresis tried, in percent of the input's range."},
        {"--holdoff", "The hold-offs after a pulse start tried, in seconds."},
        {"--width", "The pulse widths tried, in seconds."},
        {"--jobs", "Combinations tried at once (default: one per core)."},
        {"--top", "How many of the best combinations are printed (default 10)."},
        {"--write", "Writes the best combination as a configuration text that apply reads."},
        {"--plot",
         "Draws F1 over the first two settings swept as a heat map, the best marked (the best "
         "F1 over the other settings in each cell), as PNG or SVG.",
         "MAP.png|MAP.svg"},
        {"--help", "Prints the help: of the command, after a command."},
        {"--version", "Prints the version of ostrel."},
    };
    for (const auto& entry : kTexts) {
        if (entry.Name == name && (entry.Value == "*" || entry.Value == option.Value))
            return std::string(entry.Text);
    }
    if (const preview::ReportKind* kind = preview::ReportByOption(name)) {
        std::string text(kind->Help);
        text[0] = static_cast<char>(text[0] - 'a' + 'A');
        return text + (kind->Option == "--plot" ? "." : "; - writes the standard output.");
    }
    return {};
}

// "  --device D   text ...", the text from column 17.
std::string OptionLine(const OptionSpec& option) {
    constexpr std::size_t kTextColumn = 17;
    std::string lead = "  " + std::string(option.Name);
    if (!option.Value.empty())
        lead += " " + std::string(option.Value);
    const std::string text = Wrapped(WordsOf(OptionText(option)), kTextColumn, kTextColumn);
    if (lead.size() + 2 > kTextColumn)
        return lead + "\n" + text;
    return lead + text.substr(lead.size());
}

// The synopsis as words for wrapping: each option with its value is one.
std::vector<std::string> SynopsisWords(const CommandSpec& command) {
    std::vector<std::string> words{std::string(command.Name)};
    for (std::string& operand : WordsOf(command.Operands))
        words.push_back(std::move(operand));
    for (const bool required : {true, false}) {
        for (const OptionSpec& option : command.Options) {
            if (option.Required != required)
                continue;
            std::string word(option.Name);
            if (!option.Value.empty())
                word += " " + std::string(option.Value);
            words.push_back(required ? word : "[" + word + "]");
        }
    }
    return words;
}

}  // namespace

const std::vector<CommandSpec>& Commands() {
    static const std::vector<CommandSpec> commands = MakeCommands();
    return commands;
}

const CommandSpec* CommandNamed(std::string_view name) {
    for (const CommandSpec& command : Commands()) {
        if (command.Name == name)
            return &command;
    }
    return nullptr;
}

std::string Synopsis(const CommandSpec& command) {
    std::string text;
    for (const std::string& word : SynopsisWords(command))
        text += (text.empty() ? "" : " ") + word;
    return text;
}

std::string OverallHelp() {
    std::string text =
        "Usage: ostrel COMMAND [OPTIONS]\n  or:  ostrel COMMAND --help\n"
        "  or:  ostrel --help | --version\n\n";
    text += Wrapped(WordsOf(kIntroduction), 0, 0) + "\nCommands:\n";
    for (const CommandSpec& command : Commands()) {
        text += Wrapped(SynopsisWords(command), 2, 10);
        text += Wrapped(WordsOf(command.Description), 6, 6);
    }
    text += "\nOptions:\n";
    std::vector<std::string> listed;
    for (const CommandSpec& command : Commands()) {
        for (const OptionSpec& option : command.Options) {
            const std::string key = std::string(option.Name) + " " + std::string(option.Value);
            if (std::find(listed.begin(), listed.end(), key) != listed.end())
                continue;
            listed.push_back(key);
            text += OptionLine(option);
        }
    }
    text += OptionLine({"--help", ""}) + OptionLine({"--version", ""}) + "\n";
    return text + kNotes + device::kDeviceDescriptionSyntax;
}

std::string CommandHelp(const CommandSpec& command) {
    std::vector<std::string> usage{"Usage:", "ostrel"};
    for (std::string& word : SynopsisWords(command))
        usage.push_back(std::move(word));
    std::string text = Wrapped(usage, 0, 14) + "\n" + Wrapped(WordsOf(command.Description), 0, 0);
    text += "\nOptions:\n";
    bool device = false;
    for (const OptionSpec& option : command.Options) {
        text += OptionLine(option);
        device = device || option.Name == "--device";
    }
    text += OptionLine({"--help", ""});
    if (device)
        text += std::string("\n") + device::kDeviceDescriptionSyntax;
    return text + "\n'ostrel --help' has the exit codes and what every command does.\n";
}

std::string VersionText() {
    return std::string("ostrel (Tarvel) ") + TARVEL_VERSION +
           "\nThe host application Ostrel with a simulated Corvex device, for the Tarvel "
           "extension module.\n";
}

}  // namespace ostrel
