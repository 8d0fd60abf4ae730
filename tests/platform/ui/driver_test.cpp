// The user-interface driver's own promises: finding controls (child dialogs included),
// reading and refusing controls as a person sees them, errors that show the window's
// controls, problems reported when the scripted user goes away, pictures of failing
// dialogs, landing the slider on every position, the arrows of both kinds of up-down
// control, the close box, and snapshots that show children over their parents.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>

#include "platform/gdi/gdi.h"
#include "platform/gdi/png.h"
#include "platform/ui/common_controls.h"
#include "platform/ui/headless.h"
#include "platform/ui/scripted_user.h"
#include "platform/ui/user.h"
#include "tests/helpers/temp_folder.h"

namespace {

using ::testing::HasSubstr;

constexpr DWORD kChild = WS_CHILD | WS_VISIBLE;

constexpr int kCombo = 204;
constexpr int kSlider = 205;
constexpr int kEdit = 206;
constexpr int kVerticalUpDown = 208;
constexpr int kHorizontalUpDown = 209;
constexpr int kHiddenText = 210;
constexpr int kPaneTemplate = 209;

void NameIds() {
    ui::NameControlIds({{kCombo, "kCombo"},
                        {kSlider, "kSlider"},
                        {kEdit, "kEdit"},
                        {kVerticalUpDown, "kVerticalUpDown"},
                        {kHorizontalUpDown, "kHorizontalUpDown"},
                        {kHiddenText, "kHiddenText"}});
}

// The message of the exception an action throws; empty when it throws none.
std::string Refusal(const std::function<void()>& action) {
    try {
        action();
    } catch (const std::exception& e) {
        return e.what();
    }
    return {};
}

const DialogItemTemplate kPaneItems[] = {
    {u"Edit", u"", kEdit, 5, 5, 40, 14, kChild | WS_BORDER | WS_TABSTOP, 0},
    {u"ComboBox", u"", kCombo, 50, 5, 40, 60, kChild | CBS_DROPDOWNLIST | WS_TABSTOP, 0},
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
    {u"Edit", u"", kEdit, 5, 5, 40, 14, kChild | WS_BORDER | WS_TABSTOP, 0},
    {TRACKBAR_CLASSW, u"", kSlider, 5, 30, 110, 20, kChild | WS_TABSTOP, 0},
    {UPDOWN_CLASSW, u"", kVerticalUpDown, 130, 30, 10, 13, kChild, 0},
    {UPDOWN_CLASSW, u"", kHorizontalUpDown, 150, 30, 20, 10, kChild | UDS_HORZ, 0},
    {u"Static", u"hidden", kHiddenText, 5, 60, 40, 10, WS_CHILD, 0},
    {u"Button", u"OK", IDOK, 100, 80, 40, 14, kChild | BS_DEFPUSHBUTTON | WS_TABSTOP, 0},
    {u"Button", u"Cancel", IDCANCEL, 150, 80, 40, 14, kChild | WS_TABSTOP, 0},
};
const DialogTemplate kTemplate{WS_POPUP | WS_CAPTION | WS_SYSMENU,
                               0,
                               0,
                               0,
                               200,
                               100,
                               u"Driver",
                               u"MS Shell Dlg",
                               8,
                               kItems,
                               std::size(kItems)};

INT_PTR Procedure(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    if (message == WM_INITDIALOG) {
        const HWND pane = CreateDialogIndirectParamW(
            nullptr, &kPane, dialog,
            [](HWND, UINT m, WPARAM, LPARAM) -> INT_PTR { return m == WM_INITDIALOG; }, 0);
        ui::RecordTemplateId(pane, kPaneTemplate);
        MoveWindow(pane, 0, 120, 200, 50, TRUE);
        SendDlgItemMessageW(pane, kCombo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(u"Input 1"));
        SendDlgItemMessageW(pane, kCombo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(u"Input 2"));
        SendDlgItemMessageW(dialog, kSlider, TBM_SETRANGE, TRUE, MAKELPARAM(-100, 100));
        SendDlgItemMessageW(dialog, kVerticalUpDown, UDM_SETRANGE32, 0, 10);
        SendDlgItemMessageW(dialog, kHorizontalUpDown, UDM_SETRANGE32, 0, 10);
        return TRUE;
    }
    if (message == WM_COMMAND && (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) &&
        HIWORD(wParam) == BN_CLICKED) {
        EndDialog(dialog, LOWORD(wParam));
        return TRUE;
    }
    return FALSE;
}

class Driver : public ::testing::Test {
protected:
    Driver() { NameIds(); }
    template <class Script>
    INT_PTR Run(Script script) {
        user.OnNextDialog([&](ui::WindowUser& d) { script(d); });
        return DialogBoxIndirectParamW(nullptr, &kTemplate, nullptr, Procedure, 0);
    }
    ui::ScriptedUser user;
};

TEST_F(Driver, ControlsAreFoundDirectlyAnywhereBelowAndInChildDialogs) {
    Run([](ui::WindowUser& d) {
        EXPECT_EQ(d.Control(kEdit).Handle(), d.Find(kEdit, 0).Handle())
            << "tab order: dialog first";
        const ui::WindowUser pane = d.ChildDialog(kPaneTemplate);
        EXPECT_EQ(pane.Control(kEdit).Handle(), d.Find(kEdit, 1).Handle());
        EXPECT_EQ(d.ChildDialogs().size(), 1u);
        EXPECT_TRUE(d.Has(kCombo));
        EXPECT_FALSE(d.Has(999));
        EXPECT_THROW(d.Control(kCombo), std::out_of_range) << "not a direct child";
        EXPECT_THROW(d.Find(kEdit, 2), std::out_of_range);
        EXPECT_THROW(d.ChildDialog(kPaneTemplate, 1), std::out_of_range);
        pane.Control(kCombo).Select(u"Input 2");
        EXPECT_EQ(pane.Control(kCombo).SelectedText(), u"Input 2");
        EXPECT_EQ(d.Focused().Handle(), pane.Control(kCombo).Handle());
        d.PressCancel();
    });
}

TEST_F(Driver, WhatAPersonCannotDoIsRefused) {
    Run([](ui::WindowUser& d) {
        EXPECT_THROW(d.Control(kHiddenText).Click(), std::logic_error) << "hidden";
        const HWND pane = d.ChildDialog(kPaneTemplate).Handle();
        EnableWindow(pane, FALSE);
        EXPECT_THROW(d.ChildDialog(kPaneTemplate).Control(kEdit).Type(u"1"), std::logic_error)
            << "inside a disabled pane";
        EnableWindow(pane, TRUE);
        d.Control(kEdit).Focus();
        EXPECT_THROW(d.ChildDialog(kPaneTemplate).Control(kEdit).Leave(), std::logic_error)
            << "leaving what has not the focus";
        EXPECT_THROW(d.Control(kEdit).Select(0), std::out_of_range) << "an edit has no entries";
        d.PressCancel();
    });
}

TEST_F(Driver, ControlsReadAsAPersonSeesThemAndRefusalsShowTheWindow) {
    Run([](ui::WindowUser& d) {
        const ui::WindowUser pane = d.ChildDialog(kPaneTemplate);
        ui::ControlUser edit = pane.Control(kEdit);
        EXPECT_TRUE(edit.IsUsable());
        EnableWindow(pane.Handle(), FALSE);
        EXPECT_FALSE(edit.IsEnabled()) << "inside a disabled pane";
        EXPECT_TRUE(edit.IsSelfEnabled());
        EXPECT_FALSE(edit.IsUsable());
        const std::string disabled = Refusal([&] { edit.Type(u"1"); });
        EXPECT_THAT(disabled, HasSubstr("cannot type into Edit 206 kEdit \"\": it lies in a "
                                        "disabled pane, #32770 0 template 209 \"\"\n"));
        EXPECT_THAT(disabled, HasSubstr("\n#32770 \"Driver\" at "));
        EXPECT_THAT(disabled, HasSubstr("\n  #32770 0 template 209 \"\" at 0,120 size 200x50 "
                                        "shown disabled\n    Edit 206 kEdit \"\" at "));
        EXPECT_THAT(disabled, HasSubstr("\n  Static 210 kHiddenText \"hidden\" at "));
        EnableWindow(pane.Handle(), TRUE);
        ShowWindow(pane.Handle(), SW_HIDE);
        EXPECT_FALSE(edit.IsVisible());
        EXPECT_TRUE(edit.IsEnabled());
        EXPECT_FALSE(edit.IsUsable()) << "inside a hidden pane";
        EXPECT_THAT(Refusal([&] { edit.Click(); }), HasSubstr(": it lies in a hidden window"));
        EXPECT_THAT(Refusal([&] { d.Control(kHiddenText).Click(); }),
                    HasSubstr("Static 210 kHiddenText \"hidden\": it is hidden\n"));
        EXPECT_THAT(Refusal([&] { d.Control(kCombo); }),
                    HasSubstr("no control 204 kCombo directly in #32770 \"Driver\"\nwhat the "
                              "window holds:\n#32770 \"Driver\""));
        EXPECT_THAT(Refusal([&] { d.Find(kVerticalUpDown, 1); }),
                    HasSubstr("    ComboBox 204 kCombo"));
        d.PressCancel();
    });
}

TEST(ScriptedUserProblems, AreReportedWhenTheUserGoesAwayWithPicturesOfTheDialogs) {
    NameIds();
    TempFolder pictures;
    std::string reported;
    const ui::ScriptedUser::ProblemReporter previous = ui::ScriptedUser::SetProblemReporter(
        [&](const std::string& problems) { reported += problems; });
    {
        ui::ScriptedUser user;
        user.KeepPicturesIn(pictures.Path().string());
        user.OnNextDialog([](ui::WindowUser&) {});
        EXPECT_EQ(DialogBoxIndirectParamW(nullptr, &kTemplate, nullptr, Procedure, 0), IDCANCEL);
        user.OnNextDialog([](ui::WindowUser& d) { d.Control(kHiddenText).Click(); });
        EXPECT_THROW(DialogBoxIndirectParamW(nullptr, &kTemplate, nullptr, Procedure, 0),
                     std::logic_error);
        user.OnNextDialog([](ui::WindowUser& d) { d.PressCancel(); });
    }
    ui::ScriptedUser::SetProblemReporter(previous);
    const std::string left = (pictures.Path() / "dialog-0-1.png").string();
    EXPECT_THAT(reported, HasSubstr("- the script left the dialog open: #32770 \"Driver\"\n"
                                    "picture: " +
                                    left + "\nwhat the dialog holds:\n#32770 \"Driver\""));
    EXPECT_THAT(reported, HasSubstr("\n- 1 queued dialog script never ran"));
    const gdi::Image picture = gdi::ReadPng(left);
    EXPECT_GT(picture.width, 300);
    EXPECT_GT(picture.Count(GetSysColor(COLOR_BTNFACE)), picture.width * 50);
    EXPECT_TRUE(std::filesystem::exists(pictures.Path() / "dialog-0-2.png"))
        << "the dialog whose script threw";
}

TEST_F(Driver, TheSliderLandsOnEveryPositionItIsDraggedTo) {
    Run([](ui::WindowUser& d) {
        ui::ControlUser slider = d.Control(kSlider);
        for (int position = -100; position <= 100; position += 7) {
            slider.DragSliderTo(position);
            ASSERT_EQ(slider.Position(), position);
        }
        slider.DragSliderTo(-1000);
        EXPECT_EQ(slider.Position(), -100);
        d.PressCancel();
    });
}

TEST_F(Driver, BothKindsOfUpDownStepWithTheirArrows) {
    Run([](ui::WindowUser& d) {
        ui::ControlUser vertical = d.Control(kVerticalUpDown);
        ui::ControlUser horizontal = d.Control(kHorizontalUpDown);
        vertical.ClickUpArrow();
        vertical.ClickUpArrow();
        vertical.ClickDownArrow();
        EXPECT_EQ(vertical.Position(), 1);
        horizontal.ClickUpArrow();
        EXPECT_EQ(horizontal.Position(), 1) << "the right arrow steps up";
        horizontal.ClickDownArrow();
        horizontal.ClickDownArrow();
        EXPECT_EQ(horizontal.Position(), 0) << "not below the minimum";
        EXPECT_EQ(vertical.Range(), std::make_pair(0, 10));
        d.PressCancel();
    });
}

TEST_F(Driver, TheCloseBoxCancels) {
    EXPECT_EQ(Run([](ui::WindowUser& d) { d.Close(); }), IDCANCEL);
    EXPECT_EQ(user.DialogsLeftOpen(), 0);
}

TEST_F(Driver, SnapshotsShowChildrenOverTheirParents) {
    Run([](ui::WindowUser& d) {
        const gdi::Image dialog = d.Snapshot();
        RECT ok = d.Control(IDOK).RectIn(d.Handle());
        POINT origin{0, 0};
        ClientToScreen(d.Handle(), &origin);
        RECT window = d.ScreenRect();
        const int dx = origin.x - window.left;
        const int dy = origin.y - window.top;
        const gdi::Image button = d.Control(IDOK).Snapshot();
        for (int y = 0; y < button.height; y += 3) {
            for (int x = 0; x < button.width; x += 3) {
                ASSERT_EQ(dialog.At(dx + ok.left + x, dy + ok.top + y), button.At(x, y));
            }
        }
        EXPECT_EQ(dialog.At(dx + 2, dy + 100), GetSysColor(COLOR_BTNFACE)) << "the dialog face";
        EXPECT_EQ(dialog.At(dialog.width - 10, 10), GetSysColor(COLOR_ACTIVECAPTION))
            << "the caption bar of the active window";
        d.PressCancel();
    });
}

}  // namespace
