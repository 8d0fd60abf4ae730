#include "platform/ui/controls/control_support.h"

#include <vector>

#include "platform/ui/internal.h"

namespace winui {

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

HWND DialogAbove(HWND window) {
    for (HWND w = GetParent(window); w != nullptr; w = GetParent(w)) {
        if (IsDialogWindow(w))
            return w;
        if ((StyleOf(w) & WS_CHILD) == 0)
            break;
    }
    return nullptr;
}

HWND TopDialogOf(HWND window) {
    const HWND top = TopLevelOf(window);
    return top != nullptr && IsDialogWindow(top) ? top : nullptr;
}

bool IsPushButton(HWND window) {
    char16_t name[16] = {};
    GetClassNameW(window, name, 16);
    if (std::u16string(name) != u"Button")
        return false;
    const DWORD type = StyleOf(window) & BS_TYPEMASK;
    return type == BS_PUSHBUTTON || type == BS_DEFPUSHBUTTON;
}

namespace {

void CollectPushButtons(HWND parent, std::vector<HWND>* out) {
    for (HWND child = GetWindow(parent, GW_CHILD); child != nullptr;
         child = GetWindow(child, GW_HWNDNEXT)) {
        if (IsPushButton(child))
            out->push_back(child);
        CollectPushButtons(child, out);
    }
}

}  // namespace

void CheckDefaultButton(HWND dialog, HWND focus) {
    if (dialog == nullptr)
        return;
    std::vector<HWND> buttons;
    CollectPushButtons(dialog, &buttons);
    HWND chosen = nullptr;
    if (focus != nullptr && IsPushButton(focus)) {
        chosen = focus;
    } else {
        const LRESULT id = SendMessageW(dialog, DM_GETDEFID, 0, 0);
        const int defaultId = HIWORD(id) == DC_HASDEFID ? LOWORD(id) : IDOK;
        for (HWND b : buttons) {
            if (GetDlgCtrlID(b) == defaultId) {
                chosen = b;
                break;
            }
        }
    }
    for (HWND b : buttons) {
        const DWORD style = StyleOf(b);
        const bool isDefault = (style & BS_TYPEMASK) == BS_DEFPUSHBUTTON;
        if (isDefault == (b == chosen))
            continue;
        const DWORD type = b == chosen ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON;
        SendMessageW(b, BM_SETSTYLE, (style & ~BS_TYPEMASK) | type, TRUE);
    }
}

}  // namespace winui
