// The "ComboLBox" class: the list a drop-down combo box shows while it is dropped. A pop-up
// below the box (above it when the screen has no room below) that never takes the focus or
// activation; the entry under the mouse is highlighted, and a click on an entry tells the box
// (WM_USER_PICKS_ENTRY), which does the rest. A script picks entries by clicking them too.
#include <algorithm>
#include <string>

#include "platform/ui/controls/control_support.h"
#include "platform/ui/controls/standard_classes.h"
#include "platform/ui/headless.h"

namespace ui {
namespace {

constexpr int kEntryHeight = 15;

struct ListData : ClassData {
    HWND combo = nullptr;
    int hot = -1;  // the entry under the mouse
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

RECT EntryRect(HWND list, int index) {
    RECT client{};
    GetClientRect(list, &client);
    return RECT{1, 1 + index * kEntryHeight, client.right - 1, 1 + (index + 1) * kEntryHeight};
}

int EntryAt(HWND list, LPARAM point) {
    const ListData& data = DataOf<ListData>(list);
    const int y = static_cast<short>(HIWORD(point)) - 1;
    RECT client{};
    GetClientRect(list, &client);
    const int x = static_cast<short>(LOWORD(point));
    if (x < 0 || x >= client.right || y < 0)
        return -1;
    const int index = y / kEntryHeight;
    return index < EntryCount(data.combo) ? index : -1;
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
        const int count = EntryCount(data.combo);
        for (int i = 0; i < count; ++i) {
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
    });
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
            const auto index = static_cast<int>(static_cast<std::intptr_t>(wParam));
            auto* rect = reinterpret_cast<RECT*>(lParam);
            if (index < 0 || index >= EntryCount(data.combo) || rect == nullptr)
                return LB_ERR;
            *rect = EntryRect(list, index);
            return 1;
        }
        case WM_MOUSEMOVE: {
            const int hot = EntryAt(list, lParam);
            if (hot != data.hot) {
                data.hot = hot;
                InvalidateRect(list, nullptr, TRUE);
            }
            TRACKMOUSEEVENT leave;
            leave.dwFlags = TME_LEAVE;
            leave.hwndTrack = list;
            TrackMouseEvent(&leave);
            return 0;
        }
        case WM_MOUSELEAVE:
            if (data.hot != -1) {
                data.hot = -1;
                InvalidateRect(list, nullptr, TRUE);
            }
            return 0;
        case WM_LBUTTONDOWN:
            return 0;
        case WM_LBUTTONUP: {
            const int picked = EntryAt(list, lParam);
            if (picked >= 0 && IsWindow(data.combo)) {
                // The box closes its list (destroying this window) as it takes the entry.
                SendMessageW(data.combo, ui::WM_USER_PICKS_ENTRY, static_cast<WPARAM>(picked), 0);
            }
            return 0;
        }
        default:
            return DrawnControlMessage(list, message, wParam, lParam,
                                       [&](HDC dc) { Paint(list, dc); });
    }
}

HWND OpenComboList(HWND combo, int droppedHeight) {
    RECT box{};
    GetWindowRect(combo, &box);
    const int count = std::max(EntryCount(combo), 1);
    const int width = box.right - box.left;
    int height = count * kEntryHeight + 2;
    // Below the box when the work area has room, else above it, else as much as fits below.
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
            height = std::max(area.bottom - top, kEntryHeight + 2);
        }
    }
    const HWND owner = TopLevelOf(combo);
    const HWND list =
        CreateWindowExW(WS_EX_NOACTIVATE | WS_EX_TOPMOST, u"ComboLBox", u"", WS_POPUP, box.left,
                        top, width, height, owner, nullptr, nullptr, static_cast<void*>(combo));
    if (list != nullptr)
        SetWindowPos(list, HWND_TOP, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    return list;
}

}  // namespace ui
