// `ostrel preview` end to end: the extension programs the simulated Corvex from a configuration
// text or a document file, and the device replays a small CSV recording.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>

#include "host/ostrel/file_text.h"
#include "host/preview/formats/csv_format.h"
#include "host/preview/formats/edf_format.h"
#include "host/preview/formats/signal_formats.h"
#include "host/preview/formats/sound_format.h"
#include "host/preview/reports/plot_report.h"
#include "host/preview/reports/report_writers.h"
#include "tests/helpers/temp_folder.h"
#include "tests/host/ostrel/command_outcome.h"

namespace ostrel {
namespace {

// The pictures drawn leave the drawing library's caches; they are freed once, at the end.
class PlotCaches : public ::testing::Environment {
public:
    void TearDown() override { preview::ReleasePlotCaches(); }
};
const auto* const kPlotCaches = ::testing::AddGlobalTestEnvironment(new PlotCaches);

bool Contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

// Output 1: Input 1 above 2.5 V (band 2.0 to 2.5 V), pulses of 10 ms, hold-off 100 ms.
// Output -1: Input 2 above 5 V, follows the state, at most 1 rise.
constexpr char kConfig[] = R"(Version = 1
AnalogOutputCount = 1
DigitalOutputCount = 1
BeginOnlineEvent
Version = 1
Output = 1
On = 1
PulseDuration = 0.01
PulseDelay = 0
RetriggerHoldoffTime = 0.1
LimitedDuration = 1
LimitedNumPulses = 0
RetriggerHoldoff = 1
PulseNumLimit = 1
All = 1
RuleCount = 1
BeginOnlineEventRule
Version = 1
Input = 0
Above = 1
Hysteresis = 5
Level = 25
EndOnlineEventRule
EndOnlineEvent
BeginOnlineEvent
Version = 1
Output = -1
On = 1
PulseDuration = 0.001
PulseDelay = 0
RetriggerHoldoffTime = 0
LimitedDuration = 0
LimitedNumPulses = 1
RetriggerHoldoff = 0
PulseNumLimit = 1
All = 1
RuleCount = 1
BeginOnlineEventRule
Version = 1
Input = 1
Above = 1
Hysteresis = 5
Level = 50
EndOnlineEventRule
EndOnlineEvent
)";

// One second at 1000 samples per second starting at 2 s. Input 1 rises above 2.5 V at samples
// 100, 150 (in the hold-off), 300; between 120 and 140 it dips only into the band. Input 2, in
// millivolts, is above 5 V on [400, 450) and [600, 610).
std::string Recording() {
    std::string csv = "time (s),Input 1 (V),Input 2 (mV)\n";
    for (int j = 0; j < 1000; ++j) {
        double in1 = 0.0;
        if ((j >= 100 && j < 120) || (j >= 150 && j < 160) || (j >= 300 && j < 310))
            in1 = 3.0;
        else if (j >= 120 && j < 140)
            in1 = j % 2 == 0 ? 2.2 : 2.7;
        const double in2 = (j >= 400 && j < 450) || (j >= 600 && j < 610) ? 6000.0 : 0.0;
        char line[64];
        std::snprintf(line, sizeof line, "%.3f,%g,%g\n", 2.0 + j / 1000.0, in1, in2);
        csv += line;
    }
    return csv;
}

class PreviewCommand : public ::testing::Test {
protected:
    PreviewCommand() {
        Write("config.txt", kConfig);
        Write("signals.csv", Recording());
    }
    std::string File(const std::string& name) const { return folder_.PathOf(name); }
    void Write(const std::string& name, const std::string& text) const {
        std::ofstream(File(name), std::ios::binary) << text;
    }

    TempFolder folder_;
};

constexpr char kOutput1Summary[] =
    "Output 1: all of 1 slot, width 0.01 s, delay 0 s, hold-off 0.1 s, no count limit\n"
    "  slot 1: input 1 above 2.5 V (band 2 to 2.5 V)\n"
    "  2 pulses, first at 2.100 s, last at 2.300 s, shortest interval 0.200 s\n"
    "  1 trigger ignored: 1 in the hold-off\n";
constexpr char kOutputMinus1Summary[] =
    "Output -1: all of 1 slot, follows the state, delay 0 s, hold-off 0 s, at most 1 pulse\n"
    "  slot 1: input 2 above 5 V (band 4.5 to 5 V)\n"
    "  1 pulse, first at 2.400 s, last at 2.400 s\n"
    "  1 trigger ignored: 1 over the count limit\n";

TEST_F(PreviewCommand, ReplaysTheRecordingThroughTheProgrammedBlocks) {
    const Outcome run = RunCommand(
        {"preview", File("config.txt").c_str(), "--signals", File("signals.csv").c_str()});
    ASSERT_EQ(run.code, 0) << run.err;
    EXPECT_TRUE(Contains(run.out,
                         "Replayed 1000 samples per input at 1000 samples per second, "
                         "2.000 s to 2.999 s\n"))
        << run.out;
    EXPECT_TRUE(Contains(run.out, kOutput1Summary)) << run.out;
    EXPECT_TRUE(Contains(run.out, kOutputMinus1Summary)) << run.out;
    EXPECT_TRUE(Contains(run.out, "Output 2: off\n"));
    EXPECT_TRUE(Contains(run.out, "Output -8: off\n"));

    // The same configuration saved in a document and opened again gives the same result.
    ASSERT_EQ(RunCommand({"save", File("config.txt").c_str(), File("trial.ostrel").c_str()}).code,
              0);
    const Outcome opened = RunCommand(
        {"preview", File("trial.ostrel").c_str(), "--signals", File("signals.csv").c_str()});
    ASSERT_EQ(opened.code, 0) << opened.err;
    EXPECT_TRUE(Contains(opened.out, "Opened " + File("trial.ostrel"))) << opened.out;
    EXPECT_TRUE(Contains(opened.out, kOutput1Summary)) << opened.out;
    EXPECT_TRUE(Contains(opened.out, kOutputMinus1Summary)) << opened.out;
}

// The same signal as CSV, WAV, FLAC and EDF gives the same pulses and ignored triggers.
TEST_F(PreviewCommand, EveryFormatOfTheSameSignalGivesTheSameResult) {
    device::Signals signals;
    signals.SampleRate = 1000.0;
    signals.Channels = {{"Input 1", "V", {}}, {"Input 2", "V", {}}};
    for (int j = 0; j < 2000; ++j) {
        const bool burst = j % 250 < 20 || (j % 250 >= 60 && j % 250 < 65);
        signals.Channels[0].Values.push_back(burst ? 3.0 : (j % 250 < 40 ? 2.2 : 0.0));
        signals.Channels[1].Values.push_back(j % 700 < 30 ? 6.0 : -1.0);
    }
    const std::vector<preview::InputScale> inputs(8);
    preview::WriteCsvSignals(File("same.csv"), signals);
    preview::WriteSoundSignals(File("same.wav"), signals, inputs);
    preview::WriteSoundSignals(File("same.flac"), signals, inputs);
    preview::WriteEdfSignals(File("same.edf"), signals, inputs);

    const auto summary = [&](const std::string& name) {
        const Outcome run =
            RunCommand({"preview", File("config.txt").c_str(), "--signals", File(name).c_str()});
        EXPECT_EQ(run.code, 0) << name << ": " << run.err;
        return run.out.substr(run.out.find("Replayed"));
    };
    const std::string csv = summary("same.csv");
    // Input 1 starts above the level: its first pulse waits for the rise at 60 ms.
    EXPECT_TRUE(Contains(csv, "  8 pulses, first at 0.060 s, last at 1.750 s")) << csv;
    EXPECT_TRUE(Contains(csv, "in the hold-off")) << csv;
    EXPECT_EQ(summary("same.wav"), csv);
    EXPECT_EQ(summary("same.flac"), csv);
    EXPECT_EQ(summary("same.edf"), csv);
}

// Reports come from the report table: the help names each with its option, and they are
// written in the table's order whatever the command line's.
TEST_F(PreviewCommand, ReportsComeFromTheTableAndAreWrittenInItsOrder) {
    const Outcome help = RunCommand({"--help"});
    for (const preview::ReportKind* kind : preview::ReportKinds()) {
        EXPECT_TRUE(Contains(
            help.out, "[" + std::string(kind->Option) + " " + std::string(kind->Argument) + "]"))
            << kind->Option;
    }
    // The formats too, each with what its files hold, in lines of at most 92 columns.
    const std::string part =
        help.out.substr(help.out.find("  preview CONFIG|DOC"),
                        help.out.find("  check FILE") - help.out.find("  preview CONFIG|DOC"));
    std::string flowing;  // the words of the part, one blank between them
    for (const char c : part) {
        if (c != ' ' && c != '\n')
            flowing += c;
        else if (!flowing.empty() && flowing.back() != ' ')
            flowing += ' ';
    }
    for (const preview::SignalFormat* format : preview::SignalFormats()) {
        EXPECT_TRUE(Contains(flowing, std::string(format->Extensions.back()) + " (" +
                                          std::string(format->Holds) + ")"))
            << format->Holds;
    }
    std::istringstream lines(part);
    for (std::string line; std::getline(lines, line);)
        EXPECT_LE(line.size(), 92u) << line;
    const Outcome both =
        RunCommand({"preview", File("config.txt").c_str(), "--signals", File("signals.csv").c_str(),
                    "--vcd", File("t.vcd").c_str(), "--events", File("e.csv").c_str()});
    ASSERT_EQ(both.code, 0) << both.err;
    EXPECT_LT(both.out.find("Events written"), both.out.find("Value change dump written"))
        << both.out;
}

TEST_F(PreviewCommand, WritesTheEventsAndTheValueChangeDump) {
    const Outcome run =
        RunCommand({"preview", File("config.txt").c_str(), "--signals", File("signals.csv").c_str(),
                    "--events", File("events.csv").c_str(), "--vcd", File("trace.vcd").c_str()});
    ASSERT_EQ(run.code, 0) << run.err;
    EXPECT_TRUE(Contains(run.out, "Events written to " + File("events.csv"))) << run.out;
    std::string error;
    const std::string events = ReadFileText(File("events.csv"), error).value_or("");
    EXPECT_TRUE(Contains(events,
                         "1,Analog Output 1,pulse,2.100,2.110,\n"
                         "1,Analog Output 1,ignored,2.150,,hold-off\n"
                         "1,Analog Output 1,pulse,2.300,2.310,\n"))
        << events;
    EXPECT_TRUE(Contains(events, "-1,Digital Output 1,ignored,2.600,,count limit\n")) << events;
    const std::string vcd = ReadFileText(File("trace.vcd"), error).value_or("");
    EXPECT_TRUE(Contains(vcd, "Input_2_V")) << vcd.substr(0, 600);
    EXPECT_TRUE(Contains(vcd, "Digital_Output_1")) << vcd.substr(0, 600);
    EXPECT_FALSE(Contains(vcd, "Input_3")) << vcd.substr(0, 600);  // no rule watches it
    EXPECT_TRUE(std::filesystem::exists(File("trace.gtkw")));

    const Outcome plotted =
        RunCommand({"preview", File("config.txt").c_str(), "--signals", File("signals.csv").c_str(),
                    "--plot", File("trace.svg").c_str(), "--from", "2.05", "--to", "2.5"});
    ASSERT_EQ(plotted.code, 0) << plotted.err;
    EXPECT_TRUE(Contains(plotted.out, "Picture written to " + File("trace.svg"))) << plotted.out;
    EXPECT_EQ(ReadFileText(File("trace.svg"), error).value_or("").rfind("<?xml", 0), 0u);

    const Outcome unwritable =
        RunCommand({"preview", File("config.txt").c_str(), "--signals", File("signals.csv").c_str(),
                    "--events", File("no/such/folder.csv").c_str()});
    EXPECT_EQ(unwritable.code, 2);
    EXPECT_TRUE(Contains(unwritable.err, "no/such/folder.csv")) << unwritable.err;
}

// A recording found damaged halfway through the replay, after the reports' files were opened,
// leaves no report behind as if it were complete: the files asked for keep what they held, and
// nothing else is left in the folder.
TEST_F(PreviewCommand, ARecordingDamagedHalfwayLeavesNoReportBehind) {
    std::string csv = Recording();
    const std::size_t row = csv.find("2.500,");
    csv.replace(csv.find(',', row) + 1, 1, "x");  // Input 1 of the row at 2.5 s
    Write("damaged.csv", csv);
    // A FLAC file with a bit flipped halfway: the frames after it do not decode.
    device::Signals signals;
    signals.SampleRate = 1000.0;
    signals.Channels = {{"Input 1", "V", {}}, {"Input 2", "V", {}}};
    for (int j = 0; j < 20000; ++j) {
        signals.Channels[0].Values.push_back(j % 400 < 20 ? 3.0 : std::sin(j * 0.01));
        signals.Channels[1].Values.push_back((j % 100) * 0.05);
    }
    preview::WriteSoundSignals(File("damaged.flac"), signals, std::vector<preview::InputScale>(8));
    std::string error;
    std::string flac = ReadFileText(File("damaged.flac"), error).value_or("");
    flac[flac.size() / 2] ^= 0x10;
    Write("damaged.flac", flac);
    Write("events.csv", "kept\n");
    const auto files = [&] {
        return std::distance(std::filesystem::directory_iterator(File("")),
                             std::filesystem::directory_iterator());
    };
    const auto before = files();
    for (const auto& [recording, says] :
         {std::pair{"damaged.csv", "damaged.csv, line 502: column 2:"},
          std::pair{"damaged.flac", " frames of the 20000 its header declares ("}}) {
        const Outcome run =
            RunCommand({"preview", File("config.txt").c_str(), "--signals", File(recording).c_str(),
                        "--events", File("events.csv").c_str(), "--vcd", File("trace.vcd").c_str(),
                        "--plot", File("trace.png").c_str()});
        EXPECT_EQ(run.code, 2) << recording;
        EXPECT_TRUE(Contains(run.err, says)) << run.err;
        EXPECT_FALSE(Contains(run.out, "written")) << run.out;
        EXPECT_EQ(ReadFileText(File("events.csv"), error).value_or(""), "kept\n");
        EXPECT_EQ(files(), before) << recording;
    }
}

// No output may be an input or another output, however it is named: refused before anything
// is read or written, with every file left as it was.
TEST_F(PreviewCommand, AnOutputIsNeverAnInputOrAnotherOutput) {
    std::filesystem::create_symlink(File("config.txt"), File("link.txt"));
    const std::string config = File("config.txt"), signals = File("signals.csv");
    const struct {
        std::vector<std::string> reports;
        std::string refusal;
    } cases[] = {
        {{"--events", config}, "--events " + config + " would overwrite the input " + config},
        {{"--events", File("link.txt")}, "would overwrite the input " + config},
        {{"--events", File("same.csv"), "--vcd", File("same.csv")},
         "--events " + File("same.csv") + " and --vcd " + File("same.csv") + " are one file"},
        // The dump's save file has the dump's name with .gtkw: never the dump itself.
        {{"--vcd", File("x.gtkw")},
         "--vcd " + File("x.gtkw") + " and the file written beside --vcd " + File("x.gtkw") + " (" +
             File("x.gtkw") + ") are one file"},
        {{"--vcd", signals}, "would overwrite the recording " + signals},
        {{"--events", "-", "--vcd", "-"}, "--events - and --vcd - are one file"},
    };
    for (const auto& c : cases) {
        std::vector<std::string> arguments{"preview", config, "--signals", signals};
        arguments.insert(arguments.end(), c.reports.begin(), c.reports.end());
        const Outcome run = RunArguments(arguments);
        EXPECT_EQ(run.code, 2) << c.refusal;
        EXPECT_TRUE(run.err.starts_with("ostrel: --")) << run.err;
        EXPECT_TRUE(Contains(run.err, c.refusal)) << run.err;
        EXPECT_TRUE(run.err.ends_with("; nothing was read or written\n")) << run.err;
        EXPECT_EQ(run.out, "") << "nothing was read";
    }
    std::string error;
    EXPECT_EQ(ReadFileText(config, error), kConfig);
    EXPECT_EQ(ReadFileText(signals, error), Recording());

    // Only a dump that is a file of its own gets a save file beside it.
    const Outcome device =
        RunCommand({"preview", config.c_str(), "--signals", signals.c_str(), "--vcd", "/dev/null"});
    EXPECT_TRUE(Contains(device.out, "Value change dump written to /dev/null\n")) << device.out;
    EXPECT_FALSE(std::filesystem::exists("/dev/null.gtkw"));
}

// The README's walk-through: the example configuration on the example recording.
TEST_F(PreviewCommand, TheWalkThroughPrintsWhatTheReadmeShows) {
    const std::string examples = TARVEL_EXAMPLES_DIR;
    for (const char* format : {".csv", ".wav", ".edf"}) {
        const std::string signals = examples + "/noisy-bursts" + format;
        const Outcome run = RunCommand(
            {"preview", (examples + "/preview-bursts.txt").c_str(), "--signals", signals.c_str()});
        ASSERT_EQ(run.code, 0) << format << ": " << run.err;
        EXPECT_TRUE(Contains(run.out,
                             "  5 pulses, first at 0.410 s, last at 5.220 s, shortest "
                             "interval 0.908 s\n  6 triggers ignored: 1 during a pulse, "
                             "5 in the hold-off\n"))
            << format << ": " << run.out;
        EXPECT_TRUE(Contains(run.out,
                             "  16 pulses, first at 0.410 s, last at 5.220 s, shortest "
                             "interval 0.010 s\n  14 triggers ignored: 14 during a "
                             "pulse\n"))
            << format << ": " << run.out;
    }
}

TEST_F(PreviewCommand, SumsUpTheWindowItIsGiven) {
    const Outcome run = RunCommand({"preview", File("config.txt").c_str(), "--signals",
                                    File("signals.csv").c_str(), "--from", "2.2", "--to", "2.5"});
    ASSERT_EQ(run.code, 0) << run.err;
    EXPECT_TRUE(Contains(run.out, "Pulses and triggers from 2.200 s to 2.500 s")) << run.out;
    EXPECT_TRUE(Contains(run.out,
                         "  1 pulse, first at 2.300 s, last at 2.300 s\n  no trigger "
                         "ignored\n"))
        << run.out;
    EXPECT_TRUE(Contains(run.out, "  1 pulse, first at 2.400 s, last at 2.400 s\n")) << run.out;

    // Bounds far outside the recording: the whole of it, summed up and drawn, every
    // conversion to a sample held within the recording.
    for (const auto& [bound, seconds] :
         {std::pair{"--to", "1e16"}, std::pair{"--from", "-1e300"}}) {
        const Outcome far = RunCommand({"preview", File("config.txt").c_str(), "--signals",
                                        File("signals.csv").c_str(), bound, seconds, "--plot",
                                        File("far.png").c_str()});
        EXPECT_EQ(far.code, 0) << far.err;
        EXPECT_TRUE(Contains(far.out, kOutput1Summary)) << far.out;
    }
}

TEST_F(PreviewCommand, NamesWhatDoesNotFit) {
    const auto preview = [&](const std::string& csv, const char* device = "") {
        Write("other.csv", csv);
        return RunCommand({"preview", File("config.txt").c_str(), "--signals",
                           File("other.csv").c_str(), "--device", device});
    };
    const Outcome fast = preview("time (s),Input 1 (V),Input 2 (V)\n0,0,0\n0.000005,0,0\n");
    EXPECT_EQ(fast.code, 2);
    EXPECT_TRUE(Contains(fast.err, "the sample rate 200000")) << fast.err;
    EXPECT_TRUE(Contains(fast.err, "up to 100000 per second")) << fast.err;

    const Outcome lacking = preview("time (s),Input 1 (V)\n0,0\n0.001,0\n");
    EXPECT_EQ(lacking.code, 2);
    EXPECT_TRUE(
        Contains(lacking.err, "output -1 watches Input 2, but the recording holds 1 inputs"))
        << lacking.err;

    const Outcome unit = preview("time (s),Input 1 (A),Input 2 (V)\n0,0,0\n0.001,0,0\n");
    EXPECT_EQ(unit.code, 2);
    EXPECT_TRUE(Contains(unit.err, "other.csv")) << unit.err;

    const Outcome device = preview(Recording(), "inputs=x");
    EXPECT_EQ(device.code, 2);
    EXPECT_TRUE(Contains(device.err, "bad device description")) << device.err;

    EXPECT_EQ(preview(Recording(), "inputs=1").code, 2);  // the file has 2 inputs
}

TEST_F(PreviewCommand, RefusesIncompleteCommandLines) {
    const std::string config = File("config.txt");
    const std::string signals = File("signals.csv");
    for (const std::vector<const char*>& arguments : std::vector<std::vector<const char*>>{
             {"preview", config.c_str()},
             {"preview", "--signals", signals.c_str()},
             {"preview", config.c_str(), "--signals"},
             {"preview", config.c_str(), "--signals", signals.c_str(), "--from", "1s"},
             {"preview", config.c_str(), "--signals", signals.c_str(), "--from", "3", "--to", "2"},
             {"preview", config.c_str(), "--signals", signals.c_str(), "--hex"},
             // A picture is a PNG or an SVG; an empty file name and a repeated option say
             // nothing a person meant.
             {"preview", config.c_str(), "--signals", signals.c_str(), "--plot", "out.jpg"},
             {"preview", config.c_str(), "--signals", signals.c_str(), "--plot", "out.svgz"},
             {"preview", config.c_str(), "--signals", signals.c_str(), "--plot", ""},
             {"preview", config.c_str(), "--signals", signals.c_str(), "--events", ""},
             {"preview", config.c_str(), "--signals", signals.c_str(), "--vcd", "a.vcd", "--vcd",
              "b.vcd"},
             {"apply", config.c_str(), "--device", "inputs=2", "--device", "inputs=3"},
             {"demo", "--snapshot", ""},
         }) {
        const Outcome run = RunCommand(arguments);
        EXPECT_EQ(run.code, 2) << arguments.size() << " arguments";
        EXPECT_TRUE(Contains(run.err, "Try 'ostrel --help'.")) << run.err;
        EXPECT_EQ(run.out, "");
    }
    EXPECT_FALSE(std::filesystem::exists("out.jpg"));
    const Outcome late =
        RunCommand({"preview", config.c_str(), "--signals", signals.c_str(), "--from", "3.5"});
    EXPECT_EQ(late.code, 2);
    EXPECT_TRUE(Contains(late.err, "--from 3.500 s is not before the recording's end at 3.000 s"))
        << late.err;
    EXPECT_EQ(RunCommand({"preview", config.c_str(), "--signals", File("none.csv").c_str()}).code,
              2);
    EXPECT_EQ(RunCommand({"preview", config.c_str(), "--signals", File("config.txt").c_str()}).code,
              2);  // not a signal file's name

    // A configuration text that does not read is refused with where it stopped, as apply does.
    Write("cut.txt", std::string(kConfig).substr(0, std::string(kConfig).find("BeginOnlineEvent")));
    const Outcome cut =
        RunCommand({"preview", File("cut.txt").c_str(), "--signals", signals.c_str()});
    EXPECT_EQ(cut.code, 1);
    EXPECT_TRUE(Contains(cut.err, "cut.txt:4: expected \"BeginOnlineEvent\"")) << cut.err;
}

}  // namespace
}  // namespace ostrel
