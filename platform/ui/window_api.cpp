// Window classes, creation and destruction, message sending, window longs, properties, text
// and the window tree.
#include <algorithm>
#include <cstring>

#include "platform/gdi/gdi.h"
#include "platform/ui/headless.h"
#include "platform/ui/internal.h"
#include "platform/ui/user.h"
#include "platform/ui/window_classes.h"
#include "platform/ui/window_table.h"

using ui::Find;
using ui::WindowRecord;
using ui::Windows;

namespace {

void DetachFromParent(WindowRecord& record) {
    WindowRecord* parent = Find(record.parent);
    if (parent == nullptr)
        return;
    auto& siblings = parent->children;
    siblings.erase(std::remove(siblings.begin(), siblings.end(), record.handle), siblings.end());
}

void CopyText(const std::u16string& text, LPWSTR buffer, int size, int* copied) {
    *copied = 0;
    if (buffer == nullptr || size <= 0)
        return;
    const int n = std::min<int>(static_cast<int>(text.size()), size - 1);
    std::copy_n(text.data(), n, buffer);
    buffer[n] = 0;
    *copied = n;
}

void DestroyTree(HWND window) {
    if (Find(window) == nullptr)
        return;
    SendMessageW(window, WM_DESTROY, 0, 0);
    WindowRecord* record = Find(window);
    if (record == nullptr)
        return;
    const std::vector<HWND> children = record->children;
    for (HWND child : children)
        DestroyTree(child);
    ui::KillTimersOf(window);
    SendMessageW(window, WM_NCDESTROY, 0, 0);
    record = Find(window);
    if (record == nullptr)
        return;
    if (record->surface != nullptr)
        DeleteObject(record->surface);
    DetachFromParent(*record);
    Windows().Remove(window);
}

}  // namespace

ATOM RegisterClassExW(const WNDCLASSEXW* windowClass) {
    if (windowClass == nullptr || windowClass->lpszClassName == nullptr ||
        windowClass->lpfnWndProc == nullptr) {
        return 0;
    }
    ui::FindClass(u"Button");  // the standard classes come first
    ui::WindowClass made;
    made.name = windowClass->lpszClassName;
    made.procedure = windowClass->lpfnWndProc;
    made.background = windowClass->hbrBackground;
    made.style = windowClass->style;
    made.instance = windowClass->hInstance;
    if (!ui::AddClass(made))
        return 0;
    static ATOM next = 0xC000;
    return next++;
}

BOOL UnregisterClassW(LPCWSTR className, HINSTANCE) {
    const ui::WindowClass* found = ui::FindClass(className);
    if (found == nullptr)
        return FALSE;
    if (ui::CountWindowsOfClass(className) > 0)
        return FALSE;
    return ui::RemoveClass(className) ? TRUE : FALSE;
}

HWND CreateWindowExW(DWORD exStyle, LPCWSTR className, LPCWSTR windowName, DWORD style, int x,
                     int y, int width, int height, HWND parent, HMENU menuOrId, HINSTANCE instance,
                     void* param) {
    const ui::WindowClass* windowClass = ui::FindClass(className);
    if (windowClass == nullptr)
        return nullptr;
    const bool child = (style & WS_CHILD) != 0;
    if (child && Find(parent) == nullptr)
        return nullptr;
    if (!child && parent != nullptr && Find(parent) == nullptr)
        return nullptr;

    auto record = std::make_unique<WindowRecord>();
    record->windowClass = windowClass;
    record->procedure = windowClass->procedure;
    record->instance = instance;
    record->style = style;
    record->exStyle = exStyle;
    if ((style & DS_MODALFRAME) != 0 && windowClass->name == u"#32770") {
        record->exStyle |= WS_EX_DLGMODALFRAME;
    }
    record->id = child ? reinterpret_cast<LONG_PTR>(menuOrId) : 0;
    record->rect = RECT{x, y, x + std::max(width, 0), y + std::max(height, 0)};
    record->parent = child ? parent : Windows().Desktop();
    record->owner = child ? nullptr : ui::TopLevelOf(parent);
    const HWND handle = Windows().Add(std::move(record));

    WindowRecord* parentRecord = Find(child ? parent : Windows().Desktop());
    if (child) {
        parentRecord->children.push_back(handle);  // new children go to the bottom
    } else {
        parentRecord->children.insert(parentRecord->children.begin(), handle);
    }

    CREATESTRUCTW create;
    create.lpCreateParams = param;
    create.hInstance = instance;
    create.hMenu = menuOrId;
    create.hwndParent = parent;
    create.cx = width;
    create.cy = height;
    create.x = x;
    create.y = y;
    create.style = static_cast<LONG>(style);
    create.lpszName = windowName;
    create.lpszClass = className;
    create.dwExStyle = exStyle;
    if (SendMessageW(handle, WM_NCCREATE, 0, reinterpret_cast<LPARAM>(&create)) == 0 ||
        SendMessageW(handle, WM_CREATE, 0, reinterpret_cast<LPARAM>(&create)) == -1) {
        DestroyWindow(handle);
        return nullptr;
    }
    if (!IsWindow(handle))
        return nullptr;
    if ((Find(handle)->style & WS_VISIBLE) != 0)
        ui::MarkForPaint(handle, true, true);
    return handle;
}

BOOL DestroyWindow(HWND window) {
    WindowRecord* record = Find(window);
    if (record == nullptr || window == Windows().Desktop() || record->destroying)
        return FALSE;
    record->destroying = true;

    // Owned pop-ups go first, as on Windows.
    std::vector<HWND> owned;
    for (HWND top : Find(Windows().Desktop())->children) {
        WindowRecord* candidate = Find(top);
        if (candidate != nullptr && candidate->owner == window)
            owned.push_back(top);
    }
    for (HWND popup : owned)
        DestroyWindow(popup);

    const HWND focus = GetFocus();
    if (focus != nullptr && (focus == window || IsChild(window, focus)))
        SetFocus(nullptr);
    const HWND capture = GetCapture();
    if (capture != nullptr && (capture == window || IsChild(window, capture)))
        ReleaseCapture();
    if (GetActiveWindow() == window) {
        const HWND owner = Find(window)->owner;
        ui::ForgetActiveWindow(window);
        if (owner != nullptr && IsWindowEnabled(owner))
            SetActiveWindow(owner);
    }
    ui::ForgetMouseWindow(window);

    const HWND parent = Find(window)->parent;
    const bool shown = ui::IsShown(window);
    DestroyTree(window);
    if (shown && parent != nullptr)
        ui::MarkForPaint(parent, true, false);
    return TRUE;
}

BOOL IsWindow(HWND window) {
    return window != nullptr && window != Windows().Desktop() && Find(window) != nullptr ? TRUE
                                                                                         : FALSE;
}

int GetClassNameW(HWND window, LPWSTR buffer, int size) {
    WindowRecord* record = Find(window);
    if (record == nullptr || record->windowClass == nullptr)
        return 0;
    int copied = 0;
    CopyText(record->windowClass->name, buffer, size, &copied);
    return copied;
}

HWND GetDesktopWindow() {
    return Windows().Desktop();
}

LRESULT SendMessageW(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    WindowRecord* record = Find(window);
    if (record == nullptr || record->procedure == nullptr)
        return 0;
    return record->procedure(window, message, wParam, lParam);
}

BOOL PostMessageW(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (window != nullptr && Find(window) == nullptr)
        return FALSE;
    ui::Post(window, message, wParam, lParam);
    return TRUE;
}

LRESULT CallWindowProcW(WNDPROC procedure, HWND window, UINT message, WPARAM wParam,
                        LPARAM lParam) {
    if (procedure == nullptr)
        return 0;
    return procedure(window, message, wParam, lParam);
}

LONG_PTR GetWindowLongPtrW(HWND window, int index) {
    WindowRecord* record = Find(window);
    if (record == nullptr)
        return 0;
    switch (index) {
        case GWL_STYLE:
            return static_cast<LONG_PTR>(record->style);
        case GWL_EXSTYLE:
            return static_cast<LONG_PTR>(record->exStyle);
        case GWLP_WNDPROC:
            return reinterpret_cast<LONG_PTR>(record->procedure);
        case GWLP_ID:
            return record->id;
        case GWLP_USERDATA:
            return record->userData;
        case GWLP_HINSTANCE:
            return reinterpret_cast<LONG_PTR>(record->instance);
        case DWLP_MSGRESULT:
            return record->dialogResult;
        case DWLP_DLGPROC:
            return reinterpret_cast<LONG_PTR>(record->dialogProcedure);
        case DWLP_USER:
            return record->dialogUserData;
        default:
            return 0;
    }
}

LONG_PTR SetWindowLongPtrW(HWND window, int index, LONG_PTR value) {
    WindowRecord* record = Find(window);
    if (record == nullptr)
        return 0;
    LONG_PTR old = 0;
    switch (index) {
        case GWL_STYLE:
            old = static_cast<LONG_PTR>(record->style);
            record->style = static_cast<DWORD>(value);
            break;
        case GWL_EXSTYLE:
            old = static_cast<LONG_PTR>(record->exStyle);
            record->exStyle = static_cast<DWORD>(value);
            break;
        case GWLP_WNDPROC:
            old = reinterpret_cast<LONG_PTR>(record->procedure);
            record->procedure = reinterpret_cast<WNDPROC>(value);
            break;
        case GWLP_ID:
            old = record->id;
            record->id = value;
            break;
        case GWLP_USERDATA:
            old = record->userData;
            record->userData = value;
            break;
        case DWLP_MSGRESULT:
            old = record->dialogResult;
            record->dialogResult = value;
            break;
        case DWLP_DLGPROC:
            old = reinterpret_cast<LONG_PTR>(record->dialogProcedure);
            record->dialogProcedure = reinterpret_cast<ui::DialogProcedure>(value);
            break;
        case DWLP_USER:
            old = record->dialogUserData;
            record->dialogUserData = value;
            break;
        default:
            break;
    }
    return old;
}

HANDLE GetPropW(HWND window, LPCWSTR name) {
    WindowRecord* record = Find(window);
    if (record == nullptr || name == nullptr)
        return nullptr;
    const auto found = record->properties.find(name);
    return found == record->properties.end() ? nullptr : found->second;
}

BOOL SetPropW(HWND window, LPCWSTR name, HANDLE value) {
    WindowRecord* record = Find(window);
    if (record == nullptr || name == nullptr)
        return FALSE;
    record->properties[name] = value;
    return TRUE;
}

HANDLE RemovePropW(HWND window, LPCWSTR name) {
    WindowRecord* record = Find(window);
    if (record == nullptr || name == nullptr)
        return nullptr;
    const auto found = record->properties.find(name);
    if (found == record->properties.end())
        return nullptr;
    HANDLE value = found->second;
    record->properties.erase(found);
    return value;
}

BOOL SetWindowTextW(HWND window, LPCWSTR text) {
    if (Find(window) == nullptr)
        return FALSE;
    return SendMessageW(window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text)) != 0 ? TRUE : FALSE;
}

int GetWindowTextW(HWND window, LPWSTR buffer, int size) {
    if (buffer != nullptr && size > 0)
        buffer[0] = 0;
    return static_cast<int>(SendMessageW(window, WM_GETTEXT, static_cast<WPARAM>(size),
                                         reinterpret_cast<LPARAM>(buffer)));
}

int GetWindowTextLengthW(HWND window) {
    return static_cast<int>(SendMessageW(window, WM_GETTEXTLENGTH, 0, 0));
}

HWND GetParent(HWND window) {
    WindowRecord* record = Find(window);
    if (record == nullptr)
        return nullptr;
    if ((record->style & WS_CHILD) != 0)
        return record->parent;
    return record->owner;
}

HWND GetWindow(HWND window, UINT relation) {
    WindowRecord* record = Find(window);
    if (record == nullptr)
        return nullptr;
    if (relation == GW_CHILD)
        return record->children.empty() ? nullptr : record->children.front();
    if (relation == GW_OWNER)
        return record->owner;
    WindowRecord* parent = Find(record->parent);
    if (parent == nullptr)
        return nullptr;
    const auto& siblings = parent->children;
    const auto at = std::find(siblings.begin(), siblings.end(), window);
    switch (relation) {
        case GW_HWNDFIRST:
            return siblings.front();
        case GW_HWNDLAST:
            return siblings.back();
        case GW_HWNDNEXT:
            return (at == siblings.end() || at + 1 == siblings.end()) ? nullptr : *(at + 1);
        case GW_HWNDPREV:
            return (at == siblings.begin() || at == siblings.end()) ? nullptr : *(at - 1);
        default:
            return nullptr;
    }
}

HWND GetDlgItem(HWND dialog, int id) {
    WindowRecord* record = Find(dialog);
    if (record == nullptr)
        return nullptr;
    for (HWND child : record->children) {
        WindowRecord* c = Find(child);
        if (c != nullptr && c->id == id)
            return child;
    }
    return nullptr;
}

int GetDlgCtrlID(HWND window) {
    WindowRecord* record = Find(window);
    return record == nullptr ? 0 : static_cast<int>(record->id);
}

BOOL IsChild(HWND parent, HWND window) {
    WindowRecord* record = Find(window);
    while (record != nullptr && (record->style & WS_CHILD) != 0) {
        if (record->parent == parent)
            return TRUE;
        record = Find(record->parent);
    }
    return FALSE;
}
