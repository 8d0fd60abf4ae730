// DefWindowProcW: what every window does with a message its own procedure leaves alone.
#include <algorithm>

#include "platform/gdi/gdi.h"
#include "platform/ui/internal.h"
#include "platform/ui/user.h"
#include "platform/ui/window_table.h"

namespace {

// Colours that a control gets from a parent that does not answer its colour request.
HBRUSH DefaultControlColours(HDC dc, UINT message) {
    const bool window = message == WM_CTLCOLOREDIT || message == WM_CTLCOLORLISTBOX;
    const int background = window ? COLOR_WINDOW : COLOR_BTNFACE;
    SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
    SetBkColor(dc, GetSysColor(background));
    return GetSysColorBrush(background);
}

}  // namespace

LRESULT DefWindowProcW(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    ui::WindowRecord* record = ui::Find(window);
    if (record == nullptr)
        return 0;
    switch (message) {
        case WM_NCCREATE: {
            const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
            if (create != nullptr && create->lpszName != nullptr)
                record->text = create->lpszName;
            return TRUE;
        }
        case WM_SETTEXT: {
            const auto* text = reinterpret_cast<LPCWSTR>(lParam);
            record->text = text != nullptr ? text : u"";
            ui::MarkForPaint(window, true, false);
            return TRUE;
        }
        case WM_GETTEXT: {
            auto* buffer = reinterpret_cast<LPWSTR>(lParam);
            const int size = static_cast<int>(wParam);
            if (buffer == nullptr || size <= 0)
                return 0;
            const int n = std::min<int>(static_cast<int>(record->text.size()), size - 1);
            std::copy_n(record->text.data(), n, buffer);
            buffer[n] = 0;
            return n;
        }
        case WM_GETTEXTLENGTH:
            return static_cast<LRESULT>(record->text.size());
        case WM_PAINT: {
            PAINTSTRUCT paint;
            BeginPaint(window, &paint);
            EndPaint(window, &paint);
            return 0;
        }
        case WM_ERASEBKGND: {
            HBRUSH brush =
                record->windowClass != nullptr ? record->windowClass->background : nullptr;
            if (brush == nullptr)
                return 0;
            RECT client;
            GetClientRect(window, &client);
            FillRect(reinterpret_cast<HDC>(wParam), &client, brush);
            return 1;
        }
        case WM_CTLCOLORMSGBOX:
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORLISTBOX:
        case WM_CTLCOLORBTN:
        case WM_CTLCOLORDLG:
        case WM_CTLCOLORSCROLLBAR:
        case WM_CTLCOLORSTATIC:
            return reinterpret_cast<LRESULT>(
                DefaultControlColours(reinterpret_cast<HDC>(wParam), message));
        case WM_CLOSE:
            DestroyWindow(window);
            return 0;
        case WM_NCHITTEST:
            return HTCLIENT;
        case WM_MOUSEWHEEL:
            // A child that does not take the wheel hands it to its parent.
            if ((record->style & WS_CHILD) != 0 && record->parent != nullptr)
                return SendMessageW(record->parent, message, wParam, lParam);
            return 0;
        case WM_CANCELMODE:
            if (GetCapture() == window)
                ReleaseCapture();
            return 0;
        case WM_WINDOWPOSCHANGED: {
            const auto* position = reinterpret_cast<const WINDOWPOS*>(lParam);
            if (position == nullptr)
                return 0;
            if ((position->flags & SWP_NOMOVE) == 0) {
                SendMessageW(window, WM_MOVE, 0, MAKELPARAM(position->x, position->y));
            }
            if ((position->flags & SWP_NOSIZE) == 0) {
                RECT client;
                GetClientRect(window, &client);
                SendMessageW(window, WM_SIZE, 0, MAKELPARAM(client.right, client.bottom));
            }
            return 0;
        }
        case WM_ACTIVATE:
            if (LOWORD(wParam) != WA_INACTIVE && (record->style & WS_DISABLED) == 0) {
                SetFocus(window);
            }
            return 0;
        case WM_PRINTCLIENT:
            // A window without its own painting shows its background.
            SendMessageW(window, WM_ERASEBKGND, wParam, 0);
            return 0;
        case WM_NCPAINT: {
            const HDC dc = GetWindowDC(window);
            ui::DrawFrame(window, dc);
            ReleaseDC(window, dc);
            return 0;
        }
        case WM_PRINT: {
            const HDC dc = reinterpret_cast<HDC>(wParam);
            if ((lParam & PRF_CHECKVISIBLE) != 0 && !IsWindowVisible(window))
                return 0;
            if ((lParam & PRF_NONCLIENT) != 0)
                ui::DrawFrame(window, dc);
            const RECT insets = ui::NonClientInsets(record->style, record->exStyle);
            POINT old;
            OffsetViewportOrgEx(dc, insets.left, insets.top, &old);
            if ((lParam & PRF_ERASEBKGND) != 0)
                SendMessageW(window, WM_ERASEBKGND, wParam, 0);
            if ((lParam & PRF_CLIENT) != 0)
                SendMessageW(window, WM_PRINTCLIENT, wParam, lParam);
            SetViewportOrgEx(dc, old.x, old.y, nullptr);
            return 0;
        }
        default:
            return 0;
    }
}
