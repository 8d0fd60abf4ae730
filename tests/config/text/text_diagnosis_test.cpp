// The reader's diagnosis: for each kind of text that does not read, the line and what was
// expected and found; and reading with a diagnosis gives exactly what Deserialize gives.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "config/event_config.h"
#include "config/text_diagnosis.h"

namespace VavazaZavidi {
namespace {

const std::string kHeader = "Version = 1\nAnalogOutputCount = 1\nDigitalOutputCount = 0\n";

std::string Block(const std::string& settings, const std::string& rules = "RuleCount = 0\n") {
    return "BeginOnlineEvent\nVersion = 1\nOutput = 1\n" + settings + rules + "EndOnlineEvent\n";
}

const std::string kSettings =
    "On = 1\nPulseDuration = 0.001\nPulseDelay = 0\nRetriggerHoldoffTime = 0\n"
    "LimitedDuration = 0\nLimitedNumPulses = 0\nRetriggerHoldoff = 0\nPulseNumLimit = 1\n"
    "All = 1\n";

std::string Replace(std::string text, const std::string& from, const std::string& to) {
    text.replace(text.find(from), from.size(), to);
    return text;
}

const std::string kRule =
    "BeginOnlineEventRule\nVersion = 1\nInput = 0\nAbove = 1\nHysteresis = 5\nLevel = 25\n"
    "EndOnlineEventRule\n";

struct Case {
    const char* name;
    std::string text;
    bool reads;
    std::string described;  // Describe("t"), empty when the text reads without remark
};

std::vector<Case> Cases() {
    const std::string good = kHeader + Block(kSettings);
    return {
        {"good", good, true, ""},
        {"misspelt key", Replace(good, "PulseDelay = 0", "PulseDelai = 0"), false,
         "t:9: expected \"PulseDelay = \", found \"PulseDelai = 0\""},
        {"key without its blank", Replace(good, "On = 1", "On=1"), false,
         "t:7: expected \"On = \", found \"On=1\""},
        {"not a number", Replace(good, "PulseDelay = 0", "PulseDelay = soon"), false,
         "t:9: expected a number after \"PulseDelay = \", found \"soon\""},
        {"decimal comma", Replace(good, "PulseDelay = 0", "PulseDelay = 0,25"), false,
         "t:9: expected a number after \"PulseDelay = \", found \"0,25\""},
        {"whole number with a fraction", Replace(good, "Output = 1", "Output = 1.5"), false,
         "t:6: expected a whole number after \"Output = \", found \"1.5\""},
        {"boolean 2", Replace(good, "On = 1", "On = 2"), false,
         "t:7: expected 0 or 1 after \"On = \", found \"2\""},
        {"count not whole", Replace(good, "AnalogOutputCount = 1", "AnalogOutputCount = x"), false,
         "t:2: expected a whole number after \"AnalogOutputCount = \", found \"x\""},
        {"missing marker", Replace(good, "EndOnlineEvent\n", ""), false,
         "t:17: expected \"EndOnlineEvent\", found the end of the text"},
        {"cut after the header", kHeader, false,
         "t:4: expected \"BeginOnlineEvent\", found the end of the text"},
        {"empty", "", false, "t:1: expected \"Version = \", found the end of the text"},
        {"CR LF", Replace(Replace(good, "\n", "\r\n"), "On = 1", "On = 7"), false,
         "t:7: expected 0 or 1 after \"On = \", found \"7\""},
        {"absurd count", Replace(good, "AnalogOutputCount = 1", "AnalogOutputCount = 5000"), false,
         "t:2: AnalogOutputCount must lie between 0 and 4096, found 5000"},
        {"negative count", Replace(good, "DigitalOutputCount = 0", "DigitalOutputCount = -1"),
         false, "t:3: DigitalOutputCount must lie between 0 and 4096, found -1"},
        {"output 0", Replace(good, "Output = 1", "Output = 0"), false,
         "t:6: there is no output 0; outputs are 1, 2 ... and -1, -2 ..."},
        {"output out of sequence", Replace(good, "Output = 1", "Output = 3"), false,
         "t:6: output 3 is neither among the header's outputs nor the next one of its kind"},
        {"fifth rule",
         kHeader + Block(kSettings, "RuleCount = 5\n" + kRule + kRule + kRule + kRule + kRule),
         false, "t:45: output 1 would have more than 4 rules"},
        {"version 2", "Version = 2\nAnalogOutputCount = 1\n", true,
         "t:1: version 2 is newer than this Tarvel reads; nothing was read"},
        {"version 0", "Version = 0\n", true,
         "t:1: version 0 is not a version of this text; nothing was read"},
        {"UTF-8 byte-order mark", "\xEF\xBB\xBF" + good, false,
         "t:1: the text begins with a UTF-8 byte-order mark; a configuration text is plain "
         "ASCII and begins with \"Version = 1\""},
        {"UTF-16 with a byte-order mark", std::string("\xFF\xFEV\0e\0", 6), false,
         "t:1: the text is UTF-16 (it begins with a UTF-16 byte-order mark); a configuration "
         "text is 8-bit ASCII"},
        {"UTF-16 without one", std::string("V\0e\0r\0", 6), false,
         "t:1: the text looks like UTF-16 (every other byte is NUL); a configuration text is "
         "8-bit ASCII"},
        {"NUL byte", Replace(good, "PulseDelay", std::string("Pulse\0Delay", 11)), false,
         "t:9: a NUL byte at column 6; a configuration text holds none"},
        {"long line shortened", Replace(good, "On = 1", "On" + std::string(100, 'n') + " = 1"),
         false, "t:7: expected \"On = \", found \"O" + std::string(59, 'n') + "...\""},
        {"quote and control bytes", Replace(good, "On = 1", "\"On\"\t= 1\x01"), false,
         "t:7: expected \"On = \", found \"\\x22On\\x22\\x09= 1\\x01\""},
    };
}

TEST(TextDiagnosis, SaysWhereAndWhat) {
    for (const Case& c : Cases()) {
        EventConfig config;
        TextDiagnosis diagnosis;
        EXPECT_EQ(config.Deserialize(c.text, diagnosis), c.reads) << c.name;
        EXPECT_EQ(diagnosis.Describe("t"), c.described) << c.name;
    }
}

TEST(TextDiagnosis, ReadsExactlyWhatDeserializeReads) {
    for (const Case& c : Cases()) {
        EventConfig plain;
        EventConfig diagnosed;
        TextDiagnosis diagnosis;
        EXPECT_EQ(plain.Deserialize(c.text), diagnosed.Deserialize(c.text, diagnosis)) << c.name;
        std::string plainText;
        std::string diagnosedText;
        plain.Serialize(plainText);
        diagnosed.Serialize(diagnosedText);
        EXPECT_EQ(plainText, diagnosedText) << c.name;
    }
}

TEST(TextDiagnosis, DescribesWithoutALineWhenThereIsNone) {
    EXPECT_EQ((TextDiagnosis{0, "odd"}).Describe("f.txt"), "f.txt: odd");
    EXPECT_EQ((TextDiagnosis{3, ""}).Describe("f.txt"), "");
}

}  // namespace
}  // namespace VavazaZavidi
