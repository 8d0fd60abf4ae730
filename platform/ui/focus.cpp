// Keyboard focus, mouse capture and window activation.
#include <algorithm>

#include "platform/ui/dialog_manager.h"
#include "platform/ui/internal.h"
#include "platform/ui/user.h"
#include "platform/ui/window_table.h"

using ui::Find;
using ui::TopLevelOf;
using ui::WindowRecord;
using ui::Windows;

namespace {

HWND g_focus = nullptr;
HWND g_capture = nullptr;
HWND g_active = nullptr;
std::uint64_t g_activations = 0;

void BringToTop(HWND top) {
    WindowRecord* desktop = Find(Windows().Desktop());
    auto& tops = desktop->children;
    tops.erase(std::remove(tops.begin(), tops.end(), top), tops.end());
    // Topmost windows stay above the others.
    auto at = tops.begin();
    WindowRecord* record = Find(top);
    if (record != nullptr && (record->exStyle & WS_EX_TOPMOST) == 0) {
        while (at != tops.end()) {
            WindowRecord* other = Find(*at);
            if (other == nullptr || (other->exStyle & WS_EX_TOPMOST) == 0)
                break;
            ++at;
        }
    }
    tops.insert(at, top);
}

}  // namespace

HWND SetFocus(HWND window) {
    if (window != nullptr && (!IsWindow(window) || !IsWindowEnabled(window)))
        return nullptr;
    const HWND old = g_focus;
    if (window == old)
        return old;
    if (window != nullptr) {
        // Activating the window's top-level window may move the focus on its own; the focus
        // still ends on the window asked for.
        const HWND top = TopLevelOf(window);
        if (top != g_active)
            SetActiveWindow(top);
        if (g_focus == window)
            return old;
    }
    const HWND previous = g_focus;
    g_focus = window;
    if (previous != nullptr && IsWindow(previous)) {
        SendMessageW(previous, WM_KILLFOCUS, reinterpret_cast<WPARAM>(window), 0);
    }
    if (g_focus == window && window != nullptr && IsWindow(window)) {
        SendMessageW(window, WM_SETFOCUS, reinterpret_cast<WPARAM>(previous), 0);
    }
    // In a dialog the default-button look follows the focus.
    const HWND dialog = ui::TopDialogOf(g_focus != nullptr ? g_focus : previous);
    if (dialog != nullptr && g_focus == window)
        ui::CheckDefaultButton(dialog, window);
    return old;
}

HWND GetFocus() {
    return IsWindow(g_focus) ? g_focus : nullptr;
}

HWND SetCapture(HWND window) {
    const HWND old = g_capture;
    if (window != nullptr && !IsWindow(window))
        return old;
    g_capture = window;
    if (old != nullptr && old != window && IsWindow(old)) {
        SendMessageW(old, WM_CAPTURECHANGED, 0, reinterpret_cast<LPARAM>(window));
    }
    return old;
}

BOOL ReleaseCapture() {
    const HWND old = g_capture;
    g_capture = nullptr;
    if (old != nullptr && IsWindow(old))
        SendMessageW(old, WM_CAPTURECHANGED, 0, 0);
    return TRUE;
}

HWND GetCapture() {
    return IsWindow(g_capture) ? g_capture : nullptr;
}

HWND SetActiveWindow(HWND window) {
    const HWND top = window == nullptr ? nullptr : TopLevelOf(window);
    const HWND old = g_active;
    if (top == old)
        return old;
    g_active = top;
    if (top != nullptr) {
        Find(top)->activationStamp = ++g_activations;
        BringToTop(top);
    }
    if (old != nullptr && IsWindow(old)) {
        SendMessageW(old, WM_ACTIVATE, WA_INACTIVE, reinterpret_cast<LPARAM>(top));
    }
    if (top != nullptr && g_active == top && IsWindow(top)) {
        SendMessageW(top, WM_ACTIVATE, WA_ACTIVE, reinterpret_cast<LPARAM>(old));
    }
    return old;
}

HWND GetActiveWindow() {
    return IsWindow(g_active) ? g_active : nullptr;
}

HWND GetLastActivePopup(HWND window) {
    WindowRecord* record = Find(window);
    if (record == nullptr)
        return nullptr;
    HWND best = window;
    std::uint64_t bestStamp = record->activationStamp;
    // Owned windows, and the windows they own in turn.
    std::vector<HWND> owners{window};
    for (std::size_t i = 0; i < owners.size(); ++i) {
        for (HWND top : Find(Windows().Desktop())->children) {
            WindowRecord* candidate = Find(top);
            if (candidate == nullptr || candidate->owner != owners[i])
                continue;
            owners.push_back(top);
            const bool usable =
                (candidate->style & WS_VISIBLE) != 0 && (candidate->style & WS_DISABLED) == 0;
            if (usable && candidate->activationStamp > bestStamp) {
                best = top;
                bestStamp = candidate->activationStamp;
            }
        }
    }
    return best;
}

namespace ui {

void ForgetActiveWindow(HWND window) {
    if (g_active == window)
        g_active = nullptr;
}

}  // namespace ui
