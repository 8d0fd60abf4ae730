// The "ComboBox" class: a list of entries with a selection, shown as a drop-down list. F4 and
// Alt+Up or Alt+Down drop the list and close it again; while it is dropped, Escape closes it and
// Enter takes the selection (neither reaches the dialog), and the arrow keys move the selection
// and keep it in view.
#include <algorithm>
#include <utility>
#include <vector>

#include "platform/text/ascii_case.h"
#include "platform/ui/controls/control_support.h"
#include "platform/ui/controls/standard_classes.h"
#include "platform/ui/headless.h"

namespace ui {
namespace {

// A closed combo box is as high as its text plus its frame; the template's height is the
// height of the dropped list.
constexpr int kClosedHeight = 21;
constexpr int kArrowWidth = 17;

struct Entry {
    std::u16string text;
    LPARAM data = 0;
};

struct ComboData : ClassData {
    std::vector<Entry> entries;
    int selection = -1;
    int droppedHeight = 0;
    bool dropped = false;
    HWND list = nullptr;  // the dropped list's pop-up while the box is dropped
    HFONT font = nullptr;
};

// Whether an entry's text begins with (or, when exact, is) the text searched for.
bool Matches(std::u16string_view text, std::u16string_view searched, bool exact) {
    return text::EqualIgnoringAsciiCase(exact ? text : text.substr(0, searched.size()), searched);
}

int FindEntry(const ComboData& data, WPARAM start, LPCWSTR text, bool exact) {
    if (text == nullptr)
        return static_cast<int>(CB_ERR);
    const int count = static_cast<int>(data.entries.size());
    const int first = static_cast<int>(static_cast<std::intptr_t>(start));
    for (int k = 1; k <= count; ++k) {
        const int i = ((first < 0 ? -1 : first) + k) % count;
        if (Matches(data.entries[static_cast<std::size_t>(i)].text, text, exact))
            return i;
    }
    return static_cast<int>(CB_ERR);
}

void Select(HWND window, ComboData& data, int index) {
    data.selection = index;
    Find(window)->text =
        index >= 0 ? data.entries[static_cast<std::size_t>(index)].text : std::u16string();
    InvalidateRect(window, nullptr, TRUE);
}

void Paint(HWND window, HDC dc) {
    ComboData& data = DataOf<ComboData>(window);
    PaintWith(window, dc, data.font, [&](const RECT& client) {
        const bool enabled = IsWindowEnabled(window) != 0;
        const HBRUSH background = AskColours(window, dc, WM_CTLCOLOREDIT);
        RECT r = client;
        DrawEdge(dc, &r, EDGE_SUNKEN, BF_RECT | BF_ADJUST);
        FillRect(dc, &r, enabled ? background : GetSysColorBrush(COLOR_BTNFACE));
        RECT arrow{r.right - kArrowWidth, r.top, r.right, r.bottom};
        FillRect(dc, &arrow, GetSysColorBrush(COLOR_BTNFACE));
        RECT arrowEdge = arrow;
        DrawEdge(dc, &arrowEdge, EDGE_RAISED, BF_RECT);
        const HPEN pen =
            CreatePen(PS_SOLID, 1, GetSysColor(enabled ? COLOR_BTNTEXT : COLOR_GRAYTEXT));
        const HGDIOBJ old = SelectObject(dc, pen);
        const int cx = (arrow.left + arrow.right) / 2;
        const int cy = (arrow.top + arrow.bottom) / 2 - 1;
        for (int i = 0; i < 3; ++i) {
            MoveToEx(dc, cx - 3 + i, cy + i, nullptr);
            LineTo(dc, cx + 4 - i, cy + i);
        }
        SelectObject(dc, old);
        DeleteObject(pen);
        RECT text{r.left + 2, r.top, arrow.left, r.bottom};
        if (!enabled)
            SetTextColor(dc, GetSysColor(COLOR_GRAYTEXT));
        SetBkMode(dc, TRANSPARENT);
        const std::u16string shown = TextOf(window);
        DrawTextW(dc, shown.c_str(), -1, &text, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
        if (GetFocus() == window) {
            RECT focus = text;
            InflateRect(&focus, -1, -1);
            DrawFocusRect(dc, &focus);
        }
    });
}

}  // namespace

LRESULT ComboBoxProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    ComboData& data = DataOf<ComboData>(window);
    const int count = static_cast<int>(data.entries.size());
    const auto index = static_cast<int>(static_cast<std::intptr_t>(wParam));
    switch (message) {
        case WM_CREATE: {
            const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
            data.droppedHeight = create != nullptr ? create->cy : 0;
            RECT r;
            GetWindowRect(window, &r);
            SetWindowPos(window, nullptr, 0, 0, RectWidth(r), kClosedHeight,
                         SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
            return 0;
        }
        case WM_SETTEXT:
            return CB_ERR;  // a drop-down list shows only its entries
        case WM_GETDLGCODE:
            // wParam: the key the dialog asks about.
            if (data.dropped && (wParam == VK_ESCAPE || wParam == VK_RETURN))
                return DLGC_WANTARROWS | DLGC_WANTCHARS | DLGC_WANTMESSAGE;
            return DLGC_WANTARROWS | DLGC_WANTCHARS;
        case CB_ADDSTRING: {
            Entry entry{reinterpret_cast<LPCWSTR>(lParam) != nullptr
                            ? std::u16string(reinterpret_cast<LPCWSTR>(lParam))
                            : std::u16string(),
                        0};
            std::size_t at = data.entries.size();
            if ((StyleOf(window) & CBS_SORT) != 0) {
                at = static_cast<std::size_t>(
                    std::upper_bound(
                        data.entries.begin(), data.entries.end(), entry,
                        [](const Entry& a, const Entry& b) { return a.text < b.text; }) -
                    data.entries.begin());
                if (data.selection >= static_cast<int>(at))
                    ++data.selection;
            }
            data.entries.insert(data.entries.begin() + static_cast<std::ptrdiff_t>(at), entry);
            return static_cast<LRESULT>(at);
        }
        case CB_INSERTSTRING: {
            if (index > count)
                return CB_ERR;
            const std::size_t at =
                index < 0 ? data.entries.size() : static_cast<std::size_t>(index);
            const auto* text = reinterpret_cast<LPCWSTR>(lParam);
            data.entries.insert(data.entries.begin() + static_cast<std::ptrdiff_t>(at),
                                Entry{text != nullptr ? text : u"", 0});
            if (data.selection >= static_cast<int>(at))
                ++data.selection;
            return static_cast<LRESULT>(at);
        }
        case CB_DELETESTRING:
            if (index < 0 || index >= count)
                return CB_ERR;
            data.entries.erase(data.entries.begin() + index);
            if (data.selection == index) {
                Select(window, data, -1);
            } else if (data.selection > index) {
                --data.selection;
            }
            return static_cast<LRESULT>(data.entries.size());
        case CB_RESETCONTENT:
            data.entries.clear();
            Select(window, data, -1);
            return 0;
        case CB_GETCOUNT:
            return count;
        case CB_GETCURSEL:
            return data.selection;
        case CB_SETCURSEL:
            if (index < 0 || index >= count) {
                Select(window, data, -1);
                return CB_ERR;
            }
            Select(window, data, index);
            return index;
        case CB_GETLBTEXT: {
            if (index < 0 || index >= count)
                return CB_ERR;
            const std::u16string& text = data.entries[static_cast<std::size_t>(index)].text;
            auto* buffer = reinterpret_cast<LPWSTR>(lParam);
            if (buffer != nullptr) {
                std::copy(text.begin(), text.end(), buffer);
                buffer[text.size()] = 0;
            }
            return static_cast<LRESULT>(text.size());
        }
        case CB_GETLBTEXTLEN:
            if (index < 0 || index >= count)
                return CB_ERR;
            return static_cast<LRESULT>(data.entries[static_cast<std::size_t>(index)].text.size());
        case CB_FINDSTRING:
            return FindEntry(data, wParam, reinterpret_cast<LPCWSTR>(lParam), false);
        case CB_FINDSTRINGEXACT:
            return FindEntry(data, wParam, reinterpret_cast<LPCWSTR>(lParam), true);
        case CB_SELECTSTRING: {
            const int found = FindEntry(data, wParam, reinterpret_cast<LPCWSTR>(lParam), false);
            if (found != CB_ERR)
                Select(window, data, found);
            return found;
        }
        case CB_GETITEMDATA:
            if (index < 0 || index >= count)
                return CB_ERR;
            return data.entries[static_cast<std::size_t>(index)].data;
        case CB_SETITEMDATA:
            if (index < 0 || index >= count)
                return CB_ERR;
            data.entries[static_cast<std::size_t>(index)].data = lParam;
            return TRUE;
        case CB_SHOWDROPDOWN:
            if (data.dropped != (wParam != 0)) {
                data.dropped = wParam != 0;
                if (data.dropped) {
                    data.list = OpenComboList(window, data.droppedHeight);
                } else if (data.list != nullptr) {
                    const HWND list = std::exchange(data.list, nullptr);
                    DestroyWindow(list);
                }
                NotifyParent(window, data.dropped ? CBN_DROPDOWN : CBN_CLOSEUP);
            }
            return TRUE;
        case WM_DESTROY:
            if (data.list != nullptr)
                DestroyWindow(std::exchange(data.list, nullptr));
            return 0;
        case CB_GETDROPPEDSTATE:
            return data.dropped ? TRUE : FALSE;
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK:  // a quick second click is a click too
            if (GetFocus() != window)
                SetFocus(window);
            SendMessageW(window, CB_SHOWDROPDOWN, !data.dropped, 0);
            return 0;
        case ui::WM_USER_PICKS_ENTRY:
            // The user clicks an entry of the dropped list.
            if (index < 0 || index >= count)
                return CB_ERR;
            if (!data.dropped)
                SendMessageW(window, CB_SHOWDROPDOWN, TRUE, 0);
            if (!IsWindow(window))
                return CB_ERR;
            Select(window, data, index);
            NotifyParent(window, CBN_SELCHANGE);
            if (!IsWindow(window))
                return index;
            NotifyParent(window, CBN_SELENDOK);
            if (IsWindow(window))
                SendMessageW(window, CB_SHOWDROPDOWN, FALSE, 0);
            return index;
        case WM_SYSKEYDOWN:
            if (wParam == VK_UP || wParam == VK_DOWN) {
                SendMessageW(window, CB_SHOWDROPDOWN, !data.dropped, 0);
                return 0;
            }
            return DefWindowProcW(window, message, wParam, lParam);
        case WM_KEYDOWN: {
            if (wParam == VK_F4 || (data.dropped && (wParam == VK_ESCAPE || wParam == VK_RETURN))) {
                if (data.dropped && wParam == VK_RETURN)
                    NotifyParent(window, CBN_SELENDOK);
                if (IsWindow(window))
                    SendMessageW(window, CB_SHOWDROPDOWN, !data.dropped, 0);
                return 0;
            }
            int next = data.selection;
            if (wParam == VK_DOWN || wParam == VK_RIGHT)
                next = std::min(data.selection + 1, count - 1);
            if (wParam == VK_UP || wParam == VK_LEFT)
                next = std::max(data.selection - 1, 0);
            if (wParam == VK_HOME)
                next = 0;
            if (wParam == VK_END)
                next = count - 1;
            if (count > 0 && next != data.selection) {
                Select(window, data, next);
                if (data.list != nullptr)
                    SendMessageW(data.list, LB_SETCARETINDEX, static_cast<WPARAM>(next), 0);
                NotifyParent(window, CBN_SELCHANGE);
            }
            return 0;
        }
        case WM_SETFOCUS:
            InvalidateRect(window, nullptr, TRUE);
            NotifyParent(window, CBN_SETFOCUS);
            return 0;
        case WM_KILLFOCUS:
            if (data.dropped)
                SendMessageW(window, CB_SHOWDROPDOWN, FALSE, 0);
            InvalidateRect(window, nullptr, TRUE);
            NotifyParent(window, CBN_KILLFOCUS);
            return 0;
        default:
            return DrawnControlMessage(window, message, wParam, lParam, data.font,
                                       [&](HDC dc) { Paint(window, dc); });
    }
}

}  // namespace ui
