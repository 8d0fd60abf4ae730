// What controls paint: the tab control rendered into a bitmap for a pattern brush (as the
// setup dialog's panes use it), colour requests that make text backgrounds transparent,
// ticked and disabled looks, and repainting with new system colours.
#include <gtest/gtest.h>

#include "platform/gdi/gdi.h"
#include "platform/gdi/image.h"
#include "platform/theme/theme_service.h"
#include "platform/ui/headless.h"
#include "platform/ui/window_user.h"
#include "tests/platform/gdi/memory_canvas.h"
#include "tests/platform/ui/recording_window.h"

namespace {

using ui::ControlUser;
using ui_test::RecordingWindow;

class Painting : public ::testing::Test {
protected:
    RecordingWindow parent{50, 50, 500, 300};
};

// Renders a window with WM_PRINT (frame, background and client) into a new bitmap.
HBITMAP Print(HWND window) {
    RECT r;
    GetWindowRect(window, &r);
    const HDC dc = CreateCompatibleDC(nullptr);
    const HBITMAP bitmap = CreateCompatibleBitmap(dc, RectWidth(r), RectHeight(r));
    const HGDIOBJ old = SelectObject(dc, bitmap);
    SendMessageW(window, WM_PRINT, reinterpret_cast<WPARAM>(dc),
                 PRF_NONCLIENT | PRF_CLIENT | PRF_ERASEBKGND);
    SelectObject(dc, old);
    DeleteDC(dc);
    return bitmap;
}

TEST_F(Painting, ATabControlPrintedIntoABitmapMakesABrushThatMatchesItsPage) {
    theme::SetMode(theme::Mode::Themed);
    const HWND tabs = parent.AddChild(WC_TABCONTROLW, u"", 0, 201, 10, 10, 300, 200);
    TCITEMW item;
    item.mask = TCIF_TEXT;
    item.pszText = const_cast<LPWSTR>(u"Analog Output 1");
    SendMessageW(tabs, TCM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
    const HBITMAP printed = Print(tabs);
    const gdi::Image page = gdi::ImageOf(printed);
    EXPECT_EQ(page.At(150, 100), theme::PartColour(u"TAB", 10, 0)) << "the themed page";
    EXPECT_EQ(page.At(150, 100), ControlUser(tabs).Snapshot().At(150, 100));

    // A pane at (20, 40) of the tab control fills itself with the brush, its origin moved
    // back by the pane's place on the page.
    const HBRUSH brush = CreatePatternBrush(printed);
    {
        gdi_test::Canvas pane(50, 30);
        SetBrushOrgEx(pane.Dc(), -20, -40, nullptr);
        RECT all{0, 0, 50, 30};
        FillRect(pane.Dc(), &all, brush);
        const gdi::Image filled = pane.Image();
        for (int y = 0; y < 30; y += 5) {
            for (int x = 0; x < 50; x += 5)
                ASSERT_EQ(filled.At(x, y), page.At(20 + x, 40 + y));
        }
    }
    DeleteObject(brush);
    DeleteObject(printed);
    theme::SetMode(theme::Mode::Unthemed);
    EXPECT_EQ(ControlUser(tabs).Snapshot().At(150, 100), GetSysColor(COLOR_BTNFACE))
        << "classic pages are face-coloured";
}

// A window keeps what it drew where its old and new sizes overlap, whichever way each side
// changed; what is new is white until painted.
TEST(WindowSurface, AResizedWindowKeepsItsPictureWhereTheSizesOverlap) {
    constexpr int kWidth = 6;
    constexpr int kHeight = 4;
    const SIZE sizes[] = {{kWidth, kHeight},
                          {9, kHeight},
                          {kWidth, 7},
                          {3, kHeight},
                          {kWidth, 2},
                          {9, 7},
                          {3, 2},
                          {9, 2},
                          {3, 7}};
    for (const SIZE& size : sizes) {
        RecordingWindow window(0, 0, kWidth, kHeight);
        const HDC dc = GetWindowDC(window.Handle());
        for (int y = 0; y < kHeight; ++y) {
            for (int x = 0; x < kWidth; ++x)
                SetPixel(dc, x, y, RGB(x, y, 7));
        }
        ReleaseDC(window.Handle(), dc);
        MoveWindow(window.Handle(), 0, 0, size.cx, size.cy, FALSE);

        gdi_test::Canvas seen(size.cx, size.cy);
        const HDC surface = GetWindowDC(window.Handle());
        BitBlt(seen.Dc(), 0, 0, size.cx, size.cy, surface, 0, 0, SRCCOPY);
        ReleaseDC(window.Handle(), surface);
        const gdi::Image image = seen.Image();
        for (int y = 0; y < size.cy; ++y) {
            for (int x = 0; x < size.cx; ++x) {
                const bool kept = x < kWidth && y < kHeight;
                ASSERT_EQ(image.At(x, y), kept ? RGB(x, y, 7) : RGB(255, 255, 255))
                    << "at " << x << ", " << y << " of " << size.cx << " x " << size.cy;
            }
        }
    }
}

TEST_F(Painting, ATransparentAnswerLetsThePatternShowBehindTheText) {
    const HBRUSH hatch = CreateSolidBrush(RGB(10, 200, 10));
    parent.colourAnswer = hatch;
    ControlUser label(parent.AddChild(u"Static", u"When", SS_LEFT, 252, 10, 10, 60, 15));
    ControlUser box(parent.AddChild(u"Button", u"Generate", BS_AUTOCHECKBOX, 216, 10, 40, 120, 15));
    const gdi::Image text = label.Snapshot();
    EXPECT_EQ(text.Count(RGB(255, 255, 255)), 0) << "no opaque text cells";
    EXPECT_GT(text.Count(RGB(10, 200, 10)), 0);
    EXPECT_GT(text.Count(RGB(0, 0, 0)), 0) << "the text itself";
    EXPECT_EQ(box.Snapshot().At(110, 7), RGB(10, 200, 10)) << "beside a check box's text";
    parent.colourAnswer = nullptr;
    DeleteObject(hatch);
}

TEST_F(Painting, ATickedBoxAndDisabledTextLookTheirPart) {
    ControlUser box(parent.AddChild(u"Button", u"Limited", BS_AUTOCHECKBOX, 218, 10, 10, 120, 15));
    const int inkBefore = box.Snapshot().Crop(RECT{0, 0, 13, 15}).Count(RGB(0, 0, 0));
    box.Click();
    const int inkAfter = box.Snapshot().Crop(RECT{0, 0, 13, 15}).Count(RGB(0, 0, 0));
    EXPECT_GT(inkAfter, inkBefore) << "the tick";
    ControlUser label(
        parent.AddChild(u"Static", u"Delay pulse for:", SS_LEFT, 254, 10, 40, 120, 15));
    EnableWindow(label.Handle(), FALSE);
    const gdi::Image grey = label.Snapshot();
    EXPECT_GT(grey.Count(GetSysColor(COLOR_GRAYTEXT)), 0);
    EXPECT_EQ(grey.Count(RGB(0, 0, 0)), 0);
}

TEST_F(Painting, NewSystemColoursAreAnnouncedAndPaintedWith) {
    ControlUser label(parent.AddChild(u"Static", u"", SS_LEFT, 254, 10, 40, 120, 15));
    EXPECT_EQ(label.Snapshot().At(5, 5), GetSysColor(COLOR_BTNFACE));
    const COLORREF old = GetSysColor(COLOR_BTNFACE);
    const int index = COLOR_BTNFACE;
    const COLORREF pink = RGB(250, 200, 210);
    int changes = 0;
    parent.onMessage = [&](UINT message, WPARAM, LPARAM) {
        changes += message == WM_SYSCOLORCHANGE;
    };
    SetSysColors(1, &index, &pink);
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(label.Snapshot().At(5, 5), pink);
    SetSysColors(1, &index, &old);
    parent.onMessage = nullptr;
}

TEST_F(Painting, AFocusedEditHighlightsItsSelection) {
    ControlUser edit(parent.AddChild(u"Edit", u"", WS_BORDER, 220, 10, 10, 80, 21));
    edit.Type(u"123");
    SendMessageW(edit.Handle(), EM_SETSEL, 0, -1);
    const gdi::Image selected = edit.Snapshot();
    EXPECT_GT(selected.Count(GetSysColor(COLOR_HIGHLIGHT)), 0);
    edit.PressKey(VK_END);
    EXPECT_EQ(edit.Snapshot().Count(GetSysColor(COLOR_HIGHLIGHT)), 0);
}

}  // namespace
