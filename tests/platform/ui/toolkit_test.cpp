// The toolkit through a modal dialog that a scripted user drives: aliases attached from the
// template, response handlers for the notifications the setup dialog relies on, OK refused by
// a validator (message box, focus), hidden and disabled edits left alone, child dialogs,
// colour requests, and dialogs and modules found through the resource registry.
#include <gtest/gtest.h>

#include "platform/module/application_language.h"
#include "platform/module/module.h"
#include "platform/module/resource.h"
#include "platform/ui/headless.h"
#include "platform/ui/owl/owl.h"
#include "platform/ui/scripted_user.h"

namespace {

using namespace owl;

constexpr DWORD kChild = WS_CHILD | WS_VISIBLE;

const DialogItemTemplate kPaneItems[] = {
    {u"Edit", u"", 212, 10, 10, 22, 14, kChild | WS_BORDER | WS_TABSTOP, 0},
};
const DialogTemplate kPane{WS_CHILD | WS_VISIBLE | DS_CONTROL,
                           0,
                           0,
                           0,
                           100,
                           30,
                           u"",
                           u"MS Shell Dlg",
                           8,
                           kPaneItems,
                           std::size(kPaneItems)};

const DialogItemTemplate kItems[] = {
    {WC_TABCONTROLW, u"", 201, 7, 7, 300, 150, kChild | WS_TABSTOP, 0},
    {u"Button", u"Generate output when", 216, 15, 30, 84, 12, kChild | BS_AUTOCHECKBOX | WS_TABSTOP,
     0},
    {u"ComboBox", u"", 206, 103, 30, 30, 60, kChild | CBS_DROPDOWNLIST | WS_TABSTOP, 0},
    {u"Edit", u"", 222, 122, 62, 40, 14, kChild | WS_BORDER | WS_TABSTOP, 0},
    {u"Edit", u"", 207, 20, 90, 43, 14, kChild | WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL, 0},
    {UPDOWN_CLASSW, u"", 208, 53, 90, 10, 13,
     kChild | UDS_ARROWKEYS | UDS_ALIGNRIGHT | UDS_AUTOBUDDY, 0},
    {TRACKBAR_CLASSW, u"", 205, 70, 90, 110, 20, kChild | TBS_AUTOTICKS | WS_TABSTOP, 0},
    {u"Static", u"of the following conditions are met:", 257, 138, 30, 114, 12, kChild, 0},
    {u"Button", u"OK", IDOK, 200, 225, 50, 14, kChild | BS_DEFPUSHBUTTON | WS_TABSTOP, 0},
    {u"Button", u"Cancel", IDCANCEL, 255, 225, 50, 14, kChild | WS_TABSTOP, 0},
};
const DialogTemplate kTemplate{DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU,
                               0,
                               0,
                               0,
                               320,
                               246,
                               u"Tarvel",
                               u"MS Shell Dlg",
                               8,
                               kItems,
                               std::size(kItems)};

// A dialog in the manner of the setup dialog, with a pane from template 209.
class SetupLikeDialog : public TDialog {
public:
    explicit SetupLikeDialog(TWindow* parent = nullptr)
        : TDialog(parent, kTemplate, 201),
          tabs(this, 201),
          on(this, 216),
          all(this, 206),
          pulses(this, 222, 256),
          level(this, 207, 256),
          arrows(this, 208),
          slider(this, 205),
          pane(this, kPane, 209) {
        pulses.SetValidator(new TRangeValidator(0, 95));
        OnCommand(216, [this] { ++clicks; });
        OnNotify(201, TCN_SELCHANGE, [this](NMHDR&) {
            selectedTabs.push_back(tabs.GetSel());
            return LRESULT{0};
        });
        OnNotify(208, UDN_DELTAPOS, [this](NMHDR& header) {
            // The handler answers the step itself, as the level group does.
            auto& change = reinterpret_cast<NMUPDOWN&>(header);
            const int next = std::min(change.iPos + change.iDelta, 100);
            arrows.SetPos(next);
            slider.SetPosition(next);
            return LRESULT{1};
        });
        OnChildNotify(207, EN_KILLFOCUS, [this] { levelLeftWith = level.GetText(); });
    }

    TTabControl tabs;
    TCheckBox on;
    TComboBox all;
    TEdit pulses;
    TEdit level;
    TUpDown arrows;
    THSlider slider;
    TDialog pane;
    TEdit hysteresis{&pane, 212, 256};

    int clicks = 0;
    std::vector<int> selectedTabs;
    std::vector<int> scrolledTo;
    tstring levelLeftWith;

protected:
    void SetupWindow() override {
        TDialog::SetupWindow();
        tabs.Add(u"Analog Output 1");
        tabs.Add(u"Analog Output 2");
        all.AddString(u"all");
        all.AddString(u"any");
        all.SetSelIndex(0);
        arrows.SetRange(-100, 100);
        slider.SetRange(-100, 100);
        slider.SetRuler(10);
        slider.SetPageSize(10);
        pane.Create();
        pane.MoveWindow(16, 200, 150, 40);
        hysteresis.SetValidator(new TRangeValidator(0, 95));
    }
    void EvHScroll(UINT code, UINT position, HWND control) override {
        TDialog::EvHScroll(code, position, control);
        scrolledTo.push_back(slider.GetPosition());
    }
};

class Toolkit : public ::testing::Test {
protected:
    ui::ScriptedUser user;
};

TEST_F(Toolkit, AliasesAttachAndTheHandlersHearTheNotifications) {
    SetupLikeDialog dialog;
    user.OnNextDialog([&](ui::WindowUser& d) {
        EXPECT_EQ(d.Caption(), u"Tarvel");
        EXPECT_EQ(dialog.on.GetHandle(), d.Control(216).Handle());
        d.Control(216).Click();
        EXPECT_EQ(dialog.clicks, 1);
        EXPECT_TRUE(dialog.on.IsChecked());
        d.Control(201).SelectTab(1);
        EXPECT_EQ(dialog.selectedTabs, (std::vector<int>{1}));
        d.Control(208).ClickUpArrow();
        EXPECT_EQ(d.Control(208).Position(), 1) << "answered by the handler";
        EXPECT_EQ(d.Control(205).Position(), 1);
        d.Control(205).DragSliderTo(73);
        ASSERT_FALSE(dialog.scrolledTo.empty());
        EXPECT_EQ(dialog.scrolledTo.back(), 73);
        d.Control(207).Type(u"12");
        d.Control(207).Leave();
        EXPECT_EQ(dialog.levelLeftWith, u"12");
        EXPECT_EQ(d.Control(206).Items(), (std::vector<std::u16string>{u"all", u"any"}));
        d.PressCancel();
    });
    EXPECT_EQ(dialog.Execute(), IDCANCEL);
    EXPECT_EQ(dialog.GetHandle(), nullptr) << "the window goes when the dialog ends";
    EXPECT_EQ(dialog.on.GetHandle(), nullptr);
}

TEST_F(Toolkit, OkIsRefusedByAnInvalidEditWithAMessageBoxAndTheFocusOnIt) {
    SetupLikeDialog dialog;
    user.OnNextDialog([&](ui::WindowUser& d) {
        ui::ControlUser pulses = d.Control(222);
        pulses.Type(u"96");
        d.PressOk();
        EXPECT_TRUE(d.IsOpen());
        ASSERT_EQ(user.MessageBoxes().size(), 1u);
        EXPECT_EQ(user.LastMessageBox().text, u"Value is not in the range 0 to 95.");
        EXPECT_EQ(user.LastMessageBox().flags & MB_ICONMASK, MB_ICONEXCLAMATION);
        EXPECT_TRUE(pulses.HasFocus());
        pulses.Type(u"95");
        d.PressOk();
        EXPECT_FALSE(d.IsOpen());
    });
    EXPECT_EQ(dialog.Execute(), IDOK);
    EXPECT_EQ(user.MessageBoxes().size(), 1u);
}

TEST_F(Toolkit, ZeroAndAnEmptyTextPassAndTheFilterRefusesWhatCannotBeAWholeNumber) {
    SetupLikeDialog dialog;
    user.OnNextDialog([&](ui::WindowUser& d) {
        ui::ControlUser pulses = d.Control(222);
        const int beeps = ui::BeepCount();
        pulses.Type(u"-1x2");
        EXPECT_EQ(pulses.Text(), u"12") << "no minus for a range from 0, no letters";
        EXPECT_EQ(ui::BeepCount(), beeps + 2);
        pulses.Type(u"0");
        d.PressOk();
        EXPECT_FALSE(d.IsOpen());
    });
    EXPECT_EQ(dialog.Execute(), IDOK);
    user.OnNextDialog([&](ui::WindowUser& d) {
        d.Control(222).Type(u"");
        d.PressOk();
    });
    EXPECT_EQ(dialog.Execute(), IDOK) << "an empty text reads as 0";
    EXPECT_TRUE(user.MessageBoxes().empty());
}

TEST_F(Toolkit, HiddenAndDisabledEditsAreNotCheckedAtOk) {
    SetupLikeDialog dialog;
    user.OnNextDialog([&](ui::WindowUser& d) {
        d.Control(222).Type(u"500");
        d.ChildDialog(209).Control(212).Type(u"99");
        dialog.pulses.EnableWindow(false);
        d.PressOk();
        EXPECT_TRUE(d.IsOpen()) << "the pane's edit is visible and invalid";
        EXPECT_TRUE(d.ChildDialog(209).Control(212).HasFocus());
        dialog.pane.ShowWindow(SW_HIDE);
        d.PressOk();
        EXPECT_FALSE(d.IsOpen());
    });
    EXPECT_EQ(dialog.Execute(), IDOK);
    EXPECT_EQ(user.MessageBoxes().size(), 1u);
}

TEST_F(Toolkit, ChildrenWithATransparentBackgroundGetANullBrushAndTransparentText) {
    SetupLikeDialog dialog;
    user.OnNextDialog([&](ui::WindowUser& d) {
        dialog.on.SetBkgndColor(TColor::Transparent);
        const HDC dc = GetDC(d.Control(216).Handle());
        const auto brush = reinterpret_cast<HBRUSH>(
            SendMessageW(d.Handle(), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                         reinterpret_cast<LPARAM>(d.Control(216).Handle())));
        EXPECT_EQ(brush, GetStockObject(NULL_BRUSH));
        EXPECT_EQ(GetBkMode(dc), TRANSPARENT);
        const auto other = reinterpret_cast<HBRUSH>(
            SendMessageW(d.Handle(), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                         reinterpret_cast<LPARAM>(d.Control(257).Handle())));
        EXPECT_EQ(other, GetSysColorBrush(COLOR_BTNFACE)) << "the dialog's default";
        ReleaseDC(d.Control(216).Handle(), dc);
        d.PressEscape();
    });
    EXPECT_EQ(dialog.Execute(), IDCANCEL);
}

TEST_F(Toolkit, ADialogIsFoundInItsModulesResourcesAndTheApplicationNamesItsBoxes) {
    const ResourceEntry entries[] = {{ResourceName(ResourceType::kDialog), ResourceName(301),
                                      kLanguageEnglishUs, &kTemplate, sizeof kTemplate}};
    ModuleResources registration(nullptr, entries);
    TApplication application(u"Ostrel", MAKELANGID(0x07, 0x01));
    WORD language = 0;
    ASSERT_TRUE(GetApplicationLanguage(&language));
    EXPECT_EQ(language, MAKELANGID(0x07, 0x01));
    TModule executable(u"", static_cast<HINSTANCE>(nullptr));
    TDialog dialog(nullptr, 301, &executable);
    user.OnNextDialog([&](ui::WindowUser& d) {
        EXPECT_EQ(d.TemplateId(), 301);
        dialog.MessageBox(u"Hello");
        d.PressOk();
    });
    EXPECT_EQ(dialog.Execute(), IDOK);
    EXPECT_EQ(user.LastMessageBox().caption, u"Ostrel");
    EXPECT_NE(user.LastMessageBox().owner, nullptr) << "the dialog's window, at the time";
    TDialog missing(nullptr, 302, &executable);
    EXPECT_THROW(missing.Execute(), TXWindow);
}

TEST(Modules, AModuleThatMustLoadThrowsAndOneThatNeedNotStaysEmpty) {
    EXPECT_THROW(TModule(u"no-such-library.so"), TXInvalidModule);
    TModule optional(u"no-such-library.so", true, false);
    EXPECT_FALSE(optional.IsLoaded());
    EXPECT_EQ(optional.GetProcAddress("anything"), nullptr);
    EXPECT_THROW((TModuleProc<int>(optional, "anything")), TXInvalidModule);
}

TEST(Validators, CharacterSetsReadRangesAndLiteralDashes) {
    const TCharSet set(u"-+eE0-9");
    for (char16_t c : std::u16string(u"-+eE0123456789"))
        EXPECT_TRUE(set.Has(c)) << char(c);
    for (char16_t c : std::u16string(u"a.,/: "))
        EXPECT_FALSE(set.Has(c)) << char(c);
}

TEST(Validators, WholeNumberRangesReadTheLeadingNumberAndSaturate) {
    TRangeValidator range(-10, 10);
    EXPECT_TRUE(range.IsValid(u"-10"));
    EXPECT_TRUE(range.IsValid(u"+10"));
    EXPECT_FALSE(range.IsValid(u"11"));
    EXPECT_TRUE(range.IsValid(u"")) << "an empty text is 0";
    EXPECT_FALSE(range.IsValid(u"1.5")) << "not a character of the set";
    EXPECT_EQ(TRangeValidator::LeadingNumber(u"99999999999"), INT32_MAX);
    EXPECT_EQ(TRangeValidator::LeadingNumber(u"-99999999999"), INT32_MIN);
    EXPECT_EQ(TRangeValidator::LeadingNumber(u"12+3"), 12);
    TRangeValidator positive(0, 95);
    tstring typed = u"-";
    EXPECT_FALSE(positive.IsValidInput(typed, false));
    positive.SetOption(voTransfer);
    LONG value = 0;
    tstring text = u"42";
    EXPECT_EQ(positive.Transfer(text, &value, tdGetData), sizeof(LONG));
    EXPECT_EQ(value, 42);
    value = 7;
    positive.Transfer(text, &value, tdSetData);
    EXPECT_EQ(text, u"7");
}

class RecordingGlyphButton : public TGlyphButton {
public:
    using TGlyphButton::LayoutTextGlyph;
    using TGlyphButton::TGlyphButton;
};

TEST_F(Toolkit, GlyphButtonsKeepTheirStateBitsAndClickTheirParent) {
    const DialogItemTemplate items[] = {
        {u"Button", u"&Help", 9, 8, 8, 40, 14, kChild | BS_PUSHBUTTON | WS_TABSTOP, 0},
        {u"Button", u"OK", IDOK, 60, 8, 40, 14, kChild | BS_DEFPUSHBUTTON | WS_TABSTOP, 0}};
    const DialogTemplate t{WS_POPUP | WS_CAPTION, 0, 0,     0, 120, 40, u"",
                           u"MS Shell Dlg",       8, items, 2};
    TDialog dialog(nullptr, t);
    RecordingGlyphButton help(&dialog, 9, TGlyphButton::btBrowse);
    int helps = 0;
    dialog.OnCommand(9, [&] { ++helps; });
    user.OnNextDialog([&](ui::WindowUser& d) {
        EXPECT_TRUE(help.IsSet(TGlyphButton::biShowText));
        d.Control(9).Click();
        EXPECT_EQ(helps, 1);
        EXPECT_TRUE(help.IsSet(TGlyphButton::biFocus));
        EXPECT_TRUE(help.IsSet(TGlyphButton::biDefault)) << "the focused push button";
        EXPECT_FALSE(help.IsSet(TGlyphButton::biPushed));
        help.EnableWindow(false);
        EXPECT_TRUE(help.IsSet(TGlyphButton::biDisabled));
        EXPECT_FALSE(help.IsSet(TGlyphButton::biFocus));
        TRect text(0, 0, 24, 13);
        TRect glyph(0, 0, 16, 16);
        help.LayoutTextGlyph(TRect(0, 0, 60, 23), text, glyph);
        EXPECT_EQ(glyph, TRect(8, 3, 24, 19));
        EXPECT_EQ(text, TRect(28, 5, 52, 18));
        d.PressEscape();
    });
    dialog.Execute();
}

}  // namespace
