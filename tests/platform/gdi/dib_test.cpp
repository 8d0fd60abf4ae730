// Bitmap resources: packed DIBs of each depth read into bitmaps, malformed ones refused, and
// LoadBitmapW finding them in a module's resources.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

#include "platform/gdi/dib.h"
#include "platform/gdi/gdi.h"
#include "platform/module/resource.h"

namespace {

std::vector<std::uint8_t> Header(int width, int height, int depth, std::uint32_t colours = 0) {
    std::vector<std::uint8_t> out(40, 0);
    auto put32 = [&](std::size_t at, std::uint32_t v) { std::memcpy(out.data() + at, &v, 4); };
    put32(0, 40);
    put32(4, static_cast<std::uint32_t>(width));
    put32(8, static_cast<std::uint32_t>(height));
    out[12] = 1;
    out[14] = static_cast<std::uint8_t>(depth);
    put32(32, colours);
    return out;
}

// Grows the vector first and copies into it: GCC 12 at -O3 mistakes an insert at the end of
// the freshly built 40-byte header for a write past it (a false -Warray-bounds).
void Append(std::vector<std::uint8_t>& to, std::initializer_list<std::uint8_t> bytes) {
    const std::size_t at = to.size();
    to.resize(at + bytes.size());
    std::copy(bytes.begin(), bytes.end(), to.begin() + static_cast<std::ptrdiff_t>(at));
}

// The 7 × 7 plus sign of the add button: black on white, one bit per pixel.
std::vector<std::uint8_t> PlusSign() {
    std::vector<std::uint8_t> dib = Header(7, 7, 1, 2);
    Append(dib, {0, 0, 0, 0, 255, 255, 255, 0});           // colour 0 black, colour 1 white
    for (int row = 6; row >= 0; --row) {                   // bottom-up
        const std::uint8_t bits = row == 3 ? 0x00 : 0xEE;  // the middle row all black
        Append(dib, {bits, 0, 0, 0});
    }
    return dib;
}

TEST(PackedDib, MonochromeBitmapsStayMonochrome) {
    const std::vector<std::uint8_t> dib = PlusSign();
    const auto decoded = gdi::DecodePackedDib(dib.data(), dib.size());
    ASSERT_TRUE(decoded);
    EXPECT_TRUE(decoded->monochrome);
    EXPECT_EQ(decoded->image.At(0, 3), RGB(0, 0, 0));
    EXPECT_EQ(decoded->image.At(3, 0), RGB(0, 0, 0));
    EXPECT_EQ(decoded->image.At(0, 0), RGB(255, 255, 255));
    const HBITMAP bitmap = gdi::BitmapFromPackedDib(dib.data(), dib.size());
    BITMAP info;
    GetObjectW(bitmap, sizeof info, &info);
    EXPECT_EQ(info.bmBitsPixel, 1);
    EXPECT_EQ(info.bmWidth, 7);
    DeleteObject(bitmap);
}

TEST(PackedDib, PalettedAndTrueColourRowsAreReadBottomUpOrTopDown) {
    std::vector<std::uint8_t> four = Header(3, 1, 4, 3);
    Append(four, {0, 0, 255, 0, 0, 255, 0, 0, 255, 0, 0, 0});  // red, green, blue
    Append(four, {0x01, 0x20, 0, 0});                          // pixels 0, 1, 2
    const auto paletted = gdi::DecodePackedDib(four.data(), four.size());
    ASSERT_TRUE(paletted);
    EXPECT_EQ(paletted->image.At(0, 0), RGB(255, 0, 0));
    EXPECT_EQ(paletted->image.At(1, 0), RGB(0, 255, 0));
    EXPECT_EQ(paletted->image.At(2, 0), RGB(0, 0, 255));

    std::vector<std::uint8_t> topDown = Header(1, -2, 24);
    Append(topDown, {10, 20, 30, 0, 40, 50, 60, 0});
    const auto rows = gdi::DecodePackedDib(topDown.data(), topDown.size());
    ASSERT_TRUE(rows);
    EXPECT_EQ(rows->image.At(0, 0), RGB(30, 20, 10));
    EXPECT_EQ(rows->image.At(0, 1), RGB(60, 50, 40));

    gdi::Image image;
    image.width = 2;
    image.height = 2;
    image.pixels = {0xFF010203, 0xFF040506, 0xFF070809, 0xFF0A0B0C};
    const std::vector<std::uint8_t> packed = gdi::PackDib(image);
    const auto back = gdi::DecodePackedDib(packed.data(), packed.size());
    ASSERT_TRUE(back);
    EXPECT_EQ(back->image.pixels, image.pixels);
}

TEST(PackedDib, MalformedDataIsRefused) {
    std::vector<std::uint8_t> dib = PlusSign();
    EXPECT_FALSE(gdi::DecodePackedDib(dib.data(), dib.size() - 1)) << "a row cut short";
    EXPECT_FALSE(gdi::DecodePackedDib(dib.data(), 39));
    EXPECT_FALSE(gdi::DecodePackedDib(nullptr, 100));
    std::vector<std::uint8_t> bad = Header(0, 1, 32);
    EXPECT_FALSE(gdi::DecodePackedDib(bad.data(), bad.size())) << "no width";
    bad = Header(1, 1, 16);
    Append(bad, {0, 0, 0, 0});
    EXPECT_FALSE(gdi::DecodePackedDib(bad.data(), bad.size())) << "an unread depth";
    bad = Header(2, 1, 1, 3);
    EXPECT_FALSE(gdi::DecodePackedDib(bad.data(), bad.size())) << "three colours for one bit";
    bad = Header(8, 1, 1, 1);
    Append(bad, {0, 0, 0, 0, 0x80, 0, 0, 0});
    EXPECT_FALSE(gdi::DecodePackedDib(bad.data(), bad.size())) << "an index past the palette";
    bad = Header(1, 1, 32);
    bad[0] = 41;  // a header one byte longer, with bit-field masks that would follow it
    bad[16] = 3;
    bad.push_back(0);
    EXPECT_FALSE(gdi::DecodePackedDib(bad.data(), bad.size())) << "masks past the end";
    bad = Header(40000, 1, 32);
    EXPECT_FALSE(gdi::DecodePackedDib(bad.data(), bad.size()));
}

TEST(PackedDib, LoadBitmapFindsTheModulesBitmapResource) {
    const std::vector<std::uint8_t> dib = PlusSign();
    const ResourceEntry entries[] = {{ResourceName(ResourceType::kBitmap), ResourceName(208),
                                      kLanguageEnglishUs, dib.data(),
                                      static_cast<DWORD>(dib.size())}};
    ModuleResources registration(nullptr, entries);
    const HBITMAP bitmap = LoadBitmapW(nullptr, MAKEINTRESOURCEW(208));
    ASSERT_NE(bitmap, nullptr);
    EXPECT_EQ(gdi::ImageOf(bitmap).At(3, 3), RGB(0, 0, 0));
    DeleteObject(bitmap);
    EXPECT_EQ(LoadBitmapW(nullptr, MAKEINTRESOURCEW(209)), nullptr);
}

}  // namespace
