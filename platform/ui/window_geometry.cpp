// Visibility, enabling, position, size, z-order, coordinate mapping, hit-testing and the
// marking of windows for painting.
#include <algorithm>

#include "platform/ui/internal.h"
#include "platform/ui/user.h"
#include "platform/ui/window_table.h"

using ui::Find;
using ui::IsTopLevel;
using ui::WindowRecord;
using ui::Windows;

namespace {

bool Contains(const RECT& r, POINT p) {
    return p.x >= r.left && p.x < r.right && p.y >= r.top && p.y < r.bottom;
}

void Restack(WindowRecord& record, HWND insertAfter) {
    WindowRecord* parent = Find(record.parent);
    if (parent == nullptr)
        return;
    auto& siblings = parent->children;
    siblings.erase(std::remove(siblings.begin(), siblings.end(), record.handle), siblings.end());
    if (insertAfter == HWND_TOP || insertAfter == HWND_TOPMOST || insertAfter == HWND_NOTOPMOST) {
        siblings.insert(siblings.begin(), record.handle);
    } else if (insertAfter == HWND_BOTTOM) {
        siblings.push_back(record.handle);
    } else {
        const auto at = std::find(siblings.begin(), siblings.end(), insertAfter);
        siblings.insert(at == siblings.end() ? siblings.end() : at + 1, record.handle);
    }
}

// The deepest visible, enabled window at a point of `parent`'s client area that does not let
// the mouse through; `parent` itself when no child takes it.
HWND HitChild(HWND parent, POINT screenPoint) {
    WindowRecord* record = Find(parent);
    if (record == nullptr)
        return nullptr;
    const std::vector<HWND> children = record->children;
    for (HWND child : children) {
        WindowRecord* c = Find(child);
        if (c == nullptr || (c->style & WS_VISIBLE) == 0)
            continue;
        if (!Contains(ui::ScreenWindowRect(child), screenPoint))
            continue;
        if ((c->style & WS_DISABLED) != 0)
            return parent;
        const LRESULT hit =
            SendMessageW(child, WM_NCHITTEST, 0, MAKELPARAM(screenPoint.x, screenPoint.y));
        if (hit == HTTRANSPARENT)
            continue;
        return HitChild(child, screenPoint);
    }
    return parent;
}

}  // namespace

BOOL ShowWindow(HWND window, int command) {
    WindowRecord* record = Find(window);
    if (record == nullptr)
        return FALSE;
    const bool wasVisible = (record->style & WS_VISIBLE) != 0;
    if (command == SW_HIDE) {
        if (!wasVisible)
            return FALSE;
        SendMessageW(window, WM_SHOWWINDOW, FALSE, 0);
        record = Find(window);
        if (record == nullptr)
            return TRUE;
        record->style &= ~WS_VISIBLE;
        ui::MarkForPaint(record->parent, true, false);
        if (GetActiveWindow() == window) {
            ui::ForgetActiveWindow(window);
            if (record->owner != nullptr)
                SetActiveWindow(record->owner);
        }
        return TRUE;
    }
    if (!wasVisible) {
        SendMessageW(window, WM_SHOWWINDOW, TRUE, 0);
        record = Find(window);
        if (record == nullptr)
            return FALSE;
        record->style |= WS_VISIBLE;
        ui::MarkForPaint(window, true, true);
    }
    const bool activates = command != SW_SHOWNOACTIVATE && command != SW_SHOWNA;
    if (activates && IsTopLevel(*record) && (record->style & WS_DISABLED) == 0 &&
        (record->exStyle & WS_EX_NOACTIVATE) == 0) {
        SetActiveWindow(window);
    }
    return wasVisible ? TRUE : FALSE;
}

BOOL IsWindowVisible(HWND window) {
    return IsWindow(window) && ui::IsShown(window) ? TRUE : FALSE;
}

BOOL EnableWindow(HWND window, BOOL enable) {
    WindowRecord* record = Find(window);
    if (record == nullptr)
        return FALSE;
    const bool wasDisabled = (record->style & WS_DISABLED) != 0;
    if (wasDisabled == !enable)
        return wasDisabled ? TRUE : FALSE;
    if (!enable) {
        SendMessageW(window, WM_CANCELMODE, 0, 0);
        record = Find(window);
        if (record == nullptr)
            return FALSE;
        record->style |= WS_DISABLED;
        const HWND focus = GetFocus();
        if (focus == window || IsChild(window, focus))
            SetFocus(nullptr);
    } else {
        record->style &= ~WS_DISABLED;
    }
    SendMessageW(window, WM_ENABLE, enable ? TRUE : FALSE, 0);
    ui::MarkForPaint(window, true, false);
    return wasDisabled ? TRUE : FALSE;
}

BOOL IsWindowEnabled(HWND window) {
    WindowRecord* record = Find(window);
    return record != nullptr && (record->style & WS_DISABLED) == 0 ? TRUE : FALSE;
}

BOOL MoveWindow(HWND window, int x, int y, int width, int height, BOOL repaint) {
    return SetWindowPos(window, nullptr, x, y, width, height,
                        SWP_NOZORDER | SWP_NOACTIVATE | (repaint ? 0 : SWP_NOREDRAW));
}

BOOL SetWindowPos(HWND window, HWND insertAfter, int x, int y, int cx, int cy, UINT flags) {
    WindowRecord* record = Find(window);
    if (record == nullptr || window == Windows().Desktop())
        return FALSE;
    WINDOWPOS position;
    position.hwnd = window;
    position.hwndInsertAfter = insertAfter;
    position.x = (flags & SWP_NOMOVE) != 0 ? record->rect.left : x;
    position.y = (flags & SWP_NOMOVE) != 0 ? record->rect.top : y;
    position.cx = (flags & SWP_NOSIZE) != 0 ? RectWidth(record->rect) : std::max(cx, 0);
    position.cy = (flags & SWP_NOSIZE) != 0 ? RectHeight(record->rect) : std::max(cy, 0);
    position.flags = flags;
    SendMessageW(window, WM_WINDOWPOSCHANGING, 0, reinterpret_cast<LPARAM>(&position));
    record = Find(window);
    if (record == nullptr)
        return FALSE;

    const RECT before = record->rect;
    record->rect = RECT{position.x, position.y, position.x + position.cx, position.y + position.cy};
    if ((flags & SWP_NOZORDER) == 0)
        Restack(*record, insertAfter);
    if ((flags & SWP_SHOWWINDOW) != 0 && (record->style & WS_VISIBLE) == 0) {
        ShowWindow(window, (flags & SWP_NOACTIVATE) != 0 ? SW_SHOWNA : SW_SHOW);
    }
    if ((flags & SWP_HIDEWINDOW) != 0)
        ShowWindow(window, SW_HIDE);
    record = Find(window);
    if (record == nullptr)
        return TRUE;
    if ((flags & SWP_NOREDRAW) == 0 && (before != record->rect || (flags & SWP_NOZORDER) == 0)) {
        ui::MarkForPaint(window, true, true);
        ui::MarkForPaint(record->parent, true, false);
    }
    if ((flags & SWP_NOACTIVATE) == 0 && IsTopLevel(*record) && (record->style & WS_VISIBLE) != 0 &&
        (record->style & WS_DISABLED) == 0) {
        SetActiveWindow(window);
    }
    SendMessageW(window, WM_WINDOWPOSCHANGED, 0, reinterpret_cast<LPARAM>(&position));
    return TRUE;
}

BOOL GetWindowRect(HWND window, RECT* rect) {
    if (rect == nullptr || Find(window) == nullptr)
        return FALSE;
    *rect = ui::ScreenWindowRect(window);
    return TRUE;
}

BOOL GetClientRect(HWND window, RECT* rect) {
    if (rect == nullptr || Find(window) == nullptr)
        return FALSE;
    const RECT client = ui::ScreenClientRect(window);
    *rect = RECT{0, 0, RectWidth(client), RectHeight(client)};
    return TRUE;
}

BOOL ClientToScreen(HWND window, POINT* point) {
    if (point == nullptr || Find(window) == nullptr)
        return FALSE;
    const RECT client = ui::ScreenClientRect(window);
    point->x += client.left;
    point->y += client.top;
    return TRUE;
}

BOOL ScreenToClient(HWND window, POINT* point) {
    if (point == nullptr || Find(window) == nullptr)
        return FALSE;
    const RECT client = ui::ScreenClientRect(window);
    point->x -= client.left;
    point->y -= client.top;
    return TRUE;
}

int MapWindowPoints(HWND from, HWND to, POINT* points, UINT count) {
    const RECT fromClient = from == nullptr ? RECT{} : ui::ScreenClientRect(from);
    const RECT toClient = to == nullptr ? RECT{} : ui::ScreenClientRect(to);
    const LONG dx = fromClient.left - toClient.left;
    const LONG dy = fromClient.top - toClient.top;
    for (UINT i = 0; points != nullptr && i < count; ++i) {
        points[i].x += dx;
        points[i].y += dy;
    }
    return static_cast<int>((dx & 0xFFFF) | ((dy & 0xFFFF) << 16));
}

BOOL AdjustWindowRectEx(RECT* rect, DWORD style, BOOL, DWORD exStyle) {
    if (rect == nullptr)
        return FALSE;
    const RECT insets = ui::NonClientInsets(style, exStyle);
    rect->left -= insets.left;
    rect->top -= insets.top;
    rect->right += insets.right;
    rect->bottom += insets.bottom;
    return TRUE;
}

HWND WindowFromPoint(POINT screenPoint) {
    const std::vector<HWND> tops = Find(Windows().Desktop())->children;
    for (HWND top : tops) {
        WindowRecord* record = Find(top);
        if (record == nullptr || (record->style & WS_VISIBLE) == 0)
            continue;
        if (!Contains(record->rect, screenPoint))
            continue;
        if ((record->style & WS_DISABLED) != 0)
            return nullptr;
        return HitChild(top, screenPoint);
    }
    return nullptr;
}

HWND ChildWindowFromPoint(HWND parent, POINT clientPoint) {
    WindowRecord* record = Find(parent);
    if (record == nullptr)
        return nullptr;
    for (HWND child : record->children) {
        WindowRecord* c = Find(child);
        if (c != nullptr && Contains(c->rect, clientPoint))
            return child;
    }
    RECT client;
    GetClientRect(parent, &client);
    return Contains(client, clientPoint) ? parent : nullptr;
}

BOOL InvalidateRect(HWND window, const RECT*, BOOL erase) {
    if (window == nullptr) {
        for (HWND top : Find(Windows().Desktop())->children) {
            ui::MarkForPaint(top, erase != FALSE, true);
        }
        return TRUE;
    }
    if (Find(window) == nullptr)
        return FALSE;
    ui::MarkForPaint(window, erase != FALSE, false);
    return TRUE;
}

BOOL ValidateRect(HWND window, const RECT*) {
    WindowRecord* record = Find(window);
    if (record == nullptr)
        return FALSE;
    record->needsPaint = false;
    record->needsErase = false;
    return TRUE;
}

BOOL UpdateWindow(HWND window) {
    WindowRecord* record = Find(window);
    if (record == nullptr)
        return FALSE;
    if (record->needsPaint && ui::IsShown(window)) {
        if (ui::HasFrame(window))
            SendMessageW(window, WM_NCPAINT, 1, 0);
        SendMessageW(window, WM_PAINT, 0, 0);
        if (WindowRecord* after = Find(window))
            after->needsPaint = false;
    }
    return TRUE;
}

namespace {

void UpdateTree(HWND window) {
    UpdateWindow(window);
    WindowRecord* record = Find(window);
    if (record == nullptr)
        return;
    const std::vector<HWND> children = record->children;
    for (auto it = children.rbegin(); it != children.rend(); ++it)
        UpdateTree(*it);
}

}  // namespace

BOOL RedrawWindow(HWND window, const RECT*, HRGN, UINT flags) {
    if (Find(window) == nullptr)
        return FALSE;
    const bool children = (flags & RDW_ALLCHILDREN) != 0;
    if ((flags & RDW_INVALIDATE) != 0) {
        ui::MarkForPaint(window, (flags & RDW_ERASE) != 0, children);
    }
    if ((flags & RDW_UPDATENOW) != 0) {
        if (children) {
            UpdateTree(window);
        } else {
            UpdateWindow(window);
        }
    }
    return TRUE;
}

namespace ui {

void PaintPending() {
    const std::vector<HWND> tops = Find(Windows().Desktop())->children;
    for (auto it = tops.rbegin(); it != tops.rend(); ++it)
        UpdateTree(*it);
}

}  // namespace ui
