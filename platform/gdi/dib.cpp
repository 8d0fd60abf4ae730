#include "platform/gdi/dib.h"

#include <cstring>

#include "platform/gdi/gdi_objects.h"
#include "platform/module/resource.h"

namespace gdi {
namespace {

constexpr std::int32_t kLargestSide = 32767;

std::uint32_t Read32(const std::uint8_t* p) {
    return static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8) |
           (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}
std::uint16_t Read16(const std::uint8_t* p) {
    return static_cast<std::uint16_t>(p[0] | (p[1] << 8));
}
void Write32(std::vector<std::uint8_t>& out, std::uint32_t v) {
    for (int i = 0; i < 4; ++i)
        out.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
}
void Write16(std::vector<std::uint8_t>& out, std::uint16_t v) {
    out.push_back(static_cast<std::uint8_t>(v));
    out.push_back(static_cast<std::uint8_t>(v >> 8));
}

}  // namespace

std::optional<DecodedDib> DecodePackedDib(const void* data, std::size_t size) {
    const auto* bytes = static_cast<const std::uint8_t*>(data);
    if (bytes == nullptr || size < 40)
        return std::nullopt;
    const std::uint32_t headerSize = Read32(bytes);
    if (headerSize < 40 || headerSize > size)
        return std::nullopt;
    const auto width = static_cast<std::int32_t>(Read32(bytes + 4));
    const auto rawHeight = static_cast<std::int32_t>(Read32(bytes + 8));
    const std::uint16_t planes = Read16(bytes + 12);
    const std::uint16_t depth = Read16(bytes + 14);
    const std::uint32_t compression = Read32(bytes + 16);
    const std::uint32_t coloursUsed = Read32(bytes + 32);
    if (planes != 1 || width <= 0 || width > kLargestSide || rawHeight == 0 ||
        rawHeight > kLargestSide || rawHeight < -kLargestSide) {
        return std::nullopt;
    }
    const bool topDown = rawHeight < 0;
    const std::int32_t height = topDown ? -rawHeight : rawHeight;
    if (depth != 1 && depth != 4 && depth != 8 && depth != 24 && depth != 32)
        return std::nullopt;

    std::size_t offset = headerSize;
    if (compression == 3) {
        // BI_BITFIELDS: three masks, inside a header of 52 bytes or more, else right after it.
        if (depth != 32)
            return std::nullopt;
        const std::size_t masksAt = headerSize >= 52 ? 40 : headerSize;
        if (size < masksAt + 12)
            return std::nullopt;
        if (masksAt == headerSize)
            offset += 12;
        const std::uint8_t* masks = bytes + masksAt;
        if (Read32(masks) != 0x00FF0000 || Read32(masks + 4) != 0x0000FF00 ||
            Read32(masks + 8) != 0x000000FF) {
            return std::nullopt;
        }
    } else if (compression != 0) {
        return std::nullopt;
    }

    std::vector<std::uint32_t> palette;
    if (depth <= 8) {
        const std::uint32_t most = 1u << depth;
        const std::uint32_t count = coloursUsed == 0 ? most : coloursUsed;
        if (count > most)
            return std::nullopt;
        if (size - offset < static_cast<std::size_t>(count) * 4)
            return std::nullopt;
        for (std::uint32_t i = 0; i < count; ++i) {
            const std::uint8_t* q = bytes + offset + i * 4;
            palette.push_back(0xFF000000u | (static_cast<std::uint32_t>(q[2]) << 16) |
                              (static_cast<std::uint32_t>(q[1]) << 8) | q[0]);
        }
        offset += static_cast<std::size_t>(count) * 4;
    }

    const std::size_t stride = ((static_cast<std::size_t>(width) * depth + 31) / 32) * 4;
    if ((size - offset) / stride < static_cast<std::size_t>(height))
        return std::nullopt;

    DecodedDib decoded;
    decoded.monochrome = depth == 1 && palette.size() == 2 &&
                         ((palette[0] == 0xFF000000u && palette[1] == 0xFFFFFFFFu) ||
                          (palette[0] == 0xFFFFFFFFu && palette[1] == 0xFF000000u));
    Image& image = decoded.image;
    image.width = width;
    image.height = height;
    image.pixels.resize(static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
    for (std::int32_t y = 0; y < height; ++y) {
        const std::int32_t row = topDown ? y : height - 1 - y;
        const std::uint8_t* line = bytes + offset + static_cast<std::size_t>(row) * stride;
        for (std::int32_t x = 0; x < width; ++x) {
            std::uint32_t pixel = 0xFF000000u;
            if (depth <= 8) {
                const std::size_t bit = static_cast<std::size_t>(x) * depth;
                const unsigned shift = static_cast<unsigned>(8 - depth - (bit % 8));
                const std::uint32_t index = (line[bit / 8] >> shift) & ((1u << depth) - 1);
                if (index >= palette.size())
                    return std::nullopt;
                pixel = palette[index];
            } else {
                const std::uint8_t* q = line + static_cast<std::size_t>(x) * (depth / 8);
                pixel = 0xFF000000u | (static_cast<std::uint32_t>(q[2]) << 16) |
                        (static_cast<std::uint32_t>(q[1]) << 8) | q[0];
            }
            image.pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(width) +
                         static_cast<std::size_t>(x)] = pixel;
        }
    }
    return decoded;
}

HBITMAP BitmapFromPackedDib(const void* data, std::size_t size) {
    std::optional<DecodedDib> decoded = DecodePackedDib(data, size);
    if (!decoded)
        return nullptr;
    gdi::Bitmap bitmap;
    bitmap.width = decoded->image.width;
    bitmap.height = decoded->image.height;
    bitmap.bitsPerPixel = decoded->monochrome ? 1 : 32;
    bitmap.pixels = std::move(decoded->image.pixels);
    return gdi::AddBitmap(std::move(bitmap));
}

std::vector<std::uint8_t> PackDib(const Image& image) {
    std::vector<std::uint8_t> out;
    Write32(out, 40);
    Write32(out, static_cast<std::uint32_t>(image.width));
    Write32(out, static_cast<std::uint32_t>(image.height));
    Write16(out, 1);
    Write16(out, 32);
    for (int i = 0; i < 6; ++i)
        Write32(out, 0);
    for (int y = image.height - 1; y >= 0; --y) {
        for (int x = 0; x < image.width; ++x)
            Write32(out, image.ArgbAt(x, y));
    }
    return out;
}

}  // namespace gdi

HBITMAP LoadBitmapW(HINSTANCE instance, LPCWSTR name) {
    const HRSRC found = FindResourceW(instance, name, RT_BITMAP);
    if (found == nullptr)
        return nullptr;
    const HGLOBAL loaded = LoadResource(instance, found);
    const void* data = LockResource(loaded);
    return gdi::BitmapFromPackedDib(data, SizeofResource(instance, found));
}
