// Device contexts of windows, painting, the windows' surfaces and snapshots of what a window
// shows.
#include <algorithm>
#include <vector>

#include "platform/gdi/gdi_objects.h"
#include "platform/gdi/image.h"
#include "platform/ui/headless.h"
#include "platform/ui/user.h"
#include "platform/ui/window_surface.h"
#include "platform/ui/window_table.h"

using gdi::Bitmap;
using gdi::BitmapOf;
using gdi::DeviceContext;
using gdi::Objects;
using gdi::Pixel;

namespace {

// A window's surface follows its window's size in place: what was drawn stays where the sizes
// overlap, as a moved window keeps its picture, and new parts are white. The buffer keeps its
// capacity, so a dialog that grows and shrinks by rows again and again allocates nothing.
void ResizeSurface(Bitmap& surface, int width, int height) {
    const auto columns = static_cast<std::size_t>(width);
    const auto rows = static_cast<std::size_t>(height);
    const auto oldColumns = static_cast<std::size_t>(surface.width);
    const std::size_t kept = std::min(rows, static_cast<std::size_t>(surface.height));
    std::vector<Pixel>& pixels = surface.pixels;
    pixels.reserve(columns * rows);  // exactly: a surface does not grow by itself
    if (columns > oldColumns) {
        // Wider: rows move to their new places from the last one up, each widened with white
        // (the rows below the kept ones are new, white from the resize).
        pixels.resize(columns * rows, 0xFFFFFFFFu);
        for (std::size_t y = kept; y-- > 0;) {
            std::copy_backward(
                pixels.begin() + static_cast<std::ptrdiff_t>(y * oldColumns),
                pixels.begin() + static_cast<std::ptrdiff_t>((y + 1) * oldColumns),
                pixels.begin() + static_cast<std::ptrdiff_t>(y * columns + oldColumns));
            std::fill_n(pixels.begin() + static_cast<std::ptrdiff_t>(y * columns + oldColumns),
                        columns - oldColumns, 0xFFFFFFFFu);
        }
    } else {
        // As wide or narrower: rows move up to their new places from the first one down.
        if (columns < oldColumns) {
            for (std::size_t y = 1; y < kept; ++y) {
                std::copy_n(pixels.begin() + static_cast<std::ptrdiff_t>(y * oldColumns), columns,
                            pixels.begin() + static_cast<std::ptrdiff_t>(y * columns));
            }
        }
        pixels.resize(kept * columns);
        pixels.resize(columns * rows, 0xFFFFFFFFu);
    }
    surface.width = width;
    surface.height = height;
}

}  // namespace

HBITMAP ui::SurfaceOf(HWND window) {
    ui::WindowRecord* record = ui::Find(window);
    if (record == nullptr)
        return nullptr;
    const int width = std::max<int>(RectWidth(record->rect), 1);
    const int height = std::max<int>(RectHeight(record->rect), 1);
    Bitmap* surface = BitmapOf(record->surface);
    if (surface == nullptr) {
        Bitmap made;
        made.width = width;
        made.height = height;
        made.pixels.assign(static_cast<std::size_t>(width) * static_cast<std::size_t>(height),
                           0xFFFFFFFFu);
        record->surface = gdi::AddBitmap(std::move(made));
    } else if (surface->width != width || surface->height != height) {
        ResizeSurface(*surface, width, height);
    }
    return record->surface;
}

namespace {

// The screen's context measures text; the headless screen keeps no pixels of its own.
HDC MakeScreenContext() {
    DeviceContext dc;
    dc.state.brush = reinterpret_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    dc.state.pen = reinterpret_cast<HPEN>(GetStockObject(BLACK_PEN));
    dc.state.font = reinterpret_cast<HFONT>(GetStockObject(SYSTEM_FONT));
    return gdi::MakeHandle<HDC>(Objects().Add(gdi::Object{dc}));
}

HDC MakeWindowContext(HWND window, bool wholeWindow) {
    if (window == nullptr)
        return MakeScreenContext();
    ui::WindowRecord* record = ui::Find(window);
    if (record == nullptr)
        return nullptr;
    ui::SurfaceOf(window);
    DeviceContext dc;
    dc.window = window;
    dc.surfaceOf = &ui::SurfaceOf;
    const RECT insets = wholeWindow ? RECT{} : ui::NonClientInsets(record->style, record->exStyle);
    const int width = RectWidth(record->rect);
    const int height = RectHeight(record->rect);
    dc.targetOffset = POINT{insets.left, insets.top};
    dc.bounds = RECT{insets.left, insets.top, std::max<LONG>(insets.left, width - insets.right),
                     std::max<LONG>(insets.top, height - insets.bottom)};
    dc.state.clip = dc.bounds;
    dc.state.brush = reinterpret_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    dc.state.pen = reinterpret_cast<HPEN>(GetStockObject(BLACK_PEN));
    dc.state.font = reinterpret_cast<HFONT>(GetStockObject(SYSTEM_FONT));
    return gdi::MakeHandle<HDC>(Objects().Add(gdi::Object{dc}));
}

void Compose(HWND window, gdi::Image& image, POINT at);

}  // namespace

void ui::ClearSurface(HWND window) {
    if (Bitmap* surface = BitmapOf(SurfaceOf(window)))
        std::fill(surface->pixels.begin(), surface->pixels.end(), ui::kSeeThrough);
}

void ui::ShowParentThrough(HWND window) {
    ui::WindowRecord* record = ui::Find(window);
    if (record == nullptr || record->parent == nullptr)
        return;
    ui::WindowRecord* parent = ui::Find(record->parent);
    if (parent == nullptr)
        return;
    Bitmap* below = BitmapOf(SurfaceOf(record->parent));
    Bitmap* surface = BitmapOf(SurfaceOf(window));
    if (below == nullptr || surface == nullptr)
        return;
    const RECT insets = ui::NonClientInsets(parent->style, parent->exStyle);
    const int left = insets.left + record->rect.left;
    const int top = insets.top + record->rect.top;
    for (int y = 0; y < surface->height; ++y) {
        for (int x = 0; x < surface->width; ++x) {
            const int px = left + x;
            const int py = top + y;
            if (px >= 0 && py >= 0 && px < below->width && py < below->height)
                surface->At(x, y) = below->At(px, py);
        }
    }
}

namespace {

void Compose(HWND window, gdi::Image& image, POINT at) {
    ui::WindowRecord* record = ui::Find(window);
    if (record == nullptr)
        return;
    Bitmap* surface = BitmapOf(ui::SurfaceOf(window));
    const bool seeThrough = (record->exStyle & WS_EX_TRANSPARENT) != 0;
    if (surface != nullptr) {
        // The part of the surface that lies on the image, copied a row at a time.
        const int left = std::max<int>(0, -at.x);
        const int right = std::min<int>(surface->width, image.width - at.x);
        const int top = std::max<int>(0, -at.y);
        const int bottom = std::min<int>(surface->height, image.height - at.y);
        for (int y = top; y < bottom && left < right; ++y) {
            const Pixel* from = &surface->At(left, y);
            Pixel* to = &image.pixels[static_cast<std::size_t>(at.y + y) *
                                          static_cast<std::size_t>(image.width) +
                                      static_cast<std::size_t>(at.x + left)];
            const auto count = static_cast<std::size_t>(right - left);
            if (!seeThrough) {
                std::copy_n(from, count, to);
                continue;
            }
            for (std::size_t x = 0; x < count; ++x) {
                if (from[x] != ui::kSeeThrough)
                    to[x] = from[x];
            }
        }
    }
    const RECT insets = ui::NonClientInsets(record->style, record->exStyle);
    const std::vector<HWND> children = record->children;
    for (auto it = children.rbegin(); it != children.rend(); ++it) {
        ui::WindowRecord* child = ui::Find(*it);
        if (child == nullptr || (child->style & WS_VISIBLE) == 0)
            continue;
        Compose(*it, image,
                POINT{at.x + insets.left + child->rect.left, at.y + insets.top + child->rect.top});
    }
}

}  // namespace

HDC GetDC(HWND window) {
    return MakeWindowContext(window, false);
}
HDC GetWindowDC(HWND window) {
    return MakeWindowContext(window, true);
}

int ReleaseDC(HWND, HDC dc) {
    DeviceContext* context = gdi::ContextOf(dc);
    if (context == nullptr || context->memory)
        return 0;
    Objects().Remove(dc);
    ui::NoteScreenChange();  // whatever was drawn on the window is now on its surface
    return 1;
}

HDC BeginPaint(HWND window, PAINTSTRUCT* paint) {
    ui::WindowRecord* record = ui::Find(window);
    if (record == nullptr || paint == nullptr)
        return nullptr;
    const bool erase = record->needsErase;
    record->needsPaint = false;
    record->needsErase = false;
    ++record->paintCount;
    const HDC dc = GetDC(window);
    paint->hdc = dc;
    GetClientRect(window, &paint->rcPaint);
    paint->fErase = erase ? TRUE : FALSE;
    if (erase && SendMessageW(window, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0) != 0) {
        paint->fErase = FALSE;
    }
    return dc;
}

BOOL EndPaint(HWND window, const PAINTSTRUCT* paint) {
    if (paint == nullptr)
        return FALSE;
    ReleaseDC(window, paint->hdc);
    return TRUE;
}

BOOL SetWindowRgn(HWND window, HRGN region, BOOL redraw) {
    if (!IsWindow(window))
        return FALSE;
    // The window keeps its rectangle for hit-testing and painting; the system owns the region
    // from now on and has no further use for it.
    if (region != nullptr)
        DeleteObject(region);
    if (redraw)
        InvalidateRect(window, nullptr, TRUE);
    return TRUE;
}

namespace ui {

gdi::Image Snapshot(HWND window) {
    gdi::Image image;
    WindowRecord* record = Find(window);
    if (record == nullptr)
        return image;
    PumpMessages();
    RedrawWindow(window, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    record = Find(window);
    if (record == nullptr)
        return image;
    image.width = RectWidth(record->rect);
    image.height = RectHeight(record->rect);
    image.pixels.assign(static_cast<std::size_t>(std::max(image.width, 0)) *
                            static_cast<std::size_t>(std::max(image.height, 0)),
                        0xFFFFFFFFu);
    Compose(window, image, POINT{0, 0});
    return image;
}

}  // namespace ui
