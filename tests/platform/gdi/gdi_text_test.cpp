// Where text and shapes land: alignment inside a rectangle, clipping to it, TextOut's
// alignments, saved and restored context state, stretching, lines and regions.
#include <gtest/gtest.h>

#include "platform/gdi/gdi.h"
#include "platform/gdi/image.h"
#include "tests/platform/gdi/memory_canvas.h"

namespace {

using gdi_test::Canvas;

class Surface : public ::testing::Test {
protected:
    Surface() {
        SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
        SetBkMode(dc, TRANSPARENT);
    }
    RECT Ink() { return canvas.Image().BoundsOf(RGB(0, 0, 0)); }
    Canvas canvas{120, 60};
    HDC dc = canvas.Dc();
};

TEST_F(Surface, CentredRightAndVerticallyCentredSingleLines) {
    RECT r{0, 0, 120, 60};
    DrawTextW(dc, u"MMMM", -1, &r, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    const RECT centred = Ink();
    EXPECT_GE(centred.left, 48);
    EXPECT_LE(centred.right, 72);
    EXPECT_GE(centred.top, (60 - 13) / 2);
    EXPECT_LE(centred.bottom, (60 - 13) / 2 + 13);
    RECT all{0, 0, 120, 60};
    FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    DrawTextW(dc, u"MMMM", -1, &r, DT_RIGHT | DT_BOTTOM | DT_SINGLELINE);
    EXPECT_GE(Ink().left, 96);
    EXPECT_GE(Ink().top, 47);
    FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    RECT twoLines{0, 0, 120, 60};
    DrawTextW(dc, u"A\nB", -1, &twoLines, DT_VCENTER);
    EXPECT_LT(Ink().top, 13) << "vertical centring is for single lines only";
}

TEST_F(Surface, TextIsClippedToItsRectangleUnlessToldNot) {
    RECT r{0, 0, 12, 60};
    DrawTextW(dc, u"MMMMMMMM", -1, &r, DT_SINGLELINE);
    EXPECT_LE(Ink().right, 12);
    RECT unclipped{0, 20, 12, 60};
    DrawTextW(dc, u"MMMMMMMM", -1, &unclipped, DT_SINGLELINE | DT_NOCLIP);
    EXPECT_GT(Ink().right, 12);
}

TEST_F(Surface, TextOutHonoursTheAlignment) {
    SetTextAlign(dc, TA_RIGHT);
    TextOutW(dc, 60, 0, u"MM", 2);
    EXPECT_LE(Ink().right, 60);
    EXPECT_GE(Ink().left, 48);
    EXPECT_EQ(GetTextAlign(dc), TA_RIGHT);
}

TEST_F(Surface, SavedStateComesBack) {
    const int level = SaveDC(dc);
    SetTextColor(dc, RGB(1, 2, 3));
    SetViewportOrgEx(dc, 10, 10, nullptr);
    SelectObject(dc, GetStockObject(BLACK_BRUSH));
    RestoreDC(dc, level);
    EXPECT_EQ(GetTextColor(dc), RGB(0, 0, 0));
    POINT origin{};
    GetViewportOrgEx(dc, &origin);
    EXPECT_EQ(origin, (POINT{0, 0}));
    EXPECT_EQ(GetCurrentObject(dc, OBJ_BRUSH), GetStockObject(WHITE_BRUSH));
    EXPECT_FALSE(RestoreDC(dc, -1)) << "nothing saved any more";
}

TEST_F(Surface, StretchingTakesTheNearestPixel) {
    Canvas source(2, 1);
    SetPixel(source.Dc(), 0, 0, RGB(255, 0, 0));
    SetPixel(source.Dc(), 1, 0, RGB(0, 0, 255));
    StretchBlt(dc, 0, 0, 4, 2, source.Dc(), 0, 0, 2, 1, SRCCOPY);
    EXPECT_EQ(GetPixel(dc, 1, 1), RGB(255, 0, 0));
    EXPECT_EQ(GetPixel(dc, 2, 0), RGB(0, 0, 255));
}

TEST_F(Surface, LinesLeaveOutTheirEndPointAndNullPensDrawNothing) {
    MoveToEx(dc, 0, 5, nullptr);
    LineTo(dc, 10, 5);
    EXPECT_EQ(GetPixel(dc, 9, 5), RGB(0, 0, 0));
    EXPECT_EQ(GetPixel(dc, 10, 5), RGB(255, 255, 255));
    SelectObject(dc, GetStockObject(NULL_PEN));
    LineTo(dc, 10, 20);
    EXPECT_EQ(GetPixel(dc, 10, 15), RGB(255, 255, 255));
    POINT at{};
    MoveToEx(dc, 0, 0, &at);
    EXPECT_EQ(at, (POINT{10, 20})) << "the pen still moved";
}

TEST(Regions, UniteIntersectAndAnswerPoints) {
    const HRGN a = CreateRectRgn(0, 0, 10, 10);
    const HRGN b = CreateRectRgn(5, 5, 20, 20);
    const HRGN both = CreateRectRgn(0, 0, 0, 0);
    EXPECT_EQ(CombineRgn(both, a, b, RGN_OR), COMPLEXREGION);
    RECT box;
    GetRgnBox(both, &box);
    EXPECT_EQ(box, (RECT{0, 0, 20, 20}));
    EXPECT_EQ(CombineRgn(both, a, b, RGN_AND), SIMPLEREGION);
    EXPECT_TRUE(PtInRegion(both, 7, 7));
    EXPECT_FALSE(PtInRegion(both, 2, 2));
    for (HRGN r : {a, b, both})
        EXPECT_TRUE(DeleteObject(r));
}

}  // namespace
