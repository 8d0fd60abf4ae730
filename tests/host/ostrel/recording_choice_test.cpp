// The channels a preview reads and what it says of their signals, end to end: a channel map
// reads the channels of a label as a file of them alone would, `ostrel channels` lists what a
// map can name, and a signal that a range clips or barely uses is named (an error with
// --strict).
#include <edflib.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "host/preview/formats/sound_format.h"
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
constexpr int kSamples = 1000;

// The ECG: a beat of 1.5 mV for 100 ms each second, 0.1 mV between; the EEG beside it in uV.
double Ecg(int i) {
    return i % kRate < 10 ? 1.5 : 0.1;
}
double Eeg(int i) {
    return (i * 7 % 40) - 20.0;
}

std::string Csv(const std::string& header, bool withEeg) {
    std::ostringstream text;
    text << header << "\n";
    for (int i = 0; i < kSamples; ++i) {
        text << i / static_cast<double>(kRate);
        if (withEeg)
            text << "," << Eeg(i);
        text << "," << Ecg(i) << "\n";
    }
    return text.str();
}

// An EDF+ file of the ECG at kRate, with a respiration signal at half the rate in a unit no
// input has before it when `withResp`.
void WriteEdf(const std::string& path, bool withResp) {
    const int count = withResp ? 2 : 1;
    const int handle = edfopen_file_writeonly(path.c_str(), EDFLIB_FILETYPE_EDFPLUS, count);
    ASSERT_GE(handle, 0);
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
    for (int second = 0; second < kSamples / kRate; ++second) {
        std::vector<double> ecg(kRate), resp(kRate / 2, 12.0 + second);
        for (int i = 0; i < kRate; ++i)
            ecg[i] = Ecg(second * kRate + i);
        if (withResp)
            edfwrite_physical_samples(handle, resp.data());
        edfwrite_physical_samples(handle, ecg.data());
    }
    edfclose_file(handle);
}

void WriteWav(const std::string& path, bool withEeg) {
    device::Signals signals;
    signals.SampleRate = kRate;
    if (withEeg)
        signals.Channels.push_back({"EEG", "mV", {}});
    signals.Channels.push_back({"ECG", "mV", {}});
    for (int i = 0; i < kSamples; ++i) {
        if (withEeg)
            signals.Channels[0].Values.push_back(Eeg(i) / 1000);
        signals.Channels.back().Values.push_back(Ecg(i));
    }
    preview::WriteSoundSignals(path, signals, std::vector<preview::InputScale>(2, {5.0, "mV"}));
}

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), {});
}

class RecordingChoice : public ::testing::Test {
protected:
    RecordingChoice() {
        Write("config.txt", kConfig);
        Write("both.csv", Csv("time (s),EEG (uV),ECG (mV)", true));
        Write("ecg.csv", Csv("time (s),Input 1 (mV)", false));
        WriteEdf(File("both.edf"), true);
        WriteEdf(File("ecg.edf"), false);
        WriteWav(File("both.wav"), true);
        WriteWav(File("ecg.wav"), false);
    }
    std::string File(const std::string& name) const { return folder_.PathOf(name); }
    void Write(const std::string& name, const std::string& text) const {
        std::ofstream(File(name), std::ios::binary) << text;
    }
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
        // A sound file's channel by its number.
        {"both.wav", "Input 1=Channel 2", "ecg.wav",
         "Input 1: 0.0999451 to 1.49994 mV, spans 14 % of ±5 mV, no sample clipped\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.both);
        const std::string events = File("mapped.events.csv");
        const Outcome mapped =
            Preview(c.both, {"--device", kDevice, "--map", c.map, "--events", events});
        const Outcome alone =
            Preview(c.alone, {"--device", kDevice, "--events", File("alone.events.csv")});
        ASSERT_EQ(mapped.code, 0) << mapped.err;
        ASSERT_EQ(alone.code, 0) << alone.err;
        EXPECT_EQ(mapped.err + alone.err, "");
        EXPECT_NE(mapped.out.find("  9 pulses, first at 1.00 s"), std::string::npos) << mapped.out;
        EXPECT_NE(mapped.out.find(c.check), std::string::npos) << mapped.out;
        EXPECT_EQ(Outputs(mapped.out), Outputs(alone.out));
        EXPECT_EQ(ReadFile(events), ReadFile(File("alone.events.csv")));
        EXPECT_NE(ReadFile(events).find("\n1,"), std::string::npos);
    }

    // Without a map, what the file lays out must fit the device; an unknown label lists them.
    const struct {
        const char* recording;
        std::vector<std::string> more;
        std::string err;
    } refusals[] = {
        {"both.csv",
         {},
         "column 2: \"EEG (uV)\" does not name an input with its unit, such as \"Input 1 (V)\"; "
         "choose the columns the inputs read with --map (its columns are \"EEG\", \"ECG\")\n"},
        {"both.edf",
         {"--map", "Input 1=EMG"},
         ": no channel is labelled \"EMG\" (--map Input 1); its channels are \"Resp\", \"ECG\"\n"},
        {"both.edf",
         {"--map", "Input 1=Resp"},
         ": signal 1 \"Resp\": its unit \"bpm\" is not the unit \"mV\" of the device's Input 1\n"},
        {"both.wav",
         {"--map", "Input 2=Channel 1"},
         "ostrel: --map names Input 2, which the "
         "device (1 input) lacks\n"},
        {"both.wav",
         {"--map", "Input 1"},
         "ostrel: --map, item \"Input 1\": expected \"Input "
         "N=LABEL\"\n"},
    };
    for (const auto& refusal : refusals) {
        std::vector<std::string> more{"--device", kDevice};
        more.insert(more.end(), refusal.more.begin(), refusal.more.end());
        const Outcome run = Preview(refusal.recording, more);
        EXPECT_EQ(run.code, 2) << refusal.recording;
        EXPECT_NE(run.err.find(refusal.err), std::string::npos) << run.err;
    }
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
        {"both.wav",
         "channel  label      unit  rate (1/s)  samples     minimum    maximum\n"
         "      1  Channel 1  -            100     1000  -0.0039978  0.0038147\n"
         "      2  Channel 2  -            100     1000    0.019989   0.299988\n"},
    };
    for (const auto& c : cases) {
        const Outcome run = RunArguments({"channels", File(c.recording)});
        EXPECT_EQ(run.code, 0) << run.err;
        EXPECT_EQ(run.out, File(c.recording) + "\n" + c.table);
    }
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
    for (const auto& c : cases) {
        SCOPED_TRACE(c.device);
        const std::string events = File("events.csv");
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
        if (!c.warning.empty()) {
            EXPECT_EQ(strict.err, c.warning +
                                      "ostrel: --strict: 1 warning above; no report was "
                                      "written\n");
        }
    }
}

}  // namespace
}  // namespace ostrel
