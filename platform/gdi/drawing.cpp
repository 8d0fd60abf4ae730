// Fills, block transfers, pixels, lines and focus rectangles.
#include <algorithm>
#include <cmath>

#include "platform/gdi/canvas.h"

using namespace gdi;

namespace {

// Source pixel for a transfer: monochrome sources take the destination's text colour for
// black and its background colour for white.
Pixel SourcePixel(Bitmap& source, int x, int y, const DeviceState& destination) {
    const Pixel p = source.At(x, y);
    if (source.bitsPerPixel != 1)
        return p;
    return (p & 0x00FFFFFF) != 0 ? ToPixel(destination.backColour)
                                 : ToPixel(destination.textColour);
}

bool Transfer(HDC destination, int x, int y, int width, int height, HDC source, int sourceX,
              int sourceY, int sourceWidth, int sourceHeight, bool transparent,
              Pixel transparentColour) {
    Canvas out(destination);
    Canvas in(source);
    if (!out.Valid() || !in.Valid() || width <= 0 || height <= 0 || sourceWidth <= 0 ||
        sourceHeight <= 0) {
        return false;
    }
    Bitmap& from = in.Target();
    const DeviceState state = out.State();
    for (int j = 0; j < height; ++j) {
        for (int i = 0; i < width; ++i) {
            const int sx = in.TargetX(sourceX + i * sourceWidth / width);
            const int sy = in.TargetY(sourceY + j * sourceHeight / height);
            if (!from.Contains(sx, sy))
                continue;
            const Pixel p = SourcePixel(from, sx, sy, state);
            if (transparent && (p & 0x00FFFFFF) == (transparentColour & 0x00FFFFFF))
                continue;
            out.Put(out.TargetX(x + i), out.TargetY(y + j), p | 0xFF000000u);
        }
    }
    return true;
}

}  // namespace

int FillRect(HDC dc, const RECT* rect, HBRUSH brush) {
    Canvas canvas(dc);
    if (!canvas.Valid() || rect == nullptr)
        return 0;
    canvas.Fill(*rect, brush);
    return 1;
}

int FrameRect(HDC dc, const RECT* rect, HBRUSH brush) {
    Canvas canvas(dc);
    if (!canvas.Valid() || rect == nullptr || IsRectEmpty(rect))
        return 0;
    const RECT& r = *rect;
    canvas.Fill(RECT{r.left, r.top, r.right, r.top + 1}, brush);
    canvas.Fill(RECT{r.left, r.bottom - 1, r.right, r.bottom}, brush);
    canvas.Fill(RECT{r.left, r.top, r.left + 1, r.bottom}, brush);
    canvas.Fill(RECT{r.right - 1, r.top, r.right, r.bottom}, brush);
    return 1;
}

BOOL PatBlt(HDC dc, int x, int y, int width, int height, DWORD rop) {
    Canvas canvas(dc);
    if (!canvas.Valid())
        return FALSE;
    const RECT r{x, y, x + width, y + height};
    switch (rop) {
        case PATCOPY:
            canvas.Fill(r, canvas.State().brush);
            return TRUE;
        case BLACKNESS:
            canvas.FillColour(r, RGB(0, 0, 0));
            return TRUE;
        case WHITENESS:
            canvas.FillColour(r, RGB(255, 255, 255));
            return TRUE;
        case DSTINVERT:
            for (int ty = canvas.TargetY(r.top); ty < canvas.TargetY(r.bottom); ++ty) {
                for (int tx = canvas.TargetX(r.left); tx < canvas.TargetX(r.right); ++tx) {
                    if (Pixel* p = canvas.At(tx, ty))
                        *p ^= 0x00FFFFFF;
                }
            }
            return TRUE;
        default:
            return FALSE;
    }
}

BOOL BitBlt(HDC destination, int x, int y, int width, int height, HDC source, int sourceX,
            int sourceY, DWORD rop) {
    if (rop != SRCCOPY) {
        if (source == nullptr)
            return PatBlt(destination, x, y, width, height, rop);
        if (rop != SRCAND && rop != SRCPAINT && rop != SRCINVERT)
            return FALSE;
        Canvas out(destination);
        Canvas in(source);
        if (!out.Valid() || !in.Valid())
            return FALSE;
        for (int j = 0; j < height; ++j) {
            for (int i = 0; i < width; ++i) {
                const int sx = in.TargetX(sourceX + i);
                const int sy = in.TargetY(sourceY + j);
                Pixel* d = out.At(out.TargetX(x + i), out.TargetY(y + j));
                if (d == nullptr || !in.Target().Contains(sx, sy))
                    continue;
                const Pixel s = SourcePixel(in.Target(), sx, sy, out.State());
                if (rop == SRCAND)
                    *d = (*d & s) | 0xFF000000u;
                if (rop == SRCPAINT)
                    *d = (*d | s) | 0xFF000000u;
                if (rop == SRCINVERT)
                    *d = (*d ^ s) | 0xFF000000u;
            }
        }
        return TRUE;
    }
    return Transfer(destination, x, y, width, height, source, sourceX, sourceY, width, height,
                    false, 0)
               ? TRUE
               : FALSE;
}

BOOL StretchBlt(HDC destination, int x, int y, int width, int height, HDC source, int sourceX,
                int sourceY, int sourceWidth, int sourceHeight, DWORD rop) {
    if (rop != SRCCOPY)
        return FALSE;
    return Transfer(destination, x, y, width, height, source, sourceX, sourceY, sourceWidth,
                    sourceHeight, false, 0)
               ? TRUE
               : FALSE;
}

BOOL TransparentBlt(HDC destination, int x, int y, int width, int height, HDC source, int sourceX,
                    int sourceY, int sourceWidth, int sourceHeight, UINT transparentColour) {
    return Transfer(destination, x, y, width, height, source, sourceX, sourceY, sourceWidth,
                    sourceHeight, true, ToPixel(transparentColour))
               ? TRUE
               : FALSE;
}

COLORREF SetPixel(HDC dc, int x, int y, COLORREF colour) {
    Canvas canvas(dc);
    if (!canvas.Valid())
        return CLR_INVALID;
    Pixel* p = canvas.At(canvas.TargetX(x), canvas.TargetY(y));
    if (p == nullptr)
        return CLR_INVALID;
    *p = ToPixel(colour);
    return colour & 0x00FFFFFF;
}

COLORREF GetPixel(HDC dc, int x, int y) {
    Canvas canvas(dc);
    if (!canvas.Valid())
        return CLR_INVALID;
    Pixel* p = canvas.At(canvas.TargetX(x), canvas.TargetY(y));
    return p == nullptr ? CLR_INVALID : ToColour(*p);
}

BOOL MoveToEx(HDC dc, int x, int y, POINT* old) {
    DeviceContext* context = ContextOf(dc);
    if (context == nullptr)
        return FALSE;
    if (old != nullptr)
        *old = context->state.penPosition;
    context->state.penPosition = POINT{x, y};
    return TRUE;
}

BOOL LineTo(HDC dc, int x, int y) {
    Canvas canvas(dc);
    if (!canvas.Valid())
        return FALSE;
    Pen* pen = Get<Pen>(canvas.State().pen);
    const POINT from = canvas.State().penPosition;
    if (pen != nullptr && pen->style != PS_NULL) {
        canvas.Line(from.x, from.y, x, y, ToPixel(pen->colour));
    }
    canvas.State().penPosition = POINT{x, y};
    return TRUE;
}

BOOL Rectangle(HDC dc, int left, int top, int right, int bottom) {
    Canvas canvas(dc);
    if (!canvas.Valid())
        return FALSE;
    canvas.Fill(RECT{left, top, right, bottom}, canvas.State().brush);
    Pen* pen = Get<Pen>(canvas.State().pen);
    if (pen != nullptr && pen->style != PS_NULL) {
        const Pixel c = ToPixel(pen->colour);
        canvas.Line(left, top, right - 1, top, c);
        canvas.Line(right - 1, top, right - 1, bottom - 1, c);
        canvas.Line(right - 1, bottom - 1, left, bottom - 1, c);
        canvas.Line(left, bottom - 1, left, top, c);
    }
    return TRUE;
}

BOOL DrawFocusRect(HDC dc, const RECT* rect) {
    Canvas canvas(dc);
    if (!canvas.Valid() || rect == nullptr || IsRectEmpty(rect))
        return FALSE;
    // A dotted outline that inverts every other pixel, so that drawing it twice removes it.
    const RECT& r = *rect;
    auto invert = [&](int x, int y) {
        if (Pixel* p = canvas.At(canvas.TargetX(x), canvas.TargetY(y)))
            *p ^= 0x00FFFFFF;
    };
    for (int x = r.left; x < r.right; x += 2) {
        invert(x, r.top);
        if (r.bottom - 1 != r.top)
            invert(x, r.bottom - 1);
    }
    for (int y = r.top + 2; y < r.bottom - 1; y += 2) {
        invert(r.left, y);
        if (r.right - 1 != r.left)
            invert(r.right - 1, y);
    }
    return TRUE;
}

BOOL SetRect(RECT* rect, int left, int top, int right, int bottom) {
    if (rect == nullptr)
        return FALSE;
    *rect = RECT{left, top, right, bottom};
    return TRUE;
}

BOOL SetRectEmpty(RECT* rect) {
    return SetRect(rect, 0, 0, 0, 0);
}

BOOL OffsetRect(RECT* rect, int dx, int dy) {
    if (rect == nullptr)
        return FALSE;
    rect->left += dx;
    rect->right += dx;
    rect->top += dy;
    rect->bottom += dy;
    return TRUE;
}

BOOL InflateRect(RECT* rect, int dx, int dy) {
    if (rect == nullptr)
        return FALSE;
    rect->left -= dx;
    rect->right += dx;
    rect->top -= dy;
    rect->bottom += dy;
    return TRUE;
}

BOOL IsRectEmpty(const RECT* rect) {
    return rect == nullptr || rect->right <= rect->left || rect->bottom <= rect->top ? TRUE : FALSE;
}

BOOL IntersectRect(RECT* result, const RECT* a, const RECT* b) {
    if (result == nullptr || a == nullptr || b == nullptr)
        return FALSE;
    RECT r{std::max(a->left, b->left), std::max(a->top, b->top), std::min(a->right, b->right),
           std::min(a->bottom, b->bottom)};
    if (IsRectEmpty(&r)) {
        *result = RECT{};
        return FALSE;
    }
    *result = r;
    return TRUE;
}

BOOL UnionRect(RECT* result, const RECT* a, const RECT* b) {
    if (result == nullptr || a == nullptr || b == nullptr)
        return FALSE;
    if (IsRectEmpty(a)) {
        *result = *b;
    } else if (IsRectEmpty(b)) {
        *result = *a;
    } else {
        *result = RECT{std::min(a->left, b->left), std::min(a->top, b->top),
                       std::max(a->right, b->right), std::max(a->bottom, b->bottom)};
    }
    return IsRectEmpty(result) ? FALSE : TRUE;
}

BOOL PtInRect(const RECT* rect, POINT point) {
    return rect != nullptr && point.x >= rect->left && point.x < rect->right &&
                   point.y >= rect->top && point.y < rect->bottom
               ? TRUE
               : FALSE;
}
