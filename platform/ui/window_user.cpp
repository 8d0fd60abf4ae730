#include "platform/ui/window_user.h"
#include "platform/ui/window_surface.h"

#include <algorithm>
#include <stdexcept>
#include <string>

#include "platform/text/utf.h"
#include "platform/ui/common_controls.h"
#include "platform/ui/headless.h"
#include "platform/ui/user.h"

namespace ui {
namespace {

bool IsChildWindow(HWND window) {
    return (GetWindowLongPtrW(window, GWL_STYLE) & WS_CHILD) != 0;
}

// The window a person sees the control in: its top-level window.
HWND TopLevelOf(HWND window) {
    while (IsChildWindow(window) && GetParent(window) != nullptr)
        window = GetParent(window);
    return window;
}

// The control itself or the first pane above it, up to its top-level window, that is
// disabled; null when every one of them is enabled.
HWND FirstDisabled(HWND control) {
    for (HWND w = control; w != nullptr; w = GetParent(w)) {
        if (!IsWindowEnabled(w))
            return w;
        if (!IsChildWindow(w))
            break;
    }
    return nullptr;
}

// The control itself or the first window above it that is hidden; null when none is.
HWND FirstHidden(HWND control) {
    for (HWND w = control; w != nullptr; w = GetParent(w)) {
        if ((GetWindowLongPtrW(w, GWL_STYLE) & WS_VISIBLE) == 0)
            return w;
        if (!IsChildWindow(w))
            break;
    }
    return nullptr;
}

std::string Dump(HWND window) {
    return "\nwhat the window holds:\n" + DescribeWindowTree(TopLevelOf(window));
}

std::string IdText(int id) {
    const std::string name = ControlIdName(id);
    return std::to_string(id) + (name.empty() ? "" : " " + name);
}

std::u16string ClassOf(HWND window) {
    char16_t name[64] = {};
    GetClassNameW(window, name, 64);
    return name;
}

POINT Centre(const RECT& r) {
    return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

void FindAll(HWND parent, int id, std::vector<HWND>* out) {
    for (HWND child = GetWindow(parent, GW_CHILD); child != nullptr;
         child = GetWindow(child, GW_HWNDNEXT)) {
        if (GetDlgCtrlID(child) == id)
            out->push_back(child);
        FindAll(child, id, out);
    }
}

void FindDialogs(HWND parent, std::vector<HWND>* out) {
    for (HWND child = GetWindow(parent, GW_CHILD); child != nullptr;
         child = GetWindow(child, GW_HWNDNEXT)) {
        if (ClassOf(child) == u"#32770")
            out->push_back(child);
        FindDialogs(child, out);
    }
}

bool IsUpDown(HWND window) {
    return ClassOf(window) == UPDOWN_CLASSW;
}
bool IsTabControl(HWND window) {
    return ClassOf(window) == WC_TABCONTROLW;
}

}  // namespace

ControlUser::ControlUser(HWND control) : control_(control) {
    if (!IsWindow(control))
        throw std::out_of_range("no such control");
}

int ControlUser::Id() const {
    return GetDlgCtrlID(control_);
}
std::u16string ControlUser::ClassName() const {
    return ClassOf(control_);
}

std::u16string ControlUser::Text() const {
    const int length = GetWindowTextLengthW(control_);
    std::u16string text(static_cast<std::size_t>(length) + 1, u'\0');
    GetWindowTextW(control_, text.data(), length + 1);
    text.resize(static_cast<std::size_t>(length));
    return text;
}

bool ControlUser::IsVisible() const {
    return IsWindowVisible(control_) != 0;
}
bool ControlUser::IsEnabled() const {
    return FirstDisabled(control_) == nullptr;
}
bool ControlUser::IsSelfEnabled() const {
    return IsWindowEnabled(control_) != 0;
}
bool ControlUser::IsUsable() const {
    return IsVisible() && IsEnabled();
}
bool ControlUser::HasFocus() const {
    return GetFocus() == control_;
}
bool ControlUser::IsChecked() const {
    return SendMessageW(control_, BM_GETCHECK, 0, 0) == static_cast<LRESULT>(BST_CHECKED);
}
bool ControlUser::IsPressed() const {
    return (SendMessageW(control_, BM_GETSTATE, 0, 0) & BST_PUSHED) != 0;
}
bool ControlUser::IsDefault() const {
    return (GetWindowLongPtrW(control_, GWL_STYLE) & BS_TYPEMASK) ==
           static_cast<LONG_PTR>(BS_DEFPUSHBUTTON);
}

RECT ControlUser::ScreenRect() const {
    RECT r{};
    GetWindowRect(control_, &r);
    return r;
}

RECT ControlUser::RectIn(HWND reference) const {
    RECT r = ScreenRect();
    MapWindowPoints(nullptr, reference, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

std::vector<std::u16string> ControlUser::Items() const {
    std::vector<std::u16string> items;
    const auto count = static_cast<int>(SendMessageW(control_, CB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        const auto length = SendMessageW(control_, CB_GETLBTEXTLEN, static_cast<WPARAM>(i), 0);
        std::u16string text(static_cast<std::size_t>(length) + 1, u'\0');
        SendMessageW(control_, CB_GETLBTEXT, static_cast<WPARAM>(i),
                     reinterpret_cast<LPARAM>(text.data()));
        text.resize(static_cast<std::size_t>(length));
        items.push_back(text);
    }
    return items;
}

int ControlUser::Selection() const {
    if (IsTabControl(control_))
        return static_cast<int>(SendMessageW(control_, TCM_GETCURSEL, 0, 0));
    return static_cast<int>(SendMessageW(control_, CB_GETCURSEL, 0, 0));
}

std::u16string ControlUser::SelectedText() const {
    const int selected = Selection();
    if (selected < 0)
        return {};
    if (IsTabControl(control_))
        return TabLabels().at(static_cast<std::size_t>(selected));
    return Items().at(static_cast<std::size_t>(selected));
}

std::vector<std::u16string> ControlUser::TabLabels() const {
    std::vector<std::u16string> labels;
    const auto count = static_cast<int>(SendMessageW(control_, TCM_GETITEMCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        char16_t buffer[256] = {};
        TCITEMW item;
        item.mask = TCIF_TEXT;
        item.pszText = buffer;
        item.cchTextMax = 256;
        SendMessageW(control_, TCM_GETITEMW, static_cast<WPARAM>(i),
                     reinterpret_cast<LPARAM>(&item));
        labels.emplace_back(buffer);
    }
    return labels;
}

int ControlUser::Position() const {
    if (IsUpDown(control_))
        return static_cast<int>(SendMessageW(control_, UDM_GETPOS32, 0, 0));
    return static_cast<int>(SendMessageW(control_, TBM_GETPOS, 0, 0));
}

std::pair<int, int> ControlUser::Range() const {
    if (IsUpDown(control_)) {
        int low = 0;
        int high = 0;
        SendMessageW(control_, UDM_GETRANGE32, reinterpret_cast<WPARAM>(&low),
                     reinterpret_cast<LPARAM>(&high));
        return {low, high};
    }
    return {static_cast<int>(SendMessageW(control_, TBM_GETRANGEMIN, 0, 0)),
            static_cast<int>(SendMessageW(control_, TBM_GETRANGEMAX, 0, 0))};
}

int ControlUser::PageSize() const {
    return static_cast<int>(SendMessageW(control_, TBM_GETPAGESIZE, 0, 0));
}

int ControlUser::TickCount() const {
    return static_cast<int>(SendMessageW(control_, TBM_GETNUMTICS, 0, 0));
}

gdi::Image ControlUser::Snapshot() const {
    return ui::Snapshot(control_);
}

void ControlUser::Refuse(const std::string& action, const std::string& why) const {
    throw std::logic_error("cannot " + action + " " + DescribeControl(control_) + ": " + why +
                           Dump(control_));
}

void ControlUser::Missing(const std::string& what) const {
    throw std::out_of_range(DescribeControl(control_) + " has no " + what + Dump(control_));
}

void ControlUser::RequireVisible(const char* action) const {
    if (!IsWindow(control_))
        throw std::logic_error(std::string("cannot ") + action + ": the control is gone");
    if (const HWND hidden = FirstHidden(control_); hidden == control_) {
        Refuse(action, "it is hidden");
    } else if (hidden != nullptr) {
        Refuse(action, "it lies in a hidden window, " + DescribeControl(hidden));
    }
}

void ControlUser::RequireUsable(const char* action) const {
    RequireVisible(action);
    if (const HWND disabled = FirstDisabled(control_); disabled == control_) {
        Refuse(action, "it is disabled");
    } else if (disabled != nullptr) {
        Refuse(action, "it lies in a disabled pane, " + DescribeControl(disabled));
    }
}

void ControlUser::ClickAt(POINT screenPoint) {
    MouseMove(screenPoint);
    MouseDown(MouseButton::Left);
    MouseUp(MouseButton::Left);
}

void ControlUser::Click() {
    RequireUsable("click");
    ClickAt(Centre(ScreenRect()));
}

void ControlUser::DoubleClick() {
    RequireUsable("double-click");
    MouseMove(Centre(ScreenRect()));
    MouseDoubleClick(MouseButton::Left);
}

void ControlUser::Hover() {
    RequireVisible("hover over");
    MouseMove(Centre(ScreenRect()));
}

void ControlUser::MoveMouseTo(int x, int y) {
    POINT p{x, y};
    ClientToScreen(control_, &p);
    MouseMove(p);
}

void ControlUser::PressMouse() {
    MouseDown(MouseButton::Left);
}
void ControlUser::ReleaseMouse() {
    MouseUp(MouseButton::Left);
}
void ControlUser::MoveMouseAway() {
    MouseMove(POINT{-10000, -10000});
}

void ControlUser::Focus() {
    RequireUsable("focus");
    SetFocus(control_);
    PumpMessages();
}

void ControlUser::Type(std::u16string_view text) {
    RequireUsable("type into");
    if (!HasFocus())
        Click();
    SendMessageW(control_, EM_SETSEL, 0, -1);
    for (char16_t c : text)
        Character(c);
}

void ControlUser::TypeAtEnd(std::u16string_view text) {
    RequireUsable("type into");
    if (!HasFocus())
        Click();
    const auto end = static_cast<WPARAM>(GetWindowTextLengthW(control_));
    SendMessageW(control_, EM_SETSEL, end, static_cast<LPARAM>(end));
    for (char16_t c : text)
        Character(c);
}

void ControlUser::Leave() {
    if (!HasFocus() && !IsChild(control_, GetFocus())) {
        Refuse("leave", "it has not the focus");
    }
    ui::PressKey(VK_TAB);
}

void ControlUser::PressKey(UINT virtualKey) {
    if (!HasFocus())
        Focus();
    ui::PressKey(virtualKey);
}

void ControlUser::Select(int index) {
    RequireUsable("select in");
    const auto count = static_cast<int>(SendMessageW(control_, CB_GETCOUNT, 0, 0));
    if (index < 0 || index >= count)
        Missing("entry " + std::to_string(index));
    Click();  // the list drops down
    HWND list = nullptr;
    for (HWND top : TopLevelWindows()) {
        if (IsWindowVisible(top) && ClassOf(top) == u"ComboLBox")
            list = top;
    }
    RECT entry{};
    if (list == nullptr || SendMessageW(list, LB_GETITEMRECT, static_cast<WPARAM>(index),
                                        reinterpret_cast<LPARAM>(&entry)) == LB_ERR) {
        Refuse("select entry " + std::to_string(index) + " in", "its list did not drop down");
    }
    RECT shown{};
    GetClientRect(list, &shown);
    if (entry.top < shown.top || entry.bottom > shown.bottom)
        Refuse("select entry " + std::to_string(index) + " in",
               "the entry is out of its list's view");
    MapWindowPoints(list, nullptr, reinterpret_cast<POINT*>(&entry), 2);
    ClickAt(Centre(entry));
}

void ControlUser::Select(std::u16string_view entry) {
    const std::u16string text(entry);
    const auto index = SendMessageW(control_, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                    reinterpret_cast<LPARAM>(text.c_str()));
    if (index < 0)
        Missing("entry \"" + text::ToUtf8(entry) + "\"");
    Select(static_cast<int>(index));
}

void ControlUser::SelectTab(int index) {
    RequireUsable("select a tab of");
    RECT tab{};
    if (SendMessageW(control_, TCM_GETITEMRECT, static_cast<WPARAM>(index),
                     reinterpret_cast<LPARAM>(&tab)) == 0) {
        Missing("tab " + std::to_string(index));
    }
    // A tab scrolled out of view is brought in with the row's scroller, as a person would.
    RECT client{};
    GetClientRect(control_, &client);
    for (HWND child = GetWindow(control_, GW_CHILD); child != nullptr;
         child = GetWindow(child, GW_HWNDNEXT)) {
        if (ClassOf(child) != UPDOWN_CLASSW || !IsWindowVisible(child))
            continue;
        RECT arrows{};
        GetWindowRect(child, &arrows);
        MapWindowPoints(nullptr, control_, reinterpret_cast<POINT*>(&arrows), 2);
        const int count = static_cast<int>(SendMessageW(control_, TCM_GETITEMCOUNT, 0, 0));
        for (int step = 0; step < count && (tab.left < 0 || tab.right > arrows.left); ++step) {
            RECT screen = arrows;
            MapWindowPoints(control_, nullptr, reinterpret_cast<POINT*>(&screen), 2);
            const int middle = (screen.top + screen.bottom) / 2;
            const int quarter = (screen.right - screen.left) / 4;
            ClickAt(POINT{tab.left < 0 ? screen.left + quarter : screen.right - quarter, middle});
            SendMessageW(control_, TCM_GETITEMRECT, static_cast<WPARAM>(index),
                         reinterpret_cast<LPARAM>(&tab));
        }
        tab.right = std::min(tab.right, arrows.left);
        break;
    }
    tab.left = std::max<LONG>(tab.left, client.left);
    MapWindowPoints(control_, nullptr, reinterpret_cast<POINT*>(&tab), 2);
    ClickAt(Centre(tab));
}

void ControlUser::SelectTab(std::u16string_view label) {
    const std::vector<std::u16string> labels = TabLabels();
    const auto found = std::find(labels.begin(), labels.end(), label);
    if (found == labels.end())
        Missing("tab \"" + text::ToUtf8(label) + "\"");
    SelectTab(static_cast<int>(found - labels.begin()));
}

void ControlUser::DragSliderTo(int position) {
    RequireUsable("drag");
    RECT thumb{};
    RECT channel{};
    SendMessageW(control_, TBM_GETTHUMBRECT, 0, reinterpret_cast<LPARAM>(&thumb));
    SendMessageW(control_, TBM_GETCHANNELRECT, 0, reinterpret_cast<LPARAM>(&channel));
    const auto [low, high] = Range();
    const int range = std::max(high - low, 1);
    const POINT grip = Centre(thumb);
    const int targetX =
        channel.left + MulDiv(std::clamp(position, low, high) - low, RectWidth(channel), range);
    POINT from = grip;
    POINT to{targetX, grip.y};
    ClientToScreen(control_, &from);
    ClientToScreen(control_, &to);
    MouseMove(from);
    MouseDown(MouseButton::Left);
    MouseMove(to);
    MouseUp(MouseButton::Left);
    // A pixel may hold more than one position: the arrow keys finish the move.
    for (int guard = 0; guard < 1000 && IsWindow(control_) && Position() != position; ++guard) {
        const int before = Position();
        ui::PressKey(before < position ? VK_RIGHT : VK_LEFT);
        if (Position() == before)
            break;
    }
}

void ControlUser::ClickUpArrow() {
    RequireUsable("click");
    RECT r = ScreenRect();
    const bool horizontal = (GetWindowLongPtrW(control_, GWL_STYLE) & UDS_HORZ) != 0;
    ClickAt(horizontal ? POINT{r.right - RectWidth(r) / 4 - 1, (r.top + r.bottom) / 2}
                       : POINT{(r.left + r.right) / 2, r.top + RectHeight(r) / 4});
}

void ControlUser::ClickDownArrow() {
    RequireUsable("click");
    RECT r = ScreenRect();
    const bool horizontal = (GetWindowLongPtrW(control_, GWL_STYLE) & UDS_HORZ) != 0;
    ClickAt(horizontal ? POINT{r.left + RectWidth(r) / 4, (r.top + r.bottom) / 2}
                       : POINT{(r.left + r.right) / 2, r.bottom - RectHeight(r) / 4 - 1});
}

WindowUser::WindowUser(HWND window) : window_(window) {
    if (!IsWindow(window))
        throw std::out_of_range("no such window");
}

bool WindowUser::IsOpen() const {
    return IsWindow(window_) && !IsDialogEnded(window_);
}

std::u16string WindowUser::Caption() const {
    return ControlUser(window_).Text();
}

RECT WindowUser::ScreenRect() const {
    RECT r{};
    GetWindowRect(window_, &r);
    return r;
}

SIZE WindowUser::ClientSize() const {
    RECT r{};
    GetClientRect(window_, &r);
    return SIZE{r.right, r.bottom};
}

int WindowUser::TemplateId() const {
    return TemplateIdOf(window_);
}

ControlUser WindowUser::Control(int id) const {
    const HWND control = GetDlgItem(window_, id);
    if (control == nullptr) {
        throw std::out_of_range("no control " + IdText(id) + " directly in " +
                                DescribeControl(window_) + Dump(window_));
    }
    return ControlUser(control);
}

ControlUser WindowUser::Find(int id, int occurrence) const {
    std::vector<HWND> found;
    FindAll(window_, id, &found);
    if (occurrence < 0 || static_cast<std::size_t>(occurrence) >= found.size()) {
        throw std::out_of_range("no control " + IdText(id) + " (occurrence " +
                                std::to_string(occurrence) + ") in " + DescribeControl(window_) +
                                Dump(window_));
    }
    return ControlUser(found[static_cast<std::size_t>(occurrence)]);
}

bool WindowUser::Has(int id) const {
    std::vector<HWND> found;
    FindAll(window_, id, &found);
    return !found.empty();
}

WindowUser WindowUser::ChildDialog(int templateId, int occurrence) const {
    int seen = 0;
    for (const WindowUser& child : ChildDialogs()) {
        if (child.TemplateId() == templateId && seen++ == occurrence)
            return child;
    }
    throw std::out_of_range("no child dialog from template " + std::to_string(templateId) +
                            " (occurrence " + std::to_string(occurrence) + ") in " +
                            DescribeControl(window_) + Dump(window_));
}

std::vector<WindowUser> WindowUser::ChildDialogs() const {
    std::vector<HWND> found;
    FindDialogs(window_, &found);
    return std::vector<WindowUser>(found.begin(), found.end());
}

ControlUser WindowUser::Focused() const {
    if (!HasFocusInside())
        throw std::logic_error("the focus is not in this window");
    return ControlUser(GetFocus());
}

bool WindowUser::HasFocusInside() const {
    const HWND focus = GetFocus();
    return focus != nullptr && (focus == window_ || IsChild(window_, focus));
}

void WindowUser::PressOk() {
    Find(IDOK).Click();
}
void WindowUser::PressCancel() {
    Find(IDCANCEL).Click();
}
void WindowUser::PressEnter() {
    PressKey(VK_RETURN);
}
void WindowUser::PressEscape() {
    PressKey(VK_ESCAPE);
}

void WindowUser::PressKey(UINT virtualKey) {
    if (!HasFocusInside())
        SetActiveWindow(window_);
    ui::PressKey(virtualKey);
}

void WindowUser::Close() {
    PostMessageW(window_, WM_CLOSE, 0, 0);
    PumpMessages();
}

gdi::Image WindowUser::Snapshot() const {
    return ui::Snapshot(window_);
}

}  // namespace ui
