#include "platform/ui/controls/control_support.h"

#include "platform/ui/internal.h"

namespace ui {

void NotifyParent(HWND control, UINT code) {
    const HWND parent = GetParent(control);
    if (parent == nullptr)
        return;
    SendMessageW(parent, WM_COMMAND, MAKEWPARAM(static_cast<unsigned>(GetDlgCtrlID(control)), code),
                 reinterpret_cast<LPARAM>(control));
}

LRESULT NotifyParent(HWND control, NMHDR& header, UINT code) {
    const HWND parent = GetParent(control);
    if (parent == nullptr)
        return 0;
    header.hwndFrom = control;
    header.idFrom = static_cast<UINT_PTR>(GetDlgCtrlID(control));
    header.code = code;
    return SendMessageW(parent, WM_NOTIFY, header.idFrom, reinterpret_cast<LPARAM>(&header));
}

TEXTMETRICW FontMetricsOf(HWND window, HFONT font) {
    const HDC dc = GetDC(window);
    SelectObject(dc, FontOrDefault(font));
    TEXTMETRICW metrics;
    GetTextMetricsW(dc, &metrics);
    ReleaseDC(window, dc);
    return metrics;
}

int TextWidthIn(HWND window, HFONT font, std::u16string_view text) {
    const HDC dc = GetDC(window);
    SelectObject(dc, FontOrDefault(font));
    SIZE size{};
    GetTextExtentPoint32W(dc, text.data(), static_cast<int>(text.size()), &size);
    ReleaseDC(window, dc);
    return size.cx;
}

HBRUSH AskColours(HWND control, HDC dc, UINT message) {
    const HWND parent = GetParent(control);
    LRESULT brush = 0;
    if (parent != nullptr) {
        brush = SendMessageW(parent, message, reinterpret_cast<WPARAM>(dc),
                             reinterpret_cast<LPARAM>(control));
    }
    if (brush == 0)
        brush = DefWindowProcW(control, message, reinterpret_cast<WPARAM>(dc),
                               reinterpret_cast<LPARAM>(control));
    return reinterpret_cast<HBRUSH>(brush);
}

}  // namespace ui
