// The channels a preview reads and what it says of their signals, end to end: a channel map
// reads the channel of a label as a file of it alone does, `ostrel channels` lists what a map
// can name, and a signal that a range clips or barely uses is named (an error with --strict).
#include <edflib.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "tests/helpers/temp_folder.h"
#include "tests/host/ostrel/command_outcome.h"

namespace ostrel {
namespace {

// Output 1 pulses 10 ms when Input 1 goes above 20 % of its range.
constexpr char kConfig[] =
    "Version = 1\nAnalogOutputCount = 1\nDigitalOutputCount = 0\nBeginOnlineEvent\nVersion = 1\n"
    "Output = 1\nOn = 1\nPulseDuration = 0.01\nPulseDelay = 0\nRetriggerHoldoffTime = 0\n"
    "LimitedDuration = 1\nLimitedNumPulses = 0\nRetriggerHoldoff = 0\nPulseNumLimit = 1\n"
    "All = 1\nRuleCount = 1\nBeginOnlineEventRule\nVersion = 1\nInput = 0\nAbove = 1\n"
    "Hysteresis = 5\nLevel = 20\nEndOnlineEventRule\nEndOnlineEvent\n";
constexpr char kDevice[] = "inputs=1, analog=1, digital=none, range=5mV";
constexpr int kRate = 100;

// Ten seconds of an ECG at kRate: a beat of 1.5 mV for 100 ms each second, 0.1 mV between.
double Ecg(int i) {
    return i % kRate < 10 ? 1.5 : 0.1;
}

// The ECG in mV as a CSV file, after an EEG column in uV when the header has one.
std::string Csv(const std::string& header) {
    std::ostringstream text;
    text << header << "\n";
    for (int i = 0; i < 10 * kRate; ++i) {
        text << i / static_cast<double>(kRate) << ",";
        if (header.find("EEG") != std::string::npos)
            text << (i * 7 % 40) - 20 << ",";
        text << Ecg(i) << "\n";
    }
    return text.str();
}

// The ECG as an EDF+ file, after a respiration signal at half the rate in a unit no input has
// when `withResp`.
void WriteEdf(const std::string& path, bool withResp) {
    const int count = withResp ? 2 : 1;
    const int handle = edfopen_file_writeonly(path.c_str(), EDFLIB_FILETYPE_EDFPLUS, count);
    for (int signal = 0; signal < count; ++signal) {
        const bool ecg = signal == count - 1;
        edf_set_samplefrequency(handle, signal, ecg ? kRate : kRate / 2);
        edf_set_physical_maximum(handle, signal, ecg ? 5 : 100);
        edf_set_physical_minimum(handle, signal, ecg ? -5 : 0);
        edf_set_digital_maximum(handle, signal, 32767);
        edf_set_digital_minimum(handle, signal, -32768);
        edf_set_label(handle, signal, ecg ? "ECG" : "Resp");
        edf_set_physical_dimension(handle, signal, ecg ? "mV" : "bpm");
    }
    for (int second = 0; second < 10; ++second) {
        std::vector<double> ecg(kRate), resp(kRate / 2, 12.0 + second);
        for (int i = 0; i < kRate; ++i)
            ecg[i] = Ecg(second * kRate + i);
        if (withResp)
            edfwrite_physical_samples(handle, resp.data());
        edfwrite_physical_samples(handle, ecg.data());
    }
    edfclose_file(handle);
}

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), {});
}

class RecordingChoice : public ::testing::Test {
protected:
    RecordingChoice() {
        std::ofstream(File("config.txt")) << kConfig;
        std::ofstream(File("both.csv")) << Csv("time (s),EEG (uV),ECG (mV)");
        std::ofstream(File("ecg.csv")) << Csv("time (s),Input 1 (mV)");
        WriteEdf(File("both.edf"), true);
        WriteEdf(File("ecg.edf"), false);
    }
    std::string File(const std::string& name) const { return folder_.PathOf(name); }
    // `ostrel preview` of the configuration on `recording`, with `more` arguments.
    Outcome Preview(const std::string& recording, std::vector<std::string> more) const {
        std::vector<std::string> arguments{"preview", File("config.txt"), "--signals",
                                           File(recording)};
        arguments.insert(arguments.end(), more.begin(), more.end());
        return RunArguments(arguments);
    }

    TempFolder folder_;
};

// What the device did: the summary's lines from its first output to the reports.
std::string Outputs(const std::string& out) {
    const std::size_t start = std::min(out.find("Output 1:"), out.size());
    return out.substr(start, out.find("Events written") - start);
}

TEST_F(RecordingChoice, AMapReadsTheChannelOfItsLabelAsAFileOfItAloneDoes) {
    const struct {
        const char* both;
        const char* map;
        const char* alone;
        const char* check;  // what the check says of the channel read
    } cases[] = {
        // A CSV column by the name before its unit.
        {"both.csv", "Input 1=ECG", "ecg.csv",
         "Input 1 (ECG): 0.1 to 1.5 mV, spans 14 % of ±5 mV, no sample clipped\n"},
        // An EDF signal whose neighbour has another rate and a unit no input has.
        {"both.edf", "Input 1 = ECG", "ecg.edf",
         "Input 1 (ECG): 0.0998703 to 1.49989 mV, spans 14 % of ±5 mV, no sample clipped\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.both);
        const Outcome mapped =
            Preview(c.both, {"--device", kDevice, "--map", c.map, "--events", File("mapped.csv")});
        const Outcome alone =
            Preview(c.alone, {"--device", kDevice, "--events", File("alone.csv")});
        ASSERT_EQ(mapped.code + alone.code, 0) << mapped.err << alone.err;
        EXPECT_EQ(mapped.err + alone.err, "");
        EXPECT_NE(mapped.out.find(c.check), std::string::npos) << mapped.out;
        EXPECT_NE(mapped.out.find("  9 pulses, first at 1.00 s"), std::string::npos);
        EXPECT_EQ(Outputs(mapped.out), Outputs(alone.out));
        EXPECT_EQ(ReadFile(File("mapped.csv")), ReadFile(File("alone.csv")));
    }
    // Without a map, the CSV file's columns must name the inputs; the error lists them.
    EXPECT_TRUE(Preview("both.csv", {"--device", kDevice})
                    .err.ends_with("column 2: \"EEG (uV)\" does not name an input with its unit, "
                                   "such as \"Input 1 (V)\"; choose the columns the inputs read "
                                   "with --map (its columns are \"EEG\", \"ECG\")\n"));
}

TEST_F(RecordingChoice, ChannelsListsWhatAMapCanName) {
    const struct {
        const char* recording;
        std::string table;
    } cases[] = {
        {"both.csv",
         "channel  label  unit  rate (1/s)  samples  minimum  maximum\n"
         "      1  EEG    uV           100     1000      -20       19\n"
         "      2  ECG    mV           100     1000      0.1      1.5\n"},
        {"both.edf",
         "channel  label  unit  rate (1/s)  samples    minimum  maximum\n"
         "      1  Resp   bpm           50      500    12.0012   21.001\n"
         "      2  ECG    mV           100     1000  0.0998703  1.49989\n"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(RunArguments({"channels", File(c.recording)}).out,
                  File(c.recording) + "\n" + c.table);
    const Outcome missing = RunArguments({"channels", File("missing.edf")});
    EXPECT_EQ(missing.code, 2);
    EXPECT_EQ(missing.err,
              "ostrel: cannot read " + File("missing.edf") + ": No such file or directory\n");
}

TEST_F(RecordingChoice, ASignalTheRangeClipsOrBarelyUsesIsNamed) {
    const struct {
        const char* device;
        const char* check;
        std::string warning;
    } cases[] = {
        {"range=5mV", "Input 1: 0.1 to 1.5 mV, spans 14 % of ±5 mV, no sample clipped\n", ""},
        // A recording in mV on an input of ±10 V.
        {"range=10 V", "Input 1: 0.0001 to 0.0015 V, spans 0.007 % of ±10 V, no sample clipped\n",
         "ostrel: warning: Input 1 spans 0.007 % of its range ±10 V (less than 1 %): the rules "
         "watching it see almost nothing of it\n"},
        // A range too small: the beats clip.
        {"range=1mV", "Input 1: 0.1 to 1.5 mV, spans 70 % of ±1 mV, 100 samples clipped (10 %)\n",
         "ostrel: warning: Input 1: 100 of 1000 samples (10 %) clip at its range ±1 mV\n"},
    };
    const std::string events = File("events.csv");
    for (const auto& c : cases) {
        SCOPED_TRACE(c.device);
        std::filesystem::remove(events);
        const Outcome run = Preview("ecg.csv", {"--device", c.device, "--events", events});
        EXPECT_EQ(run.code, 0) << run.err;
        EXPECT_EQ(run.err, c.warning);
        EXPECT_NE(run.out.find(c.check), std::string::npos) << run.out;
        EXPECT_TRUE(std::filesystem::exists(events));

        // With --strict a warning is an error, and no report takes its name.
        std::filesystem::remove(events);
        const Outcome strict =
            Preview("ecg.csv", {"--device", c.device, "--events", events, "--strict"});
        EXPECT_EQ(strict.code, c.warning.empty() ? 0 : 1);
        EXPECT_EQ(std::filesystem::exists(events), c.warning.empty());
        EXPECT_EQ(strict.err, c.warning.empty() ? ""
                                                : c.warning +
                                                      "ostrel: --strict: 1 warning above; "
                                                      "no report was written\n");
    }
}

}  // namespace
}  // namespace ostrel
