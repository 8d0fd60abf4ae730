#include "platform/ui/dialog_manager.h"

#include <string>
#include <vector>

#include "platform/ui/internal.h"
#include "platform/ui/user.h"
#include "platform/ui/window_table.h"

namespace ui {

namespace {

DWORD StyleOf(HWND window) {
    return static_cast<DWORD>(GetWindowLongPtrW(window, GWL_STYLE));
}

}  // namespace

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

}  // namespace ui
