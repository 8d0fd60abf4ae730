// TWindow: the toolkit's window object. It stands for one window of the window model: it makes
// the window (or, as an alias, attaches to one a dialog template made), receives its messages,
// and dispatches them to response handlers and to its Ev... operations; what it leaves alone
// goes to the window's own class (DefaultProcessing).
//
// Response handling. A window answers its children's notifications through handlers it
// registers, typically in its constructor:
//   OnCommand(9, [this] { CmHelp(); });                          // clicked (BN_CLICKED, menu)
//   OnChildNotify(204, CBN_SELCHANGE, [this] { InputChanged(); });
//   OnNotify(201, TCN_SELCHANGE, [this](NMHDR&) { TabChanged(); return LRESULT{0}; });
//   OnMessage(WM_HSCROLL, [this](WPARAM w, LPARAM l) { ...; return LRESULT{0}; });
// A handler of OnMessage comes first and replaces the Ev... operation of its message; inside
// it DefaultProcessing() does what would have happened without it.
#pragma once

#include <functional>
#include <map>
#include <utility>
#include <vector>

#include "platform/ui/owl/color.h"
#include "platform/ui/owl/gdi_objects.h"
#include "platform/ui/owl/geometry.h"
#include "platform/ui/owl/module.h"
#include "platform/ui/user.h"

namespace owl {

class TApplication;

// Thrown when a window cannot be made or attached.
class TXWindow : public std::runtime_error {
public:
    explicit TXWindow(const std::string& what) : std::runtime_error(what) {}
};

struct TWindowAttr {
    DWORD Style = WS_CHILD | WS_VISIBLE;
    DWORD ExStyle = 0;
    int X = 0;
    int Y = 0;
    int W = 0;
    int H = 0;
    int Id = 0;
};

// Window flags.
inline constexpr unsigned wfAlias = 0x0001;         // attached to a window made elsewhere
inline constexpr unsigned wfAutoCreate = 0x0002;    // made when the parent is set up
inline constexpr unsigned wfFullyCreated = 0x0004;  // set up and running

class TWindow {
public:
    explicit TWindow(TWindow* parent, const char16_t* title = nullptr, TModule* module = nullptr);
    // Stands for a window made elsewhere (the host's main window, say), so that toolkit
    // windows can have it as their parent. Its messages stay with its own procedure, and the
    // object leaves the window alone when it goes.
    explicit TWindow(HWND window, TModule* module = nullptr);
    virtual ~TWindow();
    TWindow(const TWindow&) = delete;
    TWindow& operator=(const TWindow&) = delete;

    TWindowAttr Attr;

    // --- Identity and relations
    HWND GetHandle() const { return handle_; }
    operator HWND() const { return handle_; }
    TWindow* GetParentO() const { return parent_; }
    HWND GetParentH() const {
        return parent_ != nullptr ? parent_->GetHandle() : ::GetParent(handle_);
    }
    TModule* GetModule() const { return module_; }
    TApplication* GetApplication() const;
    int GetId() const { return Attr.Id; }
    const std::vector<TWindow*>& GetChildren() const { return children_; }
    TWindow* ChildWithId(int id) const;
    // The toolkit window attached to `window`, or null.
    static TWindow* GetWindowPtr(HWND window);

    bool IsFlagSet(unsigned flag) const { return (flags_ & flag) != 0; }
    void SetFlag(unsigned flag) { flags_ |= flag; }
    void ClearFlag(unsigned flag) { flags_ &= ~flag; }
    void EnableAutoCreate() { SetFlag(wfAutoCreate); }
    void DisableAutoCreate() { ClearFlag(wfAutoCreate); }

    // --- Life
    // Makes (or, for an alias, attaches to) the window and sets it up; throws TXWindow when
    // that fails. A window that exists already is left as it is.
    virtual bool Create();
    // Whether the window may close: every child window is asked in turn.
    virtual bool CanClose();
    virtual void CloseWindow(int result = 0);
    virtual void Destroy(int result = 0);

    // --- What a window can be asked and told
    bool ShowWindow(int command);
    bool IsWindowVisible() const;
    bool EnableWindow(bool enable);
    bool IsWindowEnabled() const;
    bool MoveWindow(int x, int y, int width, int height, bool repaint = false);
    bool MoveWindow(const TRect& rect, bool repaint = false);
    bool SetWindowPos(HWND insertAfter, const TRect& rect, UINT flags);
    bool SetWindowPos(HWND insertAfter, int x, int y, int width, int height, UINT flags);
    TRect GetWindowRect() const;
    TRect GetClientRect() const;
    void ClientToScreen(TPoint& point) const;
    void ScreenToClient(TPoint& point) const;
    void MapWindowPoints(HWND to, TPoint* points, int count) const;
    void SetCaption(const char16_t* title);
    void SetWindowText(const char16_t* text) { SetCaption(text); }
    tstring GetWindowText() const;
    int GetWindowTextLength() const;
    HWND SetFocus();
    void Invalidate(bool erase = true);
    void UpdateWindow();
    void RedrawWindow(UINT flags = RDW_INVALIDATE | RDW_UPDATENOW);
    LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;
    bool PostMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;
    LRESULT SendDlgItemMessage(int id, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;
    HWND GetDlgItem(int id) const;
    UINT_PTR SetTimer(UINT_PTR id, UINT milliseconds);
    bool KillTimer(UINT_PTR id);
    HWND SetCapture();
    void ReleaseCapture();
    HWND GetCapture() const { return ::GetCapture(); }
    DWORD GetStyle() const;
    void SetStyle(DWORD style);
    void ModifyStyle(DWORD remove, DWORD add);
    DWORD GetExStyle() const;
    HFONT GetWindowFont() const;
    void SetWindowFont(HFONT font, bool redraw);
    HWND GetLastActivePopup() const { return ::GetLastActivePopup(handle_); }
    // A message box owned by this window; without a caption, the application's name.
    int MessageBox(const char16_t* text, const char16_t* caption = nullptr, UINT type = MB_OK);

    // The colour the window's background is painted with and that it gives its children's
    // colour requests. Transparent: text backgrounds show what lies below.
    void SetBkgndColor(TColor colour) { background_ = colour; }
    TColor GetBkgndColor() const { return background_; }

    // --- Response handling
    void OnCommand(int id, std::function<void()> handler);
    void OnChildNotify(int id, UINT code, std::function<void()> handler);
    void OnNotify(int id, UINT code, std::function<LRESULT(NMHDR&)> handler);
    void OnMessage(UINT message, std::function<LRESULT(WPARAM, LPARAM)> handler);

    // Runs a message through the window as if the window model had delivered it.
    LRESULT HandleMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
    // What the window's class (or, for dialogs, the dialog manager) does with the message
    // being handled.
    LRESULT DefaultProcessing();

protected:
    // Class name and registration of windows this toolkit makes itself.
    virtual const char16_t* GetClassName() const;

    virtual void SetupWindow();    // after the window exists; sets up the auto-created children
    virtual void CleanupWindow();  // before it goes

    // The message dispatcher: response handlers first, then the Ev... operations.
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    virtual LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam);

    virtual void EvMouseMove(UINT modKeys, const TPoint& point);
    virtual void EvLButtonDown(UINT modKeys, const TPoint& point);
    virtual void EvLButtonUp(UINT modKeys, const TPoint& point);
    virtual void EvLButtonDblClk(UINT modKeys, const TPoint& point);
    virtual void EvRButtonDown(UINT modKeys, const TPoint& point);
    virtual void EvMButtonDown(UINT modKeys, const TPoint& point);
    virtual void EvMouseLeave();
    virtual void EvKeyDown(UINT key, UINT repeatCount, UINT flags);
    virtual void EvKeyUp(UINT key, UINT repeatCount, UINT flags);
    virtual void EvChar(UINT key, UINT repeatCount, UINT flags);
    virtual void EvTimer(UINT timerId);
    virtual void EvSetFocus(HWND lostFocus);
    virtual void EvKillFocus(HWND getsFocus);
    virtual void EvEnable(bool enabled);
    virtual void EvCancelMode();
    virtual void EvThemeChanged();
    virtual void EvSysColorChange();
    virtual void EvSize(UINT sizeType, const TSize& size);
    virtual void EvHScroll(UINT scrollCode, UINT thumbPos, HWND control);
    virtual void EvVScroll(UINT scrollCode, UINT thumbPos, HWND control);
    virtual HBRUSH EvCtlColor(HDC dc, HWND control, UINT controlType);
    virtual void EvPaint();
    virtual bool EvEraseBkgnd(HDC dc);
    virtual void Paint(TDC& dc, bool erase, TRect& rect);
    virtual LRESULT EvCommand(UINT id, HWND control, UINT notifyCode);
    virtual LRESULT EvNotify(UINT id, NMHDR& header);
    virtual void EvClose();

    // Attaches this object to an existing window (an alias) and runs SetupWindow.
    void AttachTo(HWND window);
    // Attaches the object to the window; `subclass`: its messages come through the toolkit's
    // window procedure (dialogs keep the dialog manager's and come through their dialog
    // procedure).
    void SetHandle(HWND window, bool subclass = true);

    TWindow* parent_;
    TModule* module_;
    tstring title_;

private:
    friend class TDialog;
    struct CurrentMessage {
        UINT message;
        WPARAM wParam;
        LPARAM lParam;
    };
    static LRESULT StandardProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    static LRESULT CreationProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT Receive(UINT message, WPARAM wParam, LPARAM lParam);
    void CreateChildren();
    void Detach();
    bool Dispatch(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);

    HWND handle_ = nullptr;
    WNDPROC defaultProcedure_ = nullptr;
    unsigned flags_ = wfAutoCreate;
    std::vector<TWindow*> children_;
    std::vector<CurrentMessage> current_;
    TColor background_ = TColor::None;
    HBRUSH backgroundBrush_ = nullptr;  // of the background colour, made on first use
    COLORREF brushColour_ = 0;
    HBRUSH BackgroundBrush();

    std::map<int, std::function<void()>> commands_;
    std::map<std::pair<int, UINT>, std::function<void()>> childNotifications_;
    std::map<std::pair<int, UINT>, std::function<LRESULT(NMHDR&)>> notifications_;
    std::map<UINT, std::function<LRESULT(WPARAM, LPARAM)>> messages_;
};

}  // namespace owl
