#include "platform/ui/owl/window.h"

#include <algorithm>

#include "platform/ui/owl/application.h"

namespace owl {
namespace {

constexpr char16_t kObjectProperty[] = u"TarvelToolkitWindow";

// The window being made by TWindow::Create or TDialog: it receives the first messages of its
// window before the window is attached to it.
TWindow* g_creating = nullptr;

TPoint PointOf(LPARAM lParam) {
    return TPoint(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
}

}  // namespace

TWindow::TWindow(TWindow* parent, const char16_t* title, TModule* module)
    : parent_(parent),
      module_(module != nullptr ? module : (parent != nullptr ? parent->module_ : nullptr)),
      title_(title != nullptr ? title : u"") {
    if (parent_ != nullptr)
        parent_->children_.push_back(this);
}

TWindow::TWindow(HWND window, TModule* module)
    : parent_(nullptr), module_(module), handle_(window), flags_(wfAlias | wfFullyCreated) {}

HBRUSH TWindow::BackgroundBrush() {
    const COLORREF colour = background_.GetValue();
    if (backgroundBrush_ == nullptr || brushColour_ != colour) {
        if (backgroundBrush_ != nullptr)
            DeleteObject(backgroundBrush_);
        backgroundBrush_ = CreateSolidBrush(colour);
        brushColour_ = colour;
    }
    return backgroundBrush_;
}

TWindow::~TWindow() {
    if (backgroundBrush_ != nullptr)
        DeleteObject(backgroundBrush_);
    if (handle_ != nullptr) {
        const HWND window = handle_;
        const bool alias = IsFlagSet(wfAlias);
        Detach();  // the window's last messages must not reach a half-destroyed object
        if (!alias)
            DestroyWindow(window);
    }
    for (TWindow* child : children_)
        child->parent_ = nullptr;
    if (parent_ != nullptr) {
        auto& siblings = parent_->children_;
        siblings.erase(std::remove(siblings.begin(), siblings.end(), this), siblings.end());
    }
}

TApplication* TWindow::GetApplication() const {
    return parent_ != nullptr ? parent_->GetApplication() : OWLGetAppDictionary().GetApplication();
}

TWindow* TWindow::ChildWithId(int id) const {
    for (TWindow* child : children_) {
        if (child->Attr.Id == id)
            return child;
    }
    return nullptr;
}

TWindow* TWindow::GetWindowPtr(HWND window) {
    return static_cast<TWindow*>(GetPropW(window, kObjectProperty));
}

const char16_t* TWindow::GetClassName() const {
    return u"TarvelWindow";
}

bool TWindow::Create() {
    if (handle_ != nullptr)
        return true;
    if (IsFlagSet(wfAlias)) {
        const HWND window = ::GetDlgItem(GetParentH(), Attr.Id);
        if (window == nullptr) {
            throw TXWindow("no control " + std::to_string(Attr.Id) + " to attach to");
        }
        AttachTo(window);
        return true;
    }
    const char16_t* className = GetClassName();
    WNDCLASSEXW windowClass;
    windowClass.lpszClassName = className;
    windowClass.lpfnWndProc = &CreationProcedure;
    windowClass.hbrBackground = GetSysColorBrush(COLOR_WINDOW);
    RegisterClassExW(&windowClass);  // fails harmlessly when the class exists

    const bool child = (Attr.Style & WS_CHILD) != 0;
    TWindow* const outer = g_creating;
    g_creating = this;
    HWND window = nullptr;
    try {
        window = CreateWindowExW(
            Attr.ExStyle, className, title_.c_str(), Attr.Style, Attr.X, Attr.Y, Attr.W, Attr.H,
            GetParentH(),
            child ? reinterpret_cast<HMENU>(static_cast<std::intptr_t>(Attr.Id)) : nullptr,
            module_ != nullptr ? module_->GetHandle() : nullptr, nullptr);
    } catch (...) {
        g_creating = outer;
        if (handle_ != nullptr)
            DestroyWindow(handle_);
        throw;
    }
    g_creating = outer;
    if (window == nullptr)
        throw TXWindow("the window could not be made");
    if (handle_ == nullptr) {
        // A predefined class: its own procedure saw the creation; attach and set up now.
        SetHandle(window);
        SetupWindow();
        SetFlag(wfFullyCreated);
    }
    return true;
}

void TWindow::SetHandle(HWND window, bool subclass) {
    handle_ = window;
    SetPropW(window, kObjectProperty, this);
    if (!subclass)
        return;
    const auto old = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&StandardProcedure)));
    defaultProcedure_ = old == &CreationProcedure ? &DefWindowProcW : old;
}

void TWindow::AttachTo(HWND window) {
    SetHandle(window);
    SetFlag(wfAlias);
    Attr.Style = GetStyle();
    Attr.ExStyle = GetExStyle();
    const TRect r = GetWindowRect();
    Attr.W = r.Width();
    Attr.H = r.Height();
    SetupWindow();
    SetFlag(wfFullyCreated);
}

void TWindow::Detach() {
    if (handle_ == nullptr)
        return;
    if (IsWindow(handle_)) {
        if (defaultProcedure_ != nullptr && GetWindowLongPtrW(handle_, GWLP_WNDPROC) ==
                                                reinterpret_cast<LONG_PTR>(&StandardProcedure)) {
            SetWindowLongPtrW(handle_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(defaultProcedure_));
        }
        if (GetPropW(handle_, kObjectProperty) == this)
            RemovePropW(handle_, kObjectProperty);
    }
    handle_ = nullptr;
    ClearFlag(wfFullyCreated);
}

void TWindow::SetupWindow() {
    CreateChildren();
}

void TWindow::CleanupWindow() {}

void TWindow::CreateChildren() {
    const std::vector<TWindow*> children = children_;
    for (TWindow* child : children) {
        if (child->IsFlagSet(wfAutoCreate) && child->GetHandle() == nullptr)
            child->Create();
    }
}

bool TWindow::CanClose() {
    const std::vector<TWindow*> children = children_;
    for (TWindow* child : children) {
        if (child->GetHandle() != nullptr && !child->CanClose())
            return false;
    }
    return true;
}

void TWindow::CloseWindow(int result) {
    if (CanClose())
        Destroy(result);
}

void TWindow::Destroy(int) {
    if (handle_ != nullptr)
        DestroyWindow(handle_);
}

bool TWindow::ShowWindow(int command) {
    return ::ShowWindow(handle_, command) != 0;
}
bool TWindow::IsWindowVisible() const {
    return ::IsWindowVisible(handle_) != 0;
}
bool TWindow::EnableWindow(bool enable) {
    return ::EnableWindow(handle_, enable) != 0;
}
bool TWindow::IsWindowEnabled() const {
    return ::IsWindowEnabled(handle_) != 0;
}

bool TWindow::MoveWindow(int x, int y, int width, int height, bool repaint) {
    return ::MoveWindow(handle_, x, y, width, height, repaint) != 0;
}
bool TWindow::MoveWindow(const TRect& rect, bool repaint) {
    return MoveWindow(rect.left, rect.top, rect.Width(), rect.Height(), repaint);
}
bool TWindow::SetWindowPos(HWND insertAfter, const TRect& rect, UINT flags) {
    return SetWindowPos(insertAfter, rect.left, rect.top, rect.Width(), rect.Height(), flags);
}
bool TWindow::SetWindowPos(HWND insertAfter, int x, int y, int width, int height, UINT flags) {
    return ::SetWindowPos(handle_, insertAfter, x, y, width, height, flags) != 0;
}

TRect TWindow::GetWindowRect() const {
    TRect r;
    ::GetWindowRect(handle_, &r);
    return r;
}

TRect TWindow::GetClientRect() const {
    TRect r;
    ::GetClientRect(handle_, &r);
    return r;
}

void TWindow::ClientToScreen(TPoint& point) const {
    ::ClientToScreen(handle_, &point);
}
void TWindow::ScreenToClient(TPoint& point) const {
    ::ScreenToClient(handle_, &point);
}
void TWindow::MapWindowPoints(HWND to, TPoint* points, int count) const {
    ::MapWindowPoints(handle_, to, points, static_cast<UINT>(count));
}

void TWindow::SetCaption(const char16_t* title) {
    title_ = title != nullptr ? title : u"";
    if (handle_ != nullptr)
        ::SetWindowTextW(handle_, title_.c_str());
}

tstring TWindow::GetWindowText() const {
    const int length = GetWindowTextLength();
    tstring text(static_cast<std::size_t>(length) + 1, u'\0');
    ::GetWindowTextW(handle_, text.data(), length + 1);
    text.resize(static_cast<std::size_t>(length));
    return text;
}

int TWindow::GetWindowTextLength() const {
    return ::GetWindowTextLengthW(handle_);
}
HWND TWindow::SetFocus() {
    return ::SetFocus(handle_);
}
void TWindow::Invalidate(bool erase) {
    ::InvalidateRect(handle_, nullptr, erase);
}
void TWindow::UpdateWindow() {
    ::UpdateWindow(handle_);
}
void TWindow::RedrawWindow(UINT flags) {
    ::RedrawWindow(handle_, nullptr, nullptr, flags);
}

LRESULT TWindow::SendMessage(UINT message, WPARAM wParam, LPARAM lParam) const {
    return ::SendMessageW(handle_, message, wParam, lParam);
}
bool TWindow::PostMessage(UINT message, WPARAM wParam, LPARAM lParam) const {
    return ::PostMessageW(handle_, message, wParam, lParam) != 0;
}
LRESULT TWindow::SendDlgItemMessage(int id, UINT message, WPARAM wParam, LPARAM lParam) const {
    return ::SendDlgItemMessageW(handle_, id, message, wParam, lParam);
}
HWND TWindow::GetDlgItem(int id) const {
    return ::GetDlgItem(handle_, id);
}
UINT_PTR TWindow::SetTimer(UINT_PTR id, UINT milliseconds) {
    return ::SetTimer(handle_, id, milliseconds, nullptr);
}
bool TWindow::KillTimer(UINT_PTR id) {
    return ::KillTimer(handle_, id) != 0;
}
HWND TWindow::SetCapture() {
    return ::SetCapture(handle_);
}
void TWindow::ReleaseCapture() {
    if (::GetCapture() == handle_)
        ::ReleaseCapture();
}
DWORD TWindow::GetStyle() const {
    return static_cast<DWORD>(GetWindowLongPtrW(handle_, GWL_STYLE));
}
void TWindow::SetStyle(DWORD style) {
    Attr.Style = style;
    if (handle_ != nullptr)
        SetWindowLongPtrW(handle_, GWL_STYLE, static_cast<LONG_PTR>(style));
}
void TWindow::ModifyStyle(DWORD remove, DWORD add) {
    SetStyle(((handle_ != nullptr ? GetStyle() : Attr.Style) & ~remove) | add);
}
DWORD TWindow::GetExStyle() const {
    return static_cast<DWORD>(GetWindowLongPtrW(handle_, GWL_EXSTYLE));
}
HFONT TWindow::GetWindowFont() const {
    return reinterpret_cast<HFONT>(SendMessage(WM_GETFONT));
}
void TWindow::SetWindowFont(HFONT font, bool redraw) {
    SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(font), redraw ? TRUE : FALSE);
}

int TWindow::MessageBox(const char16_t* text, const char16_t* caption, UINT type) {
    tstring title;
    if (caption != nullptr) {
        title = caption;
    } else if (TApplication* application = GetApplication()) {
        title = application->GetName();
    }
    return MessageBoxW(handle_, text, title.c_str(), type);
}

void TWindow::OnCommand(int id, std::function<void()> handler) {
    commands_[id] = std::move(handler);
}
void TWindow::OnChildNotify(int id, UINT code, std::function<void()> handler) {
    childNotifications_[{id, code}] = std::move(handler);
}
void TWindow::OnNotify(int id, UINT code, std::function<LRESULT(NMHDR&)> handler) {
    notifications_[{id, code}] = std::move(handler);
}
void TWindow::OnMessage(UINT message, std::function<LRESULT(WPARAM, LPARAM)> handler) {
    messages_[message] = std::move(handler);
}

LRESULT TWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    return Receive(message, wParam, lParam);
}

LRESULT TWindow::DefaultProcessing() {
    if (current_.empty())
        return 0;
    const CurrentMessage m = current_.back();
    return DefWindowProc(m.message, m.wParam, m.lParam);
}

LRESULT TWindow::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    return CallWindowProcW(defaultProcedure_ != nullptr ? defaultProcedure_ : &DefWindowProcW,
                           handle_, message, wParam, lParam);
}

LRESULT TWindow::StandardProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    TWindow* object = GetWindowPtr(window);
    if (object == nullptr)
        return DefWindowProcW(window, message, wParam, lParam);
    return object->Receive(message, wParam, lParam);
}

LRESULT TWindow::CreationProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    TWindow* object = GetWindowPtr(window);
    if (object == nullptr && g_creating != nullptr && g_creating->handle_ == nullptr) {
        object = g_creating;
        object->SetHandle(window);
    }
    if (object == nullptr)
        return DefWindowProcW(window, message, wParam, lParam);
    return object->Receive(message, wParam, lParam);
}

LRESULT TWindow::Receive(UINT message, WPARAM wParam, LPARAM lParam) {
    current_.push_back(CurrentMessage{message, wParam, lParam});
    struct Pop {
        std::vector<CurrentMessage>& stack;
        ~Pop() { stack.pop_back(); }
    } pop{current_};
    const LRESULT result = WindowProc(message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        // The window is gone; the object stays and may make a new one.
        handle_ = nullptr;
        ClearFlag(wfFullyCreated);
    }
    return result;
}

bool TWindow::Dispatch(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
    const auto handler = messages_.find(message);
    if (handler != messages_.end()) {
        *result = handler->second(wParam, lParam);
        return true;
    }
    *result = 0;
    const auto key = static_cast<UINT>(wParam);
    switch (message) {
        case WM_CREATE:
            *result = DefaultProcessing();
            if (*result != -1) {
                SetupWindow();
                SetFlag(wfFullyCreated);
            }
            return true;
        case WM_DESTROY:
            CleanupWindow();
            *result = DefaultProcessing();
            return true;
        case WM_MOUSEMOVE:
            EvMouseMove(key, PointOf(lParam));
            return true;
        case WM_LBUTTONDOWN:
            EvLButtonDown(key, PointOf(lParam));
            return true;
        case WM_LBUTTONUP:
            EvLButtonUp(key, PointOf(lParam));
            return true;
        case WM_LBUTTONDBLCLK:
            EvLButtonDblClk(key, PointOf(lParam));
            return true;
        case WM_RBUTTONDOWN:
            EvRButtonDown(key, PointOf(lParam));
            return true;
        case WM_MBUTTONDOWN:
            EvMButtonDown(key, PointOf(lParam));
            return true;
        case WM_MOUSELEAVE:
            EvMouseLeave();
            return true;
        case WM_KEYDOWN:
            EvKeyDown(key, LOWORD(lParam), HIWORD(lParam));
            return true;
        case WM_KEYUP:
            EvKeyUp(key, LOWORD(lParam), HIWORD(lParam));
            return true;
        case WM_CHAR:
            EvChar(key, LOWORD(lParam), HIWORD(lParam));
            return true;
        case WM_TIMER:
            EvTimer(key);
            return true;
        case WM_SETFOCUS:
            EvSetFocus(reinterpret_cast<HWND>(wParam));
            return true;
        case WM_KILLFOCUS:
            EvKillFocus(reinterpret_cast<HWND>(wParam));
            return true;
        case WM_ENABLE:
            EvEnable(wParam != 0);
            return true;
        case WM_CANCELMODE:
            EvCancelMode();
            return true;
        case WM_THEMECHANGED:
            EvThemeChanged();
            return true;
        case WM_SYSCOLORCHANGE:
            EvSysColorChange();
            return true;
        case WM_SIZE:
            EvSize(key, TSize(LOWORD(lParam), HIWORD(lParam)));
            return true;
        case WM_HSCROLL:
            EvHScroll(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam));
            return true;
        case WM_VSCROLL:
            EvVScroll(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam));
            return true;
        case WM_CTLCOLORMSGBOX:
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORLISTBOX:
        case WM_CTLCOLORBTN:
        case WM_CTLCOLORDLG:
        case WM_CTLCOLORSCROLLBAR:
        case WM_CTLCOLORSTATIC:
            *result = reinterpret_cast<LRESULT>(EvCtlColor(reinterpret_cast<HDC>(wParam),
                                                           reinterpret_cast<HWND>(lParam),
                                                           message - WM_CTLCOLORMSGBOX));
            return true;
        case WM_PAINT:
            EvPaint();
            return true;
        case WM_ERASEBKGND:
            *result = EvEraseBkgnd(reinterpret_cast<HDC>(wParam)) ? 1 : 0;
            return true;
        case WM_COMMAND:
            *result = EvCommand(LOWORD(wParam), reinterpret_cast<HWND>(lParam), HIWORD(wParam));
            return true;
        case WM_NOTIFY:
            *result = EvNotify(static_cast<UINT>(wParam), *reinterpret_cast<NMHDR*>(lParam));
            return true;
        case WM_CLOSE:
            EvClose();
            return true;
        default:
            return false;
    }
}

LRESULT TWindow::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    LRESULT result = 0;
    if (Dispatch(message, wParam, lParam, &result))
        return result;
    return DefaultProcessing();
}

void TWindow::EvMouseMove(UINT, const TPoint&) {
    DefaultProcessing();
}
void TWindow::EvLButtonDown(UINT, const TPoint&) {
    DefaultProcessing();
}
void TWindow::EvLButtonUp(UINT, const TPoint&) {
    DefaultProcessing();
}
void TWindow::EvLButtonDblClk(UINT, const TPoint&) {
    DefaultProcessing();
}
void TWindow::EvRButtonDown(UINT, const TPoint&) {
    DefaultProcessing();
}
void TWindow::EvMButtonDown(UINT, const TPoint&) {
    DefaultProcessing();
}
void TWindow::EvMouseLeave() {
    DefaultProcessing();
}
void TWindow::EvKeyDown(UINT, UINT, UINT) {
    DefaultProcessing();
}
void TWindow::EvKeyUp(UINT, UINT, UINT) {
    DefaultProcessing();
}
void TWindow::EvChar(UINT, UINT, UINT) {
    DefaultProcessing();
}
void TWindow::EvTimer(UINT) {
    DefaultProcessing();
}
void TWindow::EvSetFocus(HWND) {
    DefaultProcessing();
}
void TWindow::EvKillFocus(HWND) {
    DefaultProcessing();
}
void TWindow::EvEnable(bool) {
    DefaultProcessing();
}
void TWindow::EvCancelMode() {
    DefaultProcessing();
}
void TWindow::EvThemeChanged() {
    DefaultProcessing();
}
void TWindow::EvSysColorChange() {
    DefaultProcessing();
}
void TWindow::EvSize(UINT, const TSize&) {
    DefaultProcessing();
}
void TWindow::EvHScroll(UINT, UINT, HWND) {
    DefaultProcessing();
}
void TWindow::EvVScroll(UINT, UINT, HWND) {
    DefaultProcessing();
}

HBRUSH TWindow::EvCtlColor(HDC dc, HWND control, UINT) {
    // A child toolkit window with a background colour of its own gets it.
    TWindow* child = GetWindowPtr(control);
    if (child != nullptr && !(child->background_ == TColor::None)) {
        if (child->background_ == TColor::Transparent) {
            SetBkMode(dc, TRANSPARENT);
            return static_cast<HBRUSH>(GetStockObject(NULL_BRUSH));
        }
        SetBkColor(dc, child->background_.GetValue());
        return child->BackgroundBrush();
    }
    return reinterpret_cast<HBRUSH>(DefaultProcessing());
}

void TWindow::EvPaint() {
    if (IsFlagSet(wfAlias)) {
        DefaultProcessing();
        return;
    }
    PAINTSTRUCT paint;
    const HDC dc = BeginPaint(handle_, &paint);
    {
        TDC context(dc);
        TRect area(paint.rcPaint);
        Paint(context, paint.fErase != 0, area);
    }
    EndPaint(handle_, &paint);
}

bool TWindow::EvEraseBkgnd(HDC dc) {
    if (!(background_ == TColor::None) && !(background_ == TColor::Transparent)) {
        RECT client = GetClientRect();
        FillRect(dc, &client, BackgroundBrush());
        return true;
    }
    if (background_ == TColor::Transparent)
        return true;
    return DefaultProcessing() != 0;
}

void TWindow::Paint(TDC&, bool, TRect&) {}

LRESULT TWindow::EvCommand(UINT id, HWND control, UINT notifyCode) {
    const int commandId = static_cast<int>(id);
    if (control != nullptr) {
        const auto notification = childNotifications_.find({commandId, notifyCode});
        if (notification != childNotifications_.end()) {
            notification->second();
            return 0;
        }
    }
    if (notifyCode == BN_CLICKED || (control == nullptr && notifyCode == 1)) {
        const auto command = commands_.find(commandId);
        if (command != commands_.end()) {
            command->second();
            return 0;
        }
    }
    return DefaultProcessing();
}

LRESULT TWindow::EvNotify(UINT id, NMHDR& header) {
    const auto handler = notifications_.find({static_cast<int>(id), header.code});
    if (handler != notifications_.end())
        return handler->second(header);
    return DefaultProcessing();
}

void TWindow::EvClose() {
    if (IsFlagSet(wfAlias)) {
        DefaultProcessing();
    } else {
        CloseWindow();
    }
}

}  // namespace owl
