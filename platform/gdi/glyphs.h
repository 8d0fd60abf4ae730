// How text draws. Every font is drawn with one of the classic fixed bitmap faces read
// through FreeType: a font whose cell is 6 × 13 (the dialog font) with the 6 × 13 face
// (its bold face for weights from semi-bold up); other cells with the largest face that
// fits, centred in the cell. A character the face lacks draws the face's default glyph;
// control characters draw nothing. A prefixed character (&x) is underlined along row h - 2
// of its cell. Tests use these to tell which text was drawn where.
//
// The faces are looked up in the folder that TARVEL_FONT_DIR names when it is set, else in
// the usual Debian folders of the bitmap fonts; a missing 6 × 13 face is a
// std::runtime_error that names the folders searched and the package to install.
#pragma once

#include <string>

namespace gdi {

// Whether the glyph of `c` sets the pixel (column, row) of a w × h cell.
bool GlyphPixel(char16_t c, int column, int row, int cellWidth, int cellHeight, bool bold = false);

// Whether the 6 × 13 face has a glyph of its own for `c` (otherwise it draws its default).
bool HasGlyph(char16_t c);

// The file the 6 × 13 face (or its bold face) is read from.
std::string FixedFontFile(bool bold = false);

inline int UnderlineRow(int cellHeight) {
    return cellHeight - 2;
}

}  // namespace gdi
