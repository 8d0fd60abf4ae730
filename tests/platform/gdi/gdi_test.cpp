// GDI over pixel buffers: what fills, transfers, text, focus rectangles and edges put where.
#include <gtest/gtest.h>

#include "platform/gdi/gdi.h"
#include "platform/gdi/glyphs.h"
#include "platform/gdi/image.h"
#include "platform/ui/user.h"
#include "tests/platform/gdi/memory_canvas.h"

namespace {

using gdi_test::Canvas;

constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kBlack = RGB(0, 0, 0);

TEST(Gdi, FillsClipToTheBitmapAndFollowTheViewport) {
    Canvas canvas(10, 10);
    const HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
    RECT r{-5, -5, 3, 3};
    FillRect(canvas.Dc(), &r, red);
    SetViewportOrgEx(canvas.Dc(), 5, 5, nullptr);
    RECT s{0, 0, 10, 10};
    FillRect(canvas.Dc(), &s, red);
    const gdi::Image image = canvas.Image();
    EXPECT_EQ(image.Count(RGB(255, 0, 0)), 9 + 25);
    EXPECT_EQ(image.At(4, 4), kWhite);
    EXPECT_EQ(image.At(9, 9), RGB(255, 0, 0));
    DeleteObject(red);
}

TEST(Gdi, PatternBrushesTileFromTheBrushOrigin) {
    Canvas pattern(2, 1);
    SetPixel(pattern.Dc(), 0, 0, kBlack);
    const HBRUSH brush = CreatePatternBrush(pattern.Bitmap());
    Canvas canvas(4, 1);
    RECT all{0, 0, 4, 1};
    FillRect(canvas.Dc(), &all, brush);
    EXPECT_EQ(canvas.Image().At(0, 0), kBlack);
    EXPECT_EQ(canvas.Image().At(1, 0), kWhite);
    SetBrushOrgEx(canvas.Dc(), 1, 0, nullptr);
    FillRect(canvas.Dc(), &all, brush);
    EXPECT_EQ(canvas.Image().At(0, 0), kWhite);
    EXPECT_EQ(canvas.Image().At(1, 0), kBlack);
    DeleteObject(brush);
}

// A pattern of 3 x 2 pixels tiles from the brush origin, in both directions and from origins
// on either side, for a pattern kept top-down and one kept bottom-up (a DIB section); the
// fill stays inside the clip.
TEST(Gdi, PatternBrushesTileRowsAndColumnsFromAnyOrigin) {
    const auto colourAt = [](int x, int y) { return RGB(10 * x + 1, 100 * y + 1, 7); };
    BITMAPINFO bottomUp{};
    bottomUp.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bottomUp.bmiHeader.biWidth = 3;
    bottomUp.bmiHeader.biHeight = 2;  // positive: rows from the bottom up
    bottomUp.bmiHeader.biPlanes = 1;
    bottomUp.bmiHeader.biBitCount = 32;
    bottomUp.bmiHeader.biCompression = BI_RGB;
    Canvas topDown(3, 2);
    const HBITMAP dib = CreateDIBSection(nullptr, &bottomUp, DIB_RGB_COLORS, nullptr, nullptr, 0);
    ASSERT_NE(dib, nullptr);
    const HDC dibDc = CreateCompatibleDC(nullptr);
    const HGDIOBJ old = SelectObject(dibDc, dib);
    for (int y = 0; y < 2; ++y) {
        for (int x = 0; x < 3; ++x) {
            SetPixel(topDown.Dc(), x, y, colourAt(x, y));
            SetPixel(dibDc, x, y, colourAt(x, y));
        }
    }
    SelectObject(dibDc, old);
    DeleteDC(dibDc);

    const POINT origins[] = {{0, 0}, {1, 0}, {0, 1}, {-4, 3}, {5, -7}};
    for (const HBITMAP pattern : {topDown.Bitmap(), dib}) {
        const HBRUSH brush = CreatePatternBrush(pattern);
        for (const POINT& origin : origins) {
            Canvas canvas(9, 6);
            SetBrushOrgEx(canvas.Dc(), origin.x, origin.y, nullptr);
            IntersectClipRect(canvas.Dc(), 1, 1, 8, 5);
            RECT all{-2, -2, 11, 8};
            FillRect(canvas.Dc(), &all, brush);
            const gdi::Image image = canvas.Image();
            for (int y = 0; y < 6; ++y) {
                for (int x = 0; x < 9; ++x) {
                    const bool inside = x >= 1 && x < 8 && y >= 1 && y < 5;
                    const int px = ((x - origin.x) % 3 + 3) % 3;
                    const int py = ((y - origin.y) % 2 + 2) % 2;
                    ASSERT_EQ(image.At(x, y), inside ? colourAt(px, py) : kWhite)
                        << "at " << x << ", " << y << " from " << origin.x << ", " << origin.y
                        << (pattern == dib ? " (bottom-up)" : "");
                }
            }
        }
        DeleteObject(brush);
    }
    DeleteObject(dib);
}

TEST(Gdi, TransparentBlitLeavesTheKeyColourOut) {
    Canvas glyph(3, 1);
    SetPixel(glyph.Dc(), 0, 0, RGB(192, 192, 192));
    SetPixel(glyph.Dc(), 1, 0, kBlack);
    SetPixel(glyph.Dc(), 2, 0, RGB(0, 0, 255));
    Canvas target(3, 1);
    const HBRUSH green = CreateSolidBrush(RGB(0, 255, 0));
    RECT all{0, 0, 3, 1};
    FillRect(target.Dc(), &all, green);
    TransparentBlt(target.Dc(), 0, 0, 3, 1, glyph.Dc(), 0, 0, 3, 1, RGB(192, 192, 192));
    EXPECT_EQ(target.Image().At(0, 0), RGB(0, 255, 0));
    EXPECT_EQ(target.Image().At(1, 0), kBlack);
    EXPECT_EQ(target.Image().At(2, 0), RGB(0, 0, 255));
    BitBlt(target.Dc(), 0, 0, 3, 1, glyph.Dc(), 0, 0, SRCCOPY);
    EXPECT_EQ(target.Image().At(0, 0), RGB(192, 192, 192));
    DeleteObject(green);
}

TEST(Gdi, MonochromeSourcesTakeTheTargetsTextAndBackgroundColours) {
    const BYTE bits[] = {0x80, 0x00};  // one row of 7 pixels: the first set (white)
    const HBITMAP mono = CreateBitmap(7, 1, 1, 1, bits);
    BITMAP info;
    GetObjectW(mono, sizeof info, &info);
    EXPECT_EQ(info.bmBitsPixel, 1);
    const HDC source = CreateCompatibleDC(nullptr);
    const HGDIOBJ old = SelectObject(source, mono);
    Canvas target(7, 1);
    SetTextColor(target.Dc(), RGB(1, 2, 3));
    SetBkColor(target.Dc(), RGB(4, 5, 6));
    BitBlt(target.Dc(), 0, 0, 7, 1, source, 0, 0, SRCCOPY);
    EXPECT_EQ(target.Image().At(0, 0), RGB(4, 5, 6));
    EXPECT_EQ(target.Image().At(1, 0), RGB(1, 2, 3));
    SelectObject(source, old);
    DeleteDC(source);
    EXPECT_TRUE(DeleteObject(mono));
}

TEST(Gdi, ABitmapSelectedIntoAContextCannotBeDeleted) {
    const HDC dc = CreateCompatibleDC(nullptr);
    const HBITMAP bitmap = CreateCompatibleBitmap(dc, 2, 2);
    const HGDIOBJ old = SelectObject(dc, bitmap);
    EXPECT_FALSE(DeleteObject(bitmap));
    const HDC other = CreateCompatibleDC(nullptr);
    EXPECT_EQ(SelectObject(other, bitmap), nullptr) << "one context at a time";
    SelectObject(dc, old);
    EXPECT_TRUE(DeleteObject(bitmap));
    DeleteDC(other);
    DeleteDC(dc);
}

TEST(Gdi, BottomUpSectionsKeepTheirRowsInMemoryOrder) {
    BITMAPINFO info{};
    info.bmiHeader.biWidth = 1;
    info.bmiHeader.biHeight = 2;  // bottom-up
    void* bits = nullptr;
    const HBITMAP section = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    ASSERT_NE(bits, nullptr);
    static_cast<std::uint32_t*>(bits)[0] = 0xFFFF0000;  // the first row in memory is the bottom
    EXPECT_EQ(gdi::ImageOf(section).At(0, 1), RGB(255, 0, 0));
    EXPECT_EQ(gdi::ImageOf(section).At(0, 0), kBlack);
    DeleteObject(section);
}

class Text : public ::testing::Test {
protected:
    Text() { SelectObject(canvas.Dc(), GetStockObject(DEFAULT_GUI_FONT)); }
    Canvas canvas{320, 200};
};

TEST_F(Text, TheShellFontIsSixByThirteen) {
    SIZE size;
    GetTextExtentPoint32W(canvas.Dc(), u"Help", 4, &size);
    EXPECT_EQ(size, (SIZE{24, 13}));
    TEXTMETRICW metrics;
    GetTextMetricsW(canvas.Dc(), &metrics);
    EXPECT_EQ(metrics.tmAveCharWidth, 6);
    EXPECT_EQ(metrics.tmHeight, 13);
}

TEST_F(Text, WordBreakWrapsBetweenWordsAndMeasuresTheWidestLine) {
    RECT r{0, 0, 60, 0};  // ten characters a line
    const int height =
        DrawTextW(canvas.Dc(), u"Get dialog help now", -1, &r, DT_CALCRECT | DT_WORDBREAK);
    EXPECT_EQ(height, 26);
    EXPECT_EQ(r, (RECT{0, 0, 60, 26})) << "\"Get dialog\" and \"help now\"";
    RECT longWord{0, 0, 30, 0};
    DrawTextW(canvas.Dc(), u"Unbreakable", -1, &longWord, DT_CALCRECT | DT_WORDBREAK);
    EXPECT_EQ(longWord.right, 66) << "a word longer than a line stays whole";
    RECT lines{0, 0, 300, 0};
    DrawTextW(canvas.Dc(), u"a\nbb\n\nc", -1, &lines, DT_CALCRECT);
    EXPECT_EQ(lines, (RECT{0, 0, 12, 52}));
}

TEST_F(Text, PrefixesAreUnderlinedUnlessTurnedOff) {
    RECT measured{0, 0, 300, 0};
    DrawTextW(canvas.Dc(), u"&Help", -1, &measured, DT_CALCRECT);
    EXPECT_EQ(measured.right, 24) << "the ampersand takes no room";
    SetBkMode(canvas.Dc(), TRANSPARENT);
    RECT r{0, 0, 300, 20};
    DrawTextW(canvas.Dc(), u"&Help", -1, &r, DT_SINGLELINE);
    const gdi::Image image = canvas.Image();
    const int underline = gdi::UnderlineRow(13);
    for (int x = 0; x < 6; ++x)
        EXPECT_EQ(image.At(x, underline), kBlack) << "H is underlined";
    EXPECT_EQ(image.At(8, underline), kWhite) << "e is not";
    Canvas plain(300, 20);
    SelectObject(plain.Dc(), GetStockObject(DEFAULT_GUI_FONT));
    RECT p{0, 0, 300, 20};
    DrawTextW(plain.Dc(), u"&Help", -1, &p, DT_SINGLELINE | DT_NOPREFIX);
    EXPECT_GT(plain.Image().BoundsOf(kBlack).right, 4 * 6) << "five glyphs, & included";
}

TEST_F(Text, GlyphsComeFromTheSixByThirteenFaceInTheTextColour) {
    SetTextColor(canvas.Dc(), RGB(0, 0, 255));
    SetBkMode(canvas.Dc(), TRANSPARENT);
    TextOutW(canvas.Dc(), 10, 20, u"A", 1);
    // The face's capital A, its cell placed at (10, 20): rows 2 to 10 above the baseline.
    static const char* const kA[13] = {"......", "......", "..#...", ".#.#..", "#...#.",
                                       "#...#.", "#...#.", "#####.", "#...#.", "#...#.",
                                       "#...#.", "......", "......"};
    for (int row = 0; row < 13; ++row) {
        for (int column = 0; column < 6; ++column) {
            const bool expected = kA[row][column] == '#';
            EXPECT_EQ(canvas.Image().At(10 + column, 20 + row) == RGB(0, 0, 255), expected)
                << "column " << column << ", row " << row;
            EXPECT_EQ(gdi::GlyphPixel(u'A', column, row, 6, 13), expected);
            EXPECT_FALSE(gdi::GlyphPixel(u' ', column, row, 6, 13));
        }
    }
    EXPECT_EQ(canvas.Image().Count(RGB(0, 0, 255)), 20);
}

TEST(Gdi, FocusRectanglesInvertEveryOtherPixelAndUndoThemselves) {
    Canvas canvas(10, 10);
    RECT r{3, 3, 7, 7};
    DrawFocusRect(canvas.Dc(), &r);
    EXPECT_EQ(canvas.Image().At(3, 3), kBlack);
    EXPECT_EQ(canvas.Image().At(4, 3), kWhite);
    EXPECT_EQ(canvas.Image().At(5, 3), kBlack);
    EXPECT_EQ(canvas.Image().At(2, 2), kWhite);
    DrawFocusRect(canvas.Dc(), &r);
    EXPECT_EQ(canvas.Image().Count(kWhite), 100);
}

TEST(Gdi, RaisedEdgesAreLightAboveAndDarkBelow) {
    Canvas canvas(10, 10);
    RECT r{0, 0, 10, 10};
    DrawEdge(canvas.Dc(), &r, EDGE_RAISED, BF_RECT | BF_ADJUST);
    EXPECT_EQ(r, (RECT{2, 2, 8, 8}));
    const gdi::Image image = canvas.Image();
    EXPECT_EQ(image.At(5, 0), GetSysColor(COLOR_3DLIGHT));
    EXPECT_EQ(image.At(5, 1), GetSysColor(COLOR_BTNHIGHLIGHT));
    EXPECT_EQ(image.At(5, 9), GetSysColor(COLOR_3DDKSHADOW));
    EXPECT_EQ(image.At(5, 8), GetSysColor(COLOR_BTNSHADOW));
    EXPECT_EQ(image.At(5, 5), kWhite);
}

}  // namespace
