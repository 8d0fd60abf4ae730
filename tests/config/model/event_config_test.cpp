#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include "config/event_config.h"
#include "tests/config/config_test_helpers.h"

namespace VavazaZavidi {
namespace {

std::vector<std::u16string> Names(const EventConfig& config) {
    std::vector<std::u16string> names;
    for (const OutputRecord& record : config.GetOutputs())
        names.push_back(record.Name);
    return names;
}

std::vector<Rule> Rules(const EventConfig& config, std::int32_t index) {
    return config.GetOutput(index).Rules;
}

Rule MakeRule(std::int32_t input, double level) {
    Rule rule;
    rule.Input = input;
    rule.Level = level;
    return rule;
}

// Runs `action`, which must throw E with exactly `message`.
template <class E>
void ExpectThrowWithMessage(const std::function<void()>& action, const std::string& message) {
    try {
        action();
        ADD_FAILURE() << "no exception; expected: " << message;
    } catch (const E& error) {
        EXPECT_EQ(std::string(error.what()), message);
    } catch (const std::exception& error) {
        ADD_FAILURE() << "wrong exception type: " << error.what();
    }
}

// A configuration with outputs 1, 2, -1 whose output 0 has the rules A, B (levels 1, 2).
EventConfig TwoRuleConfig() {
    EventConfig config;
    config.SetOutputCounts(2, 1);
    config.AddDefaultRules();
    config.SetRule(0, 0, MakeRule(1, 1.0));
    config.InsertRule(0, 0);
    config.SetRule(0, 1, MakeRule(2, 2.0));
    return config;
}

TEST(EventConfigDefaults, NewConfigurationAndRecordsHoldTheirDefaults) {
    const EventConfig config;
    EXPECT_EQ(config.GetCount(), 0);
    EXPECT_EQ(config.GetAnalogOutputCount(), 0);
    EXPECT_EQ(config.GetDigitalOutputCount(), 0);
    EXPECT_EQ(config.GetInputCount(), 0);
    EXPECT_TRUE(config.GetOutputs().empty());

    const OutputSettings settings;
    EXPECT_FALSE(settings.On);
    EXPECT_EQ(settings.PulseDuration, 0.001);
    EXPECT_EQ(settings.PulseDelay, 0.0);
    EXPECT_FALSE(settings.LimitedDuration);
    EXPECT_FALSE(settings.LimitedNumPulses);
    EXPECT_EQ(settings.PulseNumLimit, 1);
    EXPECT_FALSE(settings.RetriggerHoldoff);
    EXPECT_EQ(settings.RetriggerHoldoffTime, 0.0);
    EXPECT_TRUE(settings.All);

    const Rule rule;
    EXPECT_EQ(rule, (Rule{0, true, 5.0, 0.0}));
}

TEST(EventConfigDefaults, EqualityComparesEveryMemberExactly) {
    OutputSettings a, b;
    EXPECT_EQ(a, b);
    b.RetriggerHoldoffTime = 1e-300;
    EXPECT_NE(a, b);
    b = a;
    b.All = false;
    EXPECT_NE(a, b);

    Rule r, s;
    s.Hysteresis = 5.0000001;
    EXPECT_NE(r, s);
    s = r;
    s.Above = false;
    EXPECT_NE(r, s);
}

TEST(SetOutputCounts, NumbersAndNamesAnalogThenDigitalOutputs) {
    EventConfig config;
    config.SetOutputCounts(2, 3);
    EXPECT_EQ(config.GetCount(), 5);
    EXPECT_EQ(config.GetAnalogOutputCount(), 2);
    EXPECT_EQ(config.GetDigitalOutputCount(), 3);
    EXPECT_EQ(Numbers(config), (std::vector<std::int32_t>{1, 2, -1, -2, -3}));
    EXPECT_EQ(Names(config), (std::vector<std::u16string>{u"Analog Output 1", u"2",
                                                          u"Digital Output 1", u"2", u"3"}));
    for (std::int32_t i = 0; i < 5; ++i)
        EXPECT_EQ(config.GetRuleCount(i), 0);
}

TEST(SetOutputCounts, SingleAnalogOutputHasTheShortName) {
    EventConfig config;
    config.SetOutputCounts(1, 0);
    EXPECT_EQ(Names(config), (std::vector<std::u16string>{u"Analog Output"}));
}

TEST(SetOutputCounts, ZeroCountsGiveAnEmptyConfiguration) {
    EventConfig config = TwoRuleConfig();
    config.SetOutputCounts(0, 0);
    EXPECT_EQ(config.GetCount(), 0);
    EXPECT_TRUE(config.GetOutputs().empty());
}

TEST(SetOutputCounts, RebuildsFromScratch) {
    EventConfig config = TwoRuleConfig();
    config.Settings(0).On = true;
    config.SetOutputCounts(1, 1);
    EXPECT_EQ(Numbers(config), (std::vector<std::int32_t>{1, -1}));
    EXPECT_FALSE(config.Settings(0).On);
    EXPECT_EQ(config.GetRuleCount(0), 0);
}

TEST(SetOutputCounts, NegativeCountChangesNothing) {
    EventConfig config = TwoRuleConfig();
    EXPECT_THROW(config.SetOutputCounts(-1, 2), std::length_error);
    EXPECT_THROW(config.SetOutputCounts(2, -5), std::length_error);
    EXPECT_EQ(Numbers(config), (std::vector<std::int32_t>{1, 2, -1}));
    EXPECT_EQ(config.GetAnalogOutputCount(), 2);
    EXPECT_EQ(config.GetDigitalOutputCount(), 1);
    EXPECT_EQ(config.GetRuleCount(0), 2);
}

TEST(Rules, AddDefaultRulesGivesEveryOutputOneDefaultRule) {
    EventConfig config;
    config.SetOutputCounts(2, 3);
    config.AddDefaultRules();
    for (std::int32_t i = 0; i < config.GetCount(); ++i) {
        EXPECT_EQ(Rules(config, i), (std::vector<Rule>{Rule{}})) << "output index " << i;
    }
}

TEST(Rules, AddDefaultRulesStopsAtAFullOutput) {
    EventConfig config;
    config.SetOutputCounts(1, 1);
    for (int i = 0; i < 4; ++i)
        config.InsertRule(1, -1);
    ExpectThrowWithMessage<std::out_of_range>([&] { config.AddDefaultRules(); },
                                              "Vavaza Zavidi: Illegal rule insertion point.");
    EXPECT_EQ(config.GetRuleCount(0), 1);  // outputs before the full one got theirs
    EXPECT_EQ(config.GetRuleCount(1), 4);
}

TEST(Rules, InsertRulePlacesTheDefaultAfterTheGivenRule) {
    EventConfig front = TwoRuleConfig();
    front.InsertRule(0, -1);
    EXPECT_EQ(Rules(front, 0), (std::vector<Rule>{Rule{}, MakeRule(1, 1.0), MakeRule(2, 2.0)}));

    EventConfig middle = TwoRuleConfig();
    middle.InsertRule(0, 0);
    EXPECT_EQ(Rules(middle, 0), (std::vector<Rule>{MakeRule(1, 1.0), Rule{}, MakeRule(2, 2.0)}));

    EventConfig end = TwoRuleConfig();
    end.InsertRule(0, 1);
    EXPECT_EQ(Rules(end, 0), (std::vector<Rule>{MakeRule(1, 1.0), MakeRule(2, 2.0), Rule{}}));
}

TEST(Rules, FifthRuleIsRefused) {
    EventConfig config = TwoRuleConfig();
    config.InsertRule(0, 1);
    config.InsertRule(0, 2);
    const std::vector<Rule> four = Rules(config, 0);
    ASSERT_EQ(four.size(), 4u);
    ExpectThrowWithMessage<std::out_of_range>([&] { config.InsertRule(0, -1); },
                                              "Vavaza Zavidi: Illegal rule insertion point.");
    EXPECT_EQ(Rules(config, 0), four);
}

TEST(Rules, InsertRuleRejectsPositionsOutsideTheList) {
    EventConfig config = TwoRuleConfig();
    const std::vector<Rule> before = Rules(config, 0);
    EXPECT_THROW(config.InsertRule(0, 2), std::out_of_range);  // after a rule that is not there
    EXPECT_THROW(config.InsertRule(0, -2), std::out_of_range);
    EXPECT_THROW(config.InsertRule(0, 1000), std::out_of_range);
    EXPECT_EQ(Rules(config, 0), before);

    EventConfig empty;
    empty.SetOutputCounts(1, 0);
    EXPECT_THROW(empty.InsertRule(0, 0), std::out_of_range);
    empty.InsertRule(0, -1);
    EXPECT_EQ(empty.GetRuleCount(0), 1);
}

TEST(Rules, DeleteRuleRemovesOneAndKeepsTheOrder) {
    EventConfig config = TwoRuleConfig();
    config.InsertRule(0, 1);
    config.SetRule(0, 2, MakeRule(3, 3.0));  // A, B, C
    config.DeleteRule(0, 0);
    EXPECT_EQ(Rules(config, 0), (std::vector<Rule>{MakeRule(2, 2.0), MakeRule(3, 3.0)}));
    config.DeleteRule(0, 1);
    EXPECT_EQ(Rules(config, 0), (std::vector<Rule>{MakeRule(2, 2.0)}));
}

TEST(Rules, TheLastRuleCannotBeDeleted) {
    EventConfig config = TwoRuleConfig();
    ExpectThrowWithMessage<std::out_of_range>([&] { config.DeleteRule(1, 0); },
                                              "Vavaza Zavidi: Can't delete the rule.");
    EXPECT_EQ(config.GetRuleCount(1), 1);
    config.Settings(1);  // still there
}

TEST(Rules, DeleteRuleRejectsPositionsOutsideTheList) {
    EventConfig config = TwoRuleConfig();
    EXPECT_THROW(config.DeleteRule(0, 2), std::out_of_range);
    EXPECT_THROW(config.DeleteRule(0, -1), std::out_of_range);
    EXPECT_EQ(Rules(config, 0), (std::vector<Rule>{MakeRule(1, 1.0), MakeRule(2, 2.0)}));
}

TEST(Rules, IndicesOutsideTheListsRaiseOutOfRange) {
    EventConfig config = TwoRuleConfig();
    Rule rule;
    EXPECT_THROW(config.GetRule(0, 2, rule), std::out_of_range);  // index equal to the count
    EXPECT_THROW(config.GetRule(0, -1, rule), std::out_of_range);
    EXPECT_THROW(config.GetRule(3, 0, rule), std::out_of_range);
    EXPECT_THROW(config.GetRule(-1, 0, rule), std::out_of_range);
    EXPECT_THROW(config.SetRule(1, 1, Rule{}), std::out_of_range);
    EXPECT_THROW(config.GetRuleCount(3), std::out_of_range);
    EXPECT_THROW(config.InsertRule(3, -1), std::out_of_range);
    EXPECT_THROW(config.DeleteRule(-1, 0), std::out_of_range);
    EXPECT_THROW(config.Settings(3), std::out_of_range);
    EXPECT_THROW(config.GetName(-1), std::out_of_range);
    EXPECT_THROW(config.GetOutputNumber(3), std::out_of_range);

    config.GetRule(0, 1, rule);
    EXPECT_EQ(rule, MakeRule(2, 2.0));
}

TEST(InsertOutput, AnalogOutputGoesAfterTheAnalogOutputs) {
    EventConfig config;
    config.SetOutputCounts(2, 1);
    config.InsertOutput(3);
    EXPECT_EQ(Numbers(config), (std::vector<std::int32_t>{1, 2, 3, -1}));
    EXPECT_EQ(config.GetAnalogOutputCount(), 3);
    EXPECT_EQ(config.GetDigitalOutputCount(), 1);
    EXPECT_EQ(config.GetName(2), u"3");
    EXPECT_EQ(config.GetRuleCount(2), 0);
    EXPECT_EQ(config.Settings(2), OutputSettings{});
}

TEST(InsertOutput, DigitalOutputGoesInOrderOfMagnitude) {
    EventConfig config;
    config.SetOutputCounts(1, 0);
    config.InsertOutput(-1);
    config.InsertOutput(-3);
    config.InsertOutput(-2);
    EXPECT_EQ(Numbers(config), (std::vector<std::int32_t>{1, -1, -2, -3}));
    EXPECT_EQ(config.GetDigitalOutputCount(), 3);
    EXPECT_EQ(Names(config),
              (std::vector<std::u16string>{u"Analog Output", u"Digital Output 1", u"2", u"3"}));
}

TEST(InsertOutput, AnalogOutputGoesBeforeALargerOne) {
    EventConfig config;
    config.InsertOutput(5);
    config.InsertOutput(-4);
    config.InsertOutput(2);
    EXPECT_EQ(Numbers(config), (std::vector<std::int32_t>{2, 5, -4}));
    // Names are made with the analog count before the insertion: 1 when 2 arrives.
    EXPECT_EQ(Names(config), (std::vector<std::u16string>{u"Analog Output", u"5", u"4"}));

    EventConfig single;
    single.InsertOutput(1);
    EXPECT_EQ(single.GetName(0), u"Analog Output 1");  // count 0 before the insertion
}

TEST(InsertOutput, ZeroAndPresentNumbersAreRefused) {
    EventConfig config;
    config.SetOutputCounts(1, 1);
    ExpectThrowWithMessage<std::runtime_error>([&] { config.InsertOutput(0); },
                                               "Vavaza Zavidi: Illegal event insertion.");
    ExpectThrowWithMessage<std::runtime_error>([&] { config.InsertOutput(1); },
                                               "Vavaza Zavidi: Illegal event insertion.");
    ExpectThrowWithMessage<std::runtime_error>([&] { config.InsertOutput(-1); },
                                               "Vavaza Zavidi: Illegal event insertion.");
    EXPECT_EQ(Numbers(config), (std::vector<std::int32_t>{1, -1}));
    EXPECT_EQ(config.GetCount(), 2);
}

TEST(InsertOutput, MostNegativeNumberSortsLast) {
    EventConfig config;
    config.SetOutputCounts(0, 2);
    config.InsertOutput(-2147483647 - 1);
    config.InsertOutput(-3);
    EXPECT_EQ(Numbers(config), (std::vector<std::int32_t>{-1, -2, -3, -2147483647 - 1}));
    EXPECT_EQ(config.GetName(3), u"2147483648");
}

class CopyOutputsFromTest : public ::testing::Test {
protected:
    void SetUp() override {
        target.SetOutputCounts(2, 1);
        target.AddDefaultRules();
        target.Settings(1).PulseDelay = 0.25;
        target.SetRule(2, 0, MakeRule(1, -10.0));

        source.InsertOutput(1);
        source.InsertOutput(-4);
        source.AddDefaultRules();
        source.InsertRule(0, 0);
        source.SetRule(0, 1, MakeRule(3, 42.0));
        source.Settings(0).On = true;
        source.Settings(0).All = false;
        source.Settings(1).PulseNumLimit = 7;
    }

    EventConfig target;
    EventConfig source;  // outputs 1 ("Analog Output 1") and -4 ("4")
};

TEST_F(CopyOutputsFromTest, WithoutInsertingOverwritesMatchingOutputsOnly) {
    const OutputRecord untouchedTwo = target.GetOutput(1);
    const OutputRecord untouchedMinusOne = target.GetOutput(2);
    target.CopyOutputsFrom(source, false);

    EXPECT_EQ(Numbers(target), (std::vector<std::int32_t>{1, 2, -1}));
    EXPECT_EQ(target.Settings(0), source.Settings(0));
    EXPECT_EQ(Rules(target, 0), Rules(source, 0));
    EXPECT_EQ(target.GetName(0), source.GetName(0));
    EXPECT_EQ(target.Settings(1), untouchedTwo.Settings);
    EXPECT_EQ(Rules(target, 1), untouchedTwo.Rules);
    EXPECT_EQ(target.Settings(2), untouchedMinusOne.Settings);
    EXPECT_EQ(Rules(target, 2), untouchedMinusOne.Rules);
}

TEST_F(CopyOutputsFromTest, WithInsertingAddsMissingOutputsInTheirPlace) {
    target.CopyOutputsFrom(source, true);
    EXPECT_EQ(Numbers(target), (std::vector<std::int32_t>{1, 2, -1, -4}));
    EXPECT_EQ(target.GetDigitalOutputCount(), 2);
    EXPECT_EQ(target.Settings(3).PulseNumLimit, 7);
    EXPECT_EQ(Rules(target, 3), Rules(source, 1));
    EXPECT_EQ(target.GetName(3), u"4");
}

TEST_F(CopyOutputsFromTest, CopiesRuleListsAsTheyAre) {
    EventConfig crowded;
    crowded.SetOutputCounts(1, 0);
    crowded.AddDefaultRules();
    for (int i = 0; i < 3; ++i)
        crowded.InsertRule(0, -1);
    EventConfig five;
    five.SetOutputCounts(1, 0);
    five.CopyOutputsFrom(crowded, false);
    five.CopyOutputsFrom(crowded, false);  // copying again replaces, never appends
    EXPECT_EQ(five.GetRuleCount(0), 4);
}

TEST_F(CopyOutputsFromTest, CopyingFromItselfChangesNothing) {
    const std::vector<OutputRecord> before = target.GetOutputs();
    target.CopyOutputsFrom(target, true);
    ASSERT_EQ(target.GetOutputs().size(), before.size());
    for (std::size_t i = 0; i < before.size(); ++i) {
        EXPECT_EQ(target.GetOutputs()[i].Settings, before[i].Settings);
        EXPECT_EQ(target.GetOutputs()[i].Rules, before[i].Rules);
        EXPECT_EQ(target.GetOutputs()[i].Name, before[i].Name);
    }
}

TEST(FindOutput, GivesTheIndexOrMinusOne) {
    EventConfig config;
    config.SetOutputCounts(2, 2);
    EXPECT_EQ(config.FindOutput(2), 1);
    EXPECT_EQ(config.FindOutput(-2), 3);
    EXPECT_EQ(config.FindOutput(3), -1);
    EXPECT_EQ(config.FindOutput(0), -1);
}

}  // namespace
}  // namespace VavazaZavidi
