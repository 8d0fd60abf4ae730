// GDI+ image drawing through image attributes: the remap table before the colour matrix,
// clamping and rounding, blending by alpha, and the need to start GDI+ first.
#include <gtest/gtest.h>

#include "platform/gdi/gdi.h"
#include "platform/gdi/gdiplus.h"
#include "platform/gdi/image.h"
#include "tests/platform/gdi/memory_canvas.h"

namespace {

class Gdiplus : public ::testing::Test {
protected:
    void SetUp() override {
        ::Gdiplus::GdiplusStartupInput input;
        ASSERT_EQ(GdiplusStartup(&token, &input, nullptr), ::Gdiplus::Ok);
        RECT all{0, 0, 4, 1};
        const HBRUSH green = CreateSolidBrush(RGB(0, 128, 0));
        FillRect(dc, &all, green);
        DeleteObject(green);
    }
    void TearDown() override { GdiplusShutdown(token); }
    // Draws a 4 × 1 image of the given ARGB pixels at the origin.
    void Draw(const std::uint32_t (&pixels)[4], ::Gdiplus::PixelFormat format,
              GpImageAttributes* attributes) {
        GpBitmap* image = nullptr;
        ASSERT_EQ(GdipCreateBitmapFromScan0(
                      4, 1, 16, format, reinterpret_cast<BYTE*>(const_cast<std::uint32_t*>(pixels)),
                      &image),
                  ::Gdiplus::Ok);
        GpGraphics* graphics = nullptr;
        ASSERT_EQ(GdipCreateFromHDC(dc, &graphics), ::Gdiplus::Ok);
        EXPECT_EQ(
            GdipDrawImageRectRectI(graphics, reinterpret_cast<GpImage*>(image), 0, 0, 4, 1, 0, 0, 4,
                                   1, ::Gdiplus::UnitPixel, attributes, nullptr, nullptr),
            ::Gdiplus::Ok);
        GdipDeleteGraphics(graphics);
        GdipDisposeImage(reinterpret_cast<GpImage*>(image));
    }
    COLORREF At(int x) { return GetPixel(dc, x, 0); }

    UINT_PTR token = 0;
    gdi_test::Canvas target{4, 1};
    HDC dc = target.Dc();
};

TEST_F(Gdiplus, TheRemapTableComesBeforeTheMatrix) {
    GpImageAttributes* attributes = nullptr;
    ASSERT_EQ(GdipCreateImageAttributes(&attributes), ::Gdiplus::Ok);
    const ::Gdiplus::ColorMap grey{{0xFFC0C0C0}, {0x00000000}};
    GdipSetImageAttributesRemapTable(attributes, ::Gdiplus::ColorAdjustTypeDefault, TRUE, 1, &grey);
    ::Gdiplus::ColorMatrix invert{};
    for (int i = 0; i < 3; ++i) {
        invert.m[i][i] = -1;
        invert.m[4][i] = 1;
    }
    invert.m[3][3] = 1;
    invert.m[4][4] = 1;
    GdipSetImageAttributesColorMatrix(attributes, ::Gdiplus::ColorAdjustTypeDefault, TRUE, &invert,
                                      nullptr, ::Gdiplus::ColorMatrixFlagsDefault);
    const std::uint32_t pixels[4] = {0xFFC0C0C0, 0xFF000000, 0xFFFFFFFF, 0xFF102030};
    Draw(pixels, ::Gdiplus::PixelFormat32bppRGB, attributes);
    EXPECT_EQ(At(0), RGB(0, 128, 0)) << "remapped to transparent: the target shows";
    EXPECT_EQ(At(1), RGB(255, 255, 255));
    EXPECT_EQ(At(2), RGB(0, 0, 0));
    EXPECT_EQ(At(3), RGB(0xEF, 0xDF, 0xCF));
    GdipDisposeImageAttributes(attributes);
}

TEST_F(Gdiplus, ResultsAreClampedAndAlphaBlends) {
    GpImageAttributes* attributes = nullptr;
    GdipCreateImageAttributes(&attributes);
    ::Gdiplus::ColorMatrix doubled{};
    for (int i = 0; i < 4; ++i)
        doubled.m[i][i] = i < 3 ? 2.0f : 1.0f;
    doubled.m[4][4] = 1;
    GdipSetImageAttributesColorMatrix(attributes, ::Gdiplus::ColorAdjustTypeDefault, TRUE, &doubled,
                                      nullptr, ::Gdiplus::ColorMatrixFlagsDefault);
    const std::uint32_t pixels[4] = {0xFF808080, 0x80FF0000, 0x00FFFFFF, 0xFF010101};
    Draw(pixels, ::Gdiplus::PixelFormat32bppARGB, attributes);
    EXPECT_EQ(At(0), RGB(255, 255, 255)) << "2 × 0.5 clamps to 1";
    EXPECT_EQ(At(1), RGB(128, 64, 0)) << "half red over green";
    EXPECT_EQ(At(2), RGB(0, 128, 0));
    EXPECT_EQ(At(3), RGB(2, 2, 2));
    GdipDisposeImageAttributes(attributes);
}

TEST_F(Gdiplus, ImagesOfBitmapsAreOpaqueRgb) {
    const HBITMAP bitmap = CreateCompatibleBitmap(dc, 2, 2);
    GpBitmap* image = nullptr;
    ASSERT_EQ(GdipCreateBitmapFromHBITMAP(bitmap, nullptr, &image), ::Gdiplus::Ok);
    ::Gdiplus::PixelFormat format = 0;
    GdipGetImagePixelFormat(reinterpret_cast<GpImage*>(image), &format);
    EXPECT_EQ(format, ::Gdiplus::PixelFormat32bppRGB);
    UINT width = 0;
    GdipGetImageWidth(reinterpret_cast<GpImage*>(image), &width);
    EXPECT_EQ(width, 2u);
    GdipDisposeImage(reinterpret_cast<GpImage*>(image));
    DeleteObject(bitmap);
}

TEST(GdiplusSession, NothingWorksBeforeStartup) {
    GpImageAttributes* attributes = nullptr;
    EXPECT_EQ(GdipCreateImageAttributes(&attributes), ::Gdiplus::GdiplusNotInitialized);
    EXPECT_EQ(attributes, nullptr);
    ::Gdiplus::GdiplusStartupInput wrong;
    wrong.GdiplusVersion = 2;
    UINT_PTR token = 0;
    EXPECT_EQ(GdiplusStartup(&token, &wrong, nullptr), ::Gdiplus::InvalidParameter);
}

}  // namespace
