// The "msctls_trackbar32" class: a horizontal slider with a range, a position, tick marks and
// a page size. It moves its own thumb and then tells the parent with WM_HSCROLL. A notch of the
// mouse wheel over it gives it the focus and steps it as its arrow keys do: forward as Up (one
// line left), back as Down.
#include <algorithm>
#include <vector>

#include "platform/ui/common_controls.h"
#include "platform/ui/controls/control_support.h"
#include "platform/ui/controls/standard_classes.h"

namespace ui {
namespace {

constexpr int kThumbWidth = 11;
constexpr int kChannelTop = 8;

struct TrackbarData : ClassData {
    int minimum = 0;
    int maximum = 100;
    int position = 0;
    int tickFrequency = 1;
    int pageSize = 20;
    int lineSize = 1;
    std::vector<int> ticks;  // explicit ticks besides the automatic ones
    bool dragging = false;
    bool keyDown = false;
};

int Clamp(const TrackbarData& data, int value) {
    return std::clamp(value, data.minimum, std::max(data.minimum, data.maximum));
}

// The channel runs between the thumb's half-widths at either end.
int ChannelLeft() {
    return kThumbWidth / 2 + 2;
}
int ChannelWidth(HWND window) {
    RECT client;
    GetClientRect(window, &client);
    return std::max<int>(client.right - 2 * ChannelLeft(), 1);
}

int XOf(HWND window, const TrackbarData& data, int position) {
    const int range = std::max(data.maximum - data.minimum, 1);
    return ChannelLeft() + MulDiv(position - data.minimum, ChannelWidth(window), range);
}

int PositionAt(HWND window, const TrackbarData& data, int x) {
    const int range = std::max(data.maximum - data.minimum, 1);
    return Clamp(data, data.minimum + MulDiv(x - ChannelLeft(), range, ChannelWidth(window)));
}

RECT ThumbRect(HWND window, const TrackbarData& data) {
    const int x = XOf(window, data, data.position);
    return RECT{x - kThumbWidth / 2, 2, x - kThumbWidth / 2 + kThumbWidth, 2 + 2 * kChannelTop};
}

void Tell(HWND window, UINT code, int position) {
    SendMessageW(GetParent(window), WM_HSCROLL,
                 MAKEWPARAM(code, static_cast<unsigned>(static_cast<std::uint16_t>(position))),
                 reinterpret_cast<LPARAM>(window));
}

void MoveTo(HWND window, TrackbarData& data, int position, UINT code) {
    position = Clamp(data, position);
    if (position != data.position) {
        data.position = position;
        InvalidateRect(window, nullptr, TRUE);
    }
    Tell(window, code, code == TB_THUMBTRACK || code == TB_THUMBPOSITION ? data.position : 0);
}

int TickCount(HWND window, const TrackbarData& data) {
    if ((StyleOf(window) & TBS_NOTICKS) != 0)
        return 0;
    int count = 2 + static_cast<int>(data.ticks.size());  // both ends always carry a tick
    if ((StyleOf(window) & TBS_AUTOTICKS) != 0 && data.tickFrequency > 0) {
        for (int p = data.minimum + data.tickFrequency; p < data.maximum; p += data.tickFrequency) {
            ++count;
        }
    }
    return count;
}

void Paint(HWND window, HDC dc) {
    TrackbarData& data = DataOf<TrackbarData>(window);
    RECT client;
    GetClientRect(window, &client);
    const HBRUSH background = AskColours(window, dc, WM_CTLCOLORSTATIC);
    FillRect(dc, &client, background);
    RECT channel{ChannelLeft() - 2, kChannelTop, client.right - ChannelLeft() + 2, kChannelTop + 4};
    DrawEdge(dc, &channel, EDGE_SUNKEN, BF_RECT);
    const HPEN pen = CreatePen(PS_SOLID, 1, GetSysColor(COLOR_BTNTEXT));
    const HGDIOBJ old = SelectObject(dc, pen);
    auto tick = [&](int position) {
        const int x = XOf(window, data, position);
        MoveToEx(dc, x, 2 + 2 * kChannelTop + 1, nullptr);
        LineTo(dc, x, 2 + 2 * kChannelTop + 4);
    };
    if ((StyleOf(window) & TBS_NOTICKS) == 0) {
        tick(data.minimum);
        tick(data.maximum);
        for (int t : data.ticks)
            tick(t);
        if ((StyleOf(window) & TBS_AUTOTICKS) != 0 && data.tickFrequency > 0) {
            for (int p = data.minimum + data.tickFrequency; p < data.maximum;
                 p += data.tickFrequency) {
                tick(p);
            }
        }
    }
    SelectObject(dc, old);
    DeleteObject(pen);
    RECT thumb = ThumbRect(window, data);
    FillRect(dc, &thumb, GetSysColorBrush(IsWindowEnabled(window) ? COLOR_BTNFACE : COLOR_3DLIGHT));
    DrawEdge(dc, &thumb, EDGE_RAISED, BF_RECT);
    if (GetFocus() == window) {
        RECT focus = client;
        DrawFocusRect(dc, &focus);
    }
}

}  // namespace

LRESULT TrackbarProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    TrackbarData& data = DataOf<TrackbarData>(window);
    const auto value = static_cast<int>(lParam);
    switch (message) {
        case WM_GETDLGCODE:
            return DLGC_WANTARROWS;
        case TBM_GETPOS:
            return data.position;
        case TBM_GETRANGEMIN:
            return data.minimum;
        case TBM_GETRANGEMAX:
            return data.maximum;
        case TBM_SETPOS:
            data.position = Clamp(data, value);
            if (wParam != 0)
                InvalidateRect(window, nullptr, TRUE);
            return 0;
        case TBM_SETRANGE:
            data.minimum = static_cast<std::int16_t>(LOWORD(lParam));
            data.maximum = static_cast<std::int16_t>(HIWORD(lParam));
            data.position = Clamp(data, data.position);
            if (wParam != 0)
                InvalidateRect(window, nullptr, TRUE);
            return 0;
        case TBM_SETRANGEMIN:
        case TBM_SETRANGEMAX:
            (message == TBM_SETRANGEMIN ? data.minimum : data.maximum) = value;
            data.position = Clamp(data, data.position);
            if (wParam != 0)
                InvalidateRect(window, nullptr, TRUE);
            return 0;
        case TBM_SETTICFREQ:
            data.tickFrequency = static_cast<int>(static_cast<std::intptr_t>(wParam));
            InvalidateRect(window, nullptr, TRUE);
            return 0;
        case TBM_SETTIC:
            if (value <= data.minimum || value >= data.maximum)
                return FALSE;
            data.ticks.push_back(value);
            return TRUE;
        case TBM_CLEARTICS:
            data.ticks.clear();
            return 0;
        case TBM_GETNUMTICS:
            return TickCount(window, data);
        case TBM_SETPAGESIZE: {
            const int old = data.pageSize;
            data.pageSize = value;
            return old;
        }
        case TBM_GETPAGESIZE:
            return data.pageSize;
        case TBM_SETLINESIZE: {
            const int old = data.lineSize;
            data.lineSize = value;
            return old;
        }
        case TBM_GETLINESIZE:
            return data.lineSize;
        case TBM_GETTHUMBRECT:
            if (lParam != 0)
                *reinterpret_cast<RECT*>(lParam) = ThumbRect(window, data);
            return 0;
        case TBM_GETCHANNELRECT:
            // The span over which positions are laid out: minimum at the left edge, maximum
            // at the right edge.
            if (lParam != 0) {
                *reinterpret_cast<RECT*>(lParam) =
                    RECT{ChannelLeft(), kChannelTop, ChannelLeft() + ChannelWidth(window),
                         kChannelTop + 4};
            }
            return 0;
        case WM_LBUTTONDOWN: {
            if (GetFocus() != window)
                SetFocus(window);
            const POINT p{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
            const RECT thumb = ThumbRect(window, data);
            SetCapture(window);
            if (PtInRect(&thumb, p)) {
                data.dragging = true;
            } else {
                const bool before = p.x < XOf(window, data, data.position);
                MoveTo(window, data, data.position + (before ? -data.pageSize : data.pageSize),
                       before ? TB_PAGEUP : TB_PAGEDOWN);
            }
            return 0;
        }
        case WM_MOUSEMOVE:
            if (data.dragging) {
                const int position = PositionAt(window, data, GET_X_LPARAM(lParam));
                if (position != data.position)
                    MoveTo(window, data, position, TB_THUMBTRACK);
            }
            return 0;
        case WM_LBUTTONUP:
            if (GetCapture() != window)
                return 0;
            if (data.dragging) {
                data.dragging = false;
                Tell(window, TB_THUMBPOSITION, data.position);
            }
            ReleaseCapture();
            Tell(window, TB_ENDTRACK, 0);
            return 0;
        case WM_CAPTURECHANGED:
            data.dragging = false;
            return 0;
        case WM_KEYDOWN:
            data.keyDown = true;
            switch (wParam) {
                case VK_RIGHT:
                case VK_DOWN:
                    MoveTo(window, data, data.position + data.lineSize, TB_LINEDOWN);
                    break;
                case VK_LEFT:
                case VK_UP:
                    MoveTo(window, data, data.position - data.lineSize, TB_LINEUP);
                    break;
                case VK_NEXT:
                    MoveTo(window, data, data.position + data.pageSize, TB_PAGEDOWN);
                    break;
                case VK_PRIOR:
                    MoveTo(window, data, data.position - data.pageSize, TB_PAGEUP);
                    break;
                case VK_HOME:
                    MoveTo(window, data, data.minimum, TB_TOP);
                    break;
                case VK_END:
                    MoveTo(window, data, data.maximum, TB_BOTTOM);
                    break;
                default:
                    data.keyDown = false;
                    break;
            }
            return 0;
        case WM_MOUSEWHEEL: {
            const int notches = static_cast<std::int16_t>(HIWORD(wParam)) / WHEEL_DELTA;
            if (notches == 0)
                return 0;
            // The wheel acts on the focused control, as the keys do: the slider takes the
            // focus first, as a click would give it (a control that had it lets go).
            if (GetFocus() != window)
                SetFocus(window);
            if (!IsWindow(window))
                return 0;
            MoveTo(window, data, data.position - notches * data.lineSize,
                   notches > 0 ? TB_LINEUP : TB_LINEDOWN);
            if (IsWindow(window))
                Tell(window, TB_ENDTRACK, 0);
            return 0;
        }
        case WM_KEYUP:
            if (data.keyDown) {
                data.keyDown = false;
                Tell(window, TB_ENDTRACK, 0);
            }
            return 0;
        case WM_SETFOCUS:
        case WM_KILLFOCUS:
            InvalidateRect(window, nullptr, TRUE);
            return 0;
        default:
            return DrawnControlMessage(window, message, wParam, lParam,
                                       [&](HDC dc) { Paint(window, dc); });
    }
}

}  // namespace ui
