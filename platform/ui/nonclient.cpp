// The non-client area: borders, client edges and the caption bar, drawn for WM_NCPAINT and
// WM_PRINT.
#include "platform/gdi/gdi.h"
#include "platform/ui/internal.h"
#include "platform/ui/user.h"
#include "platform/ui/window_table.h"

namespace ui {

// Draws the frame of `window` on `dc`, whose origin is the window's top-left corner.
void DrawFrame(HWND window, HDC dc) {
    WindowRecord* record = Find(window);
    if (record == nullptr)
        return;
    RECT r{0, 0, RectWidth(record->rect), RectHeight(record->rect)};
    const DWORD style = record->style;
    const DWORD exStyle = record->exStyle;
    const bool captioned = (style & WS_CAPTION) == WS_CAPTION;
    if (captioned || (style & WS_DLGFRAME) != 0 || (exStyle & WS_EX_DLGMODALFRAME) != 0) {
        DrawEdge(dc, &r, EDGE_RAISED, BF_RECT | BF_ADJUST);
        FrameRect(dc, &r, GetSysColorBrush(COLOR_BTNFACE));
        InflateRect(&r, -1, -1);
    } else if ((style & WS_BORDER) != 0) {
        FrameRect(dc, &r, GetSysColorBrush(COLOR_WINDOWFRAME));
        InflateRect(&r, -1, -1);
    }
    if ((exStyle & WS_EX_CLIENTEDGE) != 0)
        DrawEdge(dc, &r, EDGE_SUNKEN, BF_RECT | BF_ADJUST);
    if ((exStyle & WS_EX_STATICEDGE) != 0)
        DrawEdge(dc, &r, BDR_SUNKENOUTER, BF_RECT | BF_ADJUST);
    if (captioned) {
        RECT bar{r.left, r.top, r.right, r.top + GetSystemMetrics(SM_CYCAPTION)};
        const bool active = GetActiveWindow() == window;
        FillRect(dc, &bar, GetSysColorBrush(active ? COLOR_ACTIVECAPTION : COLOR_INACTIVECAPTION));
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, GetSysColor(active ? COLOR_CAPTIONTEXT : COLOR_INACTIVECAPTIONTEXT));
        bar.left += 4;
        DrawTextW(dc, record->text.c_str(), -1, &bar,
                  DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    }
}

bool HasFrame(HWND window) {
    WindowRecord* record = Find(window);
    if (record == nullptr)
        return false;
    const RECT insets = NonClientInsets(record->style, record->exStyle);
    return insets.left != 0 || insets.top != 0 || insets.right != 0 || insets.bottom != 0;
}

}  // namespace ui
