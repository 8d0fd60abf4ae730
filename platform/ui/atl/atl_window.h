// The ATL window classes the balloon help derives from: CWindow (a window handle with the
// window functions as members) and CWindowImpl (a C++ object that makes a window of its own
// class and receives its messages through ProcessWindowMessage).
//
// The window class comes from the derived class's GetWndClassInfo(): its name, or, when the
// name is empty, "ATL:%p" with the address of the information block. It is registered on the
// first Create.
#pragma once

#include <string>

#include "platform/ui/user.h"

namespace ATL {

class CWindow {
public:
    explicit CWindow(HWND window = nullptr) : m_hWnd(window) {}

    HWND m_hWnd;

    operator HWND() const { return m_hWnd; }
    bool IsWindow() const { return ::IsWindow(m_hWnd) != 0; }
    BOOL DestroyWindow();
    BOOL ShowWindow(int command) { return ::ShowWindow(m_hWnd, command); }
    BOOL UpdateWindow() { return ::UpdateWindow(m_hWnd); }
    BOOL SetWindowText(LPCWSTR text) { return ::SetWindowTextW(m_hWnd, text); }
    BOOL GetWindowRect(RECT* rect) const { return ::GetWindowRect(m_hWnd, rect); }
    BOOL GetClientRect(RECT* rect) const { return ::GetClientRect(m_hWnd, rect); }
    BOOL ClientToScreen(POINT* point) const { return ::ClientToScreen(m_hWnd, point); }
    BOOL ScreenToClient(POINT* point) const { return ::ScreenToClient(m_hWnd, point); }
    BOOL MoveWindow(int x, int y, int width, int height, BOOL repaint = TRUE) {
        return ::MoveWindow(m_hWnd, x, y, width, height, repaint);
    }
    BOOL SetWindowPos(HWND after, int x, int y, int cx, int cy, UINT flags) {
        return ::SetWindowPos(m_hWnd, after, x, y, cx, cy, flags);
    }
    LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const {
        return ::SendMessageW(m_hWnd, message, wParam, lParam);
    }
    BOOL PostMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const {
        return ::PostMessageW(m_hWnd, message, wParam, lParam);
    }
    UINT_PTR SetTimer(UINT_PTR id, UINT milliseconds) {
        return ::SetTimer(m_hWnd, id, milliseconds, nullptr);
    }
    BOOL KillTimer(UINT_PTR id) { return ::KillTimer(m_hWnd, id); }
    BOOL Invalidate(BOOL erase = TRUE) { return ::InvalidateRect(m_hWnd, nullptr, erase); }
    HWND GetParent() const { return ::GetParent(m_hWnd); }
};

// What a window class is registered with.
struct CWndClassInfo {
    std::u16string className;  // empty: "ATL:%p" of this block
    UINT style = 0;
    HBRUSH background = nullptr;
    std::u16string registeredName;  // filled on registration
};

// A message map: answers a message, or leaves it to the default window procedure.
class CMessageMap {
public:
    virtual BOOL ProcessWindowMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                      LRESULT& result, DWORD mapId = 0) = 0;

protected:
    ~CMessageMap() = default;
};

class CWindowImplRoot : public CWindow, public CMessageMap {
public:
    virtual ~CWindowImplRoot() = default;
};

class CWindowImplBase : public CWindowImplRoot {
public:
    virtual WNDPROC GetWindowProc();
    // After the window's last message (WM_NCDESTROY), with the window already detached.
    virtual void OnFinalMessage(HWND window);

    // Makes the window: registers the class of `info` if needed, and routes the window's
    // messages to ProcessWindowMessage. Null when the window cannot be made.
    HWND CreateOfClass(CWndClassInfo& info, HWND parent, const RECT& rect, LPCWSTR name,
                       DWORD style, DWORD exStyle);

    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam);

private:
    static LRESULT StartWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    static LRESULT WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    int depth_ = 0;               // messages of the window being handled, nested
    HWND finalWindow_ = nullptr;  // the window that has gone, until OnFinalMessage runs
};

template <class T, class Base = CWindow>
class CWindowImpl : public CWindowImplBase {
public:
    HWND CreateWindowOf(HWND parent, const RECT& rect, LPCWSTR name, DWORD style, DWORD exStyle) {
        return CreateOfClass(T::GetWndClassInfo(), parent, rect, name, style, exStyle);
    }
};

// The name a class information block gets when it has none of its own.
std::u16string AnonymousClassName(const CWndClassInfo& info);

}  // namespace ATL
