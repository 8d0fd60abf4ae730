// The "SysTabControl32" class: one row of tabs with a selection, and the page below them.
// When the tabs are wider than the control, a horizontal up-down control at the right end of
// the row scrolls them, one tab a step, as far as the last tab comes into view; selecting a
// tab (by the mouse, a key or the program) scrolls it into view. Only the tabs wholly in view
// show and take the mouse: no part of a tab scrolled away shows beside the arrows.
#include <algorithm>
#include <vector>

#include "platform/theme/theme_service.h"
#include "platform/ui/common_controls.h"
#include "platform/ui/controls/control_support.h"
#include "platform/ui/controls/standard_classes.h"

namespace ui {
namespace {

constexpr int kPadding = 6;  // around a tab's label
constexpr int kDefaultMinimum = 42;
constexpr int kRowExtra = 6;  // a tab row is the font height plus this

struct Tab {
    std::u16string text;
    LPARAM param = 0;
};

struct TabData : ClassData {
    std::vector<Tab> tabs;
    int selection = -1;
    int minimumWidth = -1;  // -1: the default
    HFONT font = nullptr;
    int first = 0;            // the first tab in view
    HWND scroller = nullptr;  // the up-down while the tabs do not fit
};

// The scroller's id: none that a dialog's own controls use (1 would be OK's).
constexpr int kScrollerId = 0;

int TabWidth(HWND window, TabData& data, int index) {
    const int charWidth = FontMetricsOf(window, data.font).tmAveCharWidth;
    const int minimum = data.minimumWidth < 0 ? kDefaultMinimum : data.minimumWidth;
    return std::max<int>(
        minimum,
        static_cast<int>(data.tabs[static_cast<std::size_t>(index)].text.size()) * charWidth +
            2 * kPadding);
}

RECT TabRect(HWND window, TabData& data, int index) {
    const int height = FontMetricsOf(window, data.font).tmHeight;
    int x = 2;
    for (int i = 0; i < data.first && i < static_cast<int>(data.tabs.size()); ++i)
        x -= TabWidth(window, data, i);
    for (int i = 0; i <= index && i < static_cast<int>(data.tabs.size()); ++i) {
        const int width = TabWidth(window, data, i);
        if (i == index)
            return RECT{x, 2, x + width, 2 + height + kRowExtra};
        x += width;
    }
    return RECT{};
}

int RowHeight(HWND window, TabData& data) {
    return 2 + FontMetricsOf(window, data.font).tmHeight + kRowExtra;
}

// Where the tabs may show: up to the scroller when there is one.
int VisibleRight(HWND window, TabData& data) {
    RECT client;
    GetClientRect(window, &client);
    if (data.scroller == nullptr)
        return client.right;
    RECT scroller;
    GetWindowRect(data.scroller, &scroller);
    MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&scroller), 2);
    return scroller.left;
}

// Whether a tab lies wholly between the row's start and the scroller.
bool InView(HWND window, TabData& data, int index) {
    if (data.scroller == nullptr)
        return true;
    const RECT r = TabRect(window, data, index);
    return r.left >= 0 && r.right <= VisibleRight(window, data);
}

// The largest first tab: the one from which the rest of the row fits.
int LastFirst(HWND window, TabData& data) {
    const int count = static_cast<int>(data.tabs.size());
    const int room = VisibleRight(window, data) - 2;
    int width = 0;
    int first = count;
    while (first > 0 && width + TabWidth(window, data, first - 1) <= room) {
        width += TabWidth(window, data, first - 1);
        --first;
    }
    return std::min(first, std::max(count - 1, 0));
}

void ScrollTo(HWND window, TabData& data, int first) {
    first = std::clamp(first, 0, LastFirst(window, data));
    if (first == data.first)
        return;
    data.first = first;
    if (data.scroller != nullptr)
        SendMessageW(data.scroller, UDM_SETPOS32, 0, first);
    InvalidateRect(window, nullptr, TRUE);
}

// Shows or removes the scroller as the tabs fit or not, and keeps the row scrolled sensibly.
void UpdateScroller(HWND window, TabData& data) {
    RECT client;
    GetClientRect(window, &client);
    int total = 0;
    for (int i = 0; i < static_cast<int>(data.tabs.size()); ++i)
        total += TabWidth(window, data, i);
    const bool fits = 2 + total <= client.right;
    if (fits) {
        if (data.scroller != nullptr) {
            DestroyWindow(data.scroller);
            data.scroller = nullptr;
        }
        data.first = 0;
        return;
    }
    const int height = RowHeight(window, data) - 4;
    const int width = 2 * height;
    if (data.scroller == nullptr) {
        data.scroller = CreateWindowExW(
            0, UPDOWN_CLASSW, u"", WS_CHILD | WS_VISIBLE | UDS_HORZ, client.right - width - 2, 2,
            width, height, window, reinterpret_cast<HMENU>(static_cast<std::intptr_t>(kScrollerId)),
            nullptr, nullptr);
    } else {
        MoveWindow(data.scroller, client.right - width - 2, 2, width, height, TRUE);
    }
    const int count = static_cast<int>(data.tabs.size());
    SendMessageW(data.scroller, UDM_SETRANGE32, 0, std::max(count - 1, 0));
    data.first = std::clamp(data.first, 0, LastFirst(window, data));
    SendMessageW(data.scroller, UDM_SETPOS32, 0, data.first);
}

// Scrolls the row so that tab `index` is wholly in view (as far as it can be).
void EnsureVisible(HWND window, TabData& data, int index) {
    if (data.scroller == nullptr || index < 0)
        return;
    if (index < data.first) {
        ScrollTo(window, data, index);
        return;
    }
    const int right = VisibleRight(window, data);
    int first = data.first;
    while (first < index) {
        int x = 2;
        for (int i = first; i <= index; ++i)
            x += TabWidth(window, data, i);
        if (x <= right)
            break;
        ++first;
    }
    ScrollTo(window, data, first);
}

void AdjustRect(HWND window, TabData& data, bool larger, RECT* r) {
    const int row = RowHeight(window, data);
    if (larger) {
        r->left -= 4;
        r->right += 4;
        r->top -= row + 2;
        r->bottom += 4;
    } else {
        r->left += 4;
        r->right -= 4;
        r->top += row + 2;
        r->bottom -= 4;
    }
}

void ChangeSelection(HWND window, TabData& data, int index) {
    if (index == data.selection || index < 0 || index >= static_cast<int>(data.tabs.size())) {
        return;
    }
    NMHDR header;
    if (NotifyParent(window, header, TCN_SELCHANGING) != 0)
        return;  // the parent refuses
    if (!IsWindow(window))
        return;
    data.selection = index;
    EnsureVisible(window, data, index);
    InvalidateRect(window, nullptr, TRUE);
    NotifyParent(window, header, TCN_SELCHANGE);
}

void Paint(HWND window, HDC dc) {
    TabData& data = DataOf<TabData>(window);
    PaintWith(window, dc, data.font, [&](const RECT& client) {
        FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE));
        RECT page = client;
        page.top = RowHeight(window, data);
        // With visual styles the page is the theme's tab body; classic pages are face-coloured.
        COLORREF body = 0;
        if (theme::ActiveBodyColour(u"TAB", &body)) {
            RECT inner = page;
            InflateRect(&inner, -1, -1);
            const HBRUSH brush = CreateSolidBrush(body);
            FillRect(dc, &inner, brush);
            DeleteObject(brush);
        }
        RECT edge = page;
        DrawEdge(dc, &edge, EDGE_RAISED, BF_RECT);
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, GetSysColor(IsWindowEnabled(window) ? COLOR_BTNTEXT : COLOR_GRAYTEXT));
        for (int i = 0; i < static_cast<int>(data.tabs.size()); ++i) {
            if (!InView(window, data, i))
                continue;
            RECT tab = TabRect(window, data, i);
            if (i == data.selection)
                InflateRect(&tab, 2, 2);
            FillRect(dc, &tab, GetSysColorBrush(COLOR_BTNFACE));
            RECT border = tab;
            DrawEdge(dc, &border, EDGE_RAISED, BF_LEFT | BF_TOP | BF_RIGHT);
            const std::u16string& text = data.tabs[static_cast<std::size_t>(i)].text;
            DrawTextW(dc, text.c_str(), -1, &tab, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
        }
        if (GetFocus() == window && data.selection >= 0 && InView(window, data, data.selection)) {
            RECT focus = TabRect(window, data, data.selection);
            InflateRect(&focus, -2, -2);
            DrawFocusRect(dc, &focus);
        }
    });
}

}  // namespace

LRESULT TabControlProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    TabData& data = DataOf<TabData>(window);
    const int count = static_cast<int>(data.tabs.size());
    const auto index = static_cast<int>(static_cast<std::intptr_t>(wParam));
    switch (message) {
        case WM_GETDLGCODE:
            return DLGC_WANTARROWS;
        case WM_NCHITTEST: {
            // Only the tabs take the mouse; the page lets it through to the controls on it.
            POINT p{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
            ScreenToClient(window, &p);
            if (data.scroller != nullptr && IsWindowVisible(data.scroller)) {
                RECT arrows;
                GetWindowRect(data.scroller, &arrows);
                MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&arrows), 2);
                if (PtInRect(&arrows, p))
                    return HTCLIENT;  // on to the scroller
            }
            if (p.x >= VisibleRight(window, data))
                return HTTRANSPARENT;
            for (int i = 0; i < count; ++i) {
                const RECT r = TabRect(window, data, i);
                if (PtInRect(&r, p) && InView(window, data, i))
                    return HTCLIENT;
            }
            return HTTRANSPARENT;
        }
        case TCM_GETITEMCOUNT:
            return count;
        case TCM_INSERTITEMW: {
            const auto* item = reinterpret_cast<const TCITEMW*>(lParam);
            if (item == nullptr || index < 0)
                return -1;
            const std::size_t at =
                std::min<std::size_t>(static_cast<std::size_t>(index), data.tabs.size());
            Tab tab;
            if ((item->mask & TCIF_TEXT) != 0 && item->pszText != nullptr)
                tab.text = item->pszText;
            if ((item->mask & TCIF_PARAM) != 0)
                tab.param = item->lParam;
            data.tabs.insert(data.tabs.begin() + static_cast<std::ptrdiff_t>(at), tab);
            if (data.selection < 0) {
                data.selection = 0;  // the first tab is selected as it arrives
            } else if (data.selection >= static_cast<int>(at)) {
                ++data.selection;
            }
            UpdateScroller(window, data);
            InvalidateRect(window, nullptr, TRUE);
            return static_cast<LRESULT>(at);
        }
        case TCM_GETITEMW: {
            auto* item = reinterpret_cast<TCITEMW*>(lParam);
            if (item == nullptr || index < 0 || index >= count)
                return FALSE;
            const Tab& tab = data.tabs[static_cast<std::size_t>(index)];
            if ((item->mask & TCIF_TEXT) != 0 && item->pszText != nullptr && item->cchTextMax > 0) {
                const std::size_t n = std::min<std::size_t>(
                    tab.text.size(), static_cast<std::size_t>(item->cchTextMax - 1));
                std::copy_n(tab.text.begin(), n, item->pszText);
                item->pszText[n] = 0;
            }
            if ((item->mask & TCIF_PARAM) != 0)
                item->lParam = tab.param;
            return TRUE;
        }
        case TCM_SETITEMW: {
            const auto* item = reinterpret_cast<const TCITEMW*>(lParam);
            if (item == nullptr || index < 0 || index >= count)
                return FALSE;
            Tab& tab = data.tabs[static_cast<std::size_t>(index)];
            if ((item->mask & TCIF_TEXT) != 0)
                tab.text = item->pszText != nullptr ? item->pszText : u"";
            if ((item->mask & TCIF_PARAM) != 0)
                tab.param = item->lParam;
            UpdateScroller(window, data);
            InvalidateRect(window, nullptr, TRUE);
            return TRUE;
        }
        case TCM_DELETEITEM:
            if (index < 0 || index >= count)
                return FALSE;
            data.tabs.erase(data.tabs.begin() + index);
            if (data.selection == index) {
                data.selection = -1;
            } else if (data.selection > index) {
                --data.selection;
            }
            UpdateScroller(window, data);
            InvalidateRect(window, nullptr, TRUE);
            return TRUE;
        case TCM_DELETEALLITEMS:
            data.tabs.clear();
            data.selection = -1;
            UpdateScroller(window, data);
            InvalidateRect(window, nullptr, TRUE);
            return TRUE;
        case TCM_GETCURSEL:
            return data.selection;
        case TCM_SETCURSEL: {
            // Selecting from the program does not notify.
            const int old = data.selection;
            if (index < 0 || index >= count)
                return -1;
            data.selection = index;
            EnsureVisible(window, data, index);
            InvalidateRect(window, nullptr, TRUE);
            return old;
        }
        case TCM_SETMINTABWIDTH: {
            const int old = data.minimumWidth < 0 ? kDefaultMinimum : data.minimumWidth;
            data.minimumWidth = static_cast<int>(static_cast<std::intptr_t>(lParam));
            UpdateScroller(window, data);
            InvalidateRect(window, nullptr, TRUE);
            return old;
        }
        case TCM_GETITEMRECT: {
            auto* r = reinterpret_cast<RECT*>(lParam);
            if (r == nullptr || index < 0 || index >= count)
                return FALSE;
            *r = TabRect(window, data, index);
            return TRUE;
        }
        case TCM_ADJUSTRECT: {
            auto* r = reinterpret_cast<RECT*>(lParam);
            if (r != nullptr)
                AdjustRect(window, data, wParam != 0, r);
            return 0;
        }
        case WM_HSCROLL:
            if (reinterpret_cast<HWND>(lParam) == data.scroller && data.scroller != nullptr &&
                LOWORD(wParam) == SB_THUMBPOSITION) {
                ScrollTo(window, data, static_cast<short>(HIWORD(wParam)));
            }
            return 0;
        case WM_SIZE:
            UpdateScroller(window, data);
            return DrawnControlMessage(window, message, wParam, lParam, data.font,
                                       [&](HDC dc) { Paint(window, dc); });
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK: {  // a quick second click is a click too
            const POINT p{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
            if (p.x >= VisibleRight(window, data))
                return 0;
            for (int i = 0; i < count; ++i) {
                const RECT r = TabRect(window, data, i);
                if (PtInRect(&r, p) && InView(window, data, i)) {
                    if (GetFocus() != window)
                        SetFocus(window);
                    if (IsWindow(window))
                        ChangeSelection(window, data, i);
                    break;
                }
            }
            return 0;
        }
        case WM_KEYDOWN:
            if (wParam == VK_RIGHT)
                ChangeSelection(window, data, data.selection + 1);
            if (wParam == VK_LEFT)
                ChangeSelection(window, data, data.selection - 1);
            return 0;
        case WM_SETFOCUS:
        case WM_KILLFOCUS:
            InvalidateRect(window, nullptr, TRUE);
            return 0;
        default:
            return DrawnControlMessage(window, message, wParam, lParam, data.font,
                                       [&](HDC dc) { Paint(window, dc); });
    }
}

}  // namespace ui
