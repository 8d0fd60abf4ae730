// Packed device-independent bitmaps: the bytes of a bitmap resource. A BITMAPINFOHEADER (or a
// later header that begins with one), the colour table and the pixel rows, each row padded to
// four bytes, bottom-up unless the height is negative. Depths 1, 4, 8, 24 and 32 (BI_RGB, and
// BI_BITFIELDS with the usual 8-8-8 masks) are read.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

#include "platform/gdi/image.h"

namespace gdi {

struct DecodedDib {
    Image image;              // opaque 0xFFRRGGBB pixels, rows from the top
    bool monochrome = false;  // 1 bit per pixel with a black-and-white colour table
};

// nullopt for anything malformed: short data, sizes out of range, unknown depths or
// compressions, colour tables or pixel rows that run past the end.
std::optional<DecodedDib> DecodePackedDib(const void* data, std::size_t size);

// A bitmap object made from packed DIB bytes; null when they are malformed.
HBITMAP BitmapFromPackedDib(const void* data, std::size_t size);

// The packed DIB bytes of an image: a 32-bit bottom-up DIB, for building bitmap resources.
std::vector<std::uint8_t> PackDib(const Image& image);

}  // namespace gdi
