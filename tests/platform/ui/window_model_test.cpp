// The window model: the tree and its messages, visibility, enabling, geometry, z-order,
// focus, capture, painting of visible windows only, timers on the virtual clock and the
// mouse input the system delivers.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/ui/headless.h"
#include "platform/ui/user.h"
#include "tests/platform/ui/recording_window.h"

namespace {

using ui_test::RecordingWindow;

std::vector<std::pair<HWND, UINT>> g_log;

LRESULT LoggingProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DESTROY || message == WM_NCDESTROY || message == WM_SETFOCUS ||
        message == WM_KILLFOCUS || message == WM_TIMER || message == WM_MOUSEMOVE ||
        message == WM_MOUSELEAVE || message == WM_LBUTTONDOWN || message == WM_ENABLE ||
        message == WM_SHOWWINDOW || message == WM_CAPTURECHANGED) {
        g_log.emplace_back(window, message);
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

void RegisterLogging() {
    static const bool done = [] {
        WNDCLASSEXW c;
        c.lpszClassName = u"TarvelLogging";
        c.lpfnWndProc = LoggingProcedure;
        return RegisterClassExW(&c) != 0;
    }();
    ASSERT_TRUE(done);
}

HWND Child(HWND parent, int id, int x, int y, int w, int h, DWORD style = WS_VISIBLE) {
    return CreateWindowExW(0, u"TarvelLogging", u"", WS_CHILD | style, x, y, w, h, parent,
                           reinterpret_cast<HMENU>(static_cast<std::intptr_t>(id)), nullptr,
                           nullptr);
}

std::vector<UINT> MessagesOf(HWND window) {
    std::vector<UINT> out;
    for (const auto& [w, m] : g_log) {
        if (w == window)
            out.push_back(m);
    }
    return out;
}

class WindowModel : public ::testing::Test {
protected:
    void SetUp() override {
        RegisterLogging();
        g_log.clear();
    }
    RecordingWindow top{100, 50, 400, 300};
};

TEST_F(WindowModel, DestroyingAParentDestroysItsChildrenInWindowsOrder) {
    const HWND parent = Child(top.Handle(), 10, 0, 0, 100, 100);
    const HWND child = Child(parent, 11, 0, 0, 10, 10);
    ASSERT_TRUE(IsWindow(child));
    g_log.clear();
    EXPECT_TRUE(DestroyWindow(parent));
    const std::vector<std::pair<HWND, UINT>> expected{
        {parent, WM_DESTROY}, {child, WM_DESTROY}, {child, WM_NCDESTROY}, {parent, WM_NCDESTROY}};
    EXPECT_EQ(g_log, expected);
    EXPECT_FALSE(IsWindow(child));
    EXPECT_FALSE(IsWindow(parent));
    EXPECT_EQ(GetDlgItem(top.Handle(), 10), nullptr);
    EXPECT_FALSE(DestroyWindow(parent)) << "a handle never comes back to life";
}

TEST_F(WindowModel, UnknownClassesAndMissingParentsMakeNoWindow) {
    EXPECT_EQ(CreateWindowExW(0, u"NoSuchClass", u"", WS_CHILD, 0, 0, 1, 1, top.Handle(), nullptr,
                              nullptr, nullptr),
              nullptr);
    EXPECT_EQ(CreateWindowExW(0, u"Static", u"", WS_CHILD, 0, 0, 1, 1, nullptr, nullptr, nullptr,
                              nullptr),
              nullptr);
    EXPECT_NE(CreateWindowExW(0, u"static", u"", WS_CHILD, 0, 0, 1, 1, top.Handle(), nullptr,
                              nullptr, nullptr),
              nullptr)
        << "class names ignore case";
}

TEST_F(WindowModel, AClassInUseStaysRegisteredUnderAnySpellingOfItsName) {
    const HWND window = Child(top.Handle(), 13, 0, 0, 10, 10);
    EXPECT_EQ(ui::CountWindowsOfClass(u"tarvellogging"), 1u);
    EXPECT_FALSE(UnregisterClassW(u"tarvellogging", nullptr)) << "its window still uses it";
    char16_t name[32] = {};
    GetClassNameW(window, name, 32);
    EXPECT_EQ(std::u16string(name), u"TarvelLogging");
    DestroyWindow(window);
}

TEST_F(WindowModel, PopUpsAreOwnedByTheTopLevelWindowOfTheirParent) {
    auto popUp = [](HWND parent) {
        return CreateWindowExW(0, u"TarvelLogging", u"", WS_POPUP, 0, 0, 10, 10, parent, nullptr,
                               nullptr, nullptr);
    };
    const HWND owned = popUp(Child(top.Handle(), 12, 0, 0, 10, 10));
    EXPECT_EQ(GetWindow(owned, GW_OWNER), top.Handle());
    const HWND free = popUp(GetDesktopWindow());
    EXPECT_EQ(GetWindow(free, GW_OWNER), nullptr) << "the desktop owns no window";
    DestroyWindow(owned);
    DestroyWindow(free);
}

TEST_F(WindowModel, ChildrenKeepCreationOrderAsTabOrderAndCanBeRestacked) {
    const HWND a = Child(top.Handle(), 1, 0, 0, 10, 10);
    const HWND b = Child(top.Handle(), 2, 0, 0, 10, 10);
    const HWND c = Child(top.Handle(), 3, 0, 0, 10, 10);
    EXPECT_EQ(GetWindow(top.Handle(), GW_CHILD), a);
    EXPECT_EQ(GetWindow(a, GW_HWNDNEXT), b);
    EXPECT_EQ(GetWindow(b, GW_HWNDPREV), a);
    SetWindowPos(c, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    SetWindowPos(a, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    EXPECT_EQ(GetWindow(top.Handle(), GW_CHILD), c);
    EXPECT_EQ(GetWindow(c, GW_HWNDNEXT), b);
    EXPECT_EQ(GetWindow(b, GW_HWNDNEXT), a);
    RECT r;
    GetWindowRect(a, &r);
    EXPECT_EQ(r, (RECT{100, 50, 110, 60})) << "restacking keeps the rectangle";
}

TEST_F(WindowModel, VisibilityFollowsTheAncestorsAndIsNotified) {
    const HWND pane = Child(top.Handle(), 1, 0, 0, 100, 100);
    const HWND label = Child(pane, 2, 0, 0, 10, 10);
    EXPECT_TRUE(IsWindowVisible(label));
    EXPECT_TRUE(ShowWindow(pane, SW_HIDE)) << "it was visible";
    EXPECT_FALSE(IsWindowVisible(label));
    EXPECT_NE(GetWindowLongPtrW(label, GWL_STYLE) & WS_VISIBLE, 0) << "its own flag stays";
    EXPECT_FALSE(ShowWindow(pane, SW_SHOW)) << "it was hidden";
    EXPECT_TRUE(IsWindowVisible(label));
    EXPECT_EQ(MessagesOf(pane), (std::vector<UINT>{WM_SHOWWINDOW, WM_SHOWWINDOW}));
}

TEST_F(WindowModel, DisablingNotifiesTakesTheFocusAwayAndReportsThePreviousState) {
    const HWND control = Child(top.Handle(), 1, 0, 0, 10, 10);
    SetFocus(control);
    ASSERT_EQ(GetFocus(), control);
    EXPECT_FALSE(EnableWindow(control, FALSE)) << "it was enabled";
    EXPECT_FALSE(IsWindowEnabled(control));
    EXPECT_EQ(GetFocus(), nullptr);
    EXPECT_TRUE(EnableWindow(control, FALSE)) << "already disabled: no second WM_ENABLE";
    EXPECT_EQ(SetFocus(control), nullptr) << "a disabled window takes no focus";
    EXPECT_NE(GetFocus(), control);
    EXPECT_TRUE(EnableWindow(control, TRUE));
    std::size_t enables = 0;
    for (UINT m : MessagesOf(control))
        enables += m == WM_ENABLE;
    EXPECT_EQ(enables, 2u);
}

TEST_F(WindowModel, RectanglesMapBetweenClientScreenAndParent) {
    const HWND bordered =
        CreateWindowExW(WS_EX_CLIENTEDGE, u"TarvelLogging", u"", WS_CHILD | WS_VISIBLE | WS_BORDER,
                        20, 30, 50, 40, top.Handle(), nullptr, nullptr, nullptr);
    RECT window;
    RECT client;
    GetWindowRect(bordered, &window);
    GetClientRect(bordered, &client);
    EXPECT_EQ(window, (RECT{120, 80, 170, 120}));
    EXPECT_EQ(client, (RECT{0, 0, 50 - 6, 40 - 6})) << "1-pixel border and a 2-pixel edge";
    POINT p{0, 0};
    ClientToScreen(bordered, &p);
    EXPECT_EQ(p, (POINT{123, 83}));
    POINT q{123, 83};
    MapWindowPoints(nullptr, top.Handle(), &q, 1);
    EXPECT_EQ(q, (POINT{23, 33}));
    MoveWindow(bordered, 5, 6, 7, 8, TRUE);
    GetWindowRect(bordered, &window);
    EXPECT_EQ(window, (RECT{105, 56, 112, 64}));
}

TEST_F(WindowModel, FocusMovesWithKillAndSetFocusNotifications) {
    const HWND a = Child(top.Handle(), 1, 0, 0, 10, 10);
    const HWND b = Child(top.Handle(), 2, 0, 0, 10, 10);
    SetFocus(a);
    g_log.clear();
    EXPECT_EQ(SetFocus(b), a);
    const std::vector<std::pair<HWND, UINT>> expected{{a, WM_KILLFOCUS}, {b, WM_SETFOCUS}};
    EXPECT_EQ(g_log, expected);
    EXPECT_EQ(GetActiveWindow(), top.Handle()) << "focus activates the top-level window";
    DestroyWindow(b);
    EXPECT_EQ(GetFocus(), nullptr) << "the focus does not outlive its window";
}

TEST_F(WindowModel, OnlyVisibleWindowsArePainted) {
    const HWND shown = Child(top.Handle(), 1, 0, 0, 10, 10);
    const HWND hidden = Child(top.Handle(), 2, 0, 0, 10, 10, 0);
    ui::PumpMessages();
    const int shownBefore = ui::PaintCount(shown);
    EXPECT_GE(shownBefore, 1);
    EXPECT_EQ(ui::PaintCount(hidden), 0);
    InvalidateRect(shown, nullptr, TRUE);
    InvalidateRect(hidden, nullptr, TRUE);
    ui::PumpMessages();
    EXPECT_EQ(ui::PaintCount(shown), shownBefore + 1);
    EXPECT_EQ(ui::PaintCount(hidden), 0);
    ShowWindow(hidden, SW_SHOW);
    ui::PumpMessages();
    EXPECT_EQ(ui::PaintCount(hidden), 1);
}

TEST_F(WindowModel, TimersTickOnTheVirtualClockOnlyWhileTheyLive) {
    const HWND window = Child(top.Handle(), 1, 0, 0, 10, 10);
    const DWORD start = GetTickCount();
    EXPECT_EQ(SetTimer(window, 7, 500, nullptr), 7u);
    ui::AdvanceClock(499);
    EXPECT_TRUE(MessagesOf(window).empty());
    ui::AdvanceClock(1);
    EXPECT_EQ(MessagesOf(window).size(), 1u);
    ui::AdvanceClock(1000);
    EXPECT_EQ(MessagesOf(window).size(), 3u) << "one tick per elapsed interval";
    EXPECT_EQ(GetTickCount() - start, 1500u);
    SetTimer(window, 7, 100, nullptr);  // re-arming restarts the interval
    ui::AdvanceClock(50);
    EXPECT_TRUE(KillTimer(window, 7));
    EXPECT_FALSE(KillTimer(window, 7));
    ui::AdvanceClock(1000);
    EXPECT_EQ(MessagesOf(window).size(), 3u);
    SetTimer(window, 8, 100, nullptr);
    DestroyWindow(window);
    EXPECT_FALSE(ui::HasTimer(window, 8)) << "a destroyed window's timers go with it";
}

TEST_F(WindowModel, MouseGoesToTheWindowUnderItOrTheCaptureAndLeavesAreTracked) {
    const HWND left = Child(top.Handle(), 1, 0, 0, 50, 50);
    const HWND right = Child(top.Handle(), 2, 100, 0, 50, 50);
    const HWND disabled = Child(top.Handle(), 3, 200, 0, 50, 50, WS_VISIBLE | WS_DISABLED);
    ui::MouseMove(POINT{110, 60});  // inside `left` (top is at 100, 50)
    TRACKMOUSEEVENT track;
    track.dwFlags = TME_LEAVE;
    track.hwndTrack = left;
    TrackMouseEvent(&track);
    ui::MouseMove(POINT{210, 60});  // onto `right`
    EXPECT_EQ(MessagesOf(left), (std::vector<UINT>{WM_MOUSEMOVE, WM_MOUSELEAVE}));
    EXPECT_EQ(MessagesOf(right), (std::vector<UINT>{WM_MOUSEMOVE}));
    ui::MouseMove(POINT{310, 60});  // onto the disabled one: its parent gets the mouse
    EXPECT_TRUE(MessagesOf(disabled).empty());
    SetCapture(right);
    ui::MouseMove(POINT{110, 60});
    EXPECT_EQ(MessagesOf(right).back(), static_cast<UINT>(WM_MOUSEMOVE));
    EXPECT_TRUE(MessagesOf(left).size() == 2) << "the capture takes the mouse";
    ReleaseCapture();
    EXPECT_EQ(MessagesOf(right).back(), static_cast<UINT>(WM_CAPTURECHANGED));
}

TEST_F(WindowModel, TrackingALeaveWhileOutsideAnnouncesItAtOnce) {
    const HWND window = Child(top.Handle(), 1, 0, 0, 50, 50);
    ui::MouseMove(POINT{0, 0});
    TRACKMOUSEEVENT track;
    track.dwFlags = TME_LEAVE;
    track.hwndTrack = window;
    TrackMouseEvent(&track);
    ui::PumpMessages();
    EXPECT_EQ(MessagesOf(window), (std::vector<UINT>{WM_MOUSELEAVE}));
}

TEST_F(WindowModel, PostedMessagesWaitForThePump) {
    const HWND window = Child(top.Handle(), 1, 0, 0, 10, 10);
    ASSERT_TRUE(PostMessageW(window, WM_TIMER, 1, 0));
    EXPECT_TRUE(MessagesOf(window).empty());
    ui::PumpMessages();
    EXPECT_EQ(MessagesOf(window), (std::vector<UINT>{WM_TIMER}));
    PostMessageW(window, WM_TIMER, 1, 0);
    DestroyWindow(window);
    ui::PumpMessages();  // a message for a destroyed window is dropped
    EXPECT_FALSE(PostMessageW(window, WM_TIMER, 1, 0));
}

TEST(Screen, MonitorsGiveTheirWorkAreaToTheNearestPoint) {
    const auto saved = ui::Monitors();
    ui::SetMonitors({ui::Monitor{RECT{0, 0, 800, 600}, RECT{0, 0, 800, 560}},
                     ui::Monitor{RECT{800, 0, 1600, 600}, RECT{800, 0, 1600, 600}}});
    MONITORINFO info;
    ASSERT_TRUE(
        GetMonitorInfoW(MonitorFromPoint(POINT{2000, 10}, MONITOR_DEFAULTTONEAREST), &info));
    EXPECT_EQ(info.rcWork, (RECT{800, 0, 1600, 600}));
    EXPECT_EQ(MonitorFromPoint(POINT{2000, 10}, MONITOR_DEFAULTTONULL), nullptr);
    ASSERT_TRUE(GetMonitorInfoW(MonitorFromPoint(POINT{10, 10}, MONITOR_DEFAULTTONULL), &info));
    EXPECT_EQ(info.rcWork, (RECT{0, 0, 800, 560}));
    EXPECT_EQ(info.dwFlags, MONITORINFOF_PRIMARY);
    ui::SetMonitors(saved);
}

TEST(Arithmetic, MulDivRoundsHalfAwayFromZero) {
    EXPECT_EQ(MulDiv(499, 6, 4), 749);  // 748.5
    EXPECT_EQ(MulDiv(-499, 6, 4), -749);
    EXPECT_EQ(MulDiv(246, 13, 8), 400);  // 399.75
    EXPECT_EQ(MulDiv(5, 1, 0), -1);
}

}  // namespace
