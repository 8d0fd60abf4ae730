// What the toolkit gives a person at a real screen, driven here by the scripted user: the
// dropped list of a combo box picked by a click, message boxes built as dialogs and answered
// with Enter, Escape or Alt and a marked letter, Alt with a label's letter, Shift+Tab, and a
// transparent check box that leaves no focus rectangle behind.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/gdi/gdi.h"
#include "platform/gdi/image.h"
#include "platform/ui/driver.h"
#include "platform/ui/headless.h"
#include "platform/ui/scripted_user.h"
#include "platform/ui/user.h"

namespace {

constexpr DWORD kChild = WS_CHILD | WS_VISIBLE | WS_TABSTOP;
constexpr int kCombo = 301;
constexpr int kLabel = 302;
constexpr int kEdit = 303;
constexpr int kCheck = 304;

const DialogItemTemplate kItems[] = {
    {u"ComboBox", u"", kCombo, 5, 5, 60, 80, kChild | CBS_DROPDOWNLIST, 0},
    {u"Static", u"&Level", kLabel, 5, 25, 30, 10, WS_CHILD | WS_VISIBLE, 0},
    {u"Edit", u"", kEdit, 40, 25, 40, 14, kChild | WS_BORDER, 0},
    {u"Button", u"&Generate", kCheck, 5, 45, 60, 10, kChild | BS_AUTOCHECKBOX, 0},
    {u"Button", u"OK", IDOK, 100, 80, 40, 14, kChild | BS_DEFPUSHBUTTON, 0},
};
const DialogTemplate kTemplate{
    WS_POPUP | WS_CAPTION, 0, 0, 0, 150, 100, u"Screen support", u"MS Shell Dlg", 8, kItems,
    std::size(kItems)};

INT_PTR Procedure(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
        case WM_INITDIALOG:
            for (const char16_t* entry : {u"Input 1", u"Input 2", u"Input 3"}) {
                SendDlgItemMessageW(dialog, kCombo, CB_ADDSTRING, 0,
                                    reinterpret_cast<LPARAM>(entry));
            }
            SendDlgItemMessageW(dialog, kCombo, CB_SETCURSEL, 0, 0);
            return TRUE;
        case WM_CTLCOLORSTATIC:
            // Everything static shows the dialog's own background: a transparent check box.
            SetBkMode(reinterpret_cast<HDC>(wParam), TRANSPARENT);
            return reinterpret_cast<INT_PTR>(GetStockObject(NULL_BRUSH));
        case WM_COMMAND:
            if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL)
                EndDialog(dialog, LOWORD(wParam));
            return TRUE;
        default:
            return FALSE;
    }
}

// The visible dropped list above the dialog, or null.
HWND DroppedList() {
    for (HWND top : ui::TopLevelWindows()) {
        if (IsWindowVisible(top) && ui::ControlUser(top).ClassName() == u"ComboLBox")
            return top;
    }
    return nullptr;
}

class ScreenSupport : public ::testing::Test {
protected:
    template <class Script>
    void Run(Script script) {
        user.OnNextDialog([&](ui::WindowUser& d) {
            script(d);
            if (d.IsOpen())
                d.PressOk();
        });
        DialogBoxIndirectParamW(nullptr, &kTemplate, nullptr, Procedure, 0);
    }
    ui::ScriptedUser user;
};

TEST_F(ScreenSupport, ADroppedListShowsTheEntriesBelowTheBoxAndAClickPicksOne) {
    Run([](ui::WindowUser& d) {
        ui::ControlUser combo = d.Control(kCombo);
        combo.Click();
        const HWND list = DroppedList();
        ASSERT_NE(list, nullptr) << "a click drops the list down";
        EXPECT_EQ(SendMessageW(list, LB_GETCOUNT, 0, 0), 3);
        RECT box = combo.ScreenRect();
        RECT shown{};
        GetWindowRect(list, &shown);
        EXPECT_EQ(shown.top, box.bottom);
        EXPECT_EQ(shown.left, box.left);
        EXPECT_EQ(GetFocus(), combo.Handle()) << "the list never takes the focus";

        RECT entry{};
        SendMessageW(list, LB_GETITEMRECT, 2, reinterpret_cast<LPARAM>(&entry));
        MapWindowPoints(list, nullptr, reinterpret_cast<POINT*>(&entry), 2);
        ui::MouseMove(POINT{(entry.left + entry.right) / 2, (entry.top + entry.bottom) / 2});
        ui::MouseDown(ui::MouseButton::Left);
        ui::MouseUp(ui::MouseButton::Left);
        EXPECT_EQ(combo.SelectedText(), u"Input 3");
        EXPECT_EQ(DroppedList(), nullptr) << "picking closes the list";

        combo.Click();
        combo.Click();
        EXPECT_EQ(DroppedList(), nullptr) << "a second click on the box closes it again";
        EXPECT_EQ(combo.SelectedText(), u"Input 3");
    });
}

TEST_F(ScreenSupport, AltWithAMarkedLetterActsOnItsControlAndShiftTabGoesBack) {
    Run([](ui::WindowUser& d) {
        EXPECT_TRUE(ui::PressAltKey(u'l')) << "a label hands the focus on";
        EXPECT_TRUE(d.Control(kEdit).HasFocus());
        ui::KeyDown(VK_SHIFT);
        ui::PressKey(VK_TAB);
        ui::KeyUp(VK_SHIFT);
        EXPECT_TRUE(d.Control(kCombo).HasFocus()) << "Shift+Tab: the previous tab stop";
        ui::PressKey(VK_TAB);
        EXPECT_TRUE(d.Control(kEdit).HasFocus());
        EXPECT_TRUE(ui::PressAltKey(u'G')) << "letters match in either case";
        EXPECT_TRUE(d.Control(kCheck).IsChecked());
        EXPECT_TRUE(d.Control(kCheck).HasFocus());
        const int beeps = ui::BeepCount();
        EXPECT_FALSE(ui::PressAltKey(u'q'));
        EXPECT_EQ(ui::BeepCount(), beeps + 1);
    });
}

TEST_F(ScreenSupport, ATransparentCheckBoxLeavesNoFocusRectangleBehind) {
    Run([](ui::WindowUser& d) {
        ui::ControlUser check = d.Control(kCheck);
        d.Control(kEdit).Focus();
        const gdi::Image before = check.Snapshot();
        check.Focus();
        EXPECT_NE(check.Snapshot().pixels, before.pixels) << "the focus shows";
        d.Control(kEdit).Focus();
        EXPECT_EQ(check.Snapshot().pixels, before.pixels);
    });
}

// A message box as the toolkit builds it: the buttons its flags ask for, labelled, the
// default one focused, and the answer to what the person does.
TEST(MessageBoxDialog, OffersTheButtonsOfItsFlagsAndAnswersWhatThePersonDoes) {
    struct Case {
        UINT flags;
        std::vector<std::u16string> buttons;
        std::vector<UINT> keys;  // pressed in order
        char16_t altLetter;      // then Alt with this letter (0: none)
        int answer;
    };
    const Case cases[] = {
        {MB_OK | MB_ICONEXCLAMATION, {u"OK"}, {VK_RETURN}, 0, IDOK},
        {MB_OK, {u"OK"}, {VK_ESCAPE}, 0, IDOK},
        {MB_OKCANCEL | MB_DEFBUTTON2, {u"OK", u"Cancel"}, {VK_RETURN}, 0, IDCANCEL},
        {MB_OKCANCEL | MB_ICONQUESTION, {u"OK", u"Cancel"}, {VK_ESCAPE}, 0, IDCANCEL},
        // Yes or No must be answered: Escape leaves the box open.
        {MB_YESNO | MB_ICONHAND, {u"&Yes", u"&No"}, {VK_ESCAPE}, u'n', IDNO},
        {MB_YESNOCANCEL | MB_ICONASTERISK, {u"&Yes", u"&No", u"Cancel"}, {}, u'y', IDYES},
        {MB_RETRYCANCEL, {u"&Retry", u"Cancel"}, {VK_TAB, VK_RETURN}, 0, IDCANCEL},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "flags 0x" << std::hex << c.flags);
        ui::ScriptedUser user;
        std::vector<std::u16string> labels;
        bool hasIcon = false;
        user.OnNextDialog([&](ui::WindowUser& box) {
            for (int id : ui::MessageBoxButtons(c.flags)) {
                labels.push_back(box.Control(id).Text());
                EXPECT_EQ(box.Control(id).HasFocus(), id == ui::DefaultMessageBoxAnswer(c.flags));
            }
            EXPECT_TRUE(box.Has(0xFFFF)) << "the text";
            hasIcon = box.Has(20);
            for (UINT key : c.keys)
                box.PressKey(key);
            if (c.altLetter != 0) {
                EXPECT_TRUE(box.IsOpen());
                ui::PressAltKey(c.altLetter);
            }
        });
        ui::MessageBoxRequest request;
        request.text = u"First line\nsecond line";
        request.caption = u"Caption";
        request.flags = c.flags;
        EXPECT_EQ(ui::RunMessageBoxDialog(request), c.answer);
        EXPECT_EQ(labels, c.buttons);
        EXPECT_EQ(hasIcon, (c.flags & MB_ICONMASK) != 0);
    }
}

TEST(MessageBoxDialog, BreaksALongLineAtASpace) {
    ui::ScriptedUser user;
    RECT text{};
    user.OnNextDialog([&](ui::WindowUser& box) {
        text = box.Control(0xFFFF).RectIn(box.Handle());
        box.PressEnter();
    });
    ui::MessageBoxRequest request;
    request.text = std::u16string(70, u'a') + u" " + std::u16string(30, u'b');
    request.flags = MB_OK;
    ui::RunMessageBoxDialog(request);
    EXPECT_LE(text.right - text.left, 81 * 6) << "no wider than 80 characters and a margin";
    EXPECT_EQ(text.bottom - text.top, 2 * 13) << "two lines";
}

}  // namespace
