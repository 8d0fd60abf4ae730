// The on/off pane and the output settings pane, driven as a person would through a plain
// dialog that hosts the panes: loading and storing the nine settings, the enabling rules that
// tie the page to On and to the two check boxes, the rule rows' verb, and the checks at OK.
#include <gtest/gtest.h>

#include <string>

#include "config/output_settings.h"
#include "platform/ui/scripted_user.h"
#include "resources/dialog_ids.h"
#include "resources/pane_ids.h"
#include "tests/dialog/pane_harness.h"

namespace {

using namespace VavazaZavidi;
using namespace VavazaZavidi::SettingsPaneId;
using PaneTest::DeviceConfig;
using PaneTest::Limits;
using PaneTest::PaneHarness;

constexpr int kRowIds[] = {
    RulePaneId::kWhen,       RulePaneId::kInput,       RulePaneId::kVerb,
    RulePaneId::kDirection,  RulePaneId::kLevelLabel,  RulePaneId::kLevelSlider,
    RulePaneId::kLevelEdit,  RulePaneId::kLevelUpDown, RulePaneId::kHysteresisLabel,
    RulePaneId::kHysteresis, RulePaneId::kPercent,     RulePaneId::kLowRange,
    RulePaneId::kZero,       RulePaneId::kHighRange,   RulePaneId::kAdd,
    RulePaneId::kRemove};

OutputSettings Settings(bool on, bool fixedWidth, bool holdoff) {
    OutputSettings settings;
    settings.On = on;
    settings.LimitedDuration = fixedWidth;
    settings.RetriggerHoldoff = holdoff;
    settings.PulseDuration = 0.25;
    settings.PulseDelay = 1.5;
    settings.LimitedNumPulses = true;
    settings.PulseNumLimit = 12;
    settings.RetriggerHoldoffTime = 2;
    settings.All = false;
    return settings;
}

class SettingsPanes : public ::testing::Test {
protected:
    // Output 0 with `settings` and two rules, output 1 with the defaults.
    template <class Script>
    int Run(const OutputSettings& settings, Script script, TimingLimits limits = Limits()) {
        EventConfig config = DeviceConfig(2);
        config.Settings(0) = settings;
        config.InsertRule(0, 0);
        harness = std::make_unique<PaneHarness>(config, limits);
        user.OnNextDialog([&](ui::WindowUser& dialog) {
            script(dialog);
            if (dialog.IsOpen())
                dialog.PressCancel();
        });
        return harness->Execute();
    }

    static ui::WindowUser Pane(const ui::WindowUser& dialog) {
        return dialog.ChildDialog(TemplateId::kSettingsPane);
    }
    static ui::WindowUser OnOff(const ui::WindowUser& dialog) {
        return dialog.ChildDialog(TemplateId::kOnOffPane);
    }
    static ui::WindowUser Row(const ui::WindowUser& dialog, int row) {
        return dialog.ChildDialog(TemplateId::kRulePane, row);
    }
    // Every row's verb label.
    static std::vector<std::u16string> Verbs(const ui::WindowUser& dialog) {
        std::vector<std::u16string> verbs;
        for (int row = 0; row < 4; ++row)
            verbs.push_back(Row(dialog, row).Control(RulePaneId::kVerb).Text());
        return verbs;
    }

    ui::ScriptedUser user;
    std::unique_ptr<PaneHarness> harness;
};

const std::vector<std::u16string> kAllIs(4, u"is");
const std::vector<std::u16string> kAllGoes(4, u"goes");

TEST_F(SettingsPanes, LoadingShowsEverySettingInBothPanes) {
    Run(Settings(true, true, true), [&](ui::WindowUser& d) {
        EXPECT_TRUE(OnOff(d).Control(OnOffPaneId::kGenerate).IsChecked());
        EXPECT_EQ(OnOff(d).Control(OnOffPaneId::kCombination).Items(),
                  (std::vector<std::u16string>{u"all", u"any"}));
        EXPECT_EQ(OnOff(d).Control(OnOffPaneId::kCombination).SelectedText(), u"any");
        EXPECT_TRUE(Pane(d).Control(kFixedWidth).IsChecked());
        EXPECT_EQ(Pane(d).Control(kWidth).Text(), u"0.25");
        EXPECT_EQ(Pane(d).Control(kDelay).Text(), u"1.5");
        EXPECT_TRUE(Pane(d).Control(kLimitedCount).IsChecked());
        EXPECT_EQ(Pane(d).Control(kPulseCount).Text(), u"12");
        EXPECT_EQ(Pane(d).Control(kHoldoff).Text(), u"2");
        EXPECT_EQ(Verbs(d), kAllGoes);
        harness->StoreSettings();
        EXPECT_EQ(harness->config.Settings(0), Settings(true, true, true)) << "stored as loaded";

        harness->SwitchTo(1);
        EXPECT_EQ(OnOff(d).Control(OnOffPaneId::kCombination).SelectedText(), u"all");
        EXPECT_EQ(Pane(d).Control(kWidth).Text(), u"0.001");
    });
}

// Which controls a loaded output enables, by On and the two check boxes.
struct EnablingCase {
    bool on;
    bool fixedWidth;
    bool holdoff;
    bool limitedCount;
    bool width;   // width edit, hold-off label and hold-off edit
    bool count;   // number-of-pulses edit
    bool others;  // check boxes, delay, units
    bool rules;   // the rows' conditions
    const std::vector<std::u16string>& verbs;
};

TEST_F(SettingsPanes, TheEnablingRulesFollowOnAndTheCheckBoxes) {
    const EnablingCase cases[] = {
        {true, true, true, true, true, true, true, true, kAllGoes},
        {true, false, true, true, false, true, true, true, kAllIs},
        {true, false, false, false, false, false, true, true, kAllIs},
        {true, true, false, false, true, false, true, true, kAllGoes},
        {false, true, true, true, false, false, false, false, kAllGoes},
        {false, false, false, false, false, false, false, false, kAllIs},
    };
    for (const EnablingCase& c : cases) {
        SCOPED_TRACE(testing::Message() << c.on << c.fixedWidth << c.holdoff << c.limitedCount);
        OutputSettings settings = Settings(c.on, c.fixedWidth, c.holdoff);
        settings.LimitedNumPulses = c.limitedCount;
        Run(settings, [&](ui::WindowUser& d) {
            const ui::WindowUser pane = Pane(d);
            for (const int id : {kWidth, kHoldoffLabel, kHoldoff})
                EXPECT_EQ(pane.Control(id).IsEnabled(), c.width) << id;
            EXPECT_EQ(pane.Control(kPulseCount).IsEnabled(), c.count);
            for (const int id : {kFixedWidth, kLimitedCount, kDelayLabel, kDelay, kWidthUnit,
                                 kDelayUnit, kHoldoffUnit})
                EXPECT_EQ(pane.Control(id).IsEnabled(), c.others) << id;
            for (int row = 0; row < 4; ++row) {
                for (const int id : kRowIds) {
                    if (id == RulePaneId::kAdd || id == RulePaneId::kRemove)
                        continue;
                    EXPECT_EQ(Row(d, row).Control(id).IsEnabled(), c.rules) << row << " " << id;
                }
            }
            for (int row = 0; row < 2; ++row) {
                EXPECT_EQ(Row(d, row).Control(RulePaneId::kAdd).IsEnabled(), c.on);
                EXPECT_EQ(Row(d, row).Control(RulePaneId::kRemove).IsEnabled(), c.on);
            }
            EXPECT_TRUE(OnOff(d).Control(OnOffPaneId::kGenerate).IsEnabled());
            EXPECT_TRUE(OnOff(d).Control(OnOffPaneId::kCombination).IsEnabled());
            EXPECT_EQ(Verbs(d), c.verbs);
        });
    }
}

TEST_F(SettingsPanes, TickingTheCheckBoxesEnablesWhatTheyGovern) {
    OutputSettings settings = Settings(true, false, false);
    settings.LimitedNumPulses = false;
    Run(settings, [&](ui::WindowUser& d) {
        const ui::WindowUser pane = Pane(d);
        pane.Control(kFixedWidth).Click();
        EXPECT_TRUE(pane.Control(kWidth).IsEnabled());
        EXPECT_TRUE(pane.Control(kHoldoff).IsEnabled());
        EXPECT_TRUE(pane.Control(kHoldoffLabel).IsEnabled());
        EXPECT_EQ(Verbs(d), kAllGoes);
        pane.Control(kFixedWidth).Click();
        EXPECT_FALSE(pane.Control(kHoldoff).IsEnabled());
        EXPECT_EQ(Verbs(d), kAllIs);

        EXPECT_FALSE(pane.Control(kPulseCount).IsEnabled());
        pane.Control(kLimitedCount).Click();
        EXPECT_TRUE(pane.Control(kPulseCount).IsEnabled());
        pane.Control(kLimitedCount).Click();
        EXPECT_FALSE(pane.Control(kPulseCount).IsEnabled());
    });
}

TEST_F(SettingsPanes, SwitchingTheOutputOnAndOffMarksItsTabAndEnablesThePage) {
    Run(Settings(false, true, true), [&](ui::WindowUser& d) {
        ui::ControlUser generate = OnOff(d).Control(OnOffPaneId::kGenerate);
        generate.Click();
        EXPECT_EQ(harness->marks, (std::vector<std::pair<std::int32_t, bool>>{{0, true}}));
        EXPECT_TRUE(Pane(d).Control(kWidth).IsEnabled());
        EXPECT_TRUE(Row(d, 1).Control(RulePaneId::kLevelEdit).IsEnabled());
        EXPECT_TRUE(Row(d, 1).Control(RulePaneId::kRemove).IsEnabled());
        EXPECT_FALSE(harness->config.Settings(0).On) << "stored only with the page";

        generate.Click();
        EXPECT_EQ(harness->marks.back(), (std::pair<std::int32_t, bool>{0, false}));
        EXPECT_FALSE(Pane(d).Control(kDelay).IsEnabled());
        EXPECT_FALSE(Row(d, 0).Control(RulePaneId::kInput).IsEnabled());
        EXPECT_FALSE(Row(d, 0).Control(RulePaneId::kAdd).IsEnabled());
        EXPECT_FALSE(Row(d, 1).Control(RulePaneId::kRemove).IsEnabled());

        generate.Click();
        OnOff(d).Control(OnOffPaneId::kCombination).Select(u"all");
        harness->StoreSettings();
        EXPECT_TRUE(harness->config.Settings(0).On);
        EXPECT_TRUE(harness->config.Settings(0).All);
    });
}

TEST_F(SettingsPanes, StoringTiesTheWaitToTheFixedWidth) {
    for (const bool fixed : {false, true}) {
        Run(Settings(true, fixed, !fixed), [&](ui::WindowUser&) {
            harness->StoreSettings();
            EXPECT_EQ(harness->config.Settings(0).RetriggerHoldoff, fixed);
            EXPECT_EQ(harness->config.Settings(0).LimitedDuration, fixed);
        });
    }
}

TEST_F(SettingsPanes, TypedValuesAreStoredAsTheEditsReadThem) {
    Run(Settings(true, true, true), [&](ui::WindowUser& d) {
        const ui::WindowUser pane = Pane(d);
        pane.Control(kWidth).Type(u"0.00012345");  // the edit takes the 9 characters it shows
        pane.Control(kDelay).Type(u"-");
        pane.Control(kPulseCount).Type(u"\b");  // emptied
        pane.Control(kHoldoff).Type(u"e5");
        harness->SwitchTo(1);
        const OutputSettings& stored = harness->config.Settings(0);
        EXPECT_EQ(stored.PulseDuration, 0.0001234);
        EXPECT_EQ(stored.PulseDelay, 0) << "a text without a number stores 0";
        EXPECT_EQ(stored.PulseNumLimit, 0);
        EXPECT_EQ(stored.RetriggerHoldoffTime, 0);
        harness->SwitchTo(0);
        EXPECT_EQ(pane.Control(kDelay).Text(), u"0");
        EXPECT_EQ(pane.Control(kPulseCount).Text(), u"0");
        EXPECT_EQ(pane.Control(kWidth).Text(), u"0.0001234");
    });
}

// The page's edits at OK: only enabled edits are checked.
struct OkCase {
    bool on;
    bool fixedWidth;
    int edit;
    std::u16string typed;
    bool closes;
};

TEST_F(SettingsPanes, OkChecksTheEnabledEditsAgainstTheirLimits) {
    const OkCase cases[] = {
        {true, true, kWidth, u"75", false},         {true, true, kWidth, u"60", true},
        {true, false, kWidth, u"75", true},         {false, true, kWidth, u"75", true},
        {true, true, kDelay, u"7.5", false},        {true, true, kDelay, u"5", true},
        {true, true, kHoldoff, u"8.5", false},      {true, true, kHoldoff, u"-1", false},
        {true, true, kPulseCount, u"30001", false}, {true, true, kPulseCount, u"30000", true},
    };
    for (const OkCase& c : cases) {
        SCOPED_TRACE(testing::Message() << c.on << c.fixedWidth << " " << c.edit);
        const int result = Run(
            Settings(true, true, true),
            [&](ui::WindowUser& d) {
                Pane(d).Control(c.edit).Type(c.typed);
                if (!c.fixedWidth)
                    Pane(d).Control(kFixedWidth).Click();
                if (!c.on)
                    OnOff(d).Control(OnOffPaneId::kGenerate).Click();
                user.ForgetMessageBoxes();
                d.PressOk();
                EXPECT_EQ(d.IsOpen(), !c.closes);
                EXPECT_EQ(user.MessageBoxes().size(), c.closes ? 0u : 1u);
                if (!c.closes) {
                    EXPECT_TRUE(Pane(d).Control(c.edit).HasFocus());
                }
            },
            Limits(5, 8));
        EXPECT_EQ(result, c.closes ? IDOK : IDCANCEL);
    }
}

}  // namespace
