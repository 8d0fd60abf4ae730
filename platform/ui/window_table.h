// The process-wide table of windows behind the HWND handles: each window's record holds all
// the state a real window has (class, procedure, text, styles, rectangle, parent, owner,
// children in z-order, pending paint) plus the per-class state of the standard controls.
// Internal to the platform runtime; programs use the functions of platform/ui/user.h.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "platform/ui/user_types.h"

namespace ui {

// State that a window class keeps per window (an edit's selection, a combo box's items ...).
struct ClassData {
    virtual ~ClassData() = default;
};

struct WindowClass {
    std::u16string name;
    WNDPROC procedure = nullptr;
    HBRUSH background = nullptr;
    UINT style = 0;
    HINSTANCE instance = nullptr;
};

// A dialog procedure, as Windows calls it: returns TRUE when it handled the message.
using DialogProcedure = LONG_PTR (*)(HWND, UINT, WPARAM, LPARAM);

struct WindowRecord {
    HWND handle = nullptr;
    const WindowClass* windowClass = nullptr;
    WNDPROC procedure = nullptr;
    HINSTANCE instance = nullptr;
    std::u16string text;
    DWORD style = 0;
    DWORD exStyle = 0;
    LONG_PTR id = 0;
    LONG_PTR userData = 0;
    // Window rectangle in the parent's client coordinates (screen coordinates for top-level
    // windows, whose parent is the desktop).
    RECT rect;
    HWND parent = nullptr;
    HWND owner = nullptr;
    // Children from the top of the z-order to the bottom; this is also the tab order.
    std::vector<HWND> children;
    std::map<std::u16string, HANDLE> properties;
    std::unique_ptr<ClassData> classData;

    // Dialog state (windows of the dialog class).
    DialogProcedure dialogProcedure = nullptr;
    LONG_PTR dialogResult = 0;  // DWLP_MSGRESULT
    LONG_PTR dialogUserData = 0;
    bool dialogEnded = false;
    LONG_PTR endResult = 0;
    WORD defaultId = 1;
    HFONT dialogFont = nullptr;
    HWND savedFocus = nullptr;
    int templateId = 0;

    // Painting.
    bool needsPaint = false;
    bool needsErase = false;
    int paintCount = 0;
    HBITMAP surface = nullptr;

    bool tracksMouseLeave = false;
    std::uint64_t activationStamp = 0;
    bool destroying = false;
};

class WindowTable {
public:
    WindowRecord* Find(HWND handle);
    HWND Add(std::unique_ptr<WindowRecord> record);
    void Remove(HWND handle);
    HWND Desktop() const { return desktop_; }
    std::size_t Count() const { return records_.size(); }

    WindowTable();

private:
    // Looked up by nearly every call of the system, never walked in order.
    std::unordered_map<HWND, std::unique_ptr<WindowRecord>> records_;
    std::uintptr_t next_ = 0x10000;
    HWND desktop_ = nullptr;
};

WindowTable& Windows();

// The record of a live window, or null (also for the desktop's own record when asked).
inline WindowRecord* Find(HWND handle) {
    return Windows().Find(handle);
}

// Whether the window is top-level: a child of the desktop.
inline bool IsTopLevel(const WindowRecord& record) {
    return record.parent == Windows().Desktop();
}

// The top-level window that holds a window (the window itself when it is top-level); null
// for the desktop and for a handle that is no window.
HWND TopLevelOf(HWND window);

// Insets of the non-client area (borders, caption) for the given styles.
RECT NonClientInsets(DWORD style, DWORD exStyle);

// The window's rectangle and client rectangle in screen coordinates.
RECT ScreenWindowRect(HWND handle);
RECT ScreenClientRect(HWND handle);

// Whether the window and all its ancestors are visible.
bool IsShown(HWND handle);

// Marks the window (and, when asked, its descendants) for painting.
void MarkForPaint(HWND handle, bool erase, bool withChildren);

// Something a person could see may have changed: a window was marked for painting (shown,
// hidden, moved, invalidated or destroyed) or drawn on outside WM_PAINT.
void NoteScreenChange();
unsigned long ScreenGeneration();

}  // namespace ui
