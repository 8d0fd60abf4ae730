// The user-interface driver's own promises: finding controls (child dialogs included),
// refusing what a person could not do, landing the slider on every position, the arrows of
// both kinds of up-down control, the close box, and snapshots that show children over
// their parents.
#include <gtest/gtest.h>

#include "platform/gdi/gdi.h"
#include "platform/ui/common_controls.h"
#include "platform/ui/headless.h"
#include "platform/ui/scripted_user.h"
#include "platform/ui/user.h"

namespace {

constexpr DWORD kChild = WS_CHILD | WS_VISIBLE;

const DialogItemTemplate kPaneItems[] = {
    {u"Edit", u"", 206, 5, 5, 40, 14, kChild | WS_BORDER | WS_TABSTOP, 0},
    {u"ComboBox", u"", 204, 50, 5, 40, 60, kChild | CBS_DROPDOWNLIST | WS_TABSTOP, 0},
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
    {u"Edit", u"", 206, 5, 5, 40, 14, kChild | WS_BORDER | WS_TABSTOP, 0},
    {TRACKBAR_CLASSW, u"", 205, 5, 30, 110, 20, kChild | WS_TABSTOP, 0},
    {UPDOWN_CLASSW, u"", 208, 130, 30, 10, 13, kChild, 0},
    {UPDOWN_CLASSW, u"", 209, 150, 30, 20, 10, kChild | UDS_HORZ, 0},
    {u"Static", u"hidden", 210, 5, 60, 40, 10, WS_CHILD, 0},
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
        ui::RecordTemplateId(pane, 209);
        MoveWindow(pane, 0, 120, 200, 50, TRUE);
        SendDlgItemMessageW(pane, 204, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(u"Input 1"));
        SendDlgItemMessageW(pane, 204, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(u"Input 2"));
        SendDlgItemMessageW(dialog, 205, TBM_SETRANGE, TRUE, MAKELPARAM(-100, 100));
        SendDlgItemMessageW(dialog, 208, UDM_SETRANGE32, 0, 10);
        SendDlgItemMessageW(dialog, 209, UDM_SETRANGE32, 0, 10);
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
    template <class Script>
    INT_PTR Run(Script script) {
        user.OnNextDialog([&](ui::WindowUser& d) { script(d); });
        return DialogBoxIndirectParamW(nullptr, &kTemplate, nullptr, Procedure, 0);
    }
    ui::ScriptedUser user;
};

TEST_F(Driver, ControlsAreFoundDirectlyAnywhereBelowAndInChildDialogs) {
    Run([](ui::WindowUser& d) {
        EXPECT_EQ(d.Control(206).Handle(), d.Find(206, 0).Handle()) << "tab order: dialog first";
        const ui::WindowUser pane = d.ChildDialog(209);
        EXPECT_EQ(pane.Control(206).Handle(), d.Find(206, 1).Handle());
        EXPECT_EQ(d.ChildDialogs().size(), 1u);
        EXPECT_TRUE(d.Has(204));
        EXPECT_FALSE(d.Has(999));
        EXPECT_THROW(d.Control(204), std::out_of_range) << "not a direct child";
        EXPECT_THROW(d.Find(206, 2), std::out_of_range);
        EXPECT_THROW(d.ChildDialog(208), std::out_of_range);
        pane.Control(204).Select(u"Input 2");
        EXPECT_EQ(pane.Control(204).SelectedText(), u"Input 2");
        EXPECT_EQ(d.Focused().Handle(), pane.Control(204).Handle());
        d.PressCancel();
    });
}

TEST_F(Driver, WhatAPersonCannotDoIsRefused) {
    Run([](ui::WindowUser& d) {
        EXPECT_THROW(d.Control(210).Click(), std::logic_error) << "hidden";
        const HWND pane = d.ChildDialog(209).Handle();
        EnableWindow(pane, FALSE);
        EXPECT_THROW(d.ChildDialog(209).Control(206).Type(u"1"), std::logic_error)
            << "inside a disabled pane";
        EnableWindow(pane, TRUE);
        d.Control(206).Focus();
        EXPECT_THROW(d.ChildDialog(209).Control(206).Leave(), std::logic_error)
            << "leaving what has not the focus";
        EXPECT_THROW(d.Control(206).Select(0), std::out_of_range) << "an edit has no entries";
        d.PressCancel();
    });
}

TEST_F(Driver, TheSliderLandsOnEveryPositionItIsDraggedTo) {
    Run([](ui::WindowUser& d) {
        ui::ControlUser slider = d.Control(205);
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
        ui::ControlUser vertical = d.Control(208);
        ui::ControlUser horizontal = d.Control(209);
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
