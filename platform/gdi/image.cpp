#include "platform/gdi/image.h"

#include <algorithm>

#include "platform/gdi/gdi_objects.h"

namespace gdi {

COLORREF Image::At(int x, int y) const {
    if (x < 0 || y < 0 || x >= width || y >= height)
        return CLR_INVALID;
    return ToColour(ArgbAt(x, y));
}

std::uint32_t Image::ArgbAt(int x, int y) const {
    if (x < 0 || y < 0 || x >= width || y >= height)
        return 0;
    return pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(width) +
                  static_cast<std::size_t>(x)];
}

Image Image::Crop(const RECT& area) const {
    Image out;
    out.width = std::max<int>(RectWidth(area), 0);
    out.height = std::max<int>(RectHeight(area), 0);
    out.pixels.resize(static_cast<std::size_t>(out.width) * static_cast<std::size_t>(out.height));
    for (int y = 0; y < out.height; ++y) {
        for (int x = 0; x < out.width; ++x) {
            out.pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(out.width) +
                       static_cast<std::size_t>(x)] = ArgbAt(area.left + x, area.top + y);
        }
    }
    return out;
}

int Image::Count(COLORREF colour) const {
    int n = 0;
    for (std::uint32_t p : pixels) {
        if (ToColour(p) == (colour & 0x00FFFFFF))
            ++n;
    }
    return n;
}

RECT Image::BoundsOf(COLORREF colour) const {
    RECT box{width, height, 0, 0};
    bool any = false;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            if (At(x, y) != (colour & 0x00FFFFFF))
                continue;
            any = true;
            box.left = std::min<LONG>(box.left, x);
            box.top = std::min<LONG>(box.top, y);
            box.right = std::max<LONG>(box.right, x + 1);
            box.bottom = std::max<LONG>(box.bottom, y + 1);
        }
    }
    return any ? box : RECT{};
}

Image ImageOf(HBITMAP bitmap) {
    Image image;
    Bitmap* b = BitmapOf(bitmap);
    if (b == nullptr)
        return image;
    image.width = b->width;
    image.height = b->height;
    image.pixels.resize(b->pixels.size());
    for (int y = 0; y < b->height; ++y) {
        for (int x = 0; x < b->width; ++x) {
            image.pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(b->width) +
                         static_cast<std::size_t>(x)] = b->At(x, y);
        }
    }
    return image;
}

}  // namespace gdi
