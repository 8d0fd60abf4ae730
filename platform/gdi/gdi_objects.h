// The process-wide table of GDI objects behind the handles (internal to the platform
// runtime): bitmaps as 32-bit pixel buffers, brushes, pens, fonts, regions and device
// contexts.
#pragma once

#include <cstdint>
#include <memory>
#include <unordered_map>
#include <variant>
#include <vector>

#include "platform/gdi/gdi.h"

namespace gdi {

// Pixels are 0xAARRGGBB words (the bytes B, G, R, A in memory, as a 32-bit DIB).
using Pixel = std::uint32_t;

constexpr Pixel ToPixel(COLORREF c) {
    return 0xFF000000u | (static_cast<Pixel>(GetRValue(c)) << 16) |
           (static_cast<Pixel>(GetGValue(c)) << 8) | GetBValue(c);
}
constexpr COLORREF ToColour(Pixel p) {
    return RGB(static_cast<int>((p >> 16) & 0xFF), static_cast<int>((p >> 8) & 0xFF),
               static_cast<int>(p & 0xFF));
}

struct Bitmap {
    int width = 0;
    int height = 0;
    int bitsPerPixel = 32;  // what GetObject reports; 1 for monochrome bitmaps
    bool bottomUp = false;  // memory rows from the bottom up, as a bottom-up DIB keeps them
    std::vector<Pixel> pixels;
    int selections = 0;  // device contexts it is selected into

    Pixel& At(int x, int y) {
        const int row = bottomUp ? height - 1 - y : y;
        return pixels[static_cast<std::size_t>(row) * static_cast<std::size_t>(width) +
                      static_cast<std::size_t>(x)];
    }
    bool Contains(int x, int y) const { return x >= 0 && y >= 0 && x < width && y < height; }
};

struct Brush {
    enum class Style { Solid, Null, Pattern, SystemColour } style = Style::Solid;
    COLORREF colour = 0;
    int systemColour = 0;
    Bitmap pattern;  // a copy, as Windows keeps one
};

struct Pen {
    int style = PS_SOLID;
    int width = 1;
    COLORREF colour = 0;
};

struct Font {
    LOGFONTW logFont;
    int height = 13;
    int charWidth = 6;
};

struct Region {
    std::vector<RECT> rects;
};

struct DeviceState {
    COLORREF textColour = RGB(0, 0, 0);
    COLORREF backColour = RGB(255, 255, 255);
    int backMode = OPAQUE;
    UINT textAlign = TA_LEFT | TA_TOP;
    HBRUSH brush = nullptr;
    HPEN pen = nullptr;
    HFONT font = nullptr;
    HBITMAP bitmap = nullptr;
    POINT brushOrigin;
    POINT viewportOrigin;
    POINT penPosition;
    RECT clip;  // in target pixels
};

struct DeviceContext {
    // A window's context draws into the surface the window system keeps for the window
    // (platform/ui), asked for at every drawing so that it follows the window's size.
    HWND window = nullptr;
    HBITMAP (*surfaceOf)(HWND window) = nullptr;
    bool memory = false;
    POINT targetOffset;  // where logical 0, 0 lies in the target before the viewport origin
    RECT bounds;         // drawable part of the target
    DeviceState state;
    std::vector<DeviceState> saved;
};

using Object = std::variant<Bitmap, Brush, Pen, Font, Region, DeviceContext>;

struct Entry {
    Object object;
    bool stock = false;
};

class ObjectTable {
public:
    std::uintptr_t Add(Object object, bool stock = false);
    Entry* Find(const void* handle);
    void Remove(const void* handle);

private:
    // Looked up by every drawing call, never walked in order.
    std::unordered_map<std::uintptr_t, std::unique_ptr<Entry>> entries_;
    std::uintptr_t next_ = 0x100000;
};

ObjectTable& Objects();

template <class T>
T* Get(const void* handle) {
    Entry* entry = Objects().Find(handle);
    return entry == nullptr ? nullptr : std::get_if<T>(&entry->object);
}

template <class Handle>
Handle MakeHandle(std::uintptr_t id) {
    return reinterpret_cast<Handle>(id);
}

Bitmap* BitmapOf(HBITMAP handle);
DeviceContext* ContextOf(HDC handle);
Font* FontOf(HFONT handle);  // the selected font, or the default GUI font for null

// The target bitmap a context draws into: the selected bitmap, or the window's surface.
Bitmap* TargetOf(DeviceContext& dc);

// A logical font of a face (cut to the 31 characters a face name holds) and a height.
LOGFONTW FaceFont(const char16_t* face, LONG height);

// Font metrics for a logical font.
Font MakeFont(const LOGFONTW& logFont);

// The colour a brush paints at a device point; false for a null brush.
bool BrushColour(HBRUSH brush, int deviceX, int deviceY, POINT brushOrigin, Pixel* colour);

// Changes colour `index` of the system's colour table (SetSysColors, which then tells the
// windows); an index outside the table changes nothing.
void SetSystemColour(int index, COLORREF colour);

// Makes a new bitmap object and returns its handle.
HBITMAP AddBitmap(Bitmap bitmap);

}  // namespace gdi
