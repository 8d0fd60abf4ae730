// The "Static" class: texts, etched lines and frames, and bitmaps.
#include "platform/ui/controls/control_support.h"
#include "platform/ui/controls/standard_classes.h"

namespace ui {
namespace {

struct StaticData : ClassData {
    HFONT font = nullptr;
    HANDLE image = nullptr;
};

void Paint(HWND window, HDC dc) {
    StaticData& data = DataOf<StaticData>(window);
    PaintWith(window, dc, data.font, [&](const RECT& client) {
        const DWORD style = StyleOf(window);
        const DWORD type = style & SS_TYPEMASK;
        if (type == SS_ETCHEDHORZ || type == SS_ETCHEDVERT || type == SS_ETCHEDFRAME) {
            RECT r = client;
            const UINT sides = type == SS_ETCHEDHORZ   ? BF_TOP | BF_BOTTOM
                               : type == SS_ETCHEDVERT ? BF_LEFT | BF_RIGHT
                                                       : BF_RECT;
            DrawEdge(dc, &r, EDGE_ETCHED, sides);
            return;
        }
        const HBRUSH background = AskColours(window, dc, WM_CTLCOLORSTATIC);
        FillRect(dc, &client, background);
        if (type == SS_BITMAP) {
            if (data.image == nullptr)
                return;
            BITMAP info;
            GetObjectW(data.image, sizeof info, &info);
            const HDC memory = CreateCompatibleDC(dc);
            const HGDIOBJ old = SelectObject(memory, data.image);
            BitBlt(dc, 0, 0, info.bmWidth, info.bmHeight, memory, 0, 0, SRCCOPY);
            SelectObject(memory, old);
            DeleteDC(memory);
            return;
        }
        UINT format = DT_WORDBREAK;
        if (type == SS_CENTER)
            format |= DT_CENTER;
        if (type == SS_RIGHT)
            format |= DT_RIGHT;
        if ((style & SS_NOPREFIX) != 0)
            format |= DT_NOPREFIX;
        if (!IsWindowEnabled(window))
            SetTextColor(dc, GetSysColor(COLOR_GRAYTEXT));
        RECT r = client;
        const std::u16string text = TextOf(window);
        DrawTextW(dc, text.c_str(), -1, &r, format);
    });
}

}  // namespace

LRESULT StaticProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    StaticData& data = DataOf<StaticData>(window);
    switch (message) {
        case WM_NCHITTEST:
            // Texts let the mouse through to what lies below them unless they notify.
            return (StyleOf(window) & SS_NOTIFY) != 0 ? HTCLIENT : HTTRANSPARENT;
        case WM_GETDLGCODE:
            return DLGC_STATIC;
        case WM_LBUTTONDOWN:
            if ((StyleOf(window) & SS_NOTIFY) != 0)
                NotifyParent(window, STN_CLICKED);
            return 0;
        case STM_SETIMAGE: {
            const HANDLE old = data.image;
            data.image = reinterpret_cast<HANDLE>(lParam);
            InvalidateRect(window, nullptr, TRUE);
            return reinterpret_cast<LRESULT>(old);
        }
        case STM_GETIMAGE:
            return reinterpret_cast<LRESULT>(data.image);
        default:
            return DrawnControlMessage(window, message, wParam, lParam, data.font,
                                       [&](HDC dc) { Paint(window, dc); });
    }
}

}  // namespace ui
