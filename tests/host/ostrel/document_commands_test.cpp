// ostrel's document commands, which load the extension module from the test's own folder:
// demo, apply, save and open, and selftest.
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "host/ostrel/file_text.h"
#include "tests/helpers/temp_folder.h"
#include "tests/host/ostrel/command_outcome.h"

namespace ostrel {
namespace {

const std::string kExamples = TARVEL_EXAMPLES_DIR;

bool Contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

// A fresh folder for the test's files.
class DocumentCommands : public ::testing::Test {
protected:
    std::string File(const std::string& name) const { return folder_.PathOf(name); }
    void Write(const std::string& name, const std::string& bytes) const {
        std::ofstream(File(name), std::ios::binary) << bytes;
    }
    std::string Read(const std::string& name) const {
        std::string error;
        return ReadFileText(File(name), error).value_or("");
    }

    TempFolder folder_;
};

TEST_F(DocumentCommands, DemoGoesThroughTheModuleAndTheDocument) {
    const Outcome run = RunCommand({"demo"});
    ASSERT_EQ(run.code, 0) << run.err;
    EXPECT_TRUE(Contains(run.out,
                         "Extension: libtarvel.so (Tarvel 1.0.0), menu command "
                         "\"Tarvel...\" at Setup|&Viruvo Dudud Orarorad^OUTPUTEXTS"))
        << run.out;
    EXPECT_TRUE(Contains(run.out, "Document: modified, persistence held by the host"));
    EXPECT_TRUE(Contains(run.out, "  Output = 1\n  On = 1\n"));
    EXPECT_TRUE(Contains(run.out, "  Level = 25\n"));
    EXPECT_TRUE(Contains(run.out, "Device: 10 command blocks of 112 bytes"));
    EXPECT_TRUE(Contains(
        run.out, "     1  all      0         0         0            0  8000/1600 #1 above    -"));
}

TEST_F(DocumentCommands, ApplyTakesTheTextAndTheDevice) {
    const Outcome run =
        RunCommand({"apply", (kExamples + "/demo.txt").c_str(), "--device", "analog=1, digital=4"});
    ASSERT_EQ(run.code, 0) << run.err;
    EXPECT_TRUE(Contains(run.out, "8 inputs of 10 V, 1 analog output, digital outputs 4"));
    EXPECT_TRUE(Contains(run.out, "Device: 5 command blocks of 112 bytes"));

    const Outcome missing = RunCommand({"apply", File("missing.txt").c_str()});
    EXPECT_EQ(missing.code, 2);
    EXPECT_TRUE(Contains(missing.err, "cannot read " + File("missing.txt") + ": No such file"))
        << missing.err;
    EXPECT_EQ(RunCommand({"apply", (kExamples + "/demo.txt").c_str(), "--device", "inputs=x"}).code,
              2);
    EXPECT_EQ(RunCommand({"apply"}).code, 2);
}

TEST_F(DocumentCommands, TheDeviceLineCountsAndNamesRangesSensibly) {
    const std::string demo = kExamples + "/demo.txt";
    const struct {
        const char* device;
        const char* line;
    } cases[] = {
        {"inputs=1, analog=1, digital=none",
         "\"Corvex\": 1 input of 10 V, 1 analog output, digital outputs none\n"},
        {"range=10", "\"Corvex\": 8 inputs of 10 (no unit), 2 analog outputs,"},
        {"range=1e3 V, range2=5mV", "8 inputs of 1000 V (input 2: 5 mV), 2 analog outputs"},
    };
    for (const auto& c : cases) {
        const Outcome run = RunCommand({"apply", demo.c_str(), "--device", c.device});
        EXPECT_EQ(run.code, 0) << run.err;
        EXPECT_TRUE(Contains(run.out, c.line)) << run.out;
    }
    const Outcome one = RunCommand({"apply", demo.c_str(), "--device", "analog=0, digital=1"});
    EXPECT_TRUE(Contains(one.out, "Device: 1 command block of 112 bytes")) << one.out;
}

TEST_F(DocumentCommands, ApplyAndSaveRefuseATextThatDoesNotRead) {
    ASSERT_EQ(
        RunCommand({"save", (kExamples + "/demo.txt").c_str(), File("old.ostrel").c_str()}).code,
        0);
    const std::string old = Read("old.ostrel");
    const struct {
        std::string config;
        std::string diagnosis;
    } cases[] = {
        {kExamples + "/broken-misspelt-key.txt",
         ":30: expected \"PulseDelay = \", found \"PulseDelya = 0\""},
        {kExamples + "/future-version.txt",
         ":1: version 2 is newer than this Tarvel reads; nothing was read"},
        // save's two files the wrong way round: the document is no configuration text.
        {File("old.ostrel"), ":1: expected \"Version = \", found \"OSTRELDOC 1\""},
    };
    for (const auto& c : cases) {
        const Outcome applied = RunCommand({"apply", c.config.c_str()});
        EXPECT_EQ(applied.code, 1) << c.config;
        EXPECT_EQ(applied.out, "");  // nothing was applied, nothing programmed
        EXPECT_TRUE(Contains(applied.err, "ostrel: " + c.config + c.diagnosis + "\n"))
            << applied.err;
        EXPECT_TRUE(Contains(applied.err, "; nothing was applied\n")) << applied.err;

        const Outcome saved = RunCommand({"save", c.config.c_str(), File("old.ostrel").c_str()});
        EXPECT_EQ(saved.code, 1) << c.config;
        EXPECT_TRUE(Contains(saved.err, c.diagnosis)) << saved.err;
        EXPECT_TRUE(Contains(saved.err, File("old.ostrel") + " was not written")) << saved.err;
        EXPECT_EQ(Read("old.ostrel"), old);
    }
    // The swapped order leaves the configuration text as it was, too.
    std::string error;
    const std::string demo = ReadFileText(kExamples + "/demo.txt", error).value_or("");
    Write("config.txt", demo);
    EXPECT_EQ(RunCommand({"save", File("old.ostrel").c_str(), File("config.txt").c_str()}).code, 1);
    EXPECT_EQ(Read("config.txt"), demo);
}

TEST_F(DocumentCommands, SaveThenOpenGivesBackTheConfiguration) {
    const Outcome saved = RunCommand(
        {"save", (kExamples + "/pulse-trains.txt").c_str(), File("trial.ostrel").c_str()});
    ASSERT_EQ(saved.code, 0) << saved.err;
    EXPECT_TRUE(Contains(saved.out, "Document: not modified"));  // saving cleared it

    // The host's part first, with the device the document was made on, then Tarvel's stream.
    const std::string file = Read("trial.ostrel");
    const std::string device =
        "device: name=Corvex, inputs=8, analog=2, digital=4+4, range=10 V, auto-outputs=on, "
        "stimulator=off, sampling=off, while-sampling=off, max-delay=10, max-holdoff=10\n";
    EXPECT_EQ(file.rfind("OSTRELDOC 1\n{7913F195-6EAD-4C4F-82B1-D93D05DF4E3E} " +
                             std::to_string(device.size()) + "\n" + device +
                             "{17437D32-56E9-4027-B3C8-FC0FC43EC033} ",
                         0),
              0u)
        << file.substr(0, 300);
    const std::size_t tarvel = file.find('\n', file.find("{17437D32")) + 1;
    EXPECT_EQ(file.substr(tarvel, 4), "\xAA\xAA\x14\x55");

    const Outcome opened = RunCommand({"open", File("trial.ostrel").c_str(), "--hex"});
    ASSERT_EQ(opened.code, 0) << opened.err;
    EXPECT_TRUE(Contains(opened.out, "Document: not modified"));
    EXPECT_TRUE(Contains(opened.out, "Device: 10 command blocks of 112 bytes"));
    // The text the document holds after opening is the example, as the writer writes it.
    std::ostringstream check;
    std::ostringstream ignored;
    const char* checkArguments[] = {"check", nullptr};
    const std::string example = kExamples + "/pulse-trains.txt";
    checkArguments[1] = example.c_str();
    RunOstrel(2, checkArguments, check, ignored);
    std::string indented;
    std::istringstream lines(check.str());
    for (std::string line; std::getline(lines, line);)
        indented += "  " + line + "\n";
    EXPECT_TRUE(Contains(opened.out, indented)) << opened.out;
}

TEST_F(DocumentCommands, OpenReportsALoadThatFailsWithItsHResult) {
    // A stream of version 2: the extension refuses it.
    const std::string stream("\xAA\xAA\x14\x55\x02\x00\x00\x00", 8);
    Write("future.ostrel", "OSTRELDOC 1\n{17437D32-56E9-4027-B3C8-FC0FC43EC033} 8\n" + stream);
    const Outcome run = RunCommand({"open", File("future.ostrel").c_str()});
    EXPECT_EQ(run.code, 1);
    EXPECT_TRUE(Contains(run.err, "0x80004005 (the operation failed)")) << run.err;

    Write("damaged.ostrel", "OSTRELDOC 1\n{17437D32-56E9-4027-B3C8-FC0FC43EC033} 99\nabc");
    const Outcome damaged = RunCommand({"open", File("damaged.ostrel").c_str()});
    EXPECT_EQ(damaged.code, 2);
    EXPECT_TRUE(Contains(damaged.err, "99 bytes announced, 3 found"));
    EXPECT_EQ(RunCommand({"open", File("nothing.ostrel").c_str()}).code, 2);

    const std::string tarvel =
        "{17437D32-56E9-4027-B3C8-FC0FC43EC033} 8\n" + std::string("\xAA\xAA\x14\x55\x01\0\0\0", 8);
    Write("twice.ostrel", "OSTRELDOC 1\n" + tarvel + tarvel);
    const Outcome twice = RunCommand({"open", File("twice.ostrel").c_str()});
    EXPECT_EQ(twice.code, 2);
    EXPECT_TRUE(Contains(twice.err, "ostrel: " + File("twice.ostrel") +
                                        ": stream 2: a second stream for "
                                        "{17437D32-56E9-4027-B3C8-FC0FC43EC033}; a document "
                                        "holds one stream per extension"))
        << twice.err;
}

TEST_F(DocumentCommands, OpenAcceptsBlankLinesAfterTheLastStream) {
    ASSERT_EQ(
        RunCommand({"save", (kExamples + "/demo.txt").c_str(), File("demo.ostrel").c_str()}).code,
        0);
    Write("edited.ostrel", Read("demo.ostrel") + "\n\n");
    const Outcome opened = RunCommand({"open", File("edited.ostrel").c_str()});
    EXPECT_EQ(opened.code, 0) << opened.err;
    EXPECT_TRUE(Contains(opened.out, "  Level = 25\n")) << opened.out;
}

TEST_F(DocumentCommands, OpenLeavesOutStreamsNoExtensionTakes) {
    Write("foreign.ostrel", "OSTRELDOC 1\n{00000001-0002-0003-0405-060708090A0B} 3\nabc");
    const Outcome run = RunCommand({"open", File("foreign.ostrel").c_str()});
    EXPECT_EQ(run.code, 0);
    EXPECT_TRUE(Contains(run.err,
                         "no extension document takes the stream of "
                         "{00000001-0002-0003-0405-060708090A0B}"))
        << run.err;
    EXPECT_TRUE(Contains(run.out, "Device: 0 command blocks"));  // nothing was loaded
}

// An above rule near the bottom of the range with a wide hysteresis, as the setup dialog lets
// a user make it: its band ends below what the converter can report, and the device takes it.
TEST_F(DocumentCommands, ARuleWhoseBandEndsBeyondTheRangeIsProgrammed) {
    std::string error;
    std::string text = ReadFileText(kExamples + "/demo.txt", error).value_or("");
    const std::string level = "Hysteresis = 5\nLevel = 25\n";
    ASSERT_NE(text.find(level), std::string::npos);
    text.replace(text.find(level), level.size(), "Hysteresis = 5\nLevel = -97.6\n");
    Write("low.txt", text);
    const Outcome run = RunCommand({"apply", File("low.txt").c_str()});
    EXPECT_EQ(run.code, 0) << run.err;
    EXPECT_TRUE(Contains(run.out, "Programming: the device took all 10 command blocks\n"))
        << run.out;
}

// Every command that programs the device says which outputs it refused and why, gives the
// overall result, and exits 1 when the device did not take everything.
TEST_F(DocumentCommands, EveryProgrammingCommandReportsWhatTheDeviceRefused) {
    const std::string demo = kExamples + "/demo.txt";  // output 1 on, delay 0
    const std::string recording = kExamples + "/noisy-bursts.csv";
    const Outcome good = RunCommand({"apply", demo.c_str()});
    EXPECT_EQ(good.code, 0) << good.err;
    EXPECT_TRUE(Contains(good.out, "Programming: the device took all 10 command blocks\n"))
        << good.out;
    EXPECT_TRUE(Contains(RunCommand({"demo"}).out, "the device took all 10 command blocks"));

    std::string error;
    std::string delayed = ReadFileText(demo, error).value_or("");
    const std::string zero = "PulseDelay = 0\n";
    ASSERT_NE(delayed.find(zero), std::string::npos);
    delayed.replace(delayed.find(zero), zero.size(), "PulseDelay = 11\n");
    Write("delayed.txt", delayed);

    struct Case {
        std::vector<std::string> arguments;
        const char* refusal;  // on err
        const char* result;   // on out
    };
    const Case cases[] = {
        {{"apply", File("delayed.txt"), "--device", "max-delay=1"},
         "ostrel: the device refused output 1: pulse delay 11 s is beyond the device's limit of "
         "1 s [0x80070057 (an argument was not valid)]\n",
         "Programming failed: the device refused 1 of 10 command blocks\n"},
        {{"apply", demo, "--device", "failing-output=-3"},
         "ostrel: the device refused output -3: programming output -3 fails (failing-output in "
         "the device description) [0x80004005 (the operation failed)]\n",
         "Programming failed: the device refused 1 of 10 command blocks\n"},
        {{"apply", demo, "--device", "auto-outputs=off"},
         "ostrel: the device refused output 1: the device does not support automatic outputs "
         "[0x80004001 (the operation is not implemented)]\n",
         "Programming failed: the device refused 10 of 10 command blocks\n"},
        {{"apply", demo, "--device", "auto-outputs=absent"},
         "the device does not offer automatic outputs (auto-outputs=absent)",
         "Programming failed: the device has no automatic outputs\n"},
        {{"save", File("delayed.txt"), File("delayed.ostrel"), "--device", "max-delay=10.5"},
         "pulse delay 11 s is beyond the device's limit of 10.5 s",
         "Programming failed: the device refused 1 of 10 command blocks\n"},
        {{"open", File("delayed.ostrel"), "--device", "max-delay=2"},
         "pulse delay 11 s is beyond the device's limit of 2 s",
         "Programming failed: the device refused 1 of 10 command blocks\n"},
        // The preview says what apply says, and replays what the device then holds.
        {{"preview", File("delayed.txt"), "--signals", recording, "--device", "max-delay=1"},
         "ostrel: the device refused output 1: pulse delay 11 s is beyond the device's limit of "
         "1 s [0x80070057 (an argument was not valid)]\n",
         "Output 1: refused by the device: pulse delay 11 s is beyond the device's limit of 1 s; "
         "it holds no program and stays low\n"},
        {{"preview", demo, "--signals", recording, "--device", "auto-outputs=off"},
         "ostrel: the device refused output 1: the device does not support automatic outputs "
         "[0x80004001 (the operation is not implemented)]\n",
         "Programming failed: the device refused 10 of 10 command blocks\n"},
    };
    for (const Case& c : cases) {
        const Outcome run = RunArguments(c.arguments);
        EXPECT_EQ(run.code, 1) << c.arguments[0] << " " << c.arguments.back();
        EXPECT_TRUE(Contains(run.err, c.refusal)) << run.err;
        EXPECT_TRUE(Contains(run.out, c.result)) << run.out;
    }
    // The document was written all the same: it holds what the user asked for.
    const Outcome opened =
        RunCommand({"open", File("delayed.ostrel").c_str(), "--device", "max-delay=20"});
    EXPECT_EQ(opened.code, 0) << opened.err;
    EXPECT_TRUE(Contains(opened.out, "PulseDelay = 11\n"));
}

// A device description is read alike by every command: what one refuses, all refuse.
TEST_F(DocumentCommands, ApplyAndPreviewAgreeOnTheDevice) {
    const std::string demo = kExamples + "/demo.txt";
    const std::string recording = kExamples + "/noisy-bursts.csv";
    for (const char* device : {"range=0 V", "range1=0.0 mV", "inputs=x"}) {
        const Outcome apply = RunCommand({"apply", demo.c_str(), "--device", device});
        const Outcome preview = RunCommand(
            {"preview", demo.c_str(), "--signals", recording.c_str(), "--device", device});
        EXPECT_EQ(apply.code, 2) << device;
        EXPECT_EQ(preview.code, 2) << device;
        EXPECT_TRUE(Contains(apply.err, "ostrel: bad device description: ")) << apply.err;
        EXPECT_EQ(preview.err, apply.err);
    }
}

TEST_F(DocumentCommands, SelfTestRunsTheRegisteredTests) {
    const Outcome run = RunCommand({"selftest"});
    EXPECT_EQ(run.code, 0) << run.err;
    EXPECT_TRUE(Contains(run.out, "Tarvel_EventConfig::TestSerialize: passed\n")) << run.out;
    EXPECT_EQ(RunCommand({"selftest", "extra"}).code, 2);
}

TEST(OstrelHelp, ExplainsEveryCommandAndTheDeviceSyntax) {
    const Outcome help = RunCommand({"--help"});
    EXPECT_EQ(help.code, 0);
    for (const char* part :
         {"demo [--hex]", "apply CONFIG [--device D] [--hex]", "save CONFIG DOC [--device D]",
          "open DOC [--device D] [--hex]", "check FILE", "selftest", "OSTRELDOC 1",
          "preview CONFIG|DOC --signals FILE [--device D] [--map MAP] [--strict]", "channels FILE",
          "digital=A+B+...", "auto-outputs=on|off|failing|absent"}) {
        EXPECT_TRUE(Contains(help.out, part)) << part;
    }
}

}  // namespace
}  // namespace ostrel
