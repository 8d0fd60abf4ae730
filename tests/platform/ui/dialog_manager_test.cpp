// Dialogs from templates, dialog units, the modal run through the scripted user, the dialog
// keys, the default button, and message boxes.
#include <gtest/gtest.h>

#include "platform/ui/headless.h"
#include "platform/ui/scripted_user.h"
#include "platform/ui/user.h"

namespace {

const DialogItemTemplate kItems[] = {
    {u"Edit", u"", 220, 122, 22, 40, 14, WS_VISIBLE | WS_BORDER | WS_TABSTOP, 0},
    {u"Edit", u"", 221, 122, 42, 40, 14, WS_VISIBLE | WS_BORDER | WS_TABSTOP, 0},
    {u"Button", u"OK", IDOK, 387, 225, 50, 14, WS_VISIBLE | BS_DEFPUSHBUTTON | WS_TABSTOP, 0},
    {u"Button", u"Cancel", IDCANCEL, 442, 225, 50, 14, WS_VISIBLE | BS_PUSHBUTTON | WS_TABSTOP, 0},
};

const DialogTemplate kTemplate{DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU,
                               0,
                               0,
                               0,
                               499,
                               246,
                               u"Tarvel",
                               u"MS Shell Dlg",
                               8,
                               kItems,
                               std::size(kItems)};

std::vector<int> g_commands;

INT_PTR EndingProcedure(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    if (message == WM_INITDIALOG)
        return TRUE;
    if (message == WM_COMMAND) {
        g_commands.push_back(LOWORD(wParam));
        if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) {
            EndDialog(dialog, LOWORD(wParam));
        }
        return TRUE;
    }
    return FALSE;
}

INT_PTR SilentProcedure(HWND, UINT message, WPARAM, LPARAM) {
    return message == WM_INITDIALOG ? TRUE : FALSE;
}

class Dialogs : public ::testing::Test {
protected:
    void SetUp() override { g_commands.clear(); }
    ui::ScriptedUser user;
};

TEST_F(Dialogs, DialogUnitsBecomePixelsWithTheShellFontsBaseUnits) {
    const HWND dialog =
        CreateDialogIndirectParamW(nullptr, &kTemplate, nullptr, SilentProcedure, 0);
    ASSERT_NE(dialog, nullptr);
    RECT client;
    GetClientRect(dialog, &client);
    EXPECT_EQ(client, (RECT{0, 0, 749, 400})) << "499 × 246 units at 6 × 13 per 4 × 8";
    RECT ok;
    GetWindowRect(GetDlgItem(dialog, IDOK), &ok);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&ok), 2);
    EXPECT_EQ(ok, (RECT{581, 366, 581 + 75, 366 + 23}));
    RECT units{7, 7, 493, 219};
    MapDialogRect(dialog, &units);
    EXPECT_EQ(units, (RECT{11, 11, 740, 356}));
    EXPECT_EQ(GetWindowTextLengthW(dialog), 6);
    DestroyWindow(dialog);
}

TEST_F(Dialogs, ATemplateWithAnUnknownControlMakesNoDialog) {
    const DialogItemTemplate bad[] = {{u"NoSuchControl", u"", 1, 0, 0, 10, 10, WS_VISIBLE, 0}};
    DialogTemplate t = kTemplate;
    t.items = bad;
    t.itemCount = 1;
    const std::size_t before = ui::TopLevelWindows().size();
    EXPECT_EQ(CreateDialogIndirectParamW(nullptr, &t, nullptr, SilentProcedure, 0), nullptr);
    EXPECT_EQ(ui::TopLevelWindows().size(), before);
}

TEST_F(Dialogs, TheScriptActsOnTheModalDialogAndItsResultComesBack) {
    user.OnNextDialog([](ui::WindowUser& dialog) {
        EXPECT_TRUE(dialog.Control(220).HasFocus()) << "the first tab stop has the focus";
        dialog.Control(220).Type(u"75");
        dialog.PressKey(VK_TAB);
        EXPECT_TRUE(dialog.Control(221).HasFocus());
        dialog.PressOk();
        EXPECT_FALSE(dialog.IsOpen());
    });
    EXPECT_EQ(DialogBoxIndirectParamW(nullptr, &kTemplate, nullptr, EndingProcedure, 0), IDOK);
    EXPECT_EQ(user.DialogsRun(), 1);
    EXPECT_EQ(user.DialogsLeftOpen(), 0);
    EXPECT_EQ(user.PendingScripts(), 0u);
}

TEST_F(Dialogs, EnterPressesTheDefaultAndEscapeCancels) {
    user.OnNextDialog([](ui::WindowUser& dialog) { dialog.PressEnter(); });
    EXPECT_EQ(DialogBoxIndirectParamW(nullptr, &kTemplate, nullptr, EndingProcedure, 0), IDOK);
    user.OnNextDialog([](ui::WindowUser& dialog) { dialog.PressEscape(); });
    EXPECT_EQ(DialogBoxIndirectParamW(nullptr, &kTemplate, nullptr, EndingProcedure, 0), IDCANCEL);
}

TEST_F(Dialogs, TheDefaultLookFollowsTheFocusedPushButton) {
    user.OnNextDialog([](ui::WindowUser& dialog) {
        EXPECT_TRUE(dialog.Control(IDOK).IsDefault());
        dialog.Control(IDCANCEL).Focus();
        EXPECT_TRUE(dialog.Control(IDCANCEL).IsDefault());
        EXPECT_FALSE(dialog.Control(IDOK).IsDefault());
        dialog.PressEnter();  // presses the focused push button
    });
    EXPECT_EQ(DialogBoxIndirectParamW(nullptr, &kTemplate, nullptr, EndingProcedure, 0), IDCANCEL);
}

TEST_F(Dialogs, ADialogLeftOpenOrWithoutAScriptIsCancelledAndCounted) {
    user.OnNextDialog([](ui::WindowUser&) {});
    EXPECT_EQ(DialogBoxIndirectParamW(nullptr, &kTemplate, nullptr, EndingProcedure, 0), IDCANCEL);
    EXPECT_EQ(DialogBoxIndirectParamW(nullptr, &kTemplate, nullptr, EndingProcedure, 0), IDCANCEL);
    EXPECT_EQ(user.DialogsLeftOpen(), 1);
    EXPECT_EQ(user.DialogsWithoutScript(), 1);
    EXPECT_EQ(DialogBoxIndirectParamW(nullptr, &kTemplate, nullptr, SilentProcedure, 0), IDCANCEL)
        << "a dialog that ignores Cancel still ends";
    // Each is a problem, shown with what the dialog held; a script that never ran is one too.
    user.OnNextDialog([](ui::WindowUser&) {});
    const std::vector<std::string> problems = user.TakeProblems();
    ASSERT_EQ(problems.size(), 4u);
    EXPECT_TRUE(problems[0].starts_with("the script left the dialog open: #32770 \"Tarvel\""))
        << problems[0];
    EXPECT_NE(problems[0].find("  Button 1 IDOK \"OK\" at "), std::string::npos) << problems[0];
    EXPECT_TRUE(problems[1].starts_with("a dialog came up with no script queued")) << problems[1];
    EXPECT_EQ(problems[3], "1 queued dialog script never ran");
    EXPECT_EQ(user.PendingScripts(), 0u);
    EXPECT_TRUE(user.TakeProblems().empty()) << "taken problems are not reported again";
}

TEST_F(Dialogs, TheOwnerIsDisabledWhileTheDialogRunsAndActiveAfterwards) {
    const HWND owner = CreateWindowExW(0, u"Static", u"main", WS_POPUP | WS_VISIBLE, 0, 0, 800, 600,
                                       nullptr, nullptr, nullptr, nullptr);
    user.OnNextDialog([&](ui::WindowUser& dialog) {
        EXPECT_FALSE(IsWindowEnabled(owner));
        EXPECT_EQ(GetActiveWindow(), dialog.Handle());
        EXPECT_EQ(GetLastActivePopup(owner), dialog.Handle());
        dialog.PressCancel();
    });
    DialogBoxIndirectParamW(nullptr, &kTemplate, owner, EndingProcedure, 0);
    EXPECT_TRUE(IsWindowEnabled(owner));
    EXPECT_EQ(GetLastActivePopup(owner), owner);
    DestroyWindow(owner);
}

TEST_F(Dialogs, AnExceptionInTheScriptStillTakesTheDialogDown) {
    user.OnNextDialog([](ui::WindowUser& dialog) { dialog.Control(999); });
    const std::size_t before = ui::TopLevelWindows().size();
    EXPECT_THROW(DialogBoxIndirectParamW(nullptr, &kTemplate, nullptr, EndingProcedure, 0),
                 std::out_of_range);
    EXPECT_EQ(ui::TopLevelWindows().size(), before);
}

TEST(MessageBoxes, AreRecordedAndAnsweredInTurn) {
    ui::ScriptedUser user;
    user.AnswerNextMessageBox(IDNO);
    EXPECT_EQ(MessageBoxW(nullptr, u"Save?", u"Tarvel", MB_YESNO | MB_ICONQUESTION), IDNO);
    EXPECT_EQ(MessageBoxW(nullptr, u"Again?", u"Tarvel", MB_YESNOCANCEL | MB_DEFBUTTON2), IDNO)
        << "without an answer the default button";
    user.AnswerMessageBoxesWith(
        [](const ui::MessageBoxRecord& box) { return box.text == u"Retry?" ? IDRETRY : IDCANCEL; });
    EXPECT_EQ(MessageBoxW(nullptr, u"Retry?", nullptr, MB_RETRYCANCEL), IDRETRY);
    ASSERT_EQ(user.MessageBoxes().size(), 3u);
    EXPECT_EQ(user.MessageBoxes()[0].caption, u"Tarvel");
    EXPECT_EQ(user.MessageBoxes()[0].flags, static_cast<UINT>(MB_YESNO | MB_ICONQUESTION));
    EXPECT_EQ(user.LastMessageBox().caption, u"Error") << "Windows' caption for none";
    EXPECT_EQ(user.LastMessageBox().answer, IDRETRY);
}

TEST(MessageBoxes, WithoutADriverTheDefaultButtonAnswers) {
    EXPECT_EQ(MessageBoxW(nullptr, u"x", u"y", MB_OKCANCEL | MB_DEFBUTTON2), IDCANCEL);
    EXPECT_EQ(MessageBoxW(nullptr, u"x", u"y", MB_OK | MB_DEFBUTTON3), IDOK);
    EXPECT_EQ(ui::MessageBoxButtons(MB_ABORTRETRYIGNORE),
              (std::vector<int>{IDABORT, IDRETRY, IDIGNORE}));
}

TEST(MessageBoxes, TheScriptedUserPutsThePreviousDriverBack) {
    ui::Driver* outer = &ui::CurrentDriver();
    {
        ui::ScriptedUser user;
        EXPECT_EQ(&ui::CurrentDriver(), &user);
        EXPECT_THROW(user.LastMessageBox(), std::logic_error);
    }
    EXPECT_EQ(&ui::CurrentDriver(), outer);
}

}  // namespace
