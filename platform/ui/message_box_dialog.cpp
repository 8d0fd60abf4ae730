// A message box built as a dialog of the toolkit: the icon its flags ask for, the text with its
// line breaks, and one button per answer, the default one first in the focus. A driver that
// shows real windows runs it like any other modal dialog.
#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "platform/gdi/gdi.h"
#include "platform/ui/dialog_template.h"
#include "platform/ui/driver.h"
#include "platform/ui/headless.h"
#include "platform/ui/user.h"

namespace ui {
namespace {

constexpr const char16_t* kIconClass = u"TarvelMessageIcon";
constexpr int kIconId = 20;
constexpr int kTextId = 0xFFFF;
constexpr int kIconPixels = 32;

// Layout in dialog units: 4 across and 8 down are one character of the dialog's font.
constexpr short kMargin = 7;
constexpr short kIconUnitsX = 22;  // 33 pixels
constexpr short kIconUnitsY = 20;  // 32 pixels
constexpr short kButtonWidth = 50;
constexpr short kButtonHeight = 14;
constexpr short kButtonGap = 4;
constexpr std::size_t kWidestLine = 80;  // characters

const char16_t* ButtonLabel(int id) {
    switch (id) {
        case IDCANCEL:
            return u"Cancel";
        case IDABORT:
            return u"&Abort";
        case IDRETRY:
            return u"&Retry";
        case IDIGNORE:
            return u"&Ignore";
        case IDYES:
            return u"&Yes";
        case IDNO:
            return u"&No";
        default:
            return u"OK";
    }
}

// The icon's pixel at (x, y) of its 32 × 32 square, or CLR_INVALID where the background shows.
COLORREF IconPixel(UINT icon, int x, int y) {
    const COLORREF white = RGB(255, 255, 255);
    const double cx = x - 15.5;
    const double cy = y - 15.5;
    const bool inCircle = cx * cx + cy * cy <= 15.0 * 15.0;
    const auto inBox = [&](int left, int top, int right, int bottom) {
        return x >= left && x < right && y >= top && y < bottom;
    };
    switch (icon) {
        case MB_ICONHAND: {
            if (!inCircle)
                return CLR_INVALID;
            const bool onCross = (std::abs(cx - cy) <= 1.6 || std::abs(cx + cy) <= 1.6) &&
                                 std::abs(cx) <= 7.5 && std::abs(cy) <= 7.5;
            return onCross ? white : RGB(200, 40, 40);
        }
        case MB_ICONEXCLAMATION: {
            // A triangle standing on its base, with "!" in black.
            const double halfWidth = (y - 1) * 0.55;
            if (y < 1 || y > 30 || std::abs(cx) > halfWidth + 0.5)
                return CLR_INVALID;
            if (std::abs(cx) > halfWidth - 1.0 || y == 30)
                return RGB(120, 90, 0);
            if (inBox(14, 10, 18, 22) || inBox(14, 24, 18, 28))
                return RGB(0, 0, 0);
            return RGB(250, 200, 30);
        }
        case MB_ICONASTERISK:
            if (!inCircle)
                return CLR_INVALID;
            return inBox(14, 7, 18, 11) || inBox(14, 13, 18, 25) || inBox(12, 23, 20, 25)
                       ? white
                       : RGB(40, 90, 200);
        default:
            return inCircle ? RGB(40, 90, 200) : CLR_INVALID;
    }
}

LRESULT IconProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message != WM_PAINT)
        return DefWindowProcW(window, message, wParam, lParam);
    PAINTSTRUCT paint{};
    const HDC dc = BeginPaint(window, &paint);
    RECT client{};
    GetClientRect(window, &client);
    FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE));
    const UINT icon = static_cast<UINT>(GetWindowLongPtrW(window, GWL_STYLE) & MB_ICONMASK);
    const int left = (client.right - kIconPixels) / 2;
    const int top = (client.bottom - kIconPixels) / 2;
    for (int y = 0; y < kIconPixels; ++y) {
        for (int x = 0; x < kIconPixels; ++x) {
            if (const COLORREF colour = IconPixel(icon, x, y); colour != CLR_INVALID)
                SetPixel(dc, left + x, top + y, colour);
        }
    }
    if (icon == MB_ICONQUESTION) {
        RECT mark{left, top, left + kIconPixels, top + kIconPixels};
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, RGB(255, 255, 255));
        DrawTextW(dc, u"?", -1, &mark, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    }
    EndPaint(window, &paint);
    return 0;
}

void RegisterIconClass() {
    static const bool registered = [] {
        WNDCLASSEXW iconClass;
        iconClass.lpfnWndProc = IconProcedure;
        iconClass.lpszClassName = kIconClass;
        return RegisterClassExW(&iconClass) != 0;
    }();
    (void)registered;
}

// The text's lines as the box shows them: its own line breaks, and a line longer than the box
// is wide broken at its last space before that.
std::vector<std::u16string> LinesOf(const std::u16string& text) {
    std::vector<std::u16string> lines(1);
    for (char16_t c : text) {
        if (c == u'\n') {
            lines.emplace_back();
            continue;
        }
        if (c == u'\r')
            continue;
        lines.back().push_back(c);
        if (lines.back().size() > kWidestLine) {
            const std::size_t space = lines.back().rfind(u' ');
            if (space != std::u16string::npos && space > 0) {
                std::u16string rest = lines.back().substr(space + 1);
                lines.back().erase(space);
                lines.push_back(std::move(rest));
            }
        }
    }
    return lines;
}

// Over the middle of its owner, or of the screen's work area when it has none.
void CentreOnOwner(HWND box) {
    RECT area = Monitors().front().workArea;
    if (const HWND owner = GetWindow(box, GW_OWNER))
        GetWindowRect(owner, &area);
    RECT frame{};
    GetWindowRect(box, &frame);
    const int width = frame.right - frame.left;
    const int height = frame.bottom - frame.top;
    SetWindowPos(box, nullptr, (area.left + area.right - width) / 2,
                 (area.top + area.bottom - height) / 2, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

struct BoxState {
    std::vector<int> buttons;
    int defaultButton = IDOK;
};

INT_PTR BoxProcedure(HWND box, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* state = reinterpret_cast<BoxState*>(GetWindowLongPtrW(box, DWLP_USER));
    switch (message) {
        case WM_INITDIALOG:
            SetWindowLongPtrW(box, DWLP_USER, lParam);
            state = reinterpret_cast<BoxState*>(lParam);
            CentreOnOwner(box);
            SendMessageW(box, DM_SETDEFID, static_cast<WPARAM>(state->defaultButton), 0);
            SetFocus(GetDlgItem(box, state->defaultButton));
            return FALSE;
        case WM_COMMAND: {
            if (HIWORD(wParam) != BN_CLICKED || state == nullptr)
                return FALSE;
            int id = LOWORD(wParam);
            const auto& buttons = state->buttons;
            if (id == IDCANCEL &&
                std::find(buttons.begin(), buttons.end(), IDCANCEL) == buttons.end()) {
                // Escape and the close box answer a box that has only OK with OK; a box that
                // asks Yes or No must be answered.
                if (buttons.size() != 1)
                    return TRUE;
                id = buttons.front();
            }
            EndDialog(box, id);
            return TRUE;
        }
        default:
            return FALSE;
    }
}

}  // namespace

int RunMessageBoxDialog(const MessageBoxRequest& request) {
    RegisterIconClass();
    BoxState state;
    state.buttons = MessageBoxButtons(request.flags);
    state.defaultButton = DefaultMessageBoxAnswer(request.flags);

    const std::vector<std::u16string> lines = LinesOf(request.text);
    std::size_t widest = 0;
    for (const std::u16string& line : lines)
        widest = std::max(widest, line.size());
    const UINT icon = request.flags & MB_ICONMASK;
    const short textLeft = icon != 0 ? kMargin + kIconUnitsX + kMargin : kMargin;
    const auto textWidth = static_cast<short>(std::max<std::size_t>(widest, 1) * 4 + 2);
    const auto textHeight = static_cast<short>(lines.size() * 8);
    const auto buttonCount = static_cast<short>(state.buttons.size());
    const auto buttonsWidth =
        static_cast<short>(buttonCount * kButtonWidth + (buttonCount - 1) * kButtonGap);
    const short bodyHeight = std::max<short>(textHeight, icon != 0 ? kIconUnitsY : 0);
    const auto width = static_cast<short>(
        std::max<int>(textLeft + textWidth + kMargin, buttonsWidth + 2 * kMargin));
    const auto height =
        static_cast<short>(kMargin + bodyHeight + kMargin + kButtonHeight + kMargin);

    std::vector<DialogItemTemplate> items;
    if (icon != 0) {
        items.push_back({kIconClass, u"", kIconId, kMargin, kMargin, kIconUnitsX, kIconUnitsY,
                         WS_VISIBLE | icon, 0});
    }
    items.push_back({u"Static", request.text.c_str(), kTextId, textLeft,
                     static_cast<short>(kMargin + (bodyHeight - textHeight) / 2), textWidth,
                     textHeight, WS_VISIBLE | SS_LEFT | SS_NOPREFIX, 0});
    short x = static_cast<short>((width - buttonsWidth) / 2);
    const auto buttonTop = static_cast<short>(height - kMargin - kButtonHeight);
    for (int id : state.buttons) {
        const DWORD kind = id == state.defaultButton ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON;
        items.push_back({u"Button", ButtonLabel(id), id, x, buttonTop, kButtonWidth, kButtonHeight,
                         WS_VISIBLE | WS_TABSTOP | kind, 0});
        x = static_cast<short>(x + kButtonWidth + kButtonGap);
    }

    DialogTemplate box;
    box.style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME;
    box.cx = width;
    box.cy = height;
    box.caption = request.caption.c_str();
    box.items = items.data();
    box.itemCount = items.size();
    const INT_PTR answer = DialogBoxIndirectParamW(nullptr, &box, request.owner, BoxProcedure,
                                                   reinterpret_cast<LPARAM>(&state));
    // A box that could not be made, or was left open, takes its default answer.
    const auto& buttons = state.buttons;
    return std::find(buttons.begin(), buttons.end(), static_cast<int>(answer)) != buttons.end()
               ? static_cast<int>(answer)
               : state.defaultButton;
}

}  // namespace ui
