// A rule means the same on every device, or ostrel says so: the document remembers the device
// it was made on, and a rule whose input or level the device changes is named (an error with
// --strict).
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "host/device/device_description_text.h"
#include "host/ostrel/rule_warnings.h"
#include "tests/helpers/temp_folder.h"
#include "tests/host/ostrel/command_outcome.h"

namespace ostrel {
namespace {

bool Contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

// A configuration of analog output 1, on, pulsing 10 ms when each of `rules` holds: {input
// (zero-based), level %}.
std::string ConfigText(const std::vector<std::pair<int, double>>& rules) {
    std::string text =
        "Version = 1\nAnalogOutputCount = 1\nDigitalOutputCount = 0\nBeginOnlineEvent\n"
        "Version = 1\nOutput = 1\nOn = 1\nPulseDuration = 0.01\nPulseDelay = 0\n"
        "RetriggerHoldoffTime = 0\nLimitedDuration = 1\nLimitedNumPulses = 0\n"
        "RetriggerHoldoff = 0\nPulseNumLimit = 1\nAll = 1\nRuleCount = " +
        std::to_string(rules.size()) + "\n";
    for (const auto& [input, level] : rules) {
        text += "BeginOnlineEventRule\nVersion = 1\nInput = " + std::to_string(input) +
                "\nAbove = 1\nHysteresis = 5\nLevel = " + std::to_string(level) +
                "\nEndOnlineEventRule\n";
    }
    return text + "EndOnlineEvent\n";
}

TEST(RuleWarnings, NameEachRuleWhoseInputOrLevelTheDeviceChanges) {
    using Output = inspect::OutputRules;
    const Output fiveRules{1, true, {{4, 20}, {0, 20}, {1, 50}, {0, 0}, {7, 1}}};
    const struct {
        std::vector<Output> outputs;
        const char* device;
        const char* madeOn;  // null: the document does not say
        std::vector<std::string> warnings;
    } cases[] = {
        // Inputs the device lacks are moved to Input 1; the fifth rule is not programmed.
        {{fiveRules},
         "inputs=1",
         nullptr,
         {"output 1, condition 1 watches Input 5, which this device (1 input) lacks: programmed "
          "on Input 1",
          "output 1, condition 3 watches Input 2, which this device (1 input) lacks: programmed "
          "on Input 1"}},
        {{{1, true, {{2, 10}}}},
         "inputs=0",
         nullptr,
         {"output 1, condition 1 watches Input 3, which this device (0 inputs) lacks: programmed "
          "on Input 1"}},
        // An output that is off means nothing on any device; one the device lacks is named.
        {{{1, false, {{4, 20}}}, {-3, true, {{0, 20}}}},
         "inputs=1, digital=2",
         nullptr,
         {"output -3 is on, but this device has no output -3: kept in the document, not "
          "programmed"}},
        // Levels: each in the unit of the input it is programmed on, here and there.
        {{{1, true, {{0, 20}, {1, -12.5}}}},
         "inputs=2, range=10 V",
         "inputs=2, range=5mV, range2=10 V",
         {"output 1, condition 1: level 20 % was 1 mV on the device this document was made on "
          "(±5 mV), is 2 V on this one (±10 V)"}},
        {{{1, true, {{0, 20}}}},
         "range=5 uA",
         "range=5 uV",
         {"output 1, condition 1: level 20 % was 1 uV on the device this document was made on "
          "(±5 uV), is 1 uA on this one (±5 uA)"}},
        {{{1, true, {{1, 20}}}},
         "inputs=1, range=5 V",
         "inputs=2, range=5mV, range2=5 V",
         {"output 1, condition 1 watches Input 2, which this device (1 input) lacks: programmed "
          "on Input 1"}},
        // Another prefix of the same range is the same level.
        {{fiveRules}, "range=5000 uV", "range=5 mV, inputs=8", {}},
        {{fiveRules}, "range=10 V", nullptr, {}},
    };
    for (const auto& c : cases) {
        const device::DeviceDescription device = device::ParseDeviceDescription(c.device);
        std::optional<device::DeviceDescription> madeOn;
        if (c.madeOn != nullptr)
            madeOn = device::ParseDeviceDescription(c.madeOn);
        EXPECT_EQ(RuleWarnings(c.outputs, device, madeOn ? &*madeOn : nullptr), c.warnings)
            << c.device;
    }
}

class DeviceMeaning : public ::testing::Test {
protected:
    std::string File(const std::string& name) const { return folder_.PathOf(name); }
    std::string Write(const std::string& name, const std::string& text) const {
        std::ofstream(File(name), std::ios::binary) << text;
        return File(name);
    }

    TempFolder folder_;
};

// The lines of `text` that mention pulses, which tell what the outputs did.
std::string PulseLines(const std::string& text) {
    std::string lines;
    for (std::size_t at = text.find("pulse"); at != std::string::npos;
         at = text.find("pulse", text.find('\n', at))) {
        const std::size_t start = text.rfind('\n', at) + 1;
        lines += text.substr(start, text.find('\n', at) - start) + "\n";
    }
    return lines;
}

TEST_F(DeviceMeaning, ADocumentPreviewsOnTheDeviceItWasMadeOn) {
    // 1 mV beats on a recording in mV; the rule is 20 % of 5 mV, so above 1 mV.
    std::string recording = "time (s),Input 1 (mV)\n";
    for (int i = 0; i < 1000; ++i)
        recording += std::to_string(i / 1000.0) + "," + ((i / 100) % 2 == 1 ? "1.5" : "0.1") + "\n";
    const std::string signals = Write("beats.csv", recording);
    const std::string config = Write("rule.txt", ConfigText({{0, 20}}));
    const std::string doc = File("run.ostrel");
    const char* madeOn = "inputs=1, analog=1, digital=none, range=5mV";
    ASSERT_EQ(RunArguments({"save", config, doc, "--device", madeOn}).code, 0);

    const Outcome own = RunArguments({"preview", doc, "--signals", signals});
    const Outcome given = RunArguments({"preview", doc, "--signals", signals, "--device", madeOn});
    ASSERT_EQ(own.code, 0) << own.err;
    EXPECT_TRUE(Contains(own.out,
                         "Device: inputs=1, analog=1, digital=none, range=5 mV, the "
                         "one " +
                             doc + " was made on\n"))
        << own.out;
    EXPECT_TRUE(Contains(own.out, "  5 pulses, first at 0.100 s")) << own.out;
    EXPECT_EQ(PulseLines(own.out), PulseLines(given.out));
    EXPECT_EQ(own.err + given.err, "");
    const Outcome opened = RunArguments({"open", doc});
    EXPECT_TRUE(Contains(opened.out, "the one " + doc + " was made on")) << opened.out;
    EXPECT_TRUE(Contains(opened.out, "Device: 1 command block of 112 bytes")) << opened.out;

    // On another device the level means another voltage, and ostrel says so in both units.
    const std::string warning =
        "ostrel: warning: output 1, condition 1: level 20 % was 1 mV on the device this "
        "document was made on (±5 mV), is 2 V on this one (±10 V)\n";
    const Outcome other =
        RunArguments({"preview", doc, "--signals", signals, "--device", "range=10 V"});
    EXPECT_EQ(other.code, 0) << other.err;
    // And the recording in mV barely moves an input of ±10 V.
    EXPECT_EQ(other.err, warning +
                             "ostrel: warning: Input 1 spans 0.007 % of its range ±10 V (less "
                             "than 1 %): the rules watching it see almost nothing of it\n");
    EXPECT_TRUE(Contains(other.out, "; " + doc +
                                        " was made on inputs=1, analog=1, "
                                        "digital=none, range=5 mV\n"))
        << other.out;
    EXPECT_TRUE(Contains(other.out, "  no pulses")) << other.out;
    EXPECT_EQ(RunArguments({"open", doc, "--device", "range=10 V"}).err, warning);

    // --strict makes it an error: nothing programmed, nothing written.
    const std::string events = File("events.csv");
    const Outcome strict = RunArguments({"preview", doc, "--signals", signals, "--device",
                                         "range=10 V", "--strict", "--events", events});
    EXPECT_EQ(strict.code, 1);
    EXPECT_EQ(strict.err, warning +
                              "ostrel: --strict: 1 warning above; nothing was programmed "
                              "or written\n");
    EXPECT_FALSE(Contains(strict.out, "Programming")) << strict.out;
    EXPECT_FALSE(std::filesystem::exists(events));
}

TEST_F(DeviceMeaning, ARuleOnAnInputTheDeviceLacksIsNamed) {
    const std::string config = Write("input5.txt", ConfigText({{4, 20}}));
    const std::string device = "inputs=1, analog=1, digital=none";
    const std::string warning =
        "ostrel: warning: output 1, condition 1 watches Input 5, which this device (1 input) "
        "lacks: programmed on Input 1\n";
    const Outcome applied = RunArguments({"apply", config, "--device", device});
    EXPECT_EQ(applied.code, 0);
    EXPECT_EQ(applied.err, warning);
    EXPECT_TRUE(Contains(applied.out, "#1 above")) << applied.out;

    const Outcome strict = RunArguments({"apply", config, "--device", device, "--strict"});
    EXPECT_EQ(strict.code, 1);
    EXPECT_EQ(strict.out, "");
    EXPECT_TRUE(Contains(strict.err, warning + "ostrel: --strict: 1 warning above")) << strict.err;

    // Every command that programs the device says it, also from a document.
    const std::string doc = File("input5.ostrel");
    const Outcome saved = RunArguments({"save", config, doc, "--device", device});
    EXPECT_EQ(saved.code, 0);
    EXPECT_EQ(saved.err, warning);
    EXPECT_EQ(RunArguments({"open", doc}).err, warning);
}

TEST_F(DeviceMeaning, ADocumentThatDoesNotSayItsDeviceOpensOnTheDemonstrationDevice) {
    // What an older ostrel wrote: Tarvel's stream alone.
    const std::string doc = File("run.ostrel");
    ASSERT_EQ(RunArguments({"save", Write("rule.txt", ConfigText({{0, 20}})), doc}).code, 0);
    std::ifstream in(doc, std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(in)), {});
    const std::string older = "OSTRELDOC 1\n" + bytes.substr(bytes.find("{17437D32"));
    Write("older.ostrel", older);

    const Outcome opened = RunArguments({"open", File("older.ostrel")});
    EXPECT_EQ(opened.code, 0) << opened.err;
    EXPECT_TRUE(Contains(opened.out, "Device: the demonstration device; " + File("older.ostrel") +
                                         " does not say which device it was made on (an older "
                                         "ostrel saved it)\n"))
        << opened.out;
    EXPECT_TRUE(Contains(opened.out, "Device: 10 command blocks"));

    // A device record that does not read is named, and nothing opens.
    const std::string part = "device: inputs=x\n";
    Write("damaged.ostrel", "OSTRELDOC 1\n{7913F195-6EAD-4C4F-82B1-D93D05DF4E3E} " +
                                std::to_string(part.size()) + "\n" + part +
                                bytes.substr(bytes.find("{17437D32")));
    const Outcome damaged = RunArguments({"open", File("damaged.ostrel")});
    EXPECT_EQ(damaged.code, 2);
    EXPECT_EQ(damaged.err, "ostrel: " + File("damaged.ostrel") +
                               ": the device it was made on does not read: device description, "
                               "item \"inputs=x\": \"x\" is not a whole number from 0 to 255\n");
    EXPECT_EQ(damaged.out, "");
}

}  // namespace
}  // namespace ostrel
