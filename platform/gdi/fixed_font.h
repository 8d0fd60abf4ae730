// The bitmap faces behind text (internal to the platform runtime): loaded once through
// FreeType, each glyph rendered once and kept as one bit mask a row.
#pragma once

#include <cstdint>
#include <vector>

namespace gdi {

// A glyph in its face's cell: bit x of row y is the pixel at column x.
using GlyphRows = std::vector<std::uint32_t>;

class GlyphFace;

// A face placed in a cell: where its cell lies and whether it is thickened to look bold.
struct PlacedFace {
    GlyphFace* face = nullptr;
    int offsetX = 0;
    int offsetY = 0;
    bool embolden = false;

    // The glyph of `c` (the face's default glyph when it lacks one, empty rows for a
    // control character). The reference stays valid for the life of the process.
    const GlyphRows& Rows(char16_t c) const;
    // The pixels the glyph sets in a row of the cell: bit x for column x.
    std::uint64_t CellRow(const GlyphRows& rows, int row) const;
    // Whether the glyph sets the pixel (column, row) of the cell.
    bool Ink(const GlyphRows& rows, int column, int row) const {
        return column >= 0 && column < 64 && ((CellRow(rows, row) >> column) & 1) != 0;
    }
};

// The face for a font of this cell, loading it on first use; std::runtime_error when not
// even the 6 × 13 face can be found.
PlacedFace FaceForCell(int cellWidth, int cellHeight, bool bold);

}  // namespace gdi
