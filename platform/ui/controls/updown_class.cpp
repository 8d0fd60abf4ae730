// The "msctls_updown32" class: two arrows beside a buddy window, a range and a position.
// A click on an arrow asks the parent first (UDN_DELTAPOS); a non-zero answer keeps the
// position, otherwise the step is applied and the parent gets a scroll notification. With the
// arrow-keys style the up-down takes Up and Down (and PgUp and PgDn, given a page step) from
// its buddy: each steps as a click on an arrow does. Horizontal arrows point left and right.
#include <algorithm>
#include <unordered_map>

#include "platform/text/utf.h"
#include "platform/ui/common_controls.h"
#include "platform/ui/controls/control_support.h"
#include "platform/ui/controls/standard_classes.h"

namespace ui {
namespace {

struct UpDownData : ClassData {
    int minimum = 100;  // a new up-down counts from 100 down to 0, as on Windows
    int maximum = 0;
    int position = 0;
    HWND buddy = nullptr;
    int pageStep = 0;
    bool tracking = false;
};

// The buddies whose keys an up-down takes: the up-down and the buddy's procedure before it.
struct KeyedBuddy {
    HWND upDown = nullptr;
    WNDPROC previous = nullptr;
};
std::unordered_map<HWND, KeyedBuddy>& KeyedBuddies() {
    static std::unordered_map<HWND, KeyedBuddy> buddies;
    return buddies;
}

int Clamp(const UpDownData& data, int value) {
    const int low = std::min(data.minimum, data.maximum);
    const int high = std::max(data.minimum, data.maximum);
    return std::clamp(value, low, high);
}

bool Horizontal(HWND window) {
    return (StyleOf(window) & UDS_HORZ) != 0;
}

void ShowInBuddy(HWND window, const UpDownData& data) {
    if ((StyleOf(window) & UDS_SETBUDDYINT) == 0 || data.buddy == nullptr)
        return;
    SetWindowTextW(data.buddy, text::ToUtf16(std::to_string(data.position)).c_str());
}

void AttachToBuddy(HWND window, UpDownData& data) {
    const DWORD style = StyleOf(window);
    if (data.buddy == nullptr || (style & (UDS_ALIGNRIGHT | UDS_ALIGNLEFT)) == 0)
        return;
    // Aligned to its buddy: the buddy gives up the room the arrows take, the arrows take the
    // buddy's height.
    RECT buddy;
    GetWindowRect(data.buddy, &buddy);
    RECT self;
    GetWindowRect(window, &self);
    const HWND parent = GetParent(window);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&buddy), 2);
    const int width = RectWidth(self);
    const int overlap = 2;
    if ((style & UDS_ALIGNRIGHT) != 0) {
        const int buddyWidth = std::max<int>(RectWidth(buddy) - width + overlap, 0);
        MoveWindow(data.buddy, buddy.left, buddy.top, buddyWidth, RectHeight(buddy), TRUE);
        MoveWindow(window, buddy.left + buddyWidth - overlap, buddy.top, width, RectHeight(buddy),
                   TRUE);
    } else {
        const int buddyWidth = std::max<int>(RectWidth(buddy) - width + overlap, 0);
        MoveWindow(data.buddy, buddy.right - buddyWidth, buddy.top, buddyWidth, RectHeight(buddy),
                   TRUE);
        MoveWindow(window, buddy.left, buddy.top, width, RectHeight(buddy), TRUE);
    }
}

// `steps` clicks on the up arrow (negative: on the down arrow) in one step.
void Step(HWND window, UpDownData& data, int steps) {
    // The up arrow moves toward the maximum (which may be the smaller number).
    const int delta = data.maximum >= data.minimum ? steps : -steps;
    NMUPDOWN change;
    change.iPos = data.position;
    change.iDelta = delta;
    if (NotifyParent(window, change.hdr, UDN_DELTAPOS) != 0)
        return;  // the parent took it
    if (!IsWindow(window))
        return;
    int next = data.position + change.iDelta;
    const int low = std::min(data.minimum, data.maximum);
    const int high = std::max(data.minimum, data.maximum);
    if ((StyleOf(window) & UDS_WRAP) != 0) {
        if (next > high)
            next = low;
        if (next < low)
            next = high;
    }
    next = std::clamp(next, low, high);
    if (next == data.position) {
        MessageBeep(0);
        return;
    }
    data.position = next;
    ShowInBuddy(window, data);
    InvalidateRect(window, nullptr, TRUE);
    const HWND parent = GetParent(window);
    SendMessageW(parent, Horizontal(window) ? WM_HSCROLL : WM_VSCROLL,
                 MAKEWPARAM(SB_THUMBPOSITION, static_cast<unsigned>(data.position)),
                 reinterpret_cast<LPARAM>(window));
}

// The buddy's procedure while an up-down with the arrow-keys style takes its keys.
LRESULT BuddyProcedure(HWND buddy, UINT message, WPARAM wParam, LPARAM lParam) {
    const auto found = KeyedBuddies().find(buddy);
    if (found == KeyedBuddies().end())
        return DefWindowProcW(buddy, message, wParam, lParam);
    const KeyedBuddy keyed = found->second;
    if (message == WM_NCDESTROY)
        KeyedBuddies().erase(found);
    const HWND upDown = keyed.upDown;
    if (message == WM_KEYDOWN && upDown != nullptr && IsWindowEnabled(upDown)) {
        UpDownData& data = DataOf<UpDownData>(upDown);
        int steps = 0;
        if (wParam == VK_UP)
            steps = 1;
        if (wParam == VK_DOWN)
            steps = -1;
        if (wParam == VK_PRIOR)
            steps = data.pageStep;
        if (wParam == VK_NEXT)
            steps = -data.pageStep;
        if (steps != 0) {
            Step(upDown, data, steps);
            return 0;
        }
    }
    return CallWindowProcW(keyed.previous, buddy, message, wParam, lParam);
}

void TakeBuddysKeys(HWND window, UpDownData& data) {
    if ((StyleOf(window) & UDS_ARROWKEYS) == 0 || data.buddy == nullptr)
        return;
    auto& buddies = KeyedBuddies();
    if (const auto found = buddies.find(data.buddy); found != buddies.end()) {
        found->second.upDown = window;
        return;
    }
    const auto previous = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(data.buddy, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&BuddyProcedure)));
    buddies[data.buddy] = KeyedBuddy{window, previous};
}

void LeaveBuddysKeys(HWND window, const UpDownData& data) {
    const auto found = KeyedBuddies().find(data.buddy);
    if (found != KeyedBuddies().end() && found->second.upDown == window)
        found->second.upDown = nullptr;  // the buddy's own procedure answers from now on
}

void Paint(HWND window, HDC dc) {
    RECT client;
    GetClientRect(window, &client);
    FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE));
    const bool horizontal = Horizontal(window);
    RECT first = client;
    RECT second = client;
    if (horizontal) {
        first.right = second.left = client.right / 2;
    } else {
        first.bottom = second.top = client.bottom / 2;
    }
    for (RECT* r : {&first, &second}) {
        RECT edge = *r;
        DrawEdge(dc, &edge, EDGE_RAISED, BF_RECT);
    }
    const HPEN pen = CreatePen(
        PS_SOLID, 1, GetSysColor(IsWindowEnabled(window) ? COLOR_BTNTEXT : COLOR_GRAYTEXT));
    const HGDIOBJ old = SelectObject(dc, pen);
    const int cx1 = (first.left + first.right) / 2;
    const int cy1 = (first.top + first.bottom) / 2;
    const int cx2 = (second.left + second.right) / 2;
    const int cy2 = (second.top + second.bottom) / 2;
    // Triangles pointing away from each other, up and down or left and right, as large as a
    // quarter of an arrow's button (two lines at least).
    const int size = std::max(2, std::min(RectWidth(first), RectHeight(first)) / 4);
    for (int i = 0; i < size; ++i) {
        if (horizontal) {
            MoveToEx(dc, cx1 - size / 2 + i, cy1 - i, nullptr);
            LineTo(dc, cx1 - size / 2 + i, cy1 + i + 1);
            MoveToEx(dc, cx2 + size / 2 - i, cy2 - i, nullptr);
            LineTo(dc, cx2 + size / 2 - i, cy2 + i + 1);
        } else {
            MoveToEx(dc, cx1 - i, cy1 - size / 2 + i, nullptr);
            LineTo(dc, cx1 + i + 1, cy1 - size / 2 + i);
            MoveToEx(dc, cx2 - i, cy2 + size / 2 - i, nullptr);
            LineTo(dc, cx2 + i + 1, cy2 + size / 2 - i);
        }
    }
    SelectObject(dc, old);
    DeleteObject(pen);
}

}  // namespace

LRESULT UpDownProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    UpDownData& data = DataOf<UpDownData>(window);
    switch (message) {
        case WM_CREATE:
            if ((StyleOf(window) & UDS_AUTOBUDDY) != 0) {
                data.buddy = GetWindow(window, GW_HWNDPREV);
                AttachToBuddy(window, data);
                TakeBuddysKeys(window, data);
            }
            return 0;
        case WM_DESTROY:
            LeaveBuddysKeys(window, data);
            return 0;
        case UDM_SETPAGESTEP:
            data.pageStep = static_cast<int>(wParam);
            return 0;
        case UDM_SETRANGE:
            data.maximum = static_cast<std::int16_t>(LOWORD(lParam));
            data.minimum = static_cast<std::int16_t>(HIWORD(lParam));
            data.position = Clamp(data, data.position);
            return 0;
        case UDM_GETRANGE:
            return MAKELPARAM(data.maximum, data.minimum);
        case UDM_SETRANGE32:
            data.minimum = static_cast<int>(static_cast<std::intptr_t>(wParam));
            data.maximum = static_cast<int>(lParam);
            data.position = Clamp(data, data.position);
            return 0;
        case UDM_GETRANGE32:
            if (wParam != 0)
                *reinterpret_cast<int*>(wParam) = data.minimum;
            if (lParam != 0)
                *reinterpret_cast<int*>(lParam) = data.maximum;
            return 0;
        case UDM_SETPOS:
        case UDM_SETPOS32: {
            const int old = data.position;
            const int asked = message == UDM_SETPOS ? static_cast<std::int16_t>(LOWORD(lParam))
                                                    : static_cast<int>(lParam);
            data.position = Clamp(data, asked);
            ShowInBuddy(window, data);
            InvalidateRect(window, nullptr, TRUE);
            return old;
        }
        case UDM_GETPOS:
            return MAKELPARAM(data.position, 0);
        case UDM_GETPOS32:
            if (lParam != 0)
                *reinterpret_cast<BOOL*>(lParam) = FALSE;
            return data.position;
        case UDM_SETBUDDY: {
            const HWND old = data.buddy;
            LeaveBuddysKeys(window, data);
            data.buddy = reinterpret_cast<HWND>(wParam);
            AttachToBuddy(window, data);
            TakeBuddysKeys(window, data);
            return reinterpret_cast<LRESULT>(old);
        }
        case UDM_GETBUDDY:
            return reinterpret_cast<LRESULT>(data.buddy);
        case WM_LBUTTONDOWN: {
            RECT client;
            GetClientRect(window, &client);
            const bool firstHalf = Horizontal(window) ? GET_X_LPARAM(lParam) < client.right / 2
                                                      : GET_Y_LPARAM(lParam) < client.bottom / 2;
            // Vertical: the top arrow steps up. Horizontal: the right arrow steps up.
            const int direction = Horizontal(window) ? (firstHalf ? -1 : 1) : (firstHalf ? 1 : -1);
            SetCapture(window);
            data.tracking = true;
            Step(window, data, direction);
            return 0;
        }
        case WM_LBUTTONUP:
            if (data.tracking) {
                data.tracking = false;
                ReleaseCapture();
                SendMessageW(GetParent(window), Horizontal(window) ? WM_HSCROLL : WM_VSCROLL,
                             MAKEWPARAM(SB_ENDSCROLL, static_cast<unsigned>(data.position)),
                             reinterpret_cast<LPARAM>(window));
            }
            return 0;
        case WM_CAPTURECHANGED:
            data.tracking = false;
            return 0;
        default:
            return DrawnControlMessage(window, message, wParam, lParam,
                                       [&](HDC dc) { Paint(window, dc); });
    }
}

}  // namespace ui
