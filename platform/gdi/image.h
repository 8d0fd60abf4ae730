// Pixel images for checking what was painted: a copy of a bitmap here, a window as the user
// sees it from ui::Snapshot (platform/ui/window_surface.h).
#pragma once

#include <cstdint>
#include <vector>

#include "platform/win_types.h"

namespace gdi {

struct Image {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels;  // 0xAARRGGBB, rows from the top

    COLORREF At(int x, int y) const;  // CLR_INVALID outside
    std::uint32_t ArgbAt(int x, int y) const;
    Image Crop(const RECT& area) const;
    int Count(COLORREF colour) const;
    bool Contains(COLORREF colour) const { return Count(colour) > 0; }
    // The smallest rectangle holding every pixel of the colour (empty when there is none).
    RECT BoundsOf(COLORREF colour) const;
};

Image ImageOf(HBITMAP bitmap);

}  // namespace gdi
