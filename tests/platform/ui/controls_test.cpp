// The standard controls through the user's actions: what each keeps, and what it tells its
// parent (clicks, edit changes and focus loss, selections, tab changes that the parent may
// refuse, up-down steps that the parent may answer, slider scrolls, colour requests).
#include <gtest/gtest.h>

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
    // The text is drawn a pixel inside the border on each side, 6 pixels a character.
    struct Case {
        DWORD style;
        int width;
        std::u16string typed;
        std::u16string kept;
    };
    const Case cases[] = {
        {0, 60, u"0.00012345", u"0.0001234"},  // 56 pixels: 9 characters
        {0, 33, u"123456", u"1234"},           // 29 pixels: 4
        {ES_AUTOHSCROLL, 60, u"-0.0001234567", u"-0.0001234567"},
    };
    for (const Case& c : cases) {
        ControlUser edit(
            parent.AddChild(u"Edit", u"", WS_BORDER | c.style, 220, 10, 10, c.width, 21));
        const int beeps = ui::BeepCount();
        edit.Type(c.typed);
        EXPECT_EQ(edit.Text(), c.kept);
        EXPECT_EQ(ui::BeepCount() - beeps, static_cast<int>(c.typed.size() - c.kept.size()));
        // A click near the left edge puts the caret before the first character shown.
        edit.MoveMouseTo(2, 10);
        ui::MouseDown(ui::MouseButton::Left);
        ui::MouseUp(ui::MouseButton::Left);
        DWORD caret = 99;
        SendMessageW(edit.Handle(), EM_GETSEL, reinterpret_cast<WPARAM>(&caret), 0);
        EXPECT_EQ(caret, c.style == 0 ? 0u : 4u) << "the scrolled edit shows its end";
        SendMessageW(edit.Handle(), EM_SETSEL, 0, -1);
        SendMessageW(edit.Handle(), EM_REPLACESEL, 0, reinterpret_cast<LPARAM>(c.typed.c_str()));
        EXPECT_EQ(edit.Text(), c.kept) << "pasted as typed";
        DestroyWindow(edit.Handle());
    }
}

TEST_F(Controls, ADoubleClickSelectsTheWordUnderTheMouse) {
    ControlUser edit(parent.AddChild(u"Edit", u"2.5 V  here", WS_BORDER, 220, 10, 10, 90, 21));
    struct Case {
        int x;  // 6 pixels a character, from 1
        DWORD from;
        DWORD to;
    };
    for (const Case& c :
         {Case{4, 0, 3}, Case{20, 3, 4}, Case{27, 4, 5}, Case{34, 5, 7}, Case{85, 7, 11}}) {
        edit.MoveMouseTo(c.x, 10);
        ui::MouseDoubleClick(ui::MouseButton::Left);
        DWORD from = 99;
        DWORD to = 99;
        SendMessageW(edit.Handle(), EM_GETSEL, reinterpret_cast<WPARAM>(&from),
                     reinterpret_cast<LPARAM>(&to));
        EXPECT_EQ(std::make_pair(from, to), std::make_pair(c.from, c.to)) << c.x;
    }
    EXPECT_TRUE(edit.HasFocus());
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
    ControlUser box(
        parent.AddChild(u"ComboBox", u"", CBS_DROPDOWNLIST | WS_TABSTOP, 204, 10, 10, 80, 300));
    for (int i = 1; i <= 40; ++i) {
        const std::u16string entry = u"Input " + text::ToUtf16(std::to_string(i));
        SendMessageW(box.Handle(), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry.c_str()));
    }
    SendMessageW(box.Handle(), CB_SETCURSEL, 0, 0);
    box.Click();
    const HWND list = ui::TopLevelWindows().front();
    ASSERT_EQ(ControlUser(list).ClassName(), u"ComboLBox");
    const auto top = [&] { return static_cast<int>(SendMessageW(list, LB_GETTOPINDEX, 0, 0)); };
    const auto entryOnScreen = [&](int index) {
        RECT r{};
        SendMessageW(list, LB_GETITEMRECT, static_cast<WPARAM>(index),
                     reinterpret_cast<LPARAM>(&r));
        MapWindowPoints(list, nullptr, reinterpret_cast<POINT*>(&r), 2);
        return r;
    };
    RECT shown{};
    GetWindowRect(list, &shown);
    EXPECT_EQ(RectHeight(shown), 30 * 15 + 2) << "30 entries at most";
    EXPECT_GT(entryOnScreen(35).top, shown.bottom);

    ui::MouseMove(POINT{shown.left + 20, shown.top + 20});
    ui::MouseWheel(-3 * WHEEL_DELTA);  // three notches back: nine entries on
    EXPECT_EQ(top(), 9);
    ui::MouseWheel(-3 * WHEEL_DELTA);
    EXPECT_EQ(top(), 10) << "no further than the last entry";
    ui::MouseWheel(WHEEL_DELTA);
    EXPECT_EQ(top(), 7);
    // The bar's down arrow at its bottom end, a click on the track above its thumb.
    ui::MouseMove(POINT{shown.right - 5, shown.bottom - 5});
    ui::MouseDown(ui::MouseButton::Left);
    ui::MouseUp(ui::MouseButton::Left);
    EXPECT_EQ(top(), 8);
    ui::MouseMove(POINT{shown.right - 5, shown.top + 20});
    ui::MouseDown(ui::MouseButton::Left);
    ui::MouseUp(ui::MouseButton::Left);
    EXPECT_EQ(top(), 0) << "a page back";
    ui::MouseWheel(-2 * WHEEL_DELTA);
    const RECT entry = entryOnScreen(35);
    ASSERT_LT(entry.bottom, shown.bottom);
    ui::MouseMove(POINT{(entry.left + entry.right) / 2, (entry.top + entry.bottom) / 2});
    ui::MouseDown(ui::MouseButton::Left);
    ui::MouseUp(ui::MouseButton::Left);
    EXPECT_EQ(box.SelectedText(), u"Input 36");
    EXPECT_EQ(SendMessageW(box.Handle(), CB_GETDROPPEDSTATE, 0, 0), FALSE);

    box.PressKey(VK_F4);  // dropped again: the selection is in view, and the keys keep it there
    const HWND again = ui::TopLevelWindows().front();
    EXPECT_LE(SendMessageW(again, LB_GETTOPINDEX, 0, 0), 35);
    box.PressKey(VK_HOME);
    EXPECT_EQ(SendMessageW(again, LB_GETTOPINDEX, 0, 0), 0);
    box.PressKey(VK_END);
    EXPECT_EQ(SendMessageW(again, LB_GETTOPINDEX, 0, 0), 10);
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

    // What shows: the arrows point left and right, and beside them (and under them, down to
    // the page) no part of a tab, only the row's face.
    const COLORREF ink = GetSysColor(COLOR_BTNTEXT);
    const gdi::Image arrowsPicture = arrows.Snapshot();
    const int half = arrowsPicture.width / 2;
    for (const bool left : {true, false}) {
        const gdi::Image button = arrowsPicture.Crop(
            RECT{left ? 0 : half, 0, left ? half : arrowsPicture.width, arrowsPicture.height});
        const RECT glyph = button.BoundsOf(ink);
        const auto column = [&](LONG x) {
            return button.Crop(RECT{x, 0, x + 1, button.height}).Count(ink);
        };
        EXPECT_LT(column(left ? glyph.left : glyph.right - 1),
                  column(left ? glyph.right - 1 : glyph.left))
            << (left ? "the left arrow's tip is at its left"
                     : "the right arrow's tip is at its right");
    }
    const RECT row{arrowsLeft, 0, RectWidth(tabs.ScreenRect()),
                   arrows.RectIn(tabs.Handle()).bottom + 2};
    const RECT onArrows = arrows.RectIn(tabs.Handle());
    const gdi::Image beside = tabs.Snapshot().Crop(row);
    const COLORREF face = GetSysColor(COLOR_BTNFACE);
    int other = 0;
    for (int y = 0; y < beside.height; ++y) {
        for (int x = 0; x < beside.width; ++x) {
            const POINT p{row.left + x, row.top + y};
            other += !PtInRect(&onArrows, p) && beside.At(x, y) != face ? 1 : 0;
        }
    }
    EXPECT_EQ(other, 0) << "pixels of a tab beside the arrows";
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

    // With the arrow-keys style the buddy's Up and Down step as the arrows do, PgUp and PgDn
    // by the page step once there is one.
    parent.notifyAnswers.clear();
    SendMessageW(arrows.Handle(), UDM_SETPOS32, 0, 0);
    ControlUser keys(buddy);
    for (const auto& [key, delta] : {std::pair{VK_UP, 1}, {VK_DOWN, -1}, {VK_PRIOR, 0}}) {
        parent.Clear();
        keys.PressKey(key);
        ASSERT_EQ(parent.Of(WM_NOTIFY).size(), delta != 0 ? 1u : 0u) << key;
        EXPECT_TRUE(delta == 0 || parent.Of(WM_NOTIFY)[0].delta == delta) << key;
    }
    SendMessageW(arrows.Handle(), UDM_SETPAGESTEP, 10, 0);
    keys.PressKey(VK_NEXT);
    EXPECT_EQ(arrows.Position(), -10);
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
    // A notch of the wheel steps it as an arrow key does: forward as Up, one line left.
    parent.Clear();
    slider.Hover();
    ui::MouseWheel(WHEEL_DELTA);
    EXPECT_EQ(slider.Position(), 99);
    ui::MouseWheel(-2 * WHEEL_DELTA);
    EXPECT_EQ(slider.Position(), 100);
    ASSERT_EQ(parent.Of(WM_HSCROLL).size(), 4u);
    EXPECT_EQ(parent.Of(WM_HSCROLL)[0].code, TB_LINEUP);
    EXPECT_EQ(parent.Of(WM_HSCROLL)[1].code, TB_ENDTRACK);
    EXPECT_EQ(parent.Of(WM_HSCROLL)[2].code, TB_LINEDOWN);
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
