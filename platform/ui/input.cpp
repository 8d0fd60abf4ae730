// Mouse and keyboard input as the system delivers it: hit-testing, capture, mouse-leave
// tracking, the focused window, and the dialog keys Tab, Enter and Escape.
#include <algorithm>
#include <string>
#include <vector>

#include "platform/text/ascii_case.h"
#include "platform/ui/dialog_manager.h"
#include "platform/ui/headless.h"
#include "platform/ui/internal.h"
#include "platform/ui/user.h"
#include "platform/ui/window_table.h"

namespace {

POINT g_cursor{};
WPARAM g_buttons = 0;
bool g_shiftDown = false;      // Shift held: Tab goes backwards
std::vector<HWND> g_tracking;  // windows waiting for WM_MOUSELEAVE

void SendLeaves(HWND under) {
    std::vector<HWND> left;
    for (HWND tracked : g_tracking) {
        if (tracked != under)
            left.push_back(tracked);
    }
    for (HWND window : left) {
        g_tracking.erase(std::remove(g_tracking.begin(), g_tracking.end(), window),
                         g_tracking.end());
        if (IsWindow(window))
            SendMessageW(window, WM_MOUSELEAVE, 0, 0);
    }
}

LPARAM ClientPoint(HWND window) {
    POINT p = g_cursor;
    ScreenToClient(window, &p);
    return MAKELPARAM(p.x, p.y);
}

HWND MouseTarget() {
    const HWND capture = GetCapture();
    return capture != nullptr ? capture : WindowFromPoint(g_cursor);
}

WPARAM ButtonFlag(ui::MouseButton button) {
    switch (button) {
        case ui::MouseButton::Left:
            return MK_LBUTTON;
        case ui::MouseButton::Right:
            return MK_RBUTTON;
        case ui::MouseButton::Middle:
            return MK_MBUTTON;
    }
    return 0;
}

UINT DownMessage(ui::MouseButton button) {
    switch (button) {
        case ui::MouseButton::Left:
            return WM_LBUTTONDOWN;
        case ui::MouseButton::Right:
            return WM_RBUTTONDOWN;
        case ui::MouseButton::Middle:
            return WM_MBUTTONDOWN;
    }
    return WM_NULL;
}

UINT DoubleMessage(ui::MouseButton button) {
    switch (button) {
        case ui::MouseButton::Left:
            return WM_LBUTTONDBLCLK;
        case ui::MouseButton::Right:
            return WM_RBUTTONDBLCLK;
        case ui::MouseButton::Middle:
            return WM_MBUTTONDBLCLK;
    }
    return WM_NULL;
}

UINT UpMessage(ui::MouseButton button) {
    switch (button) {
        case ui::MouseButton::Left:
            return WM_LBUTTONUP;
        case ui::MouseButton::Right:
            return WM_RBUTTONUP;
        case ui::MouseButton::Middle:
            return WM_MBUTTONUP;
    }
    return WM_NULL;
}

// The control with the given id anywhere inside the dialog (child dialogs included).
HWND FindControl(HWND parent, int id) {
    for (HWND child = GetWindow(parent, GW_CHILD); child != nullptr;
         child = GetWindow(child, GW_HWNDNEXT)) {
        if (GetDlgCtrlID(child) == id)
            return child;
        if (const HWND inner = FindControl(child, id))
            return inner;
    }
    return nullptr;
}

char16_t CharacterOf(UINT key) {
    if (key == VK_SPACE || key == VK_BACK || key == VK_TAB || key == VK_ESCAPE) {
        return static_cast<char16_t>(key);
    }
    if (key == VK_RETURN)
        return u'\r';
    if ((key >= '0' && key <= '9') || (key >= 'A' && key <= 'Z')) {
        return static_cast<char16_t>(key);
    }
    return 0;
}

bool HandleDialogKey(UINT key) {
    const HWND focus = GetFocus();
    const HWND dialog = ui::TopDialogOf(focus != nullptr ? focus : GetActiveWindow());
    if (dialog == nullptr)
        return false;
    const LRESULT code = focus == nullptr ? 0 : SendMessageW(focus, WM_GETDLGCODE, key, 0);
    if ((code & DLGC_WANTALLKEYS) != 0)
        return false;
    if (key == VK_TAB && (code & DLGC_WANTTAB) == 0) {
        const HWND next = GetNextDlgTabItem(dialog, focus, g_shiftDown ? TRUE : FALSE);
        if (next != nullptr) {
            SetFocus(next);
            if ((SendMessageW(next, WM_GETDLGCODE, 0, 0) & DLGC_HASSETSEL) != 0) {
                SendMessageW(next, EM_SETSEL, 0, -1);
            }
        }
        ui::PumpMessages();
        ui::KeyUp(key);
        return true;
    }
    if (key == VK_RETURN) {
        // A focused push button is the one Enter presses; else the dialog's default button.
        const LRESULT defId = SendMessageW(dialog, DM_GETDEFID, 0, 0);
        const bool onButton = focus != nullptr && ui::IsPushButton(focus);
        const int id = onButton                       ? GetDlgCtrlID(focus)
                       : HIWORD(defId) == DC_HASDEFID ? LOWORD(defId)
                                                      : IDOK;
        const HWND button = onButton ? focus : FindControl(dialog, id);
        if (button != nullptr && !IsWindowEnabled(button)) {
            MessageBeep(0);
        } else {
            SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                         reinterpret_cast<LPARAM>(button));
        }
        ui::PumpMessages();
        if (IsWindow(GetFocus()))
            ui::KeyUp(key);
        return true;
    }
    if (key == VK_ESCAPE) {
        SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED),
                     reinterpret_cast<LPARAM>(FindControl(dialog, IDCANCEL)));
        ui::PumpMessages();
        return true;
    }
    return false;
}

// The letter a control's text marks with "&" ("&Yes" marks y), or 0.
char16_t MnemonicOf(HWND window) {
    const int length = GetWindowTextLengthW(window);
    if (length <= 0)
        return 0;
    std::u16string text(static_cast<std::size_t>(length) + 1, u'\0');
    GetWindowTextW(window, text.data(), length + 1);
    text.resize(static_cast<std::size_t>(length));
    for (std::size_t i = 0; i + 1 < text.size(); ++i) {
        if (text[i] != u'&')
            continue;
        if (text[i + 1] != u'&')
            return text::AsciiToLower(text[i + 1]);
        ++i;  // "&&" is an ampersand shown as it is
    }
    return 0;
}

// The first visible, enabled control inside `parent` (panes included, in their order) whose
// text marks the letter.
HWND FindMnemonic(HWND parent, char16_t letter) {
    for (HWND child = GetWindow(parent, GW_CHILD); child != nullptr;
         child = GetWindow(child, GW_HWNDNEXT)) {
        if (!IsWindowVisible(child) || !IsWindowEnabled(child))
            continue;
        if (MnemonicOf(child) == letter)
            return child;
        if (const HWND inner = FindMnemonic(child, letter))
            return inner;
    }
    return nullptr;
}

}  // namespace

BOOL GetCursorPos(POINT* point) {
    if (point == nullptr)
        return FALSE;
    *point = g_cursor;
    return TRUE;
}

BOOL SetCursorPos(int x, int y) {
    ui::MouseMove(POINT{x, y});
    return TRUE;
}

BOOL TrackMouseEvent(TRACKMOUSEEVENT* request) {
    if (request == nullptr || !IsWindow(request->hwndTrack))
        return FALSE;
    const HWND window = request->hwndTrack;
    g_tracking.erase(std::remove(g_tracking.begin(), g_tracking.end(), window), g_tracking.end());
    if ((request->dwFlags & TME_CANCEL) != 0 || (request->dwFlags & TME_LEAVE) == 0) {
        return TRUE;
    }
    if (WindowFromPoint(g_cursor) != window) {
        PostMessageW(window, WM_MOUSELEAVE, 0, 0);  // the cursor is already elsewhere
    } else {
        g_tracking.push_back(window);
    }
    return TRUE;
}

namespace ui {

void ForgetMouseWindow(HWND window) {
    g_tracking.erase(std::remove(g_tracking.begin(), g_tracking.end(), window), g_tracking.end());
}

}  // namespace ui

namespace ui {

void MouseMove(POINT screenPoint) {
    g_cursor = screenPoint;
    SendLeaves(WindowFromPoint(screenPoint));
    const HWND target = MouseTarget();
    if (target != nullptr)
        SendMessageW(target, WM_MOUSEMOVE, g_buttons, ClientPoint(target));
    PumpMessages();
}

void MouseDown(MouseButton button, bool secondClick) {
    g_buttons |= ButtonFlag(button);
    const HWND target = MouseTarget();
    if (target != nullptr) {
        const HWND top = ui::TopLevelOf(target);
        if (top != nullptr && top != GetActiveWindow() && IsWindowEnabled(top) &&
            (GetWindowLongPtrW(top, GWL_EXSTYLE) & WS_EX_NOACTIVATE) == 0) {
            SetActiveWindow(top);
        }
        if (IsWindow(target)) {
            const WindowRecord* record = Find(target);
            const bool doubles =
                record->windowClass != nullptr && (record->windowClass->style & CS_DBLCLKS) != 0;
            SendMessageW(target,
                         secondClick && doubles ? DoubleMessage(button) : DownMessage(button),
                         g_buttons, ClientPoint(target));
        }
    }
    PumpMessages();
}

void MouseUp(MouseButton button) {
    g_buttons &= ~ButtonFlag(button);
    const HWND target = MouseTarget();
    if (target != nullptr)
        SendMessageW(target, UpMessage(button), g_buttons, ClientPoint(target));
    PumpMessages();
}

void MouseDoubleClick(MouseButton button) {
    MouseDown(button);
    MouseUp(button);
    MouseDown(button, true);
    MouseUp(button);
}

void MouseWheel(int delta) {
    const HWND target = MouseTarget();
    if (target != nullptr) {
        SendMessageW(target, WM_MOUSEWHEEL,
                     MAKEWPARAM(static_cast<unsigned>(g_buttons), static_cast<unsigned>(delta)),
                     MAKELPARAM(g_cursor.x, g_cursor.y));
    }
    PumpMessages();
}

void KeyDown(UINT virtualKey) {
    if (virtualKey == VK_SHIFT)
        g_shiftDown = true;
    const HWND focus = GetFocus();
    if (focus != nullptr)
        SendMessageW(focus, WM_KEYDOWN, virtualKey, 1);
    PumpMessages();
}

void KeyUp(UINT virtualKey) {
    if (virtualKey == VK_SHIFT)
        g_shiftDown = false;
    const HWND focus = GetFocus();
    if (focus != nullptr)
        SendMessageW(focus, WM_KEYUP, virtualKey, LPARAM{0xC0000001});
    PumpMessages();
}

void Character(char16_t character) {
    const HWND focus = GetFocus();
    if (focus != nullptr)
        SendMessageW(focus, WM_CHAR, character, 1);
    PumpMessages();
}

bool PressAltKey(char16_t letter) {
    const HWND focus = GetFocus();
    const HWND dialog = ui::TopDialogOf(focus != nullptr ? focus : GetActiveWindow());
    const HWND target =
        dialog != nullptr ? FindMnemonic(dialog, text::AsciiToLower(letter)) : nullptr;
    if (target == nullptr) {
        MessageBeep(0);
        return false;
    }
    const LRESULT code = SendMessageW(target, WM_GETDLGCODE, 0, 0);
    if ((code & DLGC_STATIC) != 0) {
        // A label hands the focus to the control that follows it.
        HWND next = GetWindow(target, GW_HWNDNEXT);
        while (next != nullptr && (!IsWindowVisible(next) || !IsWindowEnabled(next) ||
                                   (GetWindowLongPtrW(next, GWL_STYLE) & WS_TABSTOP) == 0)) {
            next = GetWindow(next, GW_HWNDNEXT);
        }
        if (next != nullptr) {
            SetFocus(next);
            if ((SendMessageW(next, WM_GETDLGCODE, 0, 0) & DLGC_HASSETSEL) != 0)
                SendMessageW(next, EM_SETSEL, 0, -1);
        }
    } else if ((code & DLGC_BUTTON) != 0) {
        if (!ui::IsPushButton(target))
            SetFocus(target);
        SendMessageW(target, BM_CLICK, 0, 0);
    } else {
        SetFocus(target);
    }
    PumpMessages();
    return true;
}

void PressSystemKey(UINT virtualKey) {
    // The context bit: Alt is held.
    constexpr LPARAM kAltDown = LPARAM{1} << 29;
    if (const HWND focus = GetFocus())
        SendMessageW(focus, WM_SYSKEYDOWN, virtualKey, kAltDown | 1);
    PumpMessages();
    if (const HWND focus = GetFocus())
        SendMessageW(focus, WM_SYSKEYUP, virtualKey, kAltDown | LPARAM{0xC0000001});
    PumpMessages();
}

void PressKey(UINT virtualKey) {
    if ((virtualKey == VK_TAB || virtualKey == VK_RETURN || virtualKey == VK_ESCAPE) &&
        HandleDialogKey(virtualKey)) {
        return;
    }
    KeyDown(virtualKey);
    const char16_t character = CharacterOf(virtualKey);
    if (character != 0)
        Character(character);
    KeyUp(virtualKey);
}

}  // namespace ui
