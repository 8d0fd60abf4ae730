// The "ComboLBox" class: the list a drop-down combo box shows while it is dropped. A pop-up
// below the box (above it when the screen has no room below) that never takes the focus or
// activation; it holds the mouse while it is open, as the system's does: the entry under the
// mouse is highlighted, a click on an entry tells the box (WM_USER_PICKS_ENTRY), which does the
// rest, and a click anywhere else (the box included) only closes the list. When not every entry
// fits, the list scrolls: with the wheel, with its scroll bar's arrows and track, and to keep
// the box's selection in view. A script picks entries by clicking them too.
#include <algorithm>
#include <string>

#include "platform/ui/controls/control_support.h"
#include "platform/ui/controls/standard_classes.h"
#include "platform/ui/headless.h"

namespace ui {
namespace {

constexpr int kEntryHeight = 15;
constexpr int kMostShown = 30;  // entries shown at most, as the system's lists do
constexpr int kBarWidth = 17;
constexpr int kWheelEntries = 3;  // entries a notch of the wheel scrolls

struct ListData : ClassData {
    HWND combo = nullptr;
    int hot = -1;  // the entry under the mouse
    int top = 0;   // the first entry shown
};

int EntryCount(HWND combo) {
    return static_cast<int>(SendMessageW(combo, CB_GETCOUNT, 0, 0));
}

std::u16string EntryText(HWND combo, int index) {
    const auto length = SendMessageW(combo, CB_GETLBTEXTLEN, static_cast<WPARAM>(index), 0);
    if (length < 0)
        return {};
    std::u16string text(static_cast<std::size_t>(length) + 1, u'\0');
    SendMessageW(combo, CB_GETLBTEXT, static_cast<WPARAM>(index),
                 reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<std::size_t>(length));
    return text;
}

RECT ClientOf(HWND list) {
    RECT client{};
    GetClientRect(list, &client);
    return client;
}

int ShownCount(HWND list) {
    return std::max((RectHeight(ClientOf(list)) - 2) / kEntryHeight, 1);
}

bool HasBar(HWND list) {
    return EntryCount(DataOf<ListData>(list).combo) > ShownCount(list);
}

// The scroll bar along the right edge, inside the frame; empty without one.
RECT BarRect(HWND list) {
    if (!HasBar(list))
        return RECT{};
    const RECT client = ClientOf(list);
    return RECT{client.right - 1 - kBarWidth, 1, client.right - 1, client.bottom - 1};
}

RECT EntryRect(HWND list, int index) {
    const ListData& data = DataOf<ListData>(list);
    const int right = ClientOf(list).right - 1 - (HasBar(list) ? kBarWidth : 0);
    const int y = 1 + (index - data.top) * kEntryHeight;
    return RECT{1, y, right, y + kEntryHeight};
}

// The entry shown under a point of the list, or -1.
int EntryAt(HWND list, POINT p) {
    const ListData& data = DataOf<ListData>(list);
    const RECT first = EntryRect(list, data.top);
    const int row = (p.y - first.top) / kEntryHeight;
    if (p.x < first.left || p.x >= first.right || p.y < first.top || row >= ShownCount(list))
        return -1;
    const int index = data.top + row;
    return index < EntryCount(data.combo) ? index : -1;
}

void ScrollTo(HWND list, int top) {
    ListData& data = DataOf<ListData>(list);
    top = std::clamp(top, 0, std::max(EntryCount(data.combo) - ShownCount(list), 0));
    if (top == data.top)
        return;
    data.top = top;
    InvalidateRect(list, nullptr, TRUE);
}

// The bar's parts: the arrows at its ends, the thumb in the track between them.
struct BarParts {
    RECT up{};
    RECT down{};
    RECT thumb{};
};

BarParts PartsOf(HWND list) {
    const ListData& data = DataOf<ListData>(list);
    const RECT bar = BarRect(list);
    BarParts parts;
    parts.up = RECT{bar.left, bar.top, bar.right, bar.top + kBarWidth};
    parts.down = RECT{bar.left, bar.bottom - kBarWidth, bar.right, bar.bottom};
    const int count = EntryCount(data.combo);
    const int shown = ShownCount(list);
    const int track = std::max(RectHeight(bar) - 2 * kBarWidth, 0);
    const int length = std::clamp(track * shown / std::max(count, 1), 8, std::max(track, 8));
    const int travel = std::max(track - length, 0);
    const int offset = count > shown ? travel * data.top / (count - shown) : 0;
    parts.thumb = RECT{bar.left, parts.up.bottom + offset, bar.right,
                       parts.up.bottom + offset + std::min(length, track)};
    return parts;
}

// A small triangle pointing up or down in the middle of `r`.
void DrawArrow(HDC dc, const RECT& r, bool up) {
    const int cx = (r.left + r.right) / 2;
    const int cy = (r.top + r.bottom) / 2;
    for (int i = 0; i < 4; ++i) {
        const int y = up ? cy - 2 + i : cy + 1 - i;
        MoveToEx(dc, cx - i, y, nullptr);
        LineTo(dc, cx + i + 1, y);
    }
}

void PaintBar(HWND list, HDC dc) {
    const RECT bar = BarRect(list);
    FillRect(dc, &bar, GetSysColorBrush(COLOR_BTNFACE));
    const BarParts parts = PartsOf(list);
    for (const RECT& part : {parts.up, parts.down, parts.thumb}) {
        RECT edge = part;
        DrawEdge(dc, &edge, EDGE_RAISED, BF_RECT);
    }
    const HPEN pen = CreatePen(PS_SOLID, 1, GetSysColor(COLOR_BTNTEXT));
    const HGDIOBJ old = SelectObject(dc, pen);
    DrawArrow(dc, parts.up, true);
    DrawArrow(dc, parts.down, false);
    SelectObject(dc, old);
    DeleteObject(pen);
}

void Paint(HWND list, HDC dc) {
    ListData& data = DataOf<ListData>(list);
    const HFONT font = reinterpret_cast<HFONT>(SendMessageW(data.combo, WM_GETFONT, 0, 0));
    PaintWith(list, dc, font, [&](const RECT& client) {
        FillRect(dc, &client, GetSysColorBrush(COLOR_WINDOW));
        FrameRect(dc, &client, GetSysColorBrush(COLOR_WINDOWFRAME));
        SetBkMode(dc, TRANSPARENT);
        const int selection = static_cast<int>(SendMessageW(data.combo, CB_GETCURSEL, 0, 0));
        const int marked = data.hot >= 0 ? data.hot : selection;
        const int last = std::min(EntryCount(data.combo), data.top + ShownCount(list));
        for (int i = data.top; i < last; ++i) {
            const RECT entry = EntryRect(list, i);
            const bool highlighted = i == marked;
            if (highlighted)
                FillRect(dc, &entry, GetSysColorBrush(COLOR_HIGHLIGHT));
            SetTextColor(dc, GetSysColor(highlighted ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
            RECT text = entry;
            text.left += 2;
            const std::u16string shown = EntryText(data.combo, i);
            DrawTextW(dc, shown.c_str(), -1, &text, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
        }
        if (HasBar(list))
            PaintBar(list, dc);
    });
}

POINT PointOf(LPARAM lParam) {
    return POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
}

void ClickOnBar(HWND list, POINT p) {
    const ListData& data = DataOf<ListData>(list);
    const BarParts parts = PartsOf(list);
    if (PtInRect(&parts.up, p)) {
        ScrollTo(list, data.top - 1);
    } else if (PtInRect(&parts.down, p)) {
        ScrollTo(list, data.top + 1);
    } else if (p.y < parts.thumb.top) {
        ScrollTo(list, data.top - ShownCount(list));
    } else if (p.y >= parts.thumb.bottom) {
        ScrollTo(list, data.top + ShownCount(list));
    }
}

}  // namespace

LRESULT ComboListProcedure(HWND list, UINT message, WPARAM wParam, LPARAM lParam) {
    ListData& data = DataOf<ListData>(list);
    switch (message) {
        case WM_CREATE: {
            const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
            data.combo =
                create != nullptr ? reinterpret_cast<HWND>(create->lpCreateParams) : nullptr;
            return 0;
        }
        case WM_NCHITTEST:
            return HTCLIENT;
        case LB_GETCOUNT:
            return EntryCount(data.combo);
        case LB_GETTEXTLEN:
            return SendMessageW(data.combo, CB_GETLBTEXTLEN, wParam, 0);
        case LB_GETTEXT:
            return SendMessageW(data.combo, CB_GETLBTEXT, wParam, lParam);
        case LB_GETITEMRECT: {
            // Where the entry is, in view or not (above or below the entries shown).
            const auto index = static_cast<int>(static_cast<std::intptr_t>(wParam));
            auto* rect = reinterpret_cast<RECT*>(lParam);
            if (index < 0 || index >= EntryCount(data.combo) || rect == nullptr)
                return LB_ERR;
            *rect = EntryRect(list, index);
            return 1;
        }
        case LB_GETTOPINDEX:
            return data.top;
        case LB_SETTOPINDEX:
            ScrollTo(list, static_cast<int>(wParam));
            return 0;
        case LB_SETCARETINDEX: {
            // The entry comes into view, and the keys' highlight replaces the mouse's.
            const int index = static_cast<int>(static_cast<std::intptr_t>(wParam));
            if (index < data.top)
                ScrollTo(list, index);
            else if (index >= data.top + ShownCount(list))
                ScrollTo(list, index - ShownCount(list) + 1);
            data.hot = -1;
            InvalidateRect(list, nullptr, TRUE);
            return 0;
        }
        case WM_MOUSEMOVE: {
            const int hot = EntryAt(list, PointOf(lParam));
            if (hot != data.hot) {
                data.hot = hot;
                InvalidateRect(list, nullptr, TRUE);
            }
            return 0;
        }
        case WM_MOUSEWHEEL: {
            const int notches = static_cast<std::int16_t>(HIWORD(wParam)) / WHEEL_DELTA;
            ScrollTo(list, data.top - notches * kWheelEntries);
            return 0;
        }
        case WM_LBUTTONDOWN: {
            const POINT p = PointOf(lParam);
            const RECT client = ClientOf(list);
            const RECT bar = BarRect(list);
            if (!PtInRect(&client, p)) {
                // Outside the list, on its box or anywhere else: the list closes, and the
                // click goes no further.
                SendMessageW(data.combo, CB_SHOWDROPDOWN, FALSE, 0);
            } else if (PtInRect(&bar, p)) {
                ClickOnBar(list, p);
            }
            return 0;
        }
        case WM_LBUTTONUP: {
            const int picked = EntryAt(list, PointOf(lParam));
            if (picked >= 0 && IsWindow(data.combo)) {
                // The box closes its list (destroying this window) as it takes the entry.
                SendMessageW(data.combo, ui::WM_USER_PICKS_ENTRY, static_cast<WPARAM>(picked), 0);
            }
            return 0;
        }
        case WM_CAPTURECHANGED:
            // Another window took the mouse: the list closes, as the system's does.
            if (reinterpret_cast<HWND>(lParam) != list && IsWindow(data.combo) &&
                SendMessageW(data.combo, CB_GETDROPPEDSTATE, 0, 0) != FALSE) {
                SendMessageW(data.combo, CB_SHOWDROPDOWN, FALSE, 0);
            }
            return 0;
        default:
            return DrawnControlMessage(list, message, wParam, lParam,
                                       [&](HDC dc) { Paint(list, dc); });
    }
}

HWND OpenComboList(HWND combo, int droppedHeight) {
    RECT box{};
    GetWindowRect(combo, &box);
    const int count = std::clamp(EntryCount(combo), 1, kMostShown);
    const int width = box.right - box.left;
    int height = count * kEntryHeight + 2;
    // Below the box when the work area has room, else above it, else as many entries as fit
    // where there is more room.
    RECT area = ui::Monitors().front().workArea;
    for (const ui::Monitor& monitor : ui::Monitors()) {
        POINT corner{box.left, box.top};
        if (PtInRect(&monitor.area, corner))
            area = monitor.workArea;
    }
    height = std::max(height, std::min(droppedHeight - (box.bottom - box.top), height));
    int top = box.bottom;
    if (top + height > area.bottom) {
        if (box.top - height >= area.top) {
            top = box.top - height;
        } else {
            const int below = area.bottom - box.bottom;
            const int above = box.top - area.top;
            const int room = std::max(below, above);
            height = std::max((room - 2) / kEntryHeight, 1) * kEntryHeight + 2;
            top = below >= above ? box.bottom : box.top - height;
        }
    }
    const HWND owner = TopLevelOf(combo);
    const HWND list =
        CreateWindowExW(WS_EX_NOACTIVATE | WS_EX_TOPMOST, u"ComboLBox", u"", WS_POPUP, box.left,
                        top, width, height, owner, nullptr, nullptr, static_cast<void*>(combo));
    if (list != nullptr) {
        SetWindowPos(list, HWND_TOP, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
        const auto selection = SendMessageW(combo, CB_GETCURSEL, 0, 0);
        if (selection >= 0)
            SendMessageW(list, LB_SETCARETINDEX, static_cast<WPARAM>(selection), 0);
        SetCapture(list);
    }
    return list;
}

}  // namespace ui
