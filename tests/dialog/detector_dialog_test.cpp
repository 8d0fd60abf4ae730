// The setup dialog through a scripted user: which tab it opens on, rows and sizes following
// the rule count, the on-marker and the enabling of an output that is off, moving values
// between the panes and the copy, OK (with a bad value waiting on another tab), Cancel, help,
// the caption, the input ranges from the host, and what the user sees painted.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "dialog/detector_dialog.h"
#include "dialog/on_off_pane.h"
#include "dialog/rule_pane.h"
#include "dialog/settings_pane.h"
#include "platform/gdi/image.h"
#include "platform/module/resource.h"
#include "platform/theme/theme_service.h"
#include "platform/ui/common_controls.h"
#include "platform/ui/owl/application.h"
#include "platform/ui/user.h"
#include "resources/dialog_ids.h"
#include "resources/pane_ids.h"
#include "tests/dialog/setup_dialog_fixture.h"
#include "tests/platform/gdi/memory_canvas.h"

namespace {

using dialog_test::SetupDialogHost;
using VavazaZavidi::DetectorDialog;
using VavazaZavidi::EventConfig;
using VavazaZavidi::Rule;
namespace Setup = VavazaZavidi::SetupDialogId;
namespace Row = VavazaZavidi::RulePaneId;
namespace OnOff = VavazaZavidi::OnOffPaneId;
namespace Pulse = VavazaZavidi::SettingsPaneId;
namespace Template = VavazaZavidi::TemplateId;

constexpr const char* kTwoPlusEight = "inputs=8, analog=2, digital=4+4, range2=2.5mV";
constexpr char16_t kMarker[] = u" \u2022";

bool EndsWithMarker(const std::u16string& label) {
    const std::u16string_view marker(kMarker);
    return label.size() >= marker.size() && label.substr(label.size() - marker.size()) == marker;
}

// The configuration as its text: what a comparison of two configurations looks at.
std::string Text(const EventConfig& config) {
    std::string text;
    config.Serialize(text);
    return text;
}

int Height(const RECT& rect) {
    return rect.bottom - rect.top;
}

// Gives output `index` `count` rules, rule k on input k with level 10 k percent.
void GiveRules(EventConfig& config, int index, int count) {
    while (config.GetRuleCount(index) < count)
        config.InsertRule(index, config.GetRuleCount(index) - 1);
    for (int k = 0; k < count; ++k)
        config.SetRule(index, k, Rule{k, true, 5.0, 10.0 * k});
}

class SetupDialog : public ::testing::Test {
protected:
    using Script = std::function<void(ui::WindowUser& d, DetectorDialog& dialog)>;

    void SetUp() override { theme::SetMode(theme::Mode::Unthemed); }
    void TearDown() override { theme::SetMode(theme::Mode::Unthemed); }

    // Runs the dialog on the host's configuration as the setup command would, and takes its
    // copy over after OK. The script starts on tab `startTab`, chosen as the user would.
    int Run(SetupDialogHost& host, int startTab, const Script& script) {
        return RunFor(&host.Document(), host, startTab, script);
    }
    // The same with `document` (may be null) as the document the dialog asks.
    int RunFor(VavazaZavidi::SetupDocument* document, SetupDialogHost& host, int startTab,
               const Script& script) {
        DetectorDialog dialog(nullptr, host.Limits(), host.Config(), document);
        user.OnNextDialog([&](ui::WindowUser& d) {
            ui::ControlUser tabs = d.Control(Setup::kTabs);
            if (startTab >= 0 && tabs.Selection() != startTab)
                tabs.SelectTab(startTab);
            script(d, dialog);
        });
        const int result = dialog.Execute();
        EXPECT_EQ(user.PendingScripts(), 0u) << "the dialog never came up";
        EXPECT_EQ(user.DialogsLeftOpen(), 0) << "the script left the dialog open";
        if (result == IDOK)
            host.Config() = dialog.GetConfig();
        return result;
    }

    static ui::WindowUser RulePane(ui::WindowUser& d, int row) {
        return d.ChildDialog(static_cast<int>(Template::kRulePane), row);
    }
    static ui::WindowUser SettingsPane(ui::WindowUser& d) {
        return d.ChildDialog(static_cast<int>(Template::kSettingsPane));
    }
    static ui::WindowUser OnOffPane(ui::WindowUser& d) {
        return d.ChildDialog(static_cast<int>(Template::kOnOffPane));
    }
    static std::vector<bool> RowsVisible(ui::WindowUser& d) {
        std::vector<bool> visible;
        for (int row = 0; row < DetectorDialog::kMaxRows; ++row)
            visible.push_back(RulePane(d, row).Find(Row::kInput).IsVisible());
        return visible;
    }
    static int RowHeight(ui::WindowUser& d) {
        return Height(d.Control(Setup::kRuleRowPlace).ScreenRect());
    }

    ui::ScriptedUser user;
};

TEST_F(SetupDialog, OpensOnTheLastSelectedOutputWhileTheDeviceStillHasIt) {
    SetupDialogHost host(kTwoPlusEight);
    host.Config().Settings(5).All = false;
    Run(host, 0, [&](ui::WindowUser& d, DetectorDialog&) {
        d.Control(Setup::kTabs).SelectTab(5);
        d.PressCancel();
    });
    EXPECT_EQ(DetectorDialog::LastSelectedOutput(), 5u);

    Run(host, -1, [&](ui::WindowUser& d, DetectorDialog& dialog) {
        EXPECT_EQ(d.Control(Setup::kTabs).Selection(), 5);
        EXPECT_EQ(dialog.GetCurrentOutput(), 5);
        EXPECT_EQ(OnOffPane(d).Control(OnOff::kCombination).SelectedText(), u"any")
            << "the page shows the selected output";
        d.PressCancel();
    });

    SetupDialogHost smaller("analog=1, digital=4");  // five outputs: index 5 is gone
    Run(smaller, -1, [&](ui::WindowUser& d, DetectorDialog& dialog) {
        EXPECT_EQ(d.Control(Setup::kTabs).Selection(), 0);
        EXPECT_EQ(dialog.GetCurrentOutput(), 0);
        d.PressCancel();
    });
    EXPECT_EQ(DetectorDialog::LastSelectedOutput(), 0u);
}

TEST_F(SetupDialog, RowsAndDialogHeightFollowTheRuleCount) {
    SetupDialogHost host(kTwoPlusEight);
    EventConfig& config = host.Config();
    for (int index : {0, 1, 2})
        config.Settings(index).On = true;
    GiveRules(config, 0, 4);
    GiveRules(config, 1, 3);
    GiveRules(config, 2, 1);

    Run(host, 2, [&](ui::WindowUser& d, DetectorDialog& dialog) {
        const int row = RowHeight(d);
        ASSERT_GT(row, 0);
        const SIZE oneRule = d.ClientSize();
        const auto place = [&](int id) { return d.Find(id).RectIn(d.Handle()); };
        const RECT settings = SettingsPane(d).ScreenRect();
        const RECT ok = place(Setup::kOk), cancel = place(Setup::kCancel),
                   help = place(Setup::kHelp), tabs = place(Setup::kTabs);
        EXPECT_EQ(RowsVisible(d), (std::vector<bool>{true, false, false, false}));

        d.Control(Setup::kTabs).SelectTab(0);  // four rules
        EXPECT_EQ(RowsVisible(d), (std::vector<bool>{true, true, true, true}));
        EXPECT_EQ(dialog.VisibleRows(), 4);
        EXPECT_EQ(d.ClientSize().cy, oneRule.cy + 3 * row);
        EXPECT_EQ(Height(place(Setup::kTabs)), Height(tabs) + 3 * row);
        for (int r = 0; r < 4; ++r) {
            EXPECT_FALSE(RulePane(d, r).Control(Row::kAdd).IsEnabled()) << "row " << r;
            EXPECT_TRUE(RulePane(d, r).Control(Row::kRemove).IsEnabled()) << "row " << r;
            EXPECT_EQ(RulePane(d, r).Control(Row::kInput).Selection(), r) << "row " << r;
        }

        d.Control(Setup::kTabs).SelectTab(1);  // three rules
        d.Control(Setup::kTabs).SelectTab(2);  // back to one: two rows fewer
        EXPECT_EQ(RowsVisible(d), (std::vector<bool>{true, false, false, false}));
        EXPECT_EQ(d.ClientSize().cy, oneRule.cy);
        EXPECT_EQ(SettingsPane(d).ScreenRect().top, settings.top);
        EXPECT_EQ(place(Setup::kOk).top, ok.top);
        EXPECT_EQ(place(Setup::kCancel).top, cancel.top);
        EXPECT_EQ(place(Setup::kHelp).top, help.top);
        EXPECT_FALSE(RulePane(d, 0).Control(Row::kRemove).IsEnabled()) << "the only rule";
        EXPECT_TRUE(RulePane(d, 0).Control(Row::kAdd).IsEnabled());
        d.PressCancel();
    });
}

// Where a person clicks, the system finds the control: the middle of every visible control a
// person can use (and of every tab) lands on that control and on nothing lying over it, with
// all four rows shown. Texts and frames let clicks through, so they are not asked.
TEST_F(SetupDialog, AClickOnTheMiddleOfEveryControlLandsOnIt) {
    SetupDialogHost host(kTwoPlusEight);
    host.Config().Settings(0).On = true;
    host.Config().Settings(0).LimitedNumPulses = true;
    GiveRules(host.Config(), 0, 4);
    Run(host, 0, [&](ui::WindowUser& d, DetectorDialog&) {
        int asked = 0;
        std::function<void(HWND)> visit = [&](HWND parent) {
            for (HWND child = GetWindow(parent, GW_CHILD); child != nullptr;
                 child = GetWindow(child, GW_HWNDNEXT)) {
                const ui::ControlUser control(child);
                if (!control.IsVisible())
                    continue;
                const std::u16string kind = control.ClassName();
                const auto style = static_cast<DWORD>(GetWindowLongPtrW(child, GWL_STYLE));
                const bool frame = kind == u"Button" && (style & 0x0F) == BS_GROUPBOX;
                if (kind == WC_TABCONTROLW) {
                    for (std::size_t tab = 0; tab < control.TabLabels().size(); ++tab) {
                        RECT r{};
                        SendMessageW(child, TCM_GETITEMRECT, tab, reinterpret_cast<LPARAM>(&r));
                        MapWindowPoints(child, nullptr, reinterpret_cast<POINT*>(&r), 2);
                        EXPECT_EQ(
                            WindowFromPoint(POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2}),
                            child)
                            << "tab " << tab;
                        ++asked;
                    }
                } else if (kind != u"Static" && kind != u"#32770" && !frame && control.IsUsable()) {
                    const RECT r = control.ScreenRect();
                    EXPECT_EQ(
                        WindowFromPoint(POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2}),
                        child)
                        << ui::DescribeControl(child);
                    ++asked;
                }
                visit(child);
            }
        };
        visit(d.Handle());
        EXPECT_GT(asked, 40) << "four rows, the settings, the tabs and the buttons";
        d.PressCancel();
    });
}

TEST_F(SetupDialog, SwitchingFromThreeRulesToOneMovesEverythingBelowUpByTwoRows) {
    SetupDialogHost host(kTwoPlusEight);
    GiveRules(host.Config(), 0, 3);
    Run(host, 0, [&](ui::WindowUser& d, DetectorDialog&) {
        const int row = RowHeight(d);
        const auto top = [&](int id) { return d.Find(id).RectIn(d.Handle()).top; };
        const int settings = SettingsPane(d).ScreenRect().top;
        const int ok = top(Setup::kOk), cancel = top(Setup::kCancel), help = top(Setup::kHelp);
        const int height = Height(d.ScreenRect());
        EXPECT_EQ(RowsVisible(d), (std::vector<bool>{true, true, true, false}));

        d.Control(Setup::kTabs).SelectTab(1);
        EXPECT_EQ(RowsVisible(d), (std::vector<bool>{true, false, false, false}));
        EXPECT_EQ(Height(d.ScreenRect()), height - 2 * row);
        EXPECT_EQ(SettingsPane(d).ScreenRect().top, settings - 2 * row);
        EXPECT_EQ(top(Setup::kOk), ok - 2 * row);
        EXPECT_EQ(top(Setup::kCancel), cancel - 2 * row);
        EXPECT_EQ(top(Setup::kHelp), help - 2 * row);
        d.PressCancel();
    });
}

TEST_F(SetupDialog, AnOutputThatIsOffHasNoMarkerAndNothingToEdit) {
    SetupDialogHost host(kTwoPlusEight);
    host.Config().Settings(0).On = true;
    GiveRules(host.Config(), 1, 2);
    Run(host, 1, [&](ui::WindowUser& d, DetectorDialog&) {
        const std::vector<std::u16string> labels = d.Control(Setup::kTabs).TabLabels();
        ASSERT_EQ(labels.size(), 10u);
        EXPECT_EQ(labels[0], u"Analog Output 1" + std::u16string(kMarker));
        EXPECT_EQ(labels[1], u"2");
        EXPECT_EQ(labels[2], u"Digital Output 1");
        for (std::size_t i = 1; i < labels.size(); ++i)
            EXPECT_FALSE(EndsWithMarker(labels[i])) << i;

        const int rowControls[] = {Row::kWhen,       Row::kInput,       Row::kVerb,
                                   Row::kDirection,  Row::kLevelLabel,  Row::kLevelSlider,
                                   Row::kLevelEdit,  Row::kLevelUpDown, Row::kHysteresisLabel,
                                   Row::kHysteresis, Row::kPercent,     Row::kRemove,
                                   Row::kAdd,        Row::kLowRange,    Row::kZero,
                                   Row::kHighRange};
        const int settingsControls[] = {
            Pulse::kFixedWidth,   Pulse::kWidth,     Pulse::kWidthUnit,    Pulse::kDelayLabel,
            Pulse::kDelay,        Pulse::kDelayUnit, Pulse::kLimitedCount, Pulse::kPulseCount,
            Pulse::kHoldoffLabel, Pulse::kHoldoff,   Pulse::kHoldoffUnit};
        for (int r = 0; r < 2; ++r) {
            for (int id : rowControls)
                EXPECT_FALSE(RulePane(d, r).Control(id).IsEnabled()) << "row " << r << " " << id;
        }
        for (int id : settingsControls)
            EXPECT_FALSE(SettingsPane(d).Control(id).IsEnabled()) << id;
        EXPECT_TRUE(OnOffPane(d).Control(OnOff::kGenerate).IsEnabled());
        EXPECT_TRUE(OnOffPane(d).Control(OnOff::kCombination).IsEnabled());

        OnOffPane(d).Control(OnOff::kGenerate).Click();  // on: marked at once, rows usable
        EXPECT_EQ(d.Control(Setup::kTabs).TabLabels()[1], u"2" + std::u16string(kMarker));
        for (int r = 0; r < 2; ++r) {
            EXPECT_TRUE(RulePane(d, r).Control(Row::kInput).IsEnabled());
            EXPECT_TRUE(RulePane(d, r).Control(Row::kAdd).IsEnabled());
            EXPECT_TRUE(RulePane(d, r).Control(Row::kRemove).IsEnabled());
        }
        OnOffPane(d).Control(OnOff::kGenerate).Click();  // off again
        EXPECT_EQ(d.Control(Setup::kTabs).TabLabels()[1], u"2");
        EXPECT_FALSE(RulePane(d, 0).Control(Row::kAdd).IsEnabled());
        d.PressCancel();
    });
}

TEST_F(SetupDialog, CaptionNamesTheDeviceWhenItHasAName) {
    SetupDialogHost named("name=Corvex 16 Lab");
    Run(named, 0, [&](ui::WindowUser& d, DetectorDialog&) {
        EXPECT_EQ(d.Caption(), u"Tarvel - Corvex 16 Lab");
        d.PressCancel();
    });
    SetupDialogHost unnamed("name=");
    Run(unnamed, 0, [&](ui::WindowUser& d, DetectorDialog&) {
        EXPECT_EQ(d.Caption(), u"Tarvel");
        d.PressCancel();
    });
}

TEST_F(SetupDialog, TabSwitchesStoreWhatTheEditsHoldAndOkHandsTheCopyOver) {
    SetupDialogHost host(kTwoPlusEight);
    host.Config().Settings(0).On = true;
    host.Config().Settings(0).PulseDelay = 2;
    const std::string before = Text(host.Config());
    const int result = Run(host, 0, [&](ui::WindowUser& d, DetectorDialog& dialog) {
        SettingsPane(d).Control(Pulse::kDelay).Type(u"e");
        OnOffPane(d).Control(OnOff::kCombination).Select(u"any");
        d.Control(Setup::kTabs).SelectTab(1);
        EXPECT_EQ(dialog.GetConfig().Settings(0).PulseDelay, 0.0) << "not a number: 0";
        EXPECT_FALSE(dialog.GetConfig().Settings(0).All);
        EXPECT_EQ(Text(host.Config()), before) << "the caller's configuration waits for OK";
        d.Control(Setup::kTabs).SelectTab(0);
        EXPECT_EQ(SettingsPane(d).Control(Pulse::kDelay).Text(), u"0");
        EXPECT_EQ(OnOffPane(d).Control(OnOff::kCombination).SelectedText(), u"any");
        SettingsPane(d).Control(Pulse::kDelay).Type(u"1.5");
        d.PressOk();
    });
    EXPECT_EQ(result, IDOK);
    EXPECT_EQ(host.Config().Settings(0).PulseDelay, 1.5) << "stored at OK without a tab switch";
    EXPECT_FALSE(host.Config().Settings(0).All);

    const std::string afterOk = Text(host.Config());
    EXPECT_EQ(Run(host, 0,
                  [&](ui::WindowUser& d, DetectorDialog&) {
                      SettingsPane(d).Control(Pulse::kDelay).Type(u"3");
                      d.Control(Setup::kTabs).SelectTab(1);
                      d.PressCancel();
                  }),
              IDCANCEL);
    EXPECT_EQ(Text(host.Config()), afterOk);
}

TEST_F(SetupDialog, OkShowsABadValueWaitingOnAnotherTabWhereTheUserLeftIt) {
    SetupDialogHost host(kTwoPlusEight);
    for (int index : {0, 1, 3}) {
        host.Config().Settings(index).On = true;
        host.Config().Settings(index).LimitedDuration = true;
    }
    const int result = Run(host, 0, [&](ui::WindowUser& d, DetectorDialog& dialog) {
        ui::ControlUser tabs = d.Control(Setup::kTabs);
        tabs.SelectTab(3);
        SettingsPane(d).Control(Pulse::kWidth).Type(u"75");
        tabs.SelectTab(1);
        d.PressOk();
        EXPECT_TRUE(d.IsOpen());
        ASSERT_EQ(user.MessageBoxes().size(), 1u);
        EXPECT_EQ(user.LastMessageBox().flags & MB_ICONMASK, MB_ICONEXCLAMATION);
        EXPECT_NE(user.LastMessageBox().text.find(u"60"), std::u16string::npos)
            << "the width's limits";
        EXPECT_EQ(tabs.Selection(), 3) << "the output with the bad value is shown";
        EXPECT_EQ(dialog.GetCurrentOutput(), 3);
        EXPECT_TRUE(SettingsPane(d).Control(Pulse::kWidth).HasFocus());
        EXPECT_EQ(SettingsPane(d).Control(Pulse::kWidth).Text(), u"75");

        SettingsPane(d).Control(Pulse::kWidth).Type(u"7.5");
        d.PressOk();
    });
    EXPECT_EQ(result, IDOK);
    EXPECT_EQ(host.Config().Settings(3).PulseDuration, 7.5);
}

TEST_F(SetupDialog, ABadValueOfAnOutputThatIsOffOrWithoutFixedWidthDoesNotBlockOk) {
    SetupDialogHost host(kTwoPlusEight);
    for (int index : {0, 1}) {
        host.Config().Settings(index).On = true;
        host.Config().Settings(index).LimitedDuration = true;
    }
    EXPECT_EQ(Run(host, 0,
                  [&](ui::WindowUser& d, DetectorDialog&) {
                      SettingsPane(d).Control(Pulse::kWidth).Type(u"75");
                      SettingsPane(d).Control(Pulse::kFixedWidth).Click();  // width disabled
                      d.Control(Setup::kTabs).SelectTab(1);
                      SettingsPane(d).Control(Pulse::kWidth).Type(u"80");
                      OnOffPane(d).Control(OnOff::kGenerate).Click();  // output off
                      d.Control(Setup::kTabs).SelectTab(2);
                      d.PressOk();
                  }),
              IDOK);
    EXPECT_TRUE(user.MessageBoxes().empty());
    EXPECT_EQ(host.Config().Settings(0).PulseDuration, 75.0);
    EXPECT_FALSE(host.Config().Settings(0).LimitedDuration);
    EXPECT_EQ(host.Config().Settings(1).PulseDuration, 80.0);
    EXPECT_FALSE(host.Config().Settings(1).On);
}

TEST_F(SetupDialog, HelpAsksTheHostForTheSetupTopic) {
    SetupDialogHost host(kTwoPlusEight);
    const long before = host.HelpRequests();
    Run(host, 0, [&](ui::WindowUser& d, DetectorDialog&) {
        d.Control(Setup::kHelp).Click();
        EXPECT_TRUE(d.IsOpen());
        d.PressCancel();
    });
    std::u16string context;
    std::u16string file;
    EXPECT_EQ(host.HelpRequests(&context, &file), before + 1);
    EXPECT_EQ(context, u"tvl_setup");
    EXPECT_EQ(file, u"TarvelHelp");
}

TEST_F(SetupDialog, InputRangesComeFromTheHostsChannelDescriptions) {
    SetupDialogHost host(kTwoPlusEight);
    host.Config().Settings(0).On = true;
    Run(host, 0, [&](ui::WindowUser& d, DetectorDialog& dialog) {
        Tev::String range;
        Tev::String unit;
        dialog.GetInputRange(0, range, unit);
        EXPECT_EQ(range, u"10");
        EXPECT_EQ(unit, u"V");
        dialog.GetInputRange(1, range, unit);
        EXPECT_EQ(range, u"2.5");
        EXPECT_EQ(unit, u"mV");
        dialog.GetInputRange(8, range, unit);  // no such input: the host says nothing
        EXPECT_EQ(range, u"");
        EXPECT_EQ(unit, u"");

        RulePane(d, 0).Control(Row::kInput).Select(u"Input 2");
        EXPECT_EQ(RulePane(d, 0).Control(Row::kLevelLabel).Text(), u"Level (mV)");
        EXPECT_EQ(RulePane(d, 0).Control(Row::kHighRange).Text(), u"2.5");
        d.PressCancel();
    });
}

// A document of the test's own: the dialog asks for the device's name, the inputs' descriptions
// and help through SetupDocument alone, and reads range and unit from each description.
class FakeDocument : public VavazaZavidi::SetupDocument {
public:
    bool GetDeviceName(Tev::String& name) override {
        name = Tev::String(u"Bench Rig");
        return true;
    }
    bool GetInputDescription(std::int32_t input, Tev::String& description) override {
        if (input < 0 || input >= static_cast<std::int32_t>(std::size(kDescriptions)))
            return false;
        description = Tev::String(kDescriptions[input]);
        return true;
    }
    void ShowHelp(const Tev::String& context, const Tev::String& file) override {
        help.push_back(std::u16string(context.View()) + u" in " + std::u16string(file.View()));
    }

    static constexpr const char16_t* kDescriptions[] = {
        u"<Channel><Name>A</Name><PhysicalGainIndex>5 uV</PhysicalGainIndex></Channel>",
        u"<Channel><PhysicalGainIndex>7</PhysicalGainIndex></Channel>",    // no unit: both 7
        u"<Channel><physicalgainindex>5 V</physicalgainindex></Channel>",  // not the name
        u"<Channel><PhysicalGainIndex>5 V</Channel>",                      // not XML
    };
    std::vector<std::u16string> help;
};

TEST_F(SetupDialog, AsksItsDocumentForTheNameTheInputsAndHelpAndDoesWithoutOne) {
    SetupDialogHost host(kTwoPlusEight);
    FakeDocument fake;
    const auto range = [](DetectorDialog& dialog, int input) {
        Tev::String text;
        Tev::String unit;
        dialog.GetInputRange(input, text, unit);
        return std::u16string(text.View()) + u"|" + std::u16string(unit.View());
    };
    RunFor(&fake, host, 0, [&](ui::WindowUser& d, DetectorDialog& dialog) {
        EXPECT_EQ(d.Caption(), u"Tarvel - Bench Rig");
        EXPECT_EQ(range(dialog, 0), u"5|uV");
        EXPECT_EQ(range(dialog, 1), u"7|7");
        EXPECT_EQ(range(dialog, 2), u"|");
        EXPECT_EQ(range(dialog, 3), u"|");
        EXPECT_EQ(range(dialog, 4), u"|");  // the document has no description
        d.Control(Setup::kHelp).Click();
        d.PressCancel();
    });
    EXPECT_EQ(fake.help, std::vector<std::u16string>{u"tvl_setup in TarvelHelp"});

    const long helpBefore = host.HelpRequests();
    RunFor(nullptr, host, 0, [&](ui::WindowUser& d, DetectorDialog& dialog) {
        EXPECT_EQ(d.Caption(), u"Tarvel");
        EXPECT_EQ(range(dialog, 0), u"|");
        d.Control(Setup::kHelp).Click();
        EXPECT_TRUE(d.IsOpen());
        d.PressCancel();
    });
    EXPECT_EQ(host.HelpRequests(), helpBefore) << "no document, no help";
}

TEST_F(SetupDialog, PaintsTheHelpGlyphAndThePanesOnTheTabPage) {
    SetupDialogHost host(kTwoPlusEight);
    const COLORREF disc = RGB(0x1E, 0x64, 0xC8);
    const COLORREF face = GetSysColor(COLOR_BTNFACE);
    Run(host, 0, [&](ui::WindowUser& d, DetectorDialog& dialog) {
        EXPECT_FALSE(dialog.IsThemed());
        const gdi::Image help = d.Control(Setup::kHelp).Snapshot();
        EXPECT_GT(help.Count(disc), 60) << "the blue disc of the help glyph";
        EXPECT_GT(help.Count(RGB(255, 255, 255)), 10) << "its question mark";
        const gdi::Image label = OnOffPane(d).Control(OnOff::kConditions).Snapshot();
        EXPECT_GT(label.Count(face), label.width * label.height / 2)
            << "without visual styles the library's face colour";
        d.PressCancel();
    });

    theme::SetMode(theme::Mode::Themed);
    COLORREF body = 0;
    ASSERT_TRUE(theme::ActiveBodyColour(u"TAB", &body));
    ASSERT_NE(body, face);
    Run(host, 0, [&](ui::WindowUser& d, DetectorDialog& dialog) {
        EXPECT_TRUE(dialog.IsThemed());
        EXPECT_NE(dialog.GetTabBackgroundBrush(), nullptr);
        for (int id : {OnOff::kConditions, OnOff::kGenerate}) {
            const gdi::Image label = OnOffPane(d).Control(id).Snapshot();
            EXPECT_GT(label.Count(body), label.width * label.height / 2)
                << id << ": on the tab page's own background";
            EXPECT_EQ(label.Count(face), 0) << id;
        }
        const gdi::Image pane = SettingsPane(d).Snapshot();
        EXPECT_GT(pane.Count(body), pane.width * pane.height / 2);

        theme::SetMode(theme::Mode::Unthemed);  // the user turns visual styles off
        SendMessageW(d.Handle(), WM_SYSCOLORCHANGE, 0, 0);
        EXPECT_FALSE(dialog.IsThemed());
        d.PressCancel();
    });
}

// The panes paint with a picture of the tab control. The dialog keeps one picture per size it
// grows and shrinks to; whatever it kept, the picture in use shows the page below the tabs as
// the tab control draws it now: after growing and shrinking, new colours, and styles turned off.
TEST_F(SetupDialog, PanesPaintWithThePictureOfTheTabPageAsItIsDrawnNow) {
    theme::SetMode(theme::Mode::Themed);
    SetupDialogHost host(kTwoPlusEight);
    GiveRules(host.Config(), 0, 4);
    // The colours of the page's raised edge.
    const int indices[] = {COLOR_3DLIGHT, COLOR_BTNHIGHLIGHT, COLOR_BTNSHADOW, COLOR_3DDKSHADOW};
    COLORREF before[4];
    for (int i = 0; i < 4; ++i)
        before[i] = GetSysColor(indices[i]);
    const COLORREF changed[] = {RGB(250, 240, 10), RGB(10, 250, 120), RGB(10, 120, 250),
                                RGB(200, 0, 90)};
    Run(host, 0, [&](ui::WindowUser& d, DetectorDialog& dialog) {
        ui::ControlUser tabs = d.Control(Setup::kTabs);
        const auto expectPage = [&](const char* when) {
            const RECT place = tabs.ScreenRect();
            const RECT all{0, 0, place.right - place.left, place.bottom - place.top};
            gdi_test::Canvas drawn(all.right, all.bottom);
            SendMessageW(tabs.Handle(), WM_PRINT, reinterpret_cast<WPARAM>(drawn.Dc()),
                         PRF_NONCLIENT | PRF_CLIENT | PRF_ERASEBKGND);
            gdi_test::Canvas painted(all.right, all.bottom);
            FillRect(painted.Dc(), &all, dialog.GetTabBackgroundBrush());
            RECT selected{};
            SendMessageW(tabs.Handle(), TCM_GETITEMRECT, static_cast<WPARAM>(tabs.Selection()),
                         reinterpret_cast<LPARAM>(&selected));
            const RECT page{0, selected.bottom + 2, all.right, all.bottom};  // the tabs end there
            const gdi::Image brushed = painted.Image().Crop(page);
            const gdi::Image shown = drawn.Image().Crop(page);
            std::size_t differing = 0;
            for (std::size_t i = 0; i < shown.pixels.size(); ++i)
                differing += brushed.pixels[i] != shown.pixels[i];
            EXPECT_EQ(differing, 0u) << when << ": pixels where the brush paints another page";
        };
        expectPage("four rows");
        tabs.SelectTab(1);
        expectPage("one row");
        tabs.SelectTab(0);
        expectPage("four rows again");
        SetSysColors(4, indices, changed);  // the dialog hears of it as a top-level window
        expectPage("new colours");
        tabs.SelectTab(1);
        expectPage("new colours, one row");
        SetSysColors(4, indices, before);
        theme::SetMode(theme::Mode::Unthemed);  // styles off, without a colour change
        tabs.SelectTab(0);
        expectPage("styles off, four rows");
        tabs.SelectTab(1);
        expectPage("styles off, one row");
        d.PressCancel();
    });
}

}  // namespace

namespace {

const DialogItemTemplate kNoItems[] = {{u"Static", u"", 100, 0, 0, 10, 10, WS_CHILD}};
const DialogTemplate kEnglish{WS_POPUP,        0, 0,        0, 50, 50, u"English",
                              u"MS Shell Dlg", 8, kNoItems, 1};
const DialogTemplate kGerman{WS_POPUP,        0, 0,        0, 50, 50, u"Deutsch",
                             u"MS Shell Dlg", 8, kNoItems, 1};

TEST(DialogBase, LoadsTheTemplateInTheApplicationsLanguageOrElseTheDefault) {
    const ResourceEntry entries[] = {
        {ResourceName(ResourceType::kDialog), ResourceName(451), kLanguageEnglishUs, &kEnglish,
         sizeof kEnglish},
        {ResourceName(ResourceType::kDialog), ResourceName(451), 0x0407, &kGerman, sizeof kGerman},
    };
    ModuleResources registration(nullptr, entries);
    owl::TModule executable(u"", static_cast<HINSTANCE>(nullptr));
    const auto caption = [&](LANGID language) {
        return std::u16string(Tev::DialogBase::FindTemplate(executable, 451, language).caption);
    };
    EXPECT_EQ(caption(0x0407), u"Deutsch");
    EXPECT_EQ(caption(0x040C), u"English") << "no French template: the default one";
    EXPECT_EQ(caption(0), u"English");
    EXPECT_THROW(Tev::DialogBase::FindTemplate(executable, 452, 0), owl::TXWindow);

    owl::TApplication application(u"Ostrel", 0x0407);
    owl::TWindow parent(static_cast<owl::TWindow*>(nullptr));
    EXPECT_EQ(Tev::DialogBase::ChosenLanguage(&parent), 0x0407);
    Tev::DialogBase dialog(&parent, 451, &executable);
    EXPECT_EQ(dialog.GetTemplateId(), 451);
    EXPECT_THROW(Tev::DialogBase(&parent, 452, &executable), owl::TXWindow)
        << "named when the dialog is made, not when it runs";
}

}  // namespace
