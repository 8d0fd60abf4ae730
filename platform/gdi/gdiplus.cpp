#include "platform/gdi/gdiplus.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

#include "platform/gdi/gdi.h"
#include "platform/gdi/image.h"

using namespace Gdiplus;

struct GpImage {
    virtual ~GpImage() = default;
    int width = 0;
    int height = 0;
    PixelFormat format = PixelFormat32bppRGB;
    std::vector<ARGB> pixels;  // straight (not premultiplied) ARGB, rows from the top
};

struct GpBitmap : GpImage {};

struct GpGraphics {
    HDC dc = nullptr;
};

struct GpImageAttributes {
    bool matrixOn = false;
    ColorMatrix matrix{};
    std::vector<ColorMap> remap;
};

namespace {

int g_sessions = 0;

bool Started() {
    return g_sessions > 0;
}

BYTE Channel(float value) {
    const float clamped = std::clamp(value, 0.0f, 1.0f);
    return static_cast<BYTE>(std::floor(clamped * 255.0f + 0.5f));
}

ARGB Apply(const GpImageAttributes* attributes, ARGB pixel) {
    if (attributes == nullptr)
        return pixel;
    for (const ColorMap& entry : attributes->remap) {
        if (entry.oldColor.Argb == pixel) {
            pixel = entry.newColor.Argb;
            break;
        }
    }
    if (!attributes->matrixOn)
        return pixel;
    const float in[5] = {static_cast<float>((pixel >> 16) & 0xFF) / 255.0f,
                         static_cast<float>((pixel >> 8) & 0xFF) / 255.0f,
                         static_cast<float>(pixel & 0xFF) / 255.0f,
                         static_cast<float>((pixel >> 24) & 0xFF) / 255.0f, 1.0f};
    float out[4] = {0, 0, 0, 0};
    for (int column = 0; column < 4; ++column) {
        for (int row = 0; row < 5; ++row)
            out[column] += in[row] * attributes->matrix.m[row][column];
    }
    return (static_cast<ARGB>(Channel(out[3])) << 24) | (static_cast<ARGB>(Channel(out[0])) << 16) |
           (static_cast<ARGB>(Channel(out[1])) << 8) | Channel(out[2]);
}

BYTE Blend(BYTE source, BYTE target, unsigned alpha) {
    return static_cast<BYTE>((source * alpha + target * (255 - alpha) + 127) / 255);
}

}  // namespace

GpStatus GdiplusStartup(UINT_PTR* token, const GdiplusStartupInput* input, void*) {
    if (token == nullptr || input == nullptr || input->GdiplusVersion != 1) {
        return InvalidParameter;
    }
    *token = static_cast<UINT_PTR>(++g_sessions);
    return Ok;
}

void GdiplusShutdown(UINT_PTR) {
    if (g_sessions > 0)
        --g_sessions;
}

GpStatus GdipCreateBitmapFromHBITMAP(HBITMAP bitmap, void*, GpBitmap** image) {
    if (!Started())
        return GdiplusNotInitialized;
    if (image == nullptr)
        return InvalidParameter;
    const gdi::Image copy = gdi::ImageOf(bitmap);
    if (copy.width <= 0)
        return InvalidParameter;
    auto* made = new GpBitmap;
    made->width = copy.width;
    made->height = copy.height;
    made->format = PixelFormat32bppRGB;
    made->pixels.reserve(copy.pixels.size());
    for (std::uint32_t p : copy.pixels)
        made->pixels.push_back(p | 0xFF000000u);
    *image = made;
    return Ok;
}

GpStatus GdipCreateBitmapFromScan0(INT width, INT height, INT stride, PixelFormat format,
                                   BYTE* scan0, GpBitmap** image) {
    if (!Started())
        return GdiplusNotInitialized;
    if (image == nullptr || width <= 0 || height <= 0 || scan0 == nullptr || stride < width * 4 ||
        (format != PixelFormat32bppRGB && format != PixelFormat32bppARGB &&
         format != PixelFormat32bppPARGB)) {
        return InvalidParameter;
    }
    auto* made = new GpBitmap;
    made->width = width;
    made->height = height;
    made->format = format;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            ARGB p;
            std::memcpy(&p,
                        scan0 + static_cast<std::size_t>(y) * static_cast<std::size_t>(stride) +
                            static_cast<std::size_t>(x) * 4,
                        4);
            const unsigned alpha = p >> 24;
            if (format == PixelFormat32bppRGB) {
                p |= 0xFF000000u;
            } else if (format == PixelFormat32bppPARGB && alpha != 0 && alpha != 255) {
                auto unmultiply = [&](unsigned shift) {
                    const unsigned c = (p >> shift) & 0xFF;
                    return static_cast<ARGB>(std::min(255u, (c * 255 + alpha / 2) / alpha))
                           << shift;
                };
                p = (p & 0xFF000000u) | unmultiply(16) | unmultiply(8) | unmultiply(0);
            }
            made->pixels.push_back(p);
        }
    }
    *image = made;
    return Ok;
}

GpStatus GdipGetImagePixelFormat(GpImage* image, PixelFormat* format) {
    if (image == nullptr || format == nullptr)
        return InvalidParameter;
    *format = image->format;
    return Ok;
}

GpStatus GdipGetImageWidth(GpImage* image, UINT* width) {
    if (image == nullptr || width == nullptr)
        return InvalidParameter;
    *width = static_cast<UINT>(image->width);
    return Ok;
}

GpStatus GdipGetImageHeight(GpImage* image, UINT* height) {
    if (image == nullptr || height == nullptr)
        return InvalidParameter;
    *height = static_cast<UINT>(image->height);
    return Ok;
}

GpStatus GdipDisposeImage(GpImage* image) {
    if (image == nullptr)
        return InvalidParameter;
    delete image;
    return Ok;
}

GpStatus GdipCreateImageAttributes(GpImageAttributes** attributes) {
    if (!Started())
        return GdiplusNotInitialized;
    if (attributes == nullptr)
        return InvalidParameter;
    *attributes = new GpImageAttributes;
    return Ok;
}

GpStatus GdipDisposeImageAttributes(GpImageAttributes* attributes) {
    if (attributes == nullptr)
        return InvalidParameter;
    delete attributes;
    return Ok;
}

GpStatus GdipSetImageAttributesColorMatrix(GpImageAttributes* attributes, ColorAdjustType,
                                           BOOL enable, const ColorMatrix* matrix,
                                           const ColorMatrix*, ColorMatrixFlags) {
    if (attributes == nullptr || (enable && matrix == nullptr))
        return InvalidParameter;
    attributes->matrixOn = enable != FALSE;
    if (enable)
        attributes->matrix = *matrix;
    return Ok;
}

GpStatus GdipSetImageAttributesRemapTable(GpImageAttributes* attributes, ColorAdjustType,
                                          BOOL enable, UINT mapSize, const ColorMap* map) {
    if (attributes == nullptr || (enable && mapSize > 0 && map == nullptr)) {
        return InvalidParameter;
    }
    attributes->remap.clear();
    if (enable)
        attributes->remap.assign(map, map + mapSize);
    return Ok;
}

GpStatus GdipCreateFromHDC(HDC dc, GpGraphics** graphics) {
    if (!Started())
        return GdiplusNotInitialized;
    if (dc == nullptr || graphics == nullptr)
        return InvalidParameter;
    *graphics = new GpGraphics{dc};
    return Ok;
}

GpStatus GdipDeleteGraphics(GpGraphics* graphics) {
    if (graphics == nullptr)
        return InvalidParameter;
    delete graphics;
    return Ok;
}

GpStatus GdipDrawImageRectRectI(GpGraphics* graphics, GpImage* image, INT dstX, INT dstY,
                                INT dstWidth, INT dstHeight, INT srcX, INT srcY, INT srcWidth,
                                INT srcHeight, GpUnit srcUnit, const GpImageAttributes* attributes,
                                DrawImageAbort, void*) {
    if (!Started())
        return GdiplusNotInitialized;
    if (graphics == nullptr || image == nullptr || dstWidth <= 0 || dstHeight <= 0 ||
        srcWidth <= 0 || srcHeight <= 0) {
        return InvalidParameter;
    }
    if (srcUnit != UnitPixel)
        return NotImplemented;
    for (int j = 0; j < dstHeight; ++j) {
        for (int i = 0; i < dstWidth; ++i) {
            const int sx = srcX + i * srcWidth / dstWidth;
            const int sy = srcY + j * srcHeight / dstHeight;
            if (sx < 0 || sy < 0 || sx >= image->width || sy >= image->height)
                continue;
            const ARGB p =
                Apply(attributes, image->pixels[static_cast<std::size_t>(sy) *
                                                    static_cast<std::size_t>(image->width) +
                                                static_cast<std::size_t>(sx)]);
            const unsigned alpha = p >> 24;
            if (alpha == 0)
                continue;
            const COLORREF under = GetPixel(graphics->dc, dstX + i, dstY + j);
            if (under == CLR_INVALID)
                continue;
            const COLORREF blended = RGB(Blend(static_cast<BYTE>(p >> 16), GetRValue(under), alpha),
                                         Blend(static_cast<BYTE>(p >> 8), GetGValue(under), alpha),
                                         Blend(static_cast<BYTE>(p), GetBValue(under), alpha));
            SetPixel(graphics->dc, dstX + i, dstY + j, blended);
        }
    }
    return Ok;
}
