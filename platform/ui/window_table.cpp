#include "platform/ui/window_table.h"

#include "platform/ui/user.h"

namespace ui {

WindowTable::WindowTable() {
    auto desktop = std::make_unique<WindowRecord>();
    desktop->style = WS_VISIBLE;
    desktop_ = Add(std::move(desktop));
}

WindowRecord* WindowTable::Find(HWND handle) {
    const auto found = records_.find(handle);
    return found == records_.end() ? nullptr : found->second.get();
}

HWND WindowTable::Add(std::unique_ptr<WindowRecord> record) {
    const HWND handle = reinterpret_cast<HWND>(next_);
    next_ += 4;
    record->handle = handle;
    records_.emplace(handle, std::move(record));
    return handle;
}

void WindowTable::Remove(HWND handle) {
    records_.erase(handle);
}

WindowTable& Windows() {
    static WindowTable* table = new WindowTable;  // lives for the whole process, like the desktop
    return *table;
}

HWND TopLevelOf(HWND window) {
    WindowRecord* record = Find(window);
    while (record != nullptr && !IsTopLevel(*record))
        record = Find(record->parent);
    return record == nullptr ? nullptr : record->handle;
}

RECT NonClientInsets(DWORD style, DWORD exStyle) {
    int frame = 0;
    const bool captioned = (style & WS_CAPTION) == WS_CAPTION;
    if (captioned || (style & WS_DLGFRAME) != 0 || (exStyle & WS_EX_DLGMODALFRAME) != 0) {
        frame = GetSystemMetrics(SM_CXDLGFRAME);
    } else if ((style & WS_BORDER) != 0) {
        frame = GetSystemMetrics(SM_CXBORDER);
    }
    if ((exStyle & WS_EX_CLIENTEDGE) != 0)
        frame += GetSystemMetrics(SM_CXEDGE);
    if ((exStyle & WS_EX_STATICEDGE) != 0)
        frame += GetSystemMetrics(SM_CXBORDER);
    const int caption = captioned ? GetSystemMetrics(SM_CYCAPTION) : 0;
    return RECT{frame, frame + caption, frame, frame};
}

RECT ScreenWindowRect(HWND handle) {
    WindowRecord* record = Find(handle);
    if (record == nullptr)
        return RECT{};
    if (record->parent == nullptr || record->parent == Windows().Desktop())
        return record->rect;
    const RECT parentClient = ScreenClientRect(record->parent);
    RECT r = record->rect;
    r.left += parentClient.left;
    r.right += parentClient.left;
    r.top += parentClient.top;
    r.bottom += parentClient.top;
    return r;
}

RECT ScreenClientRect(HWND handle) {
    WindowRecord* record = Find(handle);
    if (record == nullptr)
        return RECT{};
    const RECT window = ScreenWindowRect(handle);
    const RECT insets = NonClientInsets(record->style, record->exStyle);
    RECT client{window.left + insets.left, window.top + insets.top, window.right - insets.right,
                window.bottom - insets.bottom};
    if (client.right < client.left)
        client.right = client.left;
    if (client.bottom < client.top)
        client.bottom = client.top;
    return client;
}

bool IsShown(HWND handle) {
    for (WindowRecord* record = Find(handle); record != nullptr; record = Find(record->parent)) {
        if ((record->style & WS_VISIBLE) == 0)
            return false;
        if (record->handle == Windows().Desktop())
            return true;
    }
    return false;
}

namespace {
unsigned long g_screenGeneration = 0;
}  // namespace

void NoteScreenChange() {
    ++g_screenGeneration;
}

unsigned long ScreenGeneration() {
    return g_screenGeneration;
}

void MarkForPaint(HWND handle, bool erase, bool withChildren) {
    WindowRecord* record = Find(handle);
    if (record == nullptr)
        return;
    NoteScreenChange();
    record->needsPaint = true;
    record->needsErase = record->needsErase || erase;
    if (!withChildren)
        return;
    const std::vector<HWND> children = record->children;
    for (HWND child : children)
        MarkForPaint(child, erase, true);
}

}  // namespace ui
