// The "Button" class: push buttons, check boxes, radio buttons and group boxes.
#include "platform/gdi/gdi_objects.h"
#include "platform/ui/controls/control_support.h"
#include "platform/ui/controls/standard_classes.h"
#include "platform/ui/window_surface.h"

namespace ui {
namespace {

struct ButtonData : ClassData {
    WPARAM check = BST_UNCHECKED;
    bool pushed = false;
    bool focused = false;
    bool tracking = false;  // the left button went down on it and it holds the capture
    bool spaceDown = false;
    HFONT font = nullptr;
    HANDLE image = nullptr;
};

DWORD TypeOf(HWND window) {
    return StyleOf(window) & BS_TYPEMASK;
}

bool IsCheckType(DWORD type) {
    return type == BS_CHECKBOX || type == BS_AUTOCHECKBOX || type == BS_3STATE ||
           type == BS_AUTO3STATE || type == BS_RADIOBUTTON || type == BS_AUTORADIOBUTTON;
}

bool Inside(HWND window, LPARAM point) {
    RECT client;
    GetClientRect(window, &client);
    return PtInRect(&client, POINT{GET_X_LPARAM(point), GET_Y_LPARAM(point)}) != 0;
}

void UncheckRadioGroup(HWND window) {
    // The radio buttons of a group lie between WS_GROUP styles in z-order.
    HWND first = window;
    while ((StyleOf(first) & WS_GROUP) == 0) {
        const HWND previous = GetWindow(first, GW_HWNDPREV);
        if (previous == nullptr)
            break;
        first = previous;
    }
    for (HWND w = first; w != nullptr; w = GetWindow(w, GW_HWNDNEXT)) {
        if (w != first && (StyleOf(w) & WS_GROUP) != 0)
            break;
        if (w != window && TypeOf(w) == BS_AUTORADIOBUTTON)
            SendMessageW(w, BM_SETCHECK, 0, 0);
    }
}

void Click(HWND window) {
    ButtonData& data = DataOf<ButtonData>(window);
    switch (TypeOf(window)) {
        case BS_AUTOCHECKBOX:
            data.check = data.check == BST_CHECKED ? BST_UNCHECKED : BST_CHECKED;
            break;
        case BS_AUTO3STATE:
            data.check = (data.check + 1) % 3;
            break;
        case BS_AUTORADIOBUTTON:
            data.check = BST_CHECKED;
            UncheckRadioGroup(window);
            break;
        default:
            break;
    }
    InvalidateRect(window, nullptr, TRUE);
    NotifyParent(window, BN_CLICKED);
}

void DrawCheckMark(HDC dc, const RECT& box, WPARAM check, bool enabled) {
    const COLORREF ink = enabled ? GetSysColor(COLOR_WINDOWTEXT) : GetSysColor(COLOR_GRAYTEXT);
    const HPEN pen = CreatePen(PS_SOLID, 1, ink);
    const HGDIOBJ old = SelectObject(dc, pen);
    if (check == BST_CHECKED) {
        // A tick: down-right from the left, then up to the top right.
        for (int i = 0; i < 3; ++i) {
            MoveToEx(dc, box.left + 3, box.top + 5 + i, nullptr);
            LineTo(dc, box.left + 5, box.top + 7 + i);
            LineTo(dc, box.left + 10, box.top + 2 + i);
        }
    } else if (check == BST_INDETERMINATE) {
        RECT inner{box.left + 3, box.top + 3, box.right - 3, box.bottom - 3};
        const HBRUSH grey = CreateSolidBrush(ink);
        FillRect(dc, &inner, grey);
        DeleteObject(grey);
    }
    SelectObject(dc, old);
    DeleteObject(pen);
}

void PaintPushButton(HWND window, HDC dc, const ButtonData& data, const RECT& client) {
    AskColours(window, dc, WM_CTLCOLORBTN);
    RECT r = client;
    const bool isDefault = TypeOf(window) == BS_DEFPUSHBUTTON;
    if (isDefault) {
        FrameRect(dc, &r, reinterpret_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
        InflateRect(&r, -1, -1);
    }
    FillRect(dc, &r, GetSysColorBrush(COLOR_BTNFACE));
    RECT edge = r;
    DrawEdge(dc, &edge, data.pushed ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT | BF_ADJUST);
    const bool enabled = IsWindowEnabled(window) != 0;
    if ((StyleOf(window) & BS_BITMAP) != 0 && data.image != nullptr) {
        BITMAP info;
        GetObjectW(data.image, sizeof info, &info);
        const HDC memory = CreateCompatibleDC(dc);
        const HGDIOBJ old = SelectObject(memory, data.image);
        const int x = (client.right - info.bmWidth) / 2 + (data.pushed ? 1 : 0);
        const int y = (client.bottom - info.bmHeight) / 2 + (data.pushed ? 1 : 0);
        SetTextColor(dc, GetSysColor(enabled ? COLOR_BTNTEXT : COLOR_GRAYTEXT));
        SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
        BitBlt(dc, x, y, info.bmWidth, info.bmHeight, memory, 0, 0, SRCCOPY);
        SelectObject(memory, old);
        DeleteDC(memory);
    } else {
        RECT text = edge;
        if (data.pushed)
            OffsetRect(&text, 1, 1);
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, GetSysColor(enabled ? COLOR_BTNTEXT : COLOR_GRAYTEXT));
        const std::u16string caption = TextOf(window);
        DrawTextW(dc, caption.c_str(), -1, &text, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    }
    if (data.focused) {
        RECT focus = r;
        InflateRect(&focus, -3, -3);
        DrawFocusRect(dc, &focus);
    }
}

void PaintCheckButton(HWND window, HDC dc, const ButtonData& data, const RECT& client) {
    const HBRUSH background = AskColours(window, dc, WM_CTLCOLORSTATIC);
    if (background == reinterpret_cast<HBRUSH>(GetStockObject(NULL_BRUSH))) {
        // A transparent check box: its parent's background, not its own last picture (and
        // the focus rectangle it held), lies under what it draws now.
        ui::ShowParentThrough(window);
    }
    FillRect(dc, &client, background);
    const int boxSize = 13;
    const int top = (client.bottom - boxSize) / 2;
    RECT box{0, top, boxSize, top + boxSize};
    const bool enabled = IsWindowEnabled(window) != 0;
    RECT inner = box;
    DrawEdge(dc, &inner, EDGE_SUNKEN, BF_RECT | BF_ADJUST);
    FillRect(dc, &inner, GetSysColorBrush(data.pushed || !enabled ? COLOR_BTNFACE : COLOR_WINDOW));
    DrawCheckMark(dc, box, data.check, enabled);
    RECT text{boxSize + 3, 0, client.right, client.bottom};
    if (!enabled)
        SetTextColor(dc, GetSysColor(COLOR_GRAYTEXT));
    const std::u16string caption = TextOf(window);
    DrawTextW(dc, caption.c_str(), -1, &text, DT_LEFT | DT_VCENTER | DT_SINGLELINE);
    if (data.focused) {
        SIZE extent;
        GetTextExtentPoint32W(dc, caption.c_str(), static_cast<int>(caption.size()), &extent);
        RECT focus{text.left - 1, (client.bottom - extent.cy) / 2 - 1, text.left + extent.cx + 1,
                   (client.bottom + extent.cy) / 2 + 1};
        DrawFocusRect(dc, &focus);
    }
}

void PaintGroupBox(HWND window, HDC dc, const RECT& client) {
    // Only the frame and the caption are the box's: the controls inside show through.
    if ((GetWindowLongPtrW(window, GWL_EXSTYLE) & WS_EX_TRANSPARENT) == 0) {
        SetWindowLongPtrW(window, GWL_EXSTYLE,
                          GetWindowLongPtrW(window, GWL_EXSTYLE) | WS_EX_TRANSPARENT);
    }
    ui::ClearSurface(window);
    const HBRUSH background = AskColours(window, dc, WM_CTLCOLORSTATIC);
    TEXTMETRICW metrics;
    GetTextMetricsW(dc, &metrics);
    RECT frame{0, metrics.tmHeight / 2, client.right, client.bottom};
    DrawEdge(dc, &frame, EDGE_ETCHED, BF_RECT);
    const std::u16string caption = TextOf(window);
    if (caption.empty())
        return;
    RECT text{8, 0, client.right - 8, metrics.tmHeight};
    DrawTextW(dc, caption.c_str(), -1, &text, DT_LEFT | DT_SINGLELINE | DT_CALCRECT);
    FillRect(dc, &text, background);
    if (!IsWindowEnabled(window))
        SetTextColor(dc, GetSysColor(COLOR_GRAYTEXT));
    DrawTextW(dc, caption.c_str(), -1, &text, DT_LEFT | DT_SINGLELINE);
}

void Paint(HWND window, HDC dc) {
    ButtonData& data = DataOf<ButtonData>(window);
    PaintWith(window, dc, data.font, [&](const RECT& client) {
        const DWORD type = TypeOf(window);
        if (type == BS_GROUPBOX) {
            PaintGroupBox(window, dc, client);
        } else if (IsCheckType(type)) {
            PaintCheckButton(window, dc, data, client);
        } else {
            PaintPushButton(window, dc, data, client);
        }
    });
}

void EndTracking(HWND window, ButtonData& data) {
    data.tracking = false;
    if (data.pushed) {
        data.pushed = false;
        InvalidateRect(window, nullptr, TRUE);
    }
}

}  // namespace

LRESULT ButtonProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    ButtonData& data = DataOf<ButtonData>(window);
    const DWORD type = TypeOf(window);
    switch (message) {
        case WM_GETDLGCODE:
            if (type == BS_GROUPBOX)
                return DLGC_STATIC;
            if (type == BS_RADIOBUTTON || type == BS_AUTORADIOBUTTON) {
                return DLGC_BUTTON | DLGC_RADIOBUTTON;
            }
            if (type == BS_DEFPUSHBUTTON)
                return DLGC_BUTTON | DLGC_DEFPUSHBUTTON;
            if (type == BS_PUSHBUTTON)
                return DLGC_BUTTON | DLGC_UNDEFPUSHBUTTON;
            return DLGC_BUTTON;
        case WM_NCHITTEST:
            return type == BS_GROUPBOX ? HTTRANSPARENT : HTCLIENT;
        case BM_GETCHECK:
            return IsCheckType(type) ? static_cast<LRESULT>(data.check) : 0;
        case BM_SETCHECK:
            if (IsCheckType(type) && data.check != wParam) {
                data.check = wParam;
                InvalidateRect(window, nullptr, TRUE);
            }
            return 0;
        case BM_GETSTATE:
            return static_cast<LRESULT>(data.check) | (data.pushed ? BST_PUSHED : 0) |
                   (data.focused ? BST_FOCUS : 0);
        case BM_SETSTATE:
            if (data.pushed != (wParam != 0)) {
                data.pushed = wParam != 0;
                InvalidateRect(window, nullptr, TRUE);
            }
            return 0;
        case BM_SETSTYLE:
            SetWindowLongPtrW(window, GWL_STYLE,
                              static_cast<LONG_PTR>((StyleOf(window) & ~0xFFFFu) |
                                                    (static_cast<DWORD>(wParam) & 0xFFFFu)));
            if (lParam != 0)
                InvalidateRect(window, nullptr, TRUE);
            return 0;
        case BM_CLICK:
            if (IsWindowEnabled(window))
                Click(window);
            return 0;
        case BM_SETIMAGE: {
            const HANDLE old = data.image;
            data.image = reinterpret_cast<HANDLE>(lParam);
            InvalidateRect(window, nullptr, TRUE);
            return reinterpret_cast<LRESULT>(old);
        }
        case BM_GETIMAGE:
            return reinterpret_cast<LRESULT>(data.image);
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK:
            if (type == BS_GROUPBOX)
                return 0;
            if (GetFocus() != window)
                SetFocus(window);
            SetCapture(window);
            data.tracking = true;
            data.pushed = true;
            InvalidateRect(window, nullptr, TRUE);
            return 0;
        case WM_MOUSEMOVE:
            if (data.tracking && data.pushed != Inside(window, lParam)) {
                data.pushed = Inside(window, lParam);
                InvalidateRect(window, nullptr, TRUE);
            }
            return 0;
        case WM_LBUTTONUP: {
            if (!data.tracking)
                return 0;
            const bool inside = Inside(window, lParam);
            data.tracking = false;
            data.pushed = false;
            ReleaseCapture();
            InvalidateRect(window, nullptr, TRUE);
            if (inside && IsWindow(window))
                Click(window);
            return 0;
        }
        case WM_CAPTURECHANGED:
            if (data.tracking)
                EndTracking(window, data);
            return 0;
        case WM_KEYDOWN:
            if (wParam == VK_SPACE && type != BS_GROUPBOX) {
                data.spaceDown = true;
                data.pushed = true;
                InvalidateRect(window, nullptr, TRUE);
            }
            return 0;
        case WM_KEYUP:
            if (wParam == VK_SPACE && data.spaceDown) {
                data.spaceDown = false;
                data.pushed = false;
                Click(window);
            }
            return 0;
        case WM_SETFOCUS:
            data.focused = true;
            InvalidateRect(window, nullptr, TRUE);
            if ((StyleOf(window) & BS_NOTIFY) != 0)
                NotifyParent(window, BN_SETFOCUS);
            return 0;
        case WM_KILLFOCUS:
            data.focused = false;
            data.spaceDown = false;
            if (data.pushed && !data.tracking)
                data.pushed = false;
            InvalidateRect(window, nullptr, TRUE);
            if ((StyleOf(window) & BS_NOTIFY) != 0)
                NotifyParent(window, BN_KILLFOCUS);
            return 0;
        default:
            return DrawnControlMessage(window, message, wParam, lParam, data.font,
                                       [&](HDC dc) { Paint(window, dc); });
    }
}

}  // namespace ui
