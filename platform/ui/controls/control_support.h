// Helpers shared by the standard control classes (internal).
#pragma once

#include <string>
#include <string_view>

#include "platform/gdi/gdi.h"
#include "platform/ui/dialog_manager.h"
#include "platform/ui/user.h"
#include "platform/ui/window_table.h"

namespace ui {

// The control's class data, made on first use.
template <class Data>
Data& DataOf(HWND window) {
    WindowRecord* record = Find(window);
    if (record->classData == nullptr)
        record->classData = std::make_unique<Data>();
    return static_cast<Data&>(*record->classData);
}

inline DWORD StyleOf(HWND window) {
    return static_cast<DWORD>(GetWindowLongPtrW(window, GWL_STYLE));
}

inline std::u16string TextOf(HWND window) {
    WindowRecord* record = Find(window);
    return record == nullptr ? std::u16string() : record->text;
}

// WM_COMMAND with a notification code to the parent.
void NotifyParent(HWND control, UINT code);

// WM_NOTIFY to the parent; `header` begins the notification record.
LRESULT NotifyParent(HWND control, NMHDR& header, UINT code);

// Asks the parent for the control's colours (WM_CTLCOLOR...) on `dc`; the default colours
// when the parent gives no brush.
HBRUSH AskColours(HWND control, HDC dc, UINT message);

// The font a control draws with: the one it was given, or the default GUI font.
inline HGDIOBJ FontOrDefault(HFONT font) {
    return font != nullptr ? reinterpret_cast<HGDIOBJ>(font) : GetStockObject(DEFAULT_GUI_FONT);
}

// The metrics of the font a control draws with.
TEXTMETRICW FontMetricsOf(HWND window, HFONT font);
// How wide a text is drawn in the font a control draws with, in pixels.
int TextWidthIn(HWND window, HFONT font, std::u16string_view text);

// Paints with the control's font selected; the caller's painter receives the client rect.
template <class Painter>
void PaintWith(HWND window, HDC dc, HFONT font, Painter painter) {
    const HGDIOBJ old = SelectObject(dc, FontOrDefault(font));
    RECT client;
    GetClientRect(window, &client);
    painter(client);
    if (old != nullptr)
        SelectObject(dc, old);
}

// The messages every drawn control answers alike: enabling or disabling repaints it, the
// paint and print-client messages end in its painter, its painter leaves no background to
// erase, and everything else goes to the default window procedure. A control's window
// procedure ends in this for the messages it does not handle itself.
template <class Painter>
LRESULT DrawnControlMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                            Painter painter) {
    switch (message) {
        case WM_ENABLE:
            InvalidateRect(window, nullptr, TRUE);
            return 0;
        case WM_PRINTCLIENT:
            painter(reinterpret_cast<HDC>(wParam));
            return 0;
        case WM_PAINT: {
            PAINTSTRUCT paint;
            const HDC dc = BeginPaint(window, &paint);
            painter(dc);
            EndPaint(window, &paint);
            return 0;
        }
        case WM_ERASEBKGND:
            return 1;
        default:
            return DefWindowProcW(window, message, wParam, lParam);
    }
}

// The same for a control that keeps the font it is given in `font`: WM_SETFONT keeps it
// (repainting when asked) and WM_GETFONT answers it.
template <class Painter>
LRESULT DrawnControlMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam, HFONT& font,
                            Painter painter) {
    switch (message) {
        case WM_SETFONT:
            font = reinterpret_cast<HFONT>(wParam);
            if (lParam != 0)
                InvalidateRect(window, nullptr, TRUE);
            return 0;
        case WM_GETFONT:
            return reinterpret_cast<LRESULT>(font);
        default:
            return DrawnControlMessage(window, message, wParam, lParam, painter);
    }
}

}  // namespace ui
