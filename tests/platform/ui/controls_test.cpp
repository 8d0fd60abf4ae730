// The standard controls through the user's actions: what each keeps, and what it tells its
// parent (clicks, edit changes and focus loss, selections, tab changes that the parent may
// refuse, up-down steps that the parent may answer, slider scrolls, colour requests).
#include <gtest/gtest.h>

#include <tuple>

#include "platform/gdi/gdi.h"
#include "platform/text/utf.h"
#include "platform/ui/headless.h"
#include "platform/ui/window_user.h"
#include "tests/platform/ui/recording_window.h"

namespace {

using ui::ControlUser;
using ui_test::Received;
using ui_test::RecordingWindow;

class Controls : public ::testing::Test {
protected:
    RecordingWindow parent{100, 100, 600, 300};
};

TEST_F(Controls, PushButtonClicksOnlyWhenReleasedOverIt) {
    ControlUser button(
        parent.AddChild(u"Button", u"OK", BS_PUSHBUTTON | WS_TABSTOP, 1, 10, 10, 75, 23));
    button.Click();
    ASSERT_EQ(parent.Of(WM_COMMAND).size(), 1u);
    EXPECT_EQ(parent.Of(WM_COMMAND)[0].id, 1);
    EXPECT_EQ(parent.Of(WM_COMMAND)[0].code, BN_CLICKED);
    EXPECT_TRUE(button.HasFocus());
    parent.Clear();
    button.Hover();
    button.PressMouse();
    EXPECT_TRUE(button.IsPressed());
    button.MoveMouseAway();
    EXPECT_FALSE(button.IsPressed()) << "pressed look follows the mouse while it is held";
    button.ReleaseMouse();
    EXPECT_TRUE(parent.Of(WM_COMMAND).empty()) << "released elsewhere: no click";
    EnableWindow(button.Handle(), FALSE);
    EXPECT_THROW(button.Click(), std::logic_error) << "the driver refuses a disabled button";
    button.Hover();
    button.PressMouse();
    button.ReleaseMouse();
    EXPECT_TRUE(parent.Of(WM_COMMAND).empty()) << "a disabled button does not click";
}

TEST_F(Controls, AutomaticCheckBoxTogglesAndSpaceClicksIt) {
    ControlUser box(
        parent.AddChild(u"Button", u"Fixed width pulse:", BS_AUTOCHECKBOX, 217, 10, 10, 150, 15));
    EXPECT_FALSE(box.IsChecked());
    box.Click();
    EXPECT_TRUE(box.IsChecked());
    box.PressKey(VK_SPACE);
    EXPECT_FALSE(box.IsChecked());
    EXPECT_EQ(parent.Of(WM_COMMAND).size(), 2u);
    SendMessageW(box.Handle(), BM_SETCHECK, BST_CHECKED, 0);
    EXPECT_TRUE(box.IsChecked());
    EXPECT_EQ(parent.Of(WM_COMMAND).size(), 2u) << "setting the check does not notify";
}

TEST_F(Controls, EditKeepsItsLimitRefusesLettersWhenDigitsOnlyAndNotifies) {
    ControlUser edit(parent.AddChild(u"Edit", u"", WS_BORDER | WS_TABSTOP, 220, 10, 10, 60, 21));
    ControlUser next(parent.AddChild(u"Edit", u"", WS_BORDER | WS_TABSTOP, 221, 10, 40, 60, 21));
    SendMessageW(edit.Handle(), EM_LIMITTEXT, 4, 0);
    const int beeps = ui::BeepCount();
    edit.Type(u"12345");
    EXPECT_EQ(edit.Text(), u"1234");
    EXPECT_EQ(ui::BeepCount(), beeps + 1);
    SetWindowTextW(edit.Handle(), u"123456789");
    EXPECT_EQ(edit.Text(), u"123456789") << "the limit holds only for typing";
    parent.Clear();
    edit.Type(u"7");
    std::vector<UINT> codes;
    for (const Received& r : parent.Of(WM_COMMAND)) {
        if (r.id == 220)
            codes.push_back(r.code);
    }
    EXPECT_EQ(codes, (std::vector<UINT>{EN_UPDATE, EN_CHANGE}));
    EXPECT_EQ(edit.Text(), u"7");
    parent.Clear();
    next.Focus();  // outside a dialog Tab does not move the focus; the program does
    ASSERT_FALSE(parent.Of(WM_COMMAND).empty());
    EXPECT_EQ(parent.Of(WM_COMMAND).front().code, EN_KILLFOCUS);
    EXPECT_EQ(parent.Of(WM_COMMAND).front().id, 220);

    SetWindowLongPtrW(next.Handle(), GWL_STYLE,
                      GetWindowLongPtrW(next.Handle(), GWL_STYLE) | ES_NUMBER);
    next.Type(u"-4a2");
    EXPECT_EQ(next.Text(), u"42");
}

TEST_F(Controls, EditEditingKeysWorkOnTheSelection) {
    ControlUser edit(parent.AddChild(u"Edit", u"", WS_BORDER, 220, 10, 10, 60, 21));
    edit.Type(u"2.5");
    edit.PressKey(VK_BACK);
    EXPECT_EQ(edit.Text(), u"2.");
    edit.PressKey(VK_HOME);
    edit.PressKey(VK_DELETE);
    EXPECT_EQ(edit.Text(), u".");
    DWORD from = 9;
    DWORD to = 9;
    SendMessageW(edit.Handle(), EM_GETSEL, reinterpret_cast<WPARAM>(&from),
                 reinterpret_cast<LPARAM>(&to));
    EXPECT_EQ(from, 0u);
    EXPECT_EQ(to, 0u);
    SendMessageW(edit.Handle(), EM_SETREADONLY, TRUE, 0);
    edit.TypeAtEnd(u"9");
    EXPECT_EQ(edit.Text(), u".");
    EnableWindow(edit.Handle(), FALSE);
    EXPECT_THROW(edit.Type(u"1"), std::logic_error) << "nobody types into a disabled edit";
}

TEST_F(Controls, AnEditTakesOnlyWhatItsWidthShowsUnlessItScrolls) {
    // 6 pixels a character, drawn a pixel inside the border on each side.
    const std::tuple<DWORD, int, std::u16string, std::u16string> cases[] = {
        {0, 60, u"0.00012345", u"0.0001234"},  // 56 pixels: 9 characters
        {0, 33, u"123456", u"1234"},           // 29 pixels: 4
        {ES_AUTOHSCROLL, 60, u"-0.0001234567", u"-0.0001234567"}};
    for (const auto& [style, width, typed, kept] : cases) {
        ControlUser edit(parent.AddChild(u"Edit", u"", WS_BORDER | style, 220, 10, 10, width, 21));
        edit.Type(typed);
        EXPECT_EQ(edit.Text(), kept);
        edit.MoveMouseTo(2, 10);  // on the first character shown: the scrolled edit shows its end
        ui::MouseDown(ui::MouseButton::Left);
        ui::MouseUp(ui::MouseButton::Left);
        DWORD caret = 99;
        SendMessageW(edit.Handle(), EM_GETSEL, reinterpret_cast<WPARAM>(&caret), 0);
        EXPECT_EQ(caret, style == 0 ? 0u : 4u);
        DestroyWindow(edit.Handle());
    }
}

TEST_F(Controls, ComboBoxSelectionNotifiesOnlyWhenTheUserPicks) {
    ControlUser list(
        parent.AddChild(u"ComboBox", u"", CBS_DROPDOWNLIST | WS_TABSTOP, 206, 10, 10, 60, 100));
    EXPECT_EQ(RectHeight(list.ScreenRect()), 21) << "the template's height is the dropped list's";
    SendMessageW(list.Handle(), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(u"all"));
    SendMessageW(list.Handle(), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(u"any"));
    SendMessageW(list.Handle(), CB_SETCURSEL, 0, 0);
    EXPECT_TRUE(parent.Of(WM_COMMAND).empty());
    EXPECT_EQ(list.Text(), u"all");
    list.Select(u"any");
    EXPECT_EQ(list.Selection(), 1);
    EXPECT_EQ(list.SelectedText(), u"any");
    std::vector<UINT> codes;
    for (const Received& r : parent.Of(WM_COMMAND))
        codes.push_back(r.code);
    EXPECT_NE(std::find(codes.begin(), codes.end(), CBN_SELCHANGE), codes.end());
    EXPECT_EQ(SendMessageW(list.Handle(), CB_SETCURSEL, 5, 0), CB_ERR);
    EXPECT_EQ(list.Selection(), -1) << "an out-of-range selection clears it";
    EXPECT_THROW(list.Select(u"none"), std::out_of_range);
    EXPECT_EQ(list.Items(), (std::vector<std::u16string>{u"all", u"any"}));
}

TEST_F(Controls, ALongDroppedListScrollsWithTheWheelItsBarAndTheKeys) {
    ControlUser box(parent.AddChild(u"ComboBox", u"", CBS_DROPDOWNLIST, 204, 10, 10, 80, 300));
    for (int i = 1; i <= 40; ++i) {
        const std::u16string entry = u"Input " + text::ToUtf16(std::to_string(i));
        SendMessageW(box.Handle(), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry.c_str()));
    }
    box.Click();
    const HWND list = ui::TopLevelWindows().front();
    const auto top = [&] { return SendMessageW(list, LB_GETTOPINDEX, 0, 0); };
    const RECT shown = ControlUser(list).ScreenRect();
    ui::MouseWheel(-4 * WHEEL_DELTA);  // over the list or not: it holds the mouse
    EXPECT_EQ(top(), 10) << "three entries a notch, as far as the last of 30 shown";
    ui::MouseMove(POINT{shown.right - 5, shown.top + 20});  // the bar's track: a page up
    ui::MouseDown(ui::MouseButton::Left);
    ui::MouseUp(ui::MouseButton::Left);
    EXPECT_EQ(top(), 0);
    box.PressKey(VK_END);  // the selection moves into view
    EXPECT_EQ(top(), 10);
    ui::MouseMove(POINT{shown.left - 5, shown.top + 20});  // a click outside closes the list only
    ui::MouseDown(ui::MouseButton::Left);
    ui::MouseUp(ui::MouseButton::Left);
    EXPECT_FALSE(IsWindow(list));
    EXPECT_EQ(box.SelectedText(), u"Input 40");
}

TEST_F(Controls, TabChangesAreAskedForAndAnnounced) {
    ControlUser tabs(parent.AddChild(WC_TABCONTROLW, u"", WS_TABSTOP, 201, 10, 10, 500, 200));
    for (const char16_t* label : {u"Analog 1", u"Analog 2", u"Digital 1"}) {
        TCITEMW item;
        item.mask = TCIF_TEXT;
        item.pszText = const_cast<LPWSTR>(label);
        SendMessageW(tabs.Handle(), TCM_INSERTITEMW, static_cast<WPARAM>(tabs.TabLabels().size()),
                     reinterpret_cast<LPARAM>(&item));
    }
    EXPECT_EQ(tabs.Selection(), 0) << "the first tab is selected as it arrives";
    tabs.SelectTab(2);
    EXPECT_EQ(tabs.Selection(), 2);
    std::vector<UINT> codes;
    for (const Received& r : parent.Of(WM_NOTIFY))
        codes.push_back(r.code);
    EXPECT_EQ(codes, (std::vector<UINT>{TCN_SELCHANGING, TCN_SELCHANGE}));
    parent.Clear();
    parent.notifyAnswers[TCN_SELCHANGING] = TRUE;
    tabs.SelectTab(1);
    EXPECT_EQ(tabs.Selection(), 2) << "the parent refused the change";
    EXPECT_EQ(parent.Of(WM_NOTIFY).size(), 1u);
    parent.notifyAnswers.clear();
    parent.Clear();
    SendMessageW(tabs.Handle(), TCM_SETCURSEL, 0, 0);
    EXPECT_EQ(tabs.Selection(), 0);
    EXPECT_TRUE(parent.Of(WM_NOTIFY).empty()) << "the program's selection is not announced";
    tabs.SelectTab(u"Digital 1");
    EXPECT_EQ(tabs.Selection(), 2) << "a tab found by its label";
    try {
        tabs.SelectTab(u"Digital 2");
        ADD_FAILURE() << "no such tab";
    } catch (const std::out_of_range& e) {
        EXPECT_NE(std::string(e.what()).find("has no tab \"Digital 2\"\nwhat the window holds:\n"),
                  std::string::npos)
            << e.what();
        EXPECT_NE(std::string(e.what()).find("tabs \"Analog 1\" \"Analog 2\" *\"Digital 1\""),
                  std::string::npos)
            << "the labels, the selected one starred: " << e.what();
    }
}

TEST_F(Controls, TabsWiderThanTheControlScrollWithTheArrowsAndIntoViewWhenSelected) {
    ControlUser tabs(parent.AddChild(WC_TABCONTROLW, u"", WS_TABSTOP, 201, 10, 10, 400, 200));
    const auto add = [&](const char16_t* label) {
        TCITEMW item;
        item.mask = TCIF_TEXT;
        item.pszText = const_cast<LPWSTR>(label);
        SendMessageW(tabs.Handle(), TCM_INSERTITEMW, static_cast<WPARAM>(tabs.TabLabels().size()),
                     reinterpret_cast<LPARAM>(&item));
    };
    const auto scroller = [&] { return GetWindow(tabs.Handle(), GW_CHILD); };
    add(u"Digital Output 1");
    add(u"Digital Output 2");
    EXPECT_EQ(scroller(), nullptr) << "the tabs fit";
    for (const char16_t* label : {u"Digital Output 3", u"Digital Output 4", u"Digital Output 5"})
        add(label);
    ASSERT_NE(scroller(), nullptr);
    ControlUser arrows(scroller());
    EXPECT_TRUE(arrows.IsVisible());
    const auto tabRect = [&](int index) {
        RECT r{};
        SendMessageW(tabs.Handle(), TCM_GETITEMRECT, static_cast<WPARAM>(index),
                     reinterpret_cast<LPARAM>(&r));
        return r;
    };
    const LONG arrowsLeft = arrows.RectIn(tabs.Handle()).left;
    EXPECT_GT(tabRect(4).right, arrowsLeft) << "the last tab lies beyond the arrows";

    arrows.Click();  // the right half: one tab on
    EXPECT_LT(tabRect(0).left, 0);
    EXPECT_EQ(tabRect(1).left, 2);
    EXPECT_TRUE(parent.Of(WM_NOTIFY).empty()) << "scrolling selects nothing";

    tabs.SelectTab(4);  // scrolls as far as it must, then clicks the tab
    EXPECT_EQ(tabs.Selection(), 4);
    EXPECT_LE(tabRect(4).right, arrowsLeft);
    tabs.SelectTab(0);
    EXPECT_EQ(tabs.Selection(), 0);
    EXPECT_EQ(tabRect(0).left, 2);

    SendMessageW(tabs.Handle(), TCM_SETCURSEL, 3, 0);  // the program's selection comes into view
    EXPECT_LE(tabRect(3).right, arrowsLeft);

    // The arrows point sideways, and right of them and under them, down to the page, nothing
    // but the row's face shows.
    const gdi::Image picture = arrows.Snapshot();
    for (const LONG left : {0, picture.width / 2}) {
        const RECT glyph = picture.Crop(RECT{left, 0, left + picture.width / 2, picture.height})
                               .BoundsOf(GetSysColor(COLOR_BTNTEXT));
        EXPECT_GT(RectHeight(glyph), RectWidth(glyph));
    }
    const RECT place = arrows.RectIn(tabs.Handle());
    const LONG width = RectWidth(tabs.ScreenRect());
    for (const RECT strip : {RECT{place.right, 0, width, place.bottom + 2},
                             RECT{place.left, place.bottom, width, place.bottom + 2}}) {
        EXPECT_EQ(tabs.Snapshot().Crop(strip).Count(GetSysColor(COLOR_BTNFACE)),
                  RectWidth(strip) * RectHeight(strip));
    }
    SendMessageW(tabs.Handle(), TCM_DELETEALLITEMS, 0, 0);
    EXPECT_EQ(scroller(), nullptr);
}

TEST_F(Controls, UpDownAsksBeforeEachStepAndStaysInItsRange) {
    const HWND buddy = parent.AddChild(u"Edit", u"", WS_BORDER, 207, 10, 10, 60, 21);
    ControlUser arrows(parent.AddChild(
        UPDOWN_CLASSW, u"", UDS_AUTOBUDDY | UDS_ALIGNRIGHT | UDS_ARROWKEYS, 208, 0, 0, 15, 20));
    EXPECT_EQ(reinterpret_cast<HWND>(SendMessageW(arrows.Handle(), UDM_GETBUDDY, 0, 0)), buddy);
    RECT edit;
    GetWindowRect(buddy, &edit);
    EXPECT_EQ(arrows.ScreenRect().top, edit.top) << "aligned to the right of its buddy";
    EXPECT_EQ(arrows.ScreenRect().left, edit.right - 2);
    SendMessageW(arrows.Handle(), UDM_SETRANGE32, static_cast<WPARAM>(-100), 100);
    SendMessageW(arrows.Handle(), UDM_SETPOS32, 0, 99);
    arrows.ClickUpArrow();
    ASSERT_EQ(parent.Of(WM_NOTIFY).size(), 1u);
    EXPECT_EQ(parent.Of(WM_NOTIFY)[0].position, 99);
    EXPECT_EQ(parent.Of(WM_NOTIFY)[0].delta, 1);
    EXPECT_EQ(arrows.Position(), 100);
    EXPECT_EQ(parent.Of(WM_VSCROLL).front().code, SB_THUMBPOSITION);
    arrows.ClickUpArrow();
    EXPECT_EQ(parent.Of(WM_NOTIFY).size(), 2u) << "asked even at the end of the range";
    EXPECT_EQ(arrows.Position(), 100);
    parent.Clear();
    parent.notifyAnswers[UDN_DELTAPOS] = TRUE;
    arrows.ClickDownArrow();
    EXPECT_EQ(parent.Of(WM_NOTIFY)[0].delta, -1);
    EXPECT_EQ(arrows.Position(), 100) << "the parent answered: the control does not step";
    ASSERT_EQ(parent.Of(WM_VSCROLL).size(), 1u);
    EXPECT_EQ(parent.Of(WM_VSCROLL)[0].code, SB_ENDSCROLL) << "only the end of the press";
    EXPECT_EQ(SendMessageW(arrows.Handle(), UDM_SETPOS32, 0, 500), 100);
    EXPECT_EQ(arrows.Position(), 100) << "positions are kept inside the range";
}

TEST_F(Controls, SliderMovesItselfThenTellsTheParent) {
    ControlUser slider(
        parent.AddChild(TRACKBAR_CLASSW, u"", TBS_AUTOTICKS | WS_TABSTOP, 205, 10, 10, 165, 33));
    SendMessageW(slider.Handle(), TBM_SETRANGE, TRUE, MAKELPARAM(-100, 100));
    SendMessageW(slider.Handle(), TBM_SETTICFREQ, 10, 0);
    SendMessageW(slider.Handle(), TBM_SETPAGESIZE, 0, 10);
    EXPECT_EQ(slider.Range(), std::make_pair(-100, 100));
    EXPECT_EQ(slider.TickCount(), 21);
    EXPECT_EQ(slider.PageSize(), 10);
    int seenInHandler = 999;
    parent.onMessage = [&](UINT message, WPARAM, LPARAM) {
        if (message == WM_HSCROLL)
            seenInHandler = slider.Position();
    };
    slider.DragSliderTo(73);
    EXPECT_EQ(slider.Position(), 73);
    EXPECT_EQ(seenInHandler, 73) << "the parent reads the new position";
    const auto scrolls = parent.Of(WM_HSCROLL);
    ASSERT_FALSE(scrolls.empty());
    EXPECT_EQ(scrolls.back().code, TB_ENDTRACK);
    bool thumbTracked = false;
    for (const Received& r : scrolls)
        thumbTracked = thumbTracked || r.code == TB_THUMBTRACK;
    EXPECT_TRUE(thumbTracked);
    slider.DragSliderTo(500);
    EXPECT_EQ(slider.Position(), 100);
}

TEST_F(Controls, ControlsAskTheirParentForColoursAndUseTheBrush) {
    const HBRUSH green = CreateSolidBrush(RGB(0, 128, 0));
    parent.colourAnswer = green;
    ControlUser label(parent.AddChild(u"Static", u"", SS_LEFT, 257, 10, 10, 40, 15));
    const gdi::Image picture = label.Snapshot();
    ASSERT_FALSE(parent.colourRequests.empty());
    EXPECT_EQ(parent.colourRequests.back(), label.Handle());
    EXPECT_EQ(picture.At(20, 7), RGB(0, 128, 0));
    parent.colourAnswer = nullptr;
    InvalidateRect(label.Handle(), nullptr, TRUE);
    EXPECT_EQ(label.Snapshot().At(20, 7), GetSysColor(COLOR_BTNFACE)) << "defaults without one";
    DestroyWindow(label.Handle());
    DeleteObject(green);
}

}  // namespace
