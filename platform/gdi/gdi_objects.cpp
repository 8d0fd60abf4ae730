// GDI objects: the handle table, stock objects, the system colours, creation, selection and
// deletion, and the state of device contexts.
#include "platform/gdi/gdi_objects.h"

#include <algorithm>
#include <array>
#include <cstring>

namespace gdi {

std::uintptr_t ObjectTable::Add(Object object, bool stock) {
    const std::uintptr_t id = next_;
    next_ += 4;
    entries_.emplace(id, std::make_unique<Entry>(Entry{std::move(object), stock}));
    return id;
}

Entry* ObjectTable::Find(const void* handle) {
    const auto found = entries_.find(reinterpret_cast<std::uintptr_t>(handle));
    return found == entries_.end() ? nullptr : found->second.get();
}

void ObjectTable::Remove(const void* handle) {
    entries_.erase(reinterpret_cast<std::uintptr_t>(handle));
}

ObjectTable& Objects() {
    static ObjectTable* table = new ObjectTable;  // lives for the whole process
    return *table;
}

Bitmap* BitmapOf(HBITMAP handle) {
    return Get<Bitmap>(handle);
}
DeviceContext* ContextOf(HDC handle) {
    return Get<DeviceContext>(handle);
}

Bitmap* TargetOf(DeviceContext& dc) {
    if (dc.window != nullptr)
        return dc.surfaceOf != nullptr ? BitmapOf(dc.surfaceOf(dc.window)) : nullptr;
    return BitmapOf(dc.state.bitmap);
}

LOGFONTW FaceFont(const char16_t* face, LONG height) {
    LOGFONTW font;
    font.lfHeight = height;
    for (int i = 0; face[i] != 0 && i < 31; ++i)
        font.lfFaceName[i] = face[i];
    return font;
}

Font MakeFont(const LOGFONTW& logFont) {
    Font font;
    font.logFont = logFont;
    if (logFont.lfHeight < 0) {
        font.height = (-logFont.lfHeight * 13 + 5) / 11;
    } else if (logFont.lfHeight > 0) {
        font.height = logFont.lfHeight;
    } else {
        font.height = 13;
    }
    font.height = std::max(font.height, 1);
    font.charWidth =
        logFont.lfWidth > 0 ? logFont.lfWidth : std::max(1, (font.height * 6 + 6) / 13);
    return font;
}

Font* FontOf(HFONT handle) {
    if (Font* font = Get<Font>(handle))
        return font;
    return Get<Font>(GetStockObject(DEFAULT_GUI_FONT));
}

HBITMAP AddBitmap(Bitmap bitmap) {
    return MakeHandle<HBITMAP>(Objects().Add(std::move(bitmap)));
}

bool BrushColour(HBRUSH handle, int deviceX, int deviceY, POINT brushOrigin, Pixel* colour) {
    // A system colour index + 1 stands for that colour's brush, as FillRect accepts it.
    const auto value = reinterpret_cast<std::uintptr_t>(handle);
    if (value >= 1 && value <= static_cast<std::uintptr_t>(kSystemColorCount)) {
        *colour = ToPixel(GetSysColor(static_cast<int>(value) - 1));
        return true;
    }
    Brush* brush = Get<Brush>(handle);
    if (brush == nullptr)
        return false;
    switch (brush->style) {
        case Brush::Style::Null:
            return false;
        case Brush::Style::Solid:
            *colour = ToPixel(brush->colour);
            return true;
        case Brush::Style::SystemColour:
            *colour = ToPixel(GetSysColor(brush->systemColour));
            return true;
        case Brush::Style::Pattern: {
            Bitmap& p = brush->pattern;
            if (p.width <= 0 || p.height <= 0)
                return false;
            int x = (deviceX - brushOrigin.x) % p.width;
            int y = (deviceY - brushOrigin.y) % p.height;
            if (x < 0)
                x += p.width;
            if (y < 0)
                y += p.height;
            *colour = p.At(x, y) | 0xFF000000u;
            return true;
        }
    }
    return false;
}

}  // namespace gdi

using namespace gdi;

namespace {

struct StockObjects {
    HGDIOBJ objects[20] = {};
    HBITMAP defaultBitmap = nullptr;
    HBRUSH systemBrushes[kSystemColorCount] = {};
};

StockObjects& Stock() {
    static StockObjects* stock = [] {
        auto* made = new StockObjects;
        auto solid = [](COLORREF c) {
            Brush b;
            b.colour = c;
            return Object{b};
        };
        auto add = [&](int index, Object object) {
            made->objects[index] = MakeHandle<HGDIOBJ>(Objects().Add(std::move(object), true));
        };
        add(WHITE_BRUSH, solid(RGB(255, 255, 255)));
        add(LTGRAY_BRUSH, solid(RGB(192, 192, 192)));
        add(GRAY_BRUSH, solid(RGB(128, 128, 128)));
        add(DKGRAY_BRUSH, solid(RGB(64, 64, 64)));
        add(BLACK_BRUSH, solid(RGB(0, 0, 0)));
        Brush null;
        null.style = Brush::Style::Null;
        add(NULL_BRUSH, Object{null});
        add(WHITE_PEN, Object{Pen{PS_SOLID, 1, RGB(255, 255, 255)}});
        add(BLACK_PEN, Object{Pen{PS_SOLID, 1, RGB(0, 0, 0)}});
        add(NULL_PEN, Object{Pen{PS_NULL, 1, 0}});
        add(SYSTEM_FONT, Object{MakeFont(FaceFont(u"System", 16))});
        add(DEFAULT_GUI_FONT, Object{MakeFont(FaceFont(u"MS Shell Dlg", -11))});
        Bitmap one;
        one.width = one.height = 1;
        one.bitsPerPixel = 1;
        one.pixels.assign(1, 0xFF000000u);
        made->defaultBitmap = MakeHandle<HBITMAP>(Objects().Add(Object{one}, true));
        for (int i = 0; i < kSystemColorCount; ++i) {
            Brush b;
            b.style = Brush::Style::SystemColour;
            b.systemColour = i;
            made->systemBrushes[i] = MakeHandle<HBRUSH>(Objects().Add(Object{b}, true));
        }
        return made;
    }();
    return *stock;
}

DeviceContext MakeMemoryContext() {
    DeviceContext dc;
    dc.memory = true;
    dc.state.brush = reinterpret_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    dc.state.pen = reinterpret_cast<HPEN>(GetStockObject(BLACK_PEN));
    dc.state.font = reinterpret_cast<HFONT>(GetStockObject(SYSTEM_FONT));
    dc.state.bitmap = Stock().defaultBitmap;
    dc.bounds = RECT{0, 0, 1, 1};
    dc.state.clip = dc.bounds;
    return dc;
}

}  // namespace

HDC CreateCompatibleDC(HDC) {
    return MakeHandle<HDC>(Objects().Add(Object{MakeMemoryContext()}));
}

BOOL DeleteDC(HDC handle) {
    DeviceContext* dc = ContextOf(handle);
    if (dc == nullptr)
        return FALSE;
    if (Bitmap* selected = BitmapOf(dc->state.bitmap))
        --selected->selections;
    for (DeviceState& s : dc->saved) {
        if (Bitmap* b = BitmapOf(s.bitmap))
            --b->selections;
    }
    Objects().Remove(handle);
    return TRUE;
}

int SaveDC(HDC handle) {
    DeviceContext* dc = ContextOf(handle);
    if (dc == nullptr)
        return 0;
    dc->saved.push_back(dc->state);
    if (Bitmap* b = BitmapOf(dc->state.bitmap))
        ++b->selections;
    return static_cast<int>(dc->saved.size());
}

BOOL RestoreDC(HDC handle, int saved) {
    DeviceContext* dc = ContextOf(handle);
    if (dc == nullptr || dc->saved.empty())
        return FALSE;
    const int count = static_cast<int>(dc->saved.size());
    const int level = saved < 0 ? count + saved + 1 : saved;
    if (level < 1 || level > count)
        return FALSE;
    if (Bitmap* b = BitmapOf(dc->state.bitmap))
        --b->selections;
    dc->state = dc->saved[static_cast<std::size_t>(level - 1)];
    for (int i = level; i < count; ++i) {
        if (Bitmap* b = BitmapOf(dc->saved[static_cast<std::size_t>(i)].bitmap))
            --b->selections;
    }
    dc->saved.resize(static_cast<std::size_t>(level - 1));
    if (dc->memory) {
        Bitmap* b = BitmapOf(dc->state.bitmap);
        dc->bounds = b == nullptr ? RECT{} : RECT{0, 0, b->width, b->height};
    }
    return TRUE;
}

int GetDeviceCaps(HDC, int index) {
    switch (index) {
        case LOGPIXELSX:
        case LOGPIXELSY:
            return 96;
        case BITSPIXEL:
            return 32;
        case PLANES:
            return 1;
        default:
            return 0;
    }
}

HGDIOBJ SelectObject(HDC handle, HGDIOBJ object) {
    DeviceContext* dc = ContextOf(handle);
    Entry* entry = Objects().Find(object);
    if (dc == nullptr || entry == nullptr)
        return nullptr;
    DeviceState& s = dc->state;
    if (std::holds_alternative<Brush>(entry->object)) {
        HGDIOBJ old = reinterpret_cast<HGDIOBJ>(s.brush);
        s.brush = reinterpret_cast<HBRUSH>(object);
        return old;
    }
    if (std::holds_alternative<Pen>(entry->object)) {
        HGDIOBJ old = reinterpret_cast<HGDIOBJ>(s.pen);
        s.pen = reinterpret_cast<HPEN>(object);
        return old;
    }
    if (std::holds_alternative<Font>(entry->object)) {
        HGDIOBJ old = reinterpret_cast<HGDIOBJ>(s.font);
        s.font = reinterpret_cast<HFONT>(object);
        return old;
    }
    if (auto* bitmap = std::get_if<Bitmap>(&entry->object)) {
        if (!dc->memory)
            return nullptr;
        // A bitmap may be selected into one memory context at a time.
        if (bitmap->selections > 0 && reinterpret_cast<HGDIOBJ>(s.bitmap) != object) {
            return nullptr;
        }
        HGDIOBJ old = reinterpret_cast<HGDIOBJ>(s.bitmap);
        if (Bitmap* previous = BitmapOf(s.bitmap))
            --previous->selections;
        ++bitmap->selections;
        s.bitmap = reinterpret_cast<HBITMAP>(object);
        dc->bounds = RECT{0, 0, bitmap->width, bitmap->height};
        s.clip = dc->bounds;
        return old;
    }
    return nullptr;
}

HGDIOBJ GetCurrentObject(HDC handle, UINT type) {
    DeviceContext* dc = ContextOf(handle);
    if (dc == nullptr)
        return nullptr;
    switch (type) {
        case OBJ_BRUSH:
            return reinterpret_cast<HGDIOBJ>(dc->state.brush);
        case OBJ_PEN:
            return reinterpret_cast<HGDIOBJ>(dc->state.pen);
        case OBJ_FONT:
            return reinterpret_cast<HGDIOBJ>(dc->state.font);
        case OBJ_BITMAP:
            return reinterpret_cast<HGDIOBJ>(dc->state.bitmap);
        default:
            return nullptr;
    }
}

#define TARVEL_DC_PROPERTY(Setter, Getter, Type, field, fallback) \
    Type Setter(HDC handle, Type value) {                         \
        DeviceContext* dc = ContextOf(handle);                    \
        if (dc == nullptr)                                        \
            return fallback;                                      \
        const Type old = dc->state.field;                         \
        dc->state.field = value;                                  \
        return old;                                               \
    }                                                             \
    Type Getter(HDC handle) {                                     \
        DeviceContext* dc = ContextOf(handle);                    \
        return dc == nullptr ? fallback : dc->state.field;        \
    }

TARVEL_DC_PROPERTY(SetTextColor, GetTextColor, COLORREF, textColour, CLR_INVALID)
TARVEL_DC_PROPERTY(SetBkColor, GetBkColor, COLORREF, backColour, CLR_INVALID)
TARVEL_DC_PROPERTY(SetBkMode, GetBkMode, int, backMode, 0)
TARVEL_DC_PROPERTY(SetTextAlign, GetTextAlign, UINT, textAlign, 0)
#undef TARVEL_DC_PROPERTY

namespace {

BOOL SetPoint(HDC handle, POINT DeviceState::*field, int x, int y, POINT* old, bool offset) {
    DeviceContext* dc = ContextOf(handle);
    if (dc == nullptr)
        return FALSE;
    POINT& p = dc->state.*field;
    if (old != nullptr)
        *old = p;
    if (offset) {
        p.x += x;
        p.y += y;
    } else {
        p = POINT{x, y};
    }
    return TRUE;
}

BOOL GetPoint(HDC handle, POINT DeviceState::*field, POINT* out) {
    DeviceContext* dc = ContextOf(handle);
    if (dc == nullptr || out == nullptr)
        return FALSE;
    *out = dc->state.*field;
    return TRUE;
}

}  // namespace

BOOL SetBrushOrgEx(HDC dc, int x, int y, POINT* old) {
    return SetPoint(dc, &DeviceState::brushOrigin, x, y, old, false);
}
BOOL GetBrushOrgEx(HDC dc, POINT* origin) {
    return GetPoint(dc, &DeviceState::brushOrigin, origin);
}
BOOL SetViewportOrgEx(HDC dc, int x, int y, POINT* old) {
    return SetPoint(dc, &DeviceState::viewportOrigin, x, y, old, false);
}
BOOL GetViewportOrgEx(HDC dc, POINT* origin) {
    return GetPoint(dc, &DeviceState::viewportOrigin, origin);
}
BOOL OffsetViewportOrgEx(HDC dc, int dx, int dy, POINT* old) {
    return SetPoint(dc, &DeviceState::viewportOrigin, dx, dy, old, true);
}

int IntersectClipRect(HDC handle, int left, int top, int right, int bottom) {
    DeviceContext* dc = ContextOf(handle);
    if (dc == nullptr)
        return 0;
    const int ox = dc->targetOffset.x + dc->state.viewportOrigin.x;
    const int oy = dc->targetOffset.y + dc->state.viewportOrigin.y;
    RECT& clip = dc->state.clip;
    clip.left = std::max<LONG>(clip.left, left + ox);
    clip.top = std::max<LONG>(clip.top, top + oy);
    clip.right = std::min<LONG>(clip.right, right + ox);
    clip.bottom = std::min<LONG>(clip.bottom, bottom + oy);
    if (clip.right <= clip.left || clip.bottom <= clip.top)
        return NULLREGION;
    return SIMPLEREGION;
}

HGDIOBJ GetStockObject(int index) {
    if (index < 0 || index >= 20)
        return nullptr;
    return Stock().objects[index];
}

BOOL DeleteObject(HGDIOBJ object) {
    Entry* entry = Objects().Find(object);
    if (entry == nullptr)
        return FALSE;
    if (entry->stock)
        return TRUE;
    if (std::holds_alternative<DeviceContext>(entry->object))
        return FALSE;
    if (auto* bitmap = std::get_if<Bitmap>(&entry->object)) {
        if (bitmap->selections > 0)
            return FALSE;
    }
    Objects().Remove(object);
    return TRUE;
}

int GetObjectW(HGDIOBJ object, int size, void* buffer) {
    Entry* entry = Objects().Find(object);
    if (entry == nullptr)
        return 0;
    if (auto* bitmap = std::get_if<Bitmap>(&entry->object)) {
        if (buffer == nullptr)
            return sizeof(BITMAP);
        if (size < static_cast<int>(sizeof(BITMAP)))
            return 0;
        BITMAP info;
        info.bmWidth = bitmap->width;
        info.bmHeight = bitmap->height;
        info.bmBitsPixel = static_cast<WORD>(bitmap->bitsPerPixel);
        info.bmWidthBytes =
            bitmap->bitsPerPixel == 1 ? ((bitmap->width + 15) / 16) * 2 : bitmap->width * 4;
        info.bmBits = bitmap->bitsPerPixel == 32 ? bitmap->pixels.data() : nullptr;
        std::memcpy(buffer, &info, sizeof info);
        return sizeof(BITMAP);
    }
    if (auto* font = std::get_if<Font>(&entry->object)) {
        if (buffer == nullptr)
            return sizeof(LOGFONTW);
        if (size < static_cast<int>(sizeof(LOGFONTW)))
            return 0;
        std::memcpy(buffer, &font->logFont, sizeof(LOGFONTW));
        return sizeof(LOGFONTW);
    }
    if (auto* brush = std::get_if<Brush>(&entry->object)) {
        if (buffer == nullptr)
            return sizeof(LOGBRUSH);
        if (size < static_cast<int>(sizeof(LOGBRUSH)))
            return 0;
        LOGBRUSH info;
        info.lbStyle = brush->style == Brush::Style::Null      ? 1u
                       : brush->style == Brush::Style::Pattern ? 3u
                                                               : 0u;
        info.lbColor = brush->style == Brush::Style::SystemColour ? GetSysColor(brush->systemColour)
                                                                  : brush->colour;
        std::memcpy(buffer, &info, sizeof info);
        return sizeof(LOGBRUSH);
    }
    return 0;
}

DWORD GetObjectType(HGDIOBJ object) {
    Entry* entry = Objects().Find(object);
    if (entry == nullptr)
        return 0;
    return std::visit(
        [](const auto& o) -> DWORD {
            using T = std::decay_t<decltype(o)>;
            if constexpr (std::is_same_v<T, Bitmap>)
                return OBJ_BITMAP;
            if constexpr (std::is_same_v<T, Brush>)
                return OBJ_BRUSH;
            if constexpr (std::is_same_v<T, Pen>)
                return OBJ_PEN;
            if constexpr (std::is_same_v<T, Font>)
                return OBJ_FONT;
            if constexpr (std::is_same_v<T, Region>)
                return OBJ_REGION;
            if constexpr (std::is_same_v<T, DeviceContext>)
                return o.memory ? OBJ_MEMDC : OBJ_DC;
            return 0;
        },
        entry->object);
}

HBRUSH CreateSolidBrush(COLORREF colour) {
    Brush brush;
    brush.colour = colour & 0x00FFFFFF;
    return MakeHandle<HBRUSH>(Objects().Add(Object{brush}));
}

HBRUSH CreatePatternBrush(HBITMAP bitmap) {
    Bitmap* source = BitmapOf(bitmap);
    if (source == nullptr)
        return nullptr;
    Brush brush;
    brush.style = Brush::Style::Pattern;
    brush.pattern = *source;
    brush.pattern.selections = 0;
    return MakeHandle<HBRUSH>(Objects().Add(Object{std::move(brush)}));
}

namespace {

std::array<COLORREF, kSystemColorCount>& SystemColours() {
    static std::array<COLORREF, kSystemColorCount> colours = {
        RGB(200, 200, 200), RGB(0, 0, 0),       RGB(153, 180, 209), RGB(191, 205, 219),
        RGB(240, 240, 240), RGB(255, 255, 255), RGB(100, 100, 100), RGB(0, 0, 0),
        RGB(0, 0, 0),       RGB(0, 0, 0),       RGB(180, 180, 180), RGB(244, 247, 252),
        RGB(171, 171, 171), RGB(51, 153, 255),  RGB(255, 255, 255), RGB(240, 240, 240),
        RGB(160, 160, 160), RGB(109, 109, 109), RGB(0, 0, 0),       RGB(67, 78, 84),
        RGB(255, 255, 255), RGB(105, 105, 105), RGB(227, 227, 227), RGB(0, 0, 0),
        RGB(255, 255, 225), RGB(0, 0, 0),       RGB(0, 102, 204),   RGB(185, 209, 234),
        RGB(215, 228, 242), RGB(51, 153, 255),  RGB(240, 240, 240)};
    return colours;
}

}  // namespace

void gdi::SetSystemColour(int index, COLORREF colour) {
    if (index >= 0 && index < kSystemColorCount)
        SystemColours()[static_cast<std::size_t>(index)] = colour;
}

DWORD GetSysColor(int index) {
    if (index < 0 || index >= kSystemColorCount)
        return 0;
    return SystemColours()[static_cast<std::size_t>(index)];
}

HBRUSH GetSysColorBrush(int index) {
    if (index < 0 || index >= kSystemColorCount)
        return nullptr;
    return Stock().systemBrushes[index];
}

HPEN CreatePen(int style, int width, COLORREF colour) {
    return MakeHandle<HPEN>(Objects().Add(Object{Pen{style, std::max(width, 1), colour}}));
}

HFONT CreateFontIndirectW(const LOGFONTW* font) {
    if (font == nullptr)
        return nullptr;
    return MakeHandle<HFONT>(Objects().Add(Object{MakeFont(*font)}));
}

HBITMAP CreateBitmap(int width, int height, UINT, UINT bitsPerPixel, const void* bits) {
    if (width <= 0 || height <= 0 || width > 32767 || height > 32767)
        return nullptr;
    Bitmap bitmap;
    bitmap.width = width;
    bitmap.height = height;
    bitmap.bitsPerPixel = bitsPerPixel == 1 ? 1 : 32;
    bitmap.pixels.assign(static_cast<std::size_t>(width) * static_cast<std::size_t>(height),
                         0xFF000000u);
    if (bits != nullptr) {
        const auto* bytes = static_cast<const BYTE*>(bits);
        if (bitsPerPixel == 1) {
            const int stride = ((width + 15) / 16) * 2;  // rows are whole 16-bit words
            for (int y = 0; y < height; ++y) {
                for (int x = 0; x < width; ++x) {
                    const bool set = (bytes[y * stride + x / 8] & (0x80 >> (x % 8))) != 0;
                    bitmap.At(x, y) = set ? 0xFFFFFFFFu : 0xFF000000u;
                }
            }
        } else if (bitsPerPixel == 32) {
            std::memcpy(bitmap.pixels.data(), bytes, bitmap.pixels.size() * sizeof(Pixel));
        }
    }
    return AddBitmap(std::move(bitmap));
}

HBITMAP CreateCompatibleBitmap(HDC, int width, int height) {
    return CreateBitmap(width, height, 1, 32, nullptr);
}

HBITMAP CreateDIBSection(HDC, const BITMAPINFO* info, UINT, void** bits, HANDLE, DWORD) {
    if (bits != nullptr)
        *bits = nullptr;
    if (info == nullptr || info->bmiHeader.biBitCount != 32 ||
        info->bmiHeader.biCompression != BI_RGB) {
        return nullptr;
    }
    const LONG width = info->bmiHeader.biWidth;
    const LONG height = info->bmiHeader.biHeight;
    if (width <= 0 || height == 0 || width > 32767 || height > 32767 || height < -32767) {
        return nullptr;
    }
    Bitmap bitmap;
    bitmap.width = width;
    bitmap.height = height < 0 ? -height : height;
    bitmap.bottomUp = height > 0;
    bitmap.pixels.assign(
        static_cast<std::size_t>(bitmap.width) * static_cast<std::size_t>(bitmap.height), 0);
    const HBITMAP handle = AddBitmap(std::move(bitmap));
    if (bits != nullptr)
        *bits = BitmapOf(handle)->pixels.data();
    return handle;
}

HRGN CreateRectRgn(int left, int top, int right, int bottom) {
    Region region;
    if (right > left && bottom > top)
        region.rects.push_back(RECT{left, top, right, bottom});
    return MakeHandle<HRGN>(Objects().Add(Object{region}));
}

int CombineRgn(HRGN destination, HRGN source1, HRGN source2, int mode) {
    Region* out = Get<Region>(destination);
    Region* a = Get<Region>(source1);
    if (out == nullptr || a == nullptr)
        return 0;
    Region result = *a;
    if (mode == RGN_OR) {
        Region* b = Get<Region>(source2);
        if (b == nullptr)
            return 0;
        result.rects.insert(result.rects.end(), b->rects.begin(), b->rects.end());
    } else if (mode == RGN_AND) {
        Region* b = Get<Region>(source2);
        if (b == nullptr)
            return 0;
        Region both;
        for (const RECT& r : a->rects) {
            for (const RECT& s : b->rects) {
                RECT i;
                if (IntersectRect(&i, &r, &s))
                    both.rects.push_back(i);
            }
        }
        result = both;
    } else if (mode != RGN_COPY) {
        return 0;
    }
    *out = result;
    return out->rects.empty() ? NULLREGION
                              : (out->rects.size() == 1 ? SIMPLEREGION : COMPLEXREGION);
}

int GetRgnBox(HRGN handle, RECT* box) {
    Region* region = Get<Region>(handle);
    if (region == nullptr || box == nullptr)
        return 0;
    *box = RECT{};
    for (const RECT& r : region->rects)
        UnionRect(box, box, &r);
    return region->rects.empty() ? NULLREGION
                                 : (region->rects.size() == 1 ? SIMPLEREGION : COMPLEXREGION);
}

BOOL PtInRegion(HRGN handle, int x, int y) {
    Region* region = Get<Region>(handle);
    if (region == nullptr)
        return FALSE;
    for (const RECT& r : region->rects) {
        if (PtInRect(&r, POINT{x, y}))
            return TRUE;
    }
    return FALSE;
}
