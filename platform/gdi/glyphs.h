// How the fixed-metric font draws a character: every character that is not blank sets a
// pattern of pixels of its own inside rows 2 to h - 4 and columns 0 to w - 2 of its w × h
// cell; a prefixed character (&x) is underlined along row h - 2. Tests use these to tell
// which text was drawn where.
#pragma once

namespace gdi {

bool IsBlank(char16_t c);

// Whether the glyph of `c` sets the pixel (column, row) of its cell.
bool GlyphPixel(char16_t c, int column, int row, int cellWidth, int cellHeight);

inline int UnderlineRow(int cellHeight) {
    return cellHeight - 2;
}

}  // namespace gdi
