#include "platform/gdi/fixed_font.h"

#include <ft2build.h>
#include FT_FREETYPE_H

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <memory>
#include <mutex>
#include <stdexcept>
#include <string>
#include <unordered_map>

#include "platform/gdi/glyphs.h"

namespace gdi {
namespace {

struct FaceFile {
    int width;
    int height;
    const char* regular;
    const char* bold;  // null: the regular face is thickened
};

// The bitmap faces of Debian's xfonts-base that cover Unicode, smallest first.
constexpr FaceFile kFaceFiles[] = {
    {4, 6, "4x6.pcf.gz", nullptr},          {5, 7, "5x7.pcf.gz", nullptr},
    {5, 8, "5x8.pcf.gz", nullptr},          {6, 9, "6x9.pcf.gz", nullptr},
    {6, 10, "6x10.pcf.gz", nullptr},        {6, 12, "6x12.pcf.gz", nullptr},
    {6, 13, "6x13.pcf.gz", "6x13B.pcf.gz"}, {7, 13, "7x13.pcf.gz", "7x13B.pcf.gz"},
    {7, 14, "7x14.pcf.gz", "7x14B.pcf.gz"}, {8, 13, "8x13.pcf.gz", "8x13B.pcf.gz"},
    {8, 16, "8x16.pcf.gz", nullptr},        {9, 15, "9x15.pcf.gz", "9x15B.pcf.gz"},
    {9, 18, "9x18.pcf.gz", "9x18B.pcf.gz"}, {10, 20, "10x20.pcf.gz", nullptr},
    {12, 24, "12x24.pcf.gz", nullptr},
};
constexpr const FaceFile& kDialogFace = kFaceFiles[6];

std::vector<std::filesystem::path> FontFolders() {
    std::vector<std::filesystem::path> folders;
    if (const char* chosen = std::getenv("TARVEL_FONT_DIR"); chosen != nullptr && *chosen != 0) {
        folders.emplace_back(chosen);
        return folders;
    }
    folders.emplace_back("/usr/share/fonts/X11/misc");
    folders.emplace_back("/usr/share/fonts/misc");
    folders.emplace_back("/usr/local/share/fonts/X11/misc");
    return folders;
}

// The first folder that holds the file; empty when none does.
std::filesystem::path FindFontFile(const char* name) {
    for (const std::filesystem::path& folder : FontFolders()) {
        std::error_code error;
        const std::filesystem::path candidate = folder / name;
        if (std::filesystem::is_regular_file(candidate, error))
            return candidate;
    }
    return {};
}

[[noreturn]] void ThrowMissing(const char* name, const std::string& why) {
    std::string folders;
    for (const std::filesystem::path& folder : FontFolders())
        folders += (folders.empty() ? "" : ", ") + folder.string();
    throw std::runtime_error(std::string("cannot draw text: the bitmap font ") + name + " " + why +
                             " (searched " + folders +
                             "; install the Debian package xfonts-base or set TARVEL_FONT_DIR)");
}

}  // namespace

class GlyphFace {
public:
    GlyphFace(FT_Library library, const std::filesystem::path& file) {
        if (FT_New_Face(library, file.c_str(), 0, &face_) != 0)
            throw std::runtime_error("cannot read the bitmap font " + file.string());
        if (face_->num_fixed_sizes < 1 || FT_Select_Size(face_, 0) != 0 ||
            FT_Select_Charmap(face_, FT_ENCODING_UNICODE) != 0) {
            FT_Done_Face(face_);
            throw std::runtime_error("the bitmap font " + file.string() +
                                     " has no Unicode bitmap strike");
        }
        width_ = face_->available_sizes[0].width;
        height_ = face_->available_sizes[0].height;
        ascent_ = static_cast<int>(face_->size->metrics.ascender >> 6);
    }
    ~GlyphFace() { FT_Done_Face(face_); }
    GlyphFace(const GlyphFace&) = delete;
    GlyphFace& operator=(const GlyphFace&) = delete;

    int Width() const { return width_; }
    int Height() const { return height_; }
    bool Has(char16_t c) const { return FT_Get_Char_Index(face_, c) != 0; }

    // Called with the library's lock held.
    const GlyphRows& Rows(char16_t c) {
        const auto found = cache_.find(c);
        if (found != cache_.end())
            return found->second;
        return cache_.emplace(c, Render(c)).first->second;
    }

private:
    GlyphRows Render(char16_t c) const {
        GlyphRows rows(static_cast<std::size_t>(height_), 0);
        if (c < 0x20 || c == 0x7F)
            return rows;
        // Glyph index 0 of a bitmap face is its default character.
        const FT_UInt index = FT_Get_Char_Index(face_, c);
        if (FT_Load_Glyph(face_, index, FT_LOAD_RENDER | FT_LOAD_TARGET_MONO) != 0)
            return rows;
        const FT_GlyphSlot slot = face_->glyph;
        const FT_Bitmap& bitmap = slot->bitmap;
        for (unsigned r = 0; r < bitmap.rows; ++r) {
            const int y = ascent_ - slot->bitmap_top + static_cast<int>(r);
            if (y < 0 || y >= height_)
                continue;
            const unsigned char* line =
                bitmap.buffer + static_cast<std::ptrdiff_t>(r) * bitmap.pitch;
            for (unsigned column = 0; column < bitmap.width; ++column) {
                const int x = slot->bitmap_left + static_cast<int>(column);
                if (x < 0 || x >= 32)
                    continue;
                const bool ink = bitmap.pixel_mode == FT_PIXEL_MODE_MONO
                                     ? ((line[column / 8] >> (7 - column % 8)) & 1) != 0
                                     : line[column] >= 128;
                if (ink)
                    rows[static_cast<std::size_t>(y)] |= 1u << x;
            }
        }
        return rows;
    }

    FT_Face face_ = nullptr;
    int width_ = 0;
    int height_ = 0;
    int ascent_ = 0;
    std::unordered_map<char16_t, GlyphRows> cache_;
};

namespace {

class FontLibrary {
public:
    static FontLibrary& Instance() {
        static FontLibrary library;
        return library;
    }

    std::mutex& Lock() { return mutex_; }

    // The face of the file, loaded on first use; null when the file is not installed.
    // Called with the lock held.
    GlyphFace* Face(const char* name) {
        const auto found = faces_.find(name);
        if (found != faces_.end())
            return found->second.get();
        std::unique_ptr<GlyphFace>& slot = faces_[std::string(name)];
        const std::filesystem::path file = FindFontFile(name);
        if (!file.empty())
            slot = std::make_unique<GlyphFace>(library_, file);
        return slot.get();
    }

    // The dialog face, which every other size falls back to. Called with the lock held.
    GlyphFace& DialogFace(bool bold) {
        const char* name = bold ? kDialogFace.bold : kDialogFace.regular;
        if (GlyphFace* face = Face(name))
            return *face;
        ThrowMissing(name, "is not installed");
    }

private:
    FontLibrary() {
        if (FT_Init_FreeType(&library_) != 0)
            throw std::runtime_error("cannot start FreeType to draw text");
    }
    ~FontLibrary() {
        faces_.clear();
        FT_Done_FreeType(library_);
    }

    std::mutex mutex_;
    FT_Library library_ = nullptr;
    std::map<std::string, std::unique_ptr<GlyphFace>, std::less<>> faces_;
};

const FaceFile& FileForCell(int cellWidth, int cellHeight) {
    const FaceFile* best = &kFaceFiles[0];
    for (const FaceFile& file : kFaceFiles) {
        if (file.width > cellWidth || file.height > cellHeight)
            continue;
        if (file.height > best->height || (file.height == best->height && file.width > best->width))
            best = &file;
    }
    return *best;
}

}  // namespace

const GlyphRows& PlacedFace::Rows(char16_t c) const {
    std::lock_guard<std::mutex> hold(FontLibrary::Instance().Lock());
    return face->Rows(c);
}

std::uint64_t PlacedFace::CellRow(const GlyphRows& rows, int row) const {
    const int y = row - offsetY;
    if (y < 0 || y >= static_cast<int>(rows.size()) || offsetX >= 64)
        return 0;
    std::uint64_t bits = rows[static_cast<std::size_t>(y)];
    if (embolden)
        bits |= bits << 1;
    bits &= (std::uint64_t{1} << face->Width()) - 1;
    return bits << offsetX;
}

PlacedFace FaceForCell(int cellWidth, int cellHeight, bool bold) {
    FontLibrary& library = FontLibrary::Instance();
    std::lock_guard<std::mutex> hold(library.Lock());
    const FaceFile& file = FileForCell(cellWidth, cellHeight);
    PlacedFace placed;
    if (bold && file.bold != nullptr)
        placed.face = library.Face(file.bold);
    if (placed.face == nullptr) {
        placed.face = library.Face(file.regular);
        placed.embolden = bold;
    }
    if (placed.face == nullptr) {
        // Only the dialog face must be installed; every other size falls back to it.
        placed.face = &library.DialogFace(bold);
        placed.embolden = false;
    }
    placed.offsetX = std::max(0, (cellWidth - placed.face->Width()) / 2);
    placed.offsetY = std::max(0, (cellHeight - placed.face->Height()) / 2);
    return placed;
}

}  // namespace gdi

namespace gdi {

bool GlyphPixel(char16_t c, int column, int row, int cellWidth, int cellHeight, bool bold) {
    const gdi::PlacedFace face = gdi::FaceForCell(cellWidth, cellHeight, bold);
    return face.Ink(face.Rows(c), column, row);
}

bool HasGlyph(char16_t c) {
    const gdi::PlacedFace face = gdi::FaceForCell(6, 13, false);
    std::lock_guard<std::mutex> hold(gdi::FontLibrary::Instance().Lock());
    return face.face->Has(c);
}

std::string FixedFontFile(bool bold) {
    const char* name = bold ? gdi::kDialogFace.bold : gdi::kDialogFace.regular;
    const std::filesystem::path file = gdi::FindFontFile(name);
    if (file.empty())
        gdi::ThrowMissing(name, "is not installed");
    return file.string();
}

}  // namespace gdi
