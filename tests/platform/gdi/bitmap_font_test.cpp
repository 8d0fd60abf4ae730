// Text drawn with the bitmap faces, and pictures written as PNG files.
#include <gtest/gtest.h>

#include <filesystem>
#include <stdexcept>
#include <string>

#include "platform/gdi/gdi.h"
#include "platform/gdi/glyphs.h"
#include "platform/gdi/image.h"
#include "platform/gdi/png.h"
#include "tests/helpers/scoped_environment.h"
#include "tests/helpers/temp_folder.h"
#include "tests/platform/gdi/memory_canvas.h"

namespace {

using gdi_test::Canvas;

constexpr COLORREF kInk = RGB(0, 0, 255);

// The cell of the first character of `text` drawn at (0, 0) in a font, as '#' and '.' rows.
std::string Picture(const LOGFONTW& logFont, std::u16string_view text, int width, int height) {
    Canvas canvas(40, 40);
    const HFONT font = CreateFontIndirectW(&logFont);
    const HGDIOBJ old = SelectObject(canvas.Dc(), font);
    SetTextColor(canvas.Dc(), kInk);
    TextOutW(canvas.Dc(), 0, 0, text.data(), static_cast<int>(text.size()));
    SelectObject(canvas.Dc(), old);
    DeleteObject(font);
    const gdi::Image image = canvas.Image();
    std::string picture;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x)
            picture += image.At(x, y) == kInk ? '#' : '.';
        picture += '\n';
    }
    EXPECT_EQ(image.Crop(RECT{width * static_cast<LONG>(text.size()), 0, 40, 40}).Count(kInk), 0)
        << "nothing beyond the text's cells";
    return picture;
}

LOGFONTW DialogFont(LONG weight = FW_NORMAL) {
    LOGFONTW font;
    font.lfHeight = -11;
    font.lfWeight = weight;
    return font;
}

TEST(BitmapFont, CharactersDrawTheFacesGlyphsAndTheDefaultGlyphWhenItHasNone) {
    const std::string marker =
        "......\n......\n......\n......\n.###..\n#####.\n#####.\n#####.\n.###..\n......\n"
        "......\n......\n......\n";
    const std::string defaultGlyph =
        "......\n......\n#.#.#.\n......\n#...#.\n......\n#...#.\n......\n#...#.\n......\n"
        "#.#.#.\n......\n......\n";
    const std::string boldA =
        "......\n......\n..##..\n.####.\n##..##\n##..##\n##..##\n######\n##..##\n##..##\n"
        "##..##\n......\n......\n";
    struct Case {
        const char16_t* text;
        LONG weight;
        const std::string& expected;
    } cases[] = {
        {u"\u2022", FW_NORMAL, marker},
        {u"\u4E00", FW_NORMAL, defaultGlyph},  // no CJK in the face
        {u"\xD800", FW_NORMAL, defaultGlyph},  // half a surrogate pair
        {u"A", FW_BOLD, boldA},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Picture(DialogFont(c.weight), c.text, 6, 13), c.expected)
            << "U+" << std::hex << static_cast<int>(c.text[0]);
    }
    EXPECT_TRUE(gdi::HasGlyph(u'\u2022'));
    EXPECT_FALSE(gdi::HasGlyph(u'\u4E00'));
    std::string blank;
    for (int row = 0; row < 13; ++row)
        blank += "............\n";
    EXPECT_EQ(Picture(DialogFont(), u"\t\x7F", 12, 13), blank) << "control characters draw nothing";
}

TEST(BitmapFont, OtherCellsTakeTheLargestFaceThatFitsCentred) {
    LOGFONTW system;
    system.lfHeight = 16;  // a 7 × 16 cell: the 7 × 14 face one row down
    const std::string a = Picture(system, u"A", 7, 16);
    EXPECT_EQ(a,
              ".......\n.......\n.......\n..##...\n.#..#..\n#....#.\n#....#.\n#....#.\n"
              "######.\n#....#.\n#....#.\n#....#.\n#....#.\n.......\n.......\n.......\n");
    LOGFONTW tiny;
    tiny.lfHeight = 4;  // smaller than every face: clipped to its cell
    tiny.lfWidth = 3;
    Picture(tiny, u"MM", 3, 4);  // checks that no ink leaves the two cells
}

TEST(BitmapFont, AMissingFaceIsAnErrorThatSaysWhereItWasLookedForAndWhatToInstall) {
    EXPECT_TRUE(gdi::FixedFontFile().ends_with("/6x13.pcf.gz"));
    EXPECT_TRUE(gdi::FixedFontFile(true).ends_with("/6x13B.pcf.gz"));
    TempFolder empty;
    ScopedEnvironment environment;
    environment.Set("TARVEL_FONT_DIR", empty.Path().c_str());
    try {
        gdi::FixedFontFile();
        ADD_FAILURE() << "the folder holds no font";
    } catch (const std::runtime_error& e) {
        const std::string message = e.what();
        EXPECT_NE(message.find("6x13.pcf.gz"), std::string::npos) << message;
        EXPECT_NE(message.find(empty.Path().string()), std::string::npos) << message;
        EXPECT_NE(message.find("xfonts-base"), std::string::npos) << message;
    }
}

TEST(BitmapFont, PicturesGoToPngFilesAndComeBackPixelForPixel) {
    Canvas canvas(60, 20);
    SelectObject(canvas.Dc(), GetStockObject(DEFAULT_GUI_FONT));
    SetTextColor(canvas.Dc(), RGB(200, 30, 10));
    SetBkColor(canvas.Dc(), RGB(240, 240, 200));
    TextOutW(canvas.Dc(), 2, 3, u"Level \u2022", 7);
    TempFolder folder;
    const std::string path = folder.PathOf("text.png");
    gdi::WritePng(canvas.Bitmap(), path);
    const gdi::Image back = gdi::ReadPng(path);
    const gdi::Image drawn = canvas.Image();
    ASSERT_EQ(back.width, 60);
    ASSERT_EQ(back.height, 20);
    EXPECT_EQ(back.pixels, drawn.pixels);
    EXPECT_GT(back.Count(RGB(200, 30, 10)), 20);

    const std::string nowhere = folder.PathOf("missing/text.png");
    try {
        gdi::WritePng(drawn, nowhere);
        ADD_FAILURE() << "a folder that does not exist";
    } catch (const std::runtime_error& e) {
        EXPECT_NE(std::string(e.what()).find(nowhere), std::string::npos) << e.what();
    }
    EXPECT_THROW(gdi::WritePng(gdi::Image{}, folder.PathOf("empty.png")), std::runtime_error);
    EXPECT_THROW(gdi::ReadPng(folder.PathOf("none.png")), std::runtime_error);
}

}  // namespace
