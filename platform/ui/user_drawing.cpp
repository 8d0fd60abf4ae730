// The drawing helpers of the user interface over GDI: 3-D edges in the system's colours and the
// stock icons.
#include <cstdint>

#include "platform/gdi/canvas.h"
#include "platform/ui/user.h"

using gdi::Canvas;
using gdi::Pixel;
using gdi::ToPixel;

namespace {

void EdgeLine(Canvas& canvas, RECT& r, UINT flags, COLORREF topLeft, COLORREF bottomRight) {
    const Pixel tl = ToPixel(topLeft);
    const Pixel br = ToPixel(bottomRight);
    if ((flags & BF_BOTTOM) != 0)
        canvas.Line(r.left, r.bottom - 1, r.right, r.bottom - 1, br);
    if ((flags & BF_RIGHT) != 0)
        canvas.Line(r.right - 1, r.top, r.right - 1, r.bottom, br);
    if ((flags & BF_TOP) != 0)
        canvas.Line(r.left, r.top, r.right - 1, r.top, tl);
    if ((flags & BF_LEFT) != 0)
        canvas.Line(r.left, r.top, r.left, r.bottom - 1, tl);
    if ((flags & BF_LEFT) != 0)
        ++r.left;
    if ((flags & BF_TOP) != 0)
        ++r.top;
    if ((flags & BF_RIGHT) != 0)
        --r.right;
    if ((flags & BF_BOTTOM) != 0)
        --r.bottom;
}

}  // namespace

BOOL DrawEdge(HDC dc, RECT* rect, UINT edge, UINT flags) {
    Canvas canvas(dc);
    if (!canvas.Valid() || rect == nullptr)
        return FALSE;
    RECT r = *rect;
    const bool mono = (flags & BF_MONO) != 0;
    const bool flat = (flags & BF_FLAT) != 0;
    if ((edge & (BDR_RAISEDOUTER | BDR_SUNKENOUTER)) != 0) {
        COLORREF tl;
        COLORREF br;
        if (mono) {
            tl = br = GetSysColor(COLOR_WINDOWFRAME);
        } else if (flat) {
            tl = br = GetSysColor(COLOR_BTNSHADOW);
        } else if ((edge & BDR_RAISEDOUTER) != 0) {
            tl = GetSysColor(COLOR_3DLIGHT);
            br = GetSysColor(COLOR_3DDKSHADOW);
        } else {
            tl = GetSysColor(COLOR_BTNSHADOW);
            br = GetSysColor(COLOR_BTNHIGHLIGHT);
        }
        EdgeLine(canvas, r, flags, tl, br);
    }
    if ((edge & (BDR_RAISEDINNER | BDR_SUNKENINNER)) != 0) {
        COLORREF tl;
        COLORREF br;
        if (mono || flat) {
            tl = br = GetSysColor(COLOR_BTNFACE);
        } else if ((edge & BDR_RAISEDINNER) != 0) {
            tl = GetSysColor(COLOR_BTNHIGHLIGHT);
            br = GetSysColor(COLOR_BTNSHADOW);
        } else {
            tl = GetSysColor(COLOR_3DDKSHADOW);
            br = GetSysColor(COLOR_3DLIGHT);
        }
        EdgeLine(canvas, r, flags, tl, br);
    }
    if ((flags & BF_MIDDLE) != 0)
        canvas.FillColour(r, GetSysColor(COLOR_BTNFACE));
    if ((flags & BF_ADJUST) != 0)
        *rect = r;
    return TRUE;
}

BOOL DrawIconEx(HDC dc, int x, int y, HICON icon, int width, int height, UINT, HBRUSH, UINT) {
    Canvas canvas(dc);
    const auto id = static_cast<int>(reinterpret_cast<std::uintptr_t>(icon));
    if (!canvas.Valid() || id < IDI_APPLICATION || id > IDI_INFORMATION)
        return FALSE;
    if (width <= 0)
        width = 32;
    if (height <= 0)
        height = 32;
    // Stock icons: a square in the icon's colour with a black outline.
    COLORREF colour = RGB(255, 255, 255);
    if (id == IDI_HAND)
        colour = RGB(204, 0, 0);
    if (id == IDI_QUESTION || id == IDI_INFORMATION)
        colour = RGB(0, 102, 204);
    if (id == IDI_WARNING)
        colour = RGB(255, 204, 0);
    canvas.FillColour(RECT{x, y, x + width, y + height}, RGB(0, 0, 0));
    canvas.FillColour(RECT{x + 1, y + 1, x + width - 1, y + height - 1}, colour);
    return TRUE;
}
