// The rule rows and their level controls, driven as a person would through a plain dialog
// that hosts the panes: a stored level in the input's unit, typing, dragging and stepping the
// level, changing the input, adding and removing rules, the hysteresis, and the rows' buttons.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <tuple>

#include "config/rule.h"
#include "dialog/range_validators.h"
#include "platform/ui/scripted_user.h"
#include "resources/dialog_ids.h"
#include "resources/pane_ids.h"
#include "tests/dialog/pane_harness.h"

namespace {

using namespace VavazaZavidi;
using namespace VavazaZavidi::RulePaneId;
using PaneTest::DeviceConfig;
using PaneTest::Limits;
using PaneTest::PaneHarness;

Rule MakeRule(std::int32_t input, bool above, double level, double hysteresis) {
    Rule rule;
    rule.Input = input;
    rule.Above = above;
    rule.Level = level;
    rule.Hysteresis = hysteresis;
    return rule;
}

// Output 0 of a device with three inputs, switched on, holding `rules`; input 0 is a 10 V
// input, input 1 a 2.5 mV input, input 2 has no range.
EventConfig WithRules(std::initializer_list<Rule> rules, int inputs = 3) {
    EventConfig config = DeviceConfig(inputs);
    config.Settings(0).On = true;
    int index = 0;
    for (const Rule& rule : rules) {
        if (index > 0)
            config.InsertRule(0, index - 1);
        config.SetRule(0, index++, rule);
    }
    return config;
}

class RulePanes : public ::testing::Test {
protected:
    // Runs a harness on `config` with the script; a script leaving it open cancels it.
    template <class Script>
    void Run(const EventConfig& config, Script script) {
        harness = std::make_unique<PaneHarness>(config, Limits());
        harness->ranges = {{0, {u"10", u"V"}}, {1, {u"2.5", u"mV"}}};
        user.OnNextDialog([&](ui::WindowUser& dialog) {
            script(dialog);
            if (dialog.IsOpen())
                dialog.PressCancel();
        });
        harness->Execute();
    }

    static ui::WindowUser Row(const ui::WindowUser& dialog, int row) {
        return dialog.ChildDialog(TemplateId::kRulePane, row);
    }

    Rule Stored(int rule) const {
        Rule stored;
        harness->config.GetRule(0, rule, stored);
        return stored;
    }

    ui::ScriptedUser user;
    std::unique_ptr<PaneHarness> harness;
};

// What the level group shows for a stored level.
struct ShownCase {
    std::u16string range;
    std::u16string unit;
    double level;
    std::u16string label;
    std::u16string low;
    std::u16string high;
    std::u16string shown;
    int position;
};

TEST_F(RulePanes, AStoredLevelShowsInTheInputsUnitWithWholePercentPositions) {
    const ShownCase cases[] = {
        {u"10", u"V", 25, u"Level (V)", u"-10", u"10", u"2.5", 25},
        {u"10", u"V", -100, u"Level (V)", u"-10", u"10", u"-10", -100},
        {u"10", u"V", 33.9, u"Level (V)", u"-10", u"10", u"3.39", 33},
        {u"10", u"V", -33.9, u"Level (V)", u"-10", u"10", u"-3.39", -33},
        {u"10", u"V", 150, u"Level (V)", u"-10", u"10", u"15", 100},
        // A real range: the device fires at 1.25 mV for 50 %, and that is what shows.
        {u"2.5", u"mV", 50, u"Level (mV)", u"-2.5", u"2.5", u"1.25", 50},
        {u"2.5mV", u"2.5mV", 50, u"Level (2.5mV)", u"-2.5mV", u"2.5mV", u"1.25", 50},
        // No usable range: the level is the stored percentage.
        {u"", u"", 25, u"Level (%)", u"-100", u"100", u"25", 25},
        {u"0", u"V", 25, u"Level (%)", u"-100", u"100", u"25", 25},
        {u"-5", u"V", -7.5, u"Level (%)", u"-100", u"100", u"-7.5", -7},
        {u"V", u"V", 25, u"Level (%)", u"-100", u"100", u"25", 25},
    };
    for (const ShownCase& c : cases) {
        SCOPED_TRACE(std::string(c.range.begin(), c.range.end()) + " " + std::to_string(c.level));
        Run(WithRules({MakeRule(0, true, c.level, 5)}), [&](ui::WindowUser& d) {
            harness->ranges[0] = {c.range, c.unit};
            harness->LoadRules();
            const ui::WindowUser row = Row(d, 0);
            EXPECT_EQ(row.Control(kLevelLabel).Text(), c.label);
            EXPECT_EQ(row.Control(kLowRange).Text(), c.low);
            EXPECT_EQ(row.Control(kHighRange).Text(), c.high);
            EXPECT_EQ(row.Control(kLevelEdit).Text(), c.shown);
            EXPECT_EQ(row.Control(kLevelSlider).Position(), c.position);
            EXPECT_EQ(row.Control(kLevelUpDown).Position(), c.position);
            EXPECT_EQ(row.Control(kLevelSlider).Range(), std::make_pair(-100, 100));
            EXPECT_EQ(row.Control(kLevelUpDown).Range(), std::make_pair(-100, 100));
        });
    }
}

// A level typed into the edit, then the edit left.
struct TypedCase {
    std::u16string range;
    std::u16string typed;
    std::u16string shown;
    int position;
    double stored;
};

TEST_F(RulePanes, LeavingTheLevelPullsItIntoTheRangeAndMovesSliderAndUpDown) {
    const TypedCase cases[] = {
        {u"10", u"12", u"10", 100, 100},
        {u"10", u"-12", u"-10", -100, -100},
        {u"10", u"-3.33", u"-3.33", -33, -33.3},
        {u"10", u"\b", u"", 0, 0},
        {u"10", u"-", u"-", 0, 0},
        {u"2.5", u"2.2", u"2.2", 88, 88},
        {u"2.5", u"3", u"2.5", 100, 100},
        {u"", u"150", u"100", 100, 100},
        {u"", u"-42.5", u"-42.5", -42, -42.5},
    };
    for (const TypedCase& c : cases) {
        SCOPED_TRACE(std::string(c.range.begin(), c.range.end()) + " " +
                     std::string(c.typed.begin(), c.typed.end()));
        Run(WithRules({MakeRule(0, true, 25, 5)}), [&](ui::WindowUser& d) {
            harness->ranges[0] = {c.range, u"V"};
            harness->LoadRules();
            ui::ControlUser edit = Row(d, 0).Control(kLevelEdit);
            edit.Type(c.typed);
            edit.Leave();
            EXPECT_EQ(edit.Text(), c.shown);
            EXPECT_EQ(Row(d, 0).Control(kLevelSlider).Position(), c.position);
            EXPECT_EQ(Row(d, 0).Control(kLevelUpDown).Position(), c.position);
            harness->SaveRules();
            EXPECT_DOUBLE_EQ(Stored(0).Level, c.stored);
        });
    }
}

TEST_F(RulePanes, TheLevelValidatorAcceptsExactlyTheInputsRange) {
    Run(WithRules({MakeRule(0, true, 0, 5), MakeRule(1, true, 0, 5), MakeRule(2, true, 0, 5)}),
        [&](ui::WindowUser&) {
            const auto* volts = dynamic_cast<Tev::FltRangeValidator*>(
                harness->Row(0).Level().Edit().GetValidator());
            const auto* millivolts = dynamic_cast<Tev::FltRangeValidator*>(
                harness->Row(1).Level().Edit().GetValidator());
            const auto* percent = dynamic_cast<Tev::FltRangeValidator*>(
                harness->Row(2).Level().Edit().GetValidator());
            ASSERT_TRUE(volts && millivolts && percent);
            EXPECT_EQ(volts->GetMin(), -10);
            EXPECT_EQ(volts->GetMax(), 10);
            EXPECT_EQ(millivolts->GetMax(), 2.5) << "2.2 mV is within a 2.5 mV range";
            EXPECT_EQ(millivolts->GetMin(), -2.5);
            EXPECT_EQ(percent->GetMin(), -100);
            EXPECT_EQ(percent->GetMax(), 100);
        });
}

TEST_F(RulePanes, TheSliderAndTheUpDownShowTheirPositionInTheEdit) {
    Run(WithRules({MakeRule(0, true, 25, 5)}), [&](ui::WindowUser& d) {
        const ui::WindowUser row = Row(d, 0);
        row.Control(kLevelEdit).Type(u"-3.33");
        row.Control(kLevelEdit).Leave();
        row.Control(kLevelUpDown).ClickUpArrow();
        EXPECT_EQ(row.Control(kLevelUpDown).Position(), -32);
        EXPECT_EQ(row.Control(kLevelSlider).Position(), -32);
        EXPECT_EQ(row.Control(kLevelEdit).Text(), u"-3.2");

        row.Control(kLevelSlider).DragSliderTo(73);
        EXPECT_EQ(row.Control(kLevelEdit).Text(), u"7.3");
        EXPECT_EQ(row.Control(kLevelUpDown).Position(), 73);

        row.Control(kLevelSlider).DragSliderTo(100);
        row.Control(kLevelUpDown).ClickUpArrow();
        EXPECT_EQ(row.Control(kLevelUpDown).Position(), 100) << "the step stops at the end";
        EXPECT_EQ(row.Control(kLevelEdit).Text(), u"10");

        row.Control(kLevelSlider).DragSliderTo(-100);
        row.Control(kLevelUpDown).ClickDownArrow();
        EXPECT_EQ(row.Control(kLevelUpDown).Position(), -100);
        EXPECT_EQ(row.Control(kLevelEdit).Text(), u"-10");
        row.Control(kLevelUpDown).ClickUpArrow();
        EXPECT_EQ(row.Control(kLevelSlider).Position(), -99);
        harness->SaveRules();
        EXPECT_DOUBLE_EQ(Stored(0).Level, -99);
    });
}

TEST_F(RulePanes, UpAndDownInTheLevelEditStepAsTheArrowsPgUpAndPgDnAsTheSlidersPage) {
    // From 25 % (2.5 V), each key after the one before.
    const std::tuple<UINT, int, std::u16string> steps[] = {{VK_UP, 26, u"2.6"},
                                                           {VK_DOWN, 25, u"2.5"},
                                                           {VK_NEXT, 15, u"1.5"},
                                                           {VK_PRIOR, 25, u"2.5"},
                                                           {VK_PRIOR, 35, u"3.5"}};
    Run(WithRules({MakeRule(0, true, 25, 5)}), [&](ui::WindowUser& d) {
        const ui::WindowUser row = Row(d, 0);
        for (const auto& [key, position, shown] : steps) {
            row.Control(kLevelEdit).PressKey(key);
            EXPECT_EQ(row.Control(kLevelSlider).Position(), position) << key;
            EXPECT_EQ(row.Control(kLevelEdit).Text(), shown) << key;
        }
    });
}

TEST_F(RulePanes, ChangingTheInputShowsTheStoredLevelInTheNewInputsUnit) {
    Run(WithRules({MakeRule(0, false, 25, 5)}), [&](ui::WindowUser& d) {
        const ui::WindowUser row = Row(d, 0);
        row.Control(kLevelEdit).Type(u"7");
        row.Control(kHysteresis).Type(u"9");
        row.Control(kDirection).Select(u"above");
        row.Control(kInput).Select(u"Input 2");
        EXPECT_EQ(Stored(0), MakeRule(1, false, 25, 5)) << "stored at once, the typing dropped";
        EXPECT_EQ(row.Control(kLevelLabel).Text(), u"Level (mV)");
        EXPECT_EQ(row.Control(kLevelEdit).Text(), u"0.625");
        EXPECT_EQ(row.Control(kLevelSlider).Position(), 25);
        EXPECT_EQ(row.Control(kHysteresis).Text(), u"5");
        EXPECT_EQ(row.Control(kDirection).SelectedText(), u"below");
        EXPECT_EQ(row.Control(kHighRange).Text(), u"2.5");

        row.Control(kInput).Select(u"Input 3");
        EXPECT_EQ(row.Control(kLevelLabel).Text(), u"Level (%)") << "no range: percent";
        EXPECT_EQ(row.Control(kLevelEdit).Text(), u"25");
    });
}

TEST_F(RulePanes, WithoutInputsTheListIsEmptyAndARowStoresNoInput) {
    Run(WithRules({MakeRule(0, true, 10, 5)}, 0), [&](ui::WindowUser& d) {
        EXPECT_TRUE(Row(d, 0).Control(kInput).Items().empty());
        EXPECT_EQ(Row(d, 0).Control(kInput).Selection(), -1);
        harness->SaveRules();
        EXPECT_EQ(Stored(0).Input, -1);
    });
}

TEST_F(RulePanes, TheRowShowsItsRuleAndStoresWhatItShows) {
    Run(WithRules({MakeRule(2, false, -40, 7.9), MakeRule(1, true, 100, 95)}),
        [&](ui::WindowUser& d) {
            EXPECT_EQ(Row(d, 0).Control(kInput).Items(),
                      (std::vector<std::u16string>{u"Input 1", u"Input 2", u"Input 3"}));
            EXPECT_EQ(Row(d, 0).Control(kInput).SelectedText(), u"Input 3");
            EXPECT_EQ(Row(d, 0).Control(kDirection).Items(),
                      (std::vector<std::u16string>{u"above", u"below"}));
            EXPECT_EQ(Row(d, 0).Control(kDirection).SelectedText(), u"below");
            EXPECT_EQ(Row(d, 0).Control(kHysteresis).Text(), u"7") << "fraction dropped";
            EXPECT_EQ(Row(d, 1).Control(kLevelEdit).Text(), u"2.5");
            EXPECT_EQ(Row(d, 1).Control(kHysteresis).Text(), u"95");

            Row(d, 1).Control(kHysteresis).Type(u"\b");  // emptied
            harness->SaveRules();
            EXPECT_EQ(Stored(0), MakeRule(2, false, -40, 7)) << "as shown";
            EXPECT_EQ(Stored(1), MakeRule(1, true, 100, 0)) << "an empty hysteresis stores 0";
        });
}

TEST_F(RulePanes, AddingAfterARowInsertsTheDefaultRuleThereAndShowsIt) {
    const Rule a = MakeRule(2, false, 10, 3);
    const Rule b = MakeRule(1, true, -20, 7);
    Run(WithRules({a, b}), [&](ui::WindowUser& d) {
        Row(d, 0).Control(kHysteresis).Type(u"4");  // stored before the insertion
        Row(d, 0).Control(kAdd).Click();
        ASSERT_EQ(harness->config.GetRuleCount(0), 3);
        EXPECT_EQ(Stored(0), MakeRule(2, false, 10, 4));
        EXPECT_EQ(Stored(1), Rule());
        EXPECT_EQ(Stored(2), b);
        EXPECT_EQ(harness->VisibleRows(), 3);
        const ui::WindowUser added = Row(d, 1);
        EXPECT_TRUE(added.Control(kInput).IsVisible());
        EXPECT_EQ(added.Control(kInput).SelectedText(), u"Input 1");
        EXPECT_EQ(added.Control(kDirection).SelectedText(), u"above");
        EXPECT_EQ(added.Control(kLevelEdit).Text(), u"0");
        EXPECT_EQ(added.Control(kHysteresis).Text(), u"5");
        EXPECT_EQ(Row(d, 2).Control(kInput).SelectedText(), u"Input 2");
    });
}

TEST_F(RulePanes, RemovingARowsRuleMovesTheLaterRulesUp) {
    const Rule a = MakeRule(0, true, 10, 3);
    const Rule b = MakeRule(1, false, -20, 7);
    const Rule c = MakeRule(2, true, 30, 9);
    Run(WithRules({a, b, c}), [&](ui::WindowUser& d) {
        Row(d, 0).Control(kRemove).Click();
        ASSERT_EQ(harness->config.GetRuleCount(0), 2);
        EXPECT_EQ(Stored(0), b);
        EXPECT_EQ(Stored(1), c);
        EXPECT_EQ(harness->VisibleRows(), 2);
        EXPECT_FALSE(Row(d, 2).Control(kInput).IsVisible());
        EXPECT_EQ(Row(d, 0).Control(kInput).SelectedText(), u"Input 2");
        EXPECT_EQ(Row(d, 1).Control(kLevelEdit).Text(), u"30") << "input 2 has no range";
    });
}

TEST_F(RulePanes, AddAndRemoveFollowTheRuleCountAndTheOnSetting) {
    const Rule r = MakeRule(0, true, 0, 5);
    Run(WithRules({r, r, r, r}), [&](ui::WindowUser& d) {
        for (int row = 0; row < 4; ++row) {
            EXPECT_FALSE(Row(d, row).Control(kAdd).IsEnabled()) << row;
            EXPECT_TRUE(Row(d, row).Control(kRemove).IsEnabled()) << row;
        }
        Row(d, 3).Control(kRemove).Click();
        Row(d, 2).Control(kRemove).Click();
        Row(d, 1).Control(kRemove).Click();
        EXPECT_EQ(harness->VisibleRows(), 1);
        EXPECT_TRUE(Row(d, 0).Control(kAdd).IsEnabled());
        EXPECT_FALSE(Row(d, 0).Control(kRemove).IsEnabled()) << "the last rule stays";
        EXPECT_FALSE(Row(d, 0).Control(kAdd).IsDefault());
    });
}

TEST_F(RulePanes, TheUpDownStepsTheLevelEditItself) {
    Run(WithRules({MakeRule(0, true, 0, 5)}), [&](ui::WindowUser& d) {
        const HWND upDown = Row(d, 0).Control(kLevelUpDown).Handle();
        EXPECT_EQ(reinterpret_cast<HWND>(SendMessageW(upDown, UDM_GETBUDDY, 0, 0)),
                  Row(d, 0).Control(kLevelEdit).Handle());
        const RECT edit = Row(d, 0).Control(kLevelEdit).ScreenRect();
        const RECT arrows = Row(d, 0).Control(kLevelUpDown).ScreenRect();
        EXPECT_LE(arrows.left, edit.right) << "the arrows sit at the edit's right end";
        EXPECT_GT(arrows.right, edit.right);
        EXPECT_GE(edit.right - edit.left, 40) << "the edit keeps room for a level";
    });
}

}  // namespace
