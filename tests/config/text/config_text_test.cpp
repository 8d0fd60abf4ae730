#include <gtest/gtest.h>

#include <locale>
#include <sstream>
#include <string>
#include <vector>

#include "config/event_config.h"
#include "tests/config/config_test_helpers.h"

namespace VavazaZavidi {
namespace {

std::string Header(int analog, int digital) {
    return "Version = 1\nAnalogOutputCount = " + std::to_string(analog) +
           "\nDigitalOutputCount = " + std::to_string(digital) + "\n";
}

std::string RuleBlock(int input, const std::string& level) {
    return "BeginOnlineEventRule\nVersion = 1\nInput = " + std::to_string(input) +
           "\nAbove = 1\nHysteresis = 5\nLevel = " + level + "\nEndOnlineEventRule\n";
}

// A block with the given output, delay and rule blocks; the other settings are the defaults
// except On.
std::string OutputBlock(int output, const std::string& delay, const std::vector<std::string>& rules,
                        int ruleCount = -1) {
    std::string block = "BeginOnlineEvent\nVersion = 1\nOutput = " + std::to_string(output) +
                        "\nOn = 1\nPulseDuration = 0.001\nPulseDelay = " + delay +
                        "\nRetriggerHoldoffTime = 0\nLimitedDuration = 0\nLimitedNumPulses = 0\n"
                        "RetriggerHoldoff = 0\nPulseNumLimit = 1\nAll = 1\nRuleCount = " +
                        std::to_string(ruleCount < 0 ? static_cast<int>(rules.size()) : ruleCount) +
                        "\n";
    for (const std::string& rule : rules)
        block += rule;
    return block + "EndOnlineEvent\n";
}

std::string Write(const EventConfig& config) {
    std::string text = "left over";
    EXPECT_TRUE(config.Serialize(text));
    return text;
}

// Two analog and three digital outputs with settings and rules off their defaults.
EventConfig RichConfig() {
    EventConfig config;
    config.SetOutputCounts(2, 3);
    config.AddDefaultRules();
    OutputSettings& first = config.Settings(0);
    first.On = true;
    first.PulseDuration = 0.0025;
    first.PulseDelay = 1.5;
    first.LimitedDuration = true;
    first.LimitedNumPulses = true;
    first.PulseNumLimit = 250000;
    first.RetriggerHoldoff = true;
    first.RetriggerHoldoffTime = 0.00001;
    first.All = false;
    config.SetRule(0, 0, Rule{3, false, 2.5, -33.3});
    config.InsertRule(0, 0);
    config.SetRule(0, 1, Rule{7, true, 0.1, 99.99});
    config.Settings(3).PulseDelay = 123456789.0;
    config.SetRule(4, 0, Rule{1, true, 5, 1e-7});
    return config;
}

TEST(Serialize, EmptyConfigurationIsTheHeaderAlone) {
    const std::string text = Write(EventConfig{});
    EXPECT_EQ(text, "Version = 1\nAnalogOutputCount = 0\nDigitalOutputCount = 0\n");

    EventConfig read;
    read.SetOutputCounts(2, 2);
    EXPECT_TRUE(read.Deserialize(text));
    EXPECT_EQ(read.GetCount(), 0);
    EXPECT_TRUE(read.GetOutputs().empty());
}

TEST(Serialize, OneAnalogOutputWithItsDefaultRule) {
    EventConfig config;
    config.SetOutputCounts(1, 0);
    config.AddDefaultRules();
    EXPECT_EQ(Write(config),
              "Version = 1\nAnalogOutputCount = 1\nDigitalOutputCount = 0\nBeginOnlineEvent\n"
              "Version = 1\nOutput = 1\nOn = 0\nPulseDuration = 0.001\nPulseDelay = 0\n"
              "RetriggerHoldoffTime = 0\nLimitedDuration = 0\nLimitedNumPulses = 0\n"
              "RetriggerHoldoff = 0\nPulseNumLimit = 1\nAll = 1\nRuleCount = 1\n"
              "BeginOnlineEventRule\nVersion = 1\nInput = 0\nAbove = 1\nHysteresis = 5\n"
              "Level = 0\nEndOnlineEventRule\nEndOnlineEvent\n");
}

TEST(Serialize, NumbersHaveSixSignificantDigitsAndDigitalOutputsAreNegative) {
    const std::string text = Write(RichConfig());
    for (const char* line :
         {"\nPulseDuration = 0.0025\n", "\nRetriggerHoldoffTime = 1e-05\n", "\nLevel = -33.3\n",
          "\nLevel = 99.99\n", "\nHysteresis = 0.1\n", "\nPulseDelay = 1.23457e+08\n",
          "\nLevel = 1e-07\n", "\nPulseNumLimit = 250000\n", "\nOutput = -1\n", "\nOutput = -3\n",
          "\nAll = 0\n", "\nAbove = 0\n"}) {
        EXPECT_NE(text.find(line), std::string::npos) << line;
    }
}

TEST(Serialize, RoundedLevelReadsBackRounded) {
    EventConfig config;
    config.SetOutputCounts(1, 0);
    config.AddDefaultRules();
    config.SetRule(0, 0, Rule{0, true, 5, 12.3456789});
    const std::string text = Write(config);
    EXPECT_NE(text.find("\nLevel = 12.3457\n"), std::string::npos);
    EventConfig read;
    ASSERT_TRUE(read.Deserialize(text));
    Rule rule;
    read.GetRule(0, 0, rule);
    EXPECT_EQ(rule.Level, 12.3457);
}

TEST(Deserialize, WriteReadWriteGivesIdenticalText) {
    const std::string first = Write(RichConfig());
    EventConfig read;
    ASSERT_TRUE(read.Deserialize(first));
    EXPECT_EQ(Write(read), first);
    EXPECT_EQ(Numbers(read), (std::vector<std::int32_t>{1, 2, -1, -2, -3}));
    EXPECT_EQ(read.GetName(2), u"Digital Output 1");
    EXPECT_EQ(read.Settings(0).PulseNumLimit, 250000);
    EXPECT_EQ(read.GetRuleCount(0), 2);
}

TEST(Deserialize, RuleInputSurvivesTheRoundTrip) {
    EventConfig config;
    config.SetOutputCounts(1, 0);
    config.AddDefaultRules();
    config.SetRule(0, 0, Rule{2, true, 5, 0});
    EventConfig read;
    ASSERT_TRUE(read.Deserialize(Write(config)));
    ASSERT_EQ(read.GetRuleCount(0), 1);
    Rule rule;
    read.GetRule(0, 0, rule);
    EXPECT_EQ(rule.Input, 2);
}

TEST(Deserialize, LaterVersionGivesAnEmptyConfiguration) {
    EventConfig config = RichConfig();
    EXPECT_TRUE(config.Deserialize("Version = 2\nAnalogOutputCount = 1\n"));
    EXPECT_EQ(config.GetCount(), 0);
    EXPECT_TRUE(config.GetOutputs().empty());
}

TEST(Deserialize, KeyWithoutSpacesOrInLowerCaseFails) {
    EventConfig config;
    EXPECT_FALSE(config.Deserialize("Version=1\nAnalogOutputCount = 0\nDigitalOutputCount = 0\n"));
    EXPECT_FALSE(
        config.Deserialize("version = 1\nAnalogOutputCount = 0\nDigitalOutputCount = 0\n"));
    EXPECT_FALSE(config.Deserialize(""));
}

TEST(Deserialize, CarriageReturnsAndExtraSpacesAreTolerated) {
    const std::string text = Write(RichConfig());
    std::string loose;
    for (const char c : text) {
        if (c == '\n') {
            loose += "  \r\n";
        } else if (c == '=') {
            loose += "\t=   ";
        } else {
            loose += c;
        }
    }
    EventConfig read;
    ASSERT_TRUE(read.Deserialize(loose));
    EXPECT_EQ(Write(read), text);
}

TEST(Deserialize, OutputTheHeaderDidNotAnnounceIsAdded) {
    EventConfig config;
    ASSERT_TRUE(config.Deserialize(Header(2, 0) + OutputBlock(1, "0.5", {RuleBlock(0, "10")}) +
                                   OutputBlock(3, "0.25", {RuleBlock(1, "20")})));
    EXPECT_EQ(Numbers(config), (std::vector<std::int32_t>{1, 2, 3}));
    EXPECT_EQ(config.GetAnalogOutputCount(), 3);
    EXPECT_EQ(config.Settings(1), OutputSettings{});
    EXPECT_EQ(config.GetRuleCount(1), 0);
    EXPECT_EQ(config.Settings(2).PulseDelay, 0.25);
    EXPECT_EQ(config.GetRuleCount(2), 1);
}

TEST(Deserialize, UnannouncedOutputBeyondAGapIsRefused) {
    // 1 and 5 would write as a header of two analog outputs, which reads back as 1, 2 and then 5
    // again: one more output on every round trip.
    EventConfig config;
    EXPECT_FALSE(config.Deserialize(Header(1, 0) + OutputBlock(5, "0", {})));
    EXPECT_EQ(Numbers(config), (std::vector<std::int32_t>{1}));
    EXPECT_FALSE(config.Deserialize(Header(0, 1) + OutputBlock(-3, "0", {})));
    EXPECT_FALSE(config.Deserialize(Header(1, 0) + OutputBlock(2147483647, "0", {})));
    // Each next output of its kind extends the sequence.
    EXPECT_TRUE(
        config.Deserialize(Header(1, 1) + OutputBlock(-2, "0", {}) + OutputBlock(2, "0", {})));
    EXPECT_EQ(Numbers(config), (std::vector<std::int32_t>{1, 2, -1, -2}));
    // No kind grows beyond the bound a header may announce.
    EXPECT_FALSE(config.Deserialize(Header(4096, 1) + OutputBlock(4097, "0", {})));
    EXPECT_EQ(config.GetCount(), 4097);
}

TEST(Deserialize, SecondBlockForAnOutputReplacesSettingsAndPutsItsRulesFirst) {
    EventConfig config;
    ASSERT_TRUE(config.Deserialize(Header(2, 0) +
                                   OutputBlock(1, "0.5", {RuleBlock(0, "10"), RuleBlock(0, "11")}) +
                                   OutputBlock(1, "0.75", {RuleBlock(1, "20")})));
    EXPECT_EQ(config.Settings(0).PulseDelay, 0.75);
    const std::vector<Rule> expected = {Rule{1, true, 5, 20}, Rule{0, true, 5, 10},
                                        Rule{0, true, 5, 11}};
    EXPECT_EQ(config.GetOutput(0).Rules, expected);
    EXPECT_EQ(config.GetRuleCount(1), 0);  // output 2 never had a block

    EventConfig crowded;  // 3 + 2 rules: the fifth insertion fails
    EXPECT_FALSE(crowded.Deserialize(
        Header(2, 0) +
        OutputBlock(1, "0", {RuleBlock(0, "1"), RuleBlock(0, "2"), RuleBlock(0, "3")}) +
        OutputBlock(1, "0", {RuleBlock(1, "4"), RuleBlock(1, "5")})));
    EXPECT_EQ(crowded.GetRuleCount(0), 4);
}

TEST(Deserialize, RuleCountZeroGivesAnOutputWithoutRules) {
    EventConfig config;
    ASSERT_TRUE(config.Deserialize(Header(0, 1) + OutputBlock(-1, "0", {})));
    EXPECT_EQ(Numbers(config), (std::vector<std::int32_t>{-1}));
    EXPECT_EQ(config.GetRuleCount(0), 0);
    EXPECT_TRUE(config.Settings(0).On);
}

TEST(Deserialize, FifthRuleFailsKeepingWhatWasRead) {
    std::vector<std::string> rules;
    for (int i = 0; i < 5; ++i)
        rules.push_back(RuleBlock(i, std::to_string(i)));
    EventConfig config;
    EXPECT_FALSE(config.Deserialize(Header(1, 1) + OutputBlock(1, "0.5", rules)));
    EXPECT_EQ(Numbers(config), (std::vector<std::int32_t>{1, -1}));
    EXPECT_EQ(config.Settings(0).PulseDelay, 0.5);
    EXPECT_EQ(config.GetRuleCount(0), 4);
}

TEST(Deserialize, OutputZeroFails) {
    EventConfig config;
    EXPECT_FALSE(config.Deserialize(Header(1, 0) + OutputBlock(0, "0", {})));
    EXPECT_EQ(Numbers(config), (std::vector<std::int32_t>{1}));
}

TEST(Deserialize, BadValuesFail) {
    const std::string good = Header(1, 0) + OutputBlock(1, "0", {RuleBlock(0, "1")});
    EventConfig config;
    ASSERT_TRUE(config.Deserialize(good));
    for (const auto& [from, to] : std::vector<std::pair<std::string, std::string>>{
             {"On = 1", "On = 2"},
             {"On = 1", "On = -1"},
             {"PulseDelay = 0", "PulseDelay = zero"},
             {"Input = 0", "Input = 99999999999"},
             {"Level = 1", "Level = 1e999"},
             {"RuleCount = 1", "RuleCount = x"},
             {"PulseDelay = 0\nRetriggerHoldoffTime = 0\n",
              "RetriggerHoldoffTime = 0\nPulseDelay = 0\n"},
             {"EndOnlineEvent\n", ""},
             {"EndOnlineEventRule\n", "EndOnlineEventrule\n"}}) {
        std::string text = good;
        text.replace(text.find(from), from.size(), to);
        EXPECT_FALSE(config.Deserialize(text)) << to;
    }
}

TEST(Deserialize, TextEndingEarlyKeepsTheCompletedBlocks) {
    const std::string text = Header(1, 2) + OutputBlock(1, "0.5", {RuleBlock(2, "7")}) +
                             OutputBlock(-1, "0.25", {RuleBlock(1, "8")});
    EventConfig config;
    EXPECT_FALSE(config.Deserialize(text.substr(0, text.size() - 40)));
    EXPECT_EQ(Numbers(config), (std::vector<std::int32_t>{1, -1, -2}));
    EXPECT_EQ(config.Settings(0).PulseDelay, 0.5);
    EXPECT_EQ(config.GetOutput(0).Rules, (std::vector<Rule>{Rule{2, true, 5, 7}}));
    EXPECT_EQ(config.Settings(1).PulseDelay, 0.25);  // stored before the rules failed
    EXPECT_EQ(config.GetRuleCount(1), 0);
}

TEST(Deserialize, NegativeOrAbsurdCountsFailBeforeBuildingRecords) {
    for (const std::string& text :
         {Header(-1, 2), Header(2, -3), Header(2000000000, 0), Header(0, 2000000000),
          Header(4097, 0),
          std::string("Version = 1\nAnalogOutputCount = 1\nDigitalOutputCount = 99999999999\n")}) {
        EventConfig config;
        config.SetOutputCounts(1, 1);
        EXPECT_FALSE(config.Deserialize(text)) << text;
        EXPECT_EQ(config.GetCount(), 0);
        EXPECT_EQ(config.GetAnalogOutputCount(), 0);
        EXPECT_EQ(config.GetDigitalOutputCount(), 0);
        EXPECT_TRUE(config.GetOutputs().empty());
    }
    EventConfig largest;  // the bound itself is accepted; the blocks are missing
    EXPECT_FALSE(largest.Deserialize(Header(4096, 4096)));
    EXPECT_EQ(largest.GetCount(), 8192);
}

TEST(Deserialize, NonNumericVersionOrCountIsAFailure) {
    EventConfig config;
    EXPECT_FALSE(
        config.Deserialize("Version = x\nAnalogOutputCount = 0\nDigitalOutputCount = 0\n"));
    EXPECT_FALSE(
        config.Deserialize("Version = 1\nAnalogOutputCount = 0\nDigitalOutputCount = x\n"));
    EXPECT_EQ(config.GetCount(), 0);
    // Without a final line feed the last count still reads.
    EXPECT_TRUE(config.Deserialize("Version = 1\nAnalogOutputCount = 0\nDigitalOutputCount = 0"));
}

TEST(Deserialize, KeepsTheInputCountAndIgnoresWhatFollowsTheBlocks) {
    EventConfig config;
    config.Deserialize(Header(1, 0) + OutputBlock(1, "0", {}) + "garbage after the blocks\n");
    EXPECT_EQ(Numbers(config), (std::vector<std::int32_t>{1}));
    EXPECT_EQ(config.GetInputCount(), 0);
}

// A decimal comma and digit grouping, as a user's regional settings may have them.
struct CommaNumbers : std::numpunct<char> {
    char do_decimal_point() const override { return ','; }
    char do_thousands_sep() const override { return '.'; }
    std::string do_grouping() const override { return "\3"; }
};

TEST(ConfigurationText, IsIndependentOfTheGlobalLocale) {
    const std::string expected = Write(RichConfig());
    const std::locale previous =
        std::locale::global(std::locale(std::locale::classic(), new CommaNumbers));
    std::ostringstream probe;
    probe << 1234567 << " " << 2.5;
    const std::string written = Write(RichConfig());
    EventConfig read;
    const bool readBack = read.Deserialize(written);
    const std::string rewritten = Write(read);
    std::locale::global(previous);

    ASSERT_EQ(probe.str(), "1.234.567 2,5");  // the locale really was in force
    EXPECT_EQ(written, expected);
    EXPECT_TRUE(readBack);
    EXPECT_EQ(rewritten, expected);
    EXPECT_NE(written.find("PulseNumLimit = 250000\n"), std::string::npos);
}

}  // namespace
}  // namespace VavazaZavidi
