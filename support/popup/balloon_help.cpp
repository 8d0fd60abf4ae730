#include "support/popup/balloon_help.h"

#include <algorithm>
#include <cstdlib>

#include "platform/gdi/gdi.h"
#include "support/string/xtev.h"
#include "support/theme/uxtheme_dll.h"

namespace WTL {
namespace {

constexpr int kIconSize = 16;
constexpr int kTooltipPart = 1;  // the standard tooltip body

bool EffectsOn() {
    BOOL animation = FALSE;
    BOOL fade = FALSE;
    SystemParametersInfoW(SPI_GETTOOLTIPANIMATION, 0, &animation, 0);
    SystemParametersInfoW(SPI_GETTOOLTIPFADE, 0, &fade, 0);
    return animation && fade;
}

bool Themed() {
    try {
        return TevLinkingUtils::UxThemeDLL::Instance().IsAppThemed() != 0;
    } catch (const std::exception&) {
        return false;  // no visual-styles library: the classic look
    }
}

}  // namespace

CBalloonHelp::CBalloonHelp() = default;

CBalloonHelp::~CBalloonHelp() {
    if (textFont_ != nullptr)
        DeleteObject(textFont_);
    if (titleFont_ != nullptr)
        DeleteObject(titleFont_);
}

ATL::CWndClassInfo& CBalloonHelp::GetWndClassInfo() {
    static ATL::CWndClassInfo info{u"XPBalloonHelp", CS_DBLCLKS, nullptr, u""};
    return info;
}

COLORREF CBalloonHelp::Resolve(DWORD colour) {
    return (colour & 0x80000000u) != 0 ? GetSysColor(static_cast<int>(colour & 0xFF)) : colour;
}

BOOL CBalloonHelp::Create(HWND parent, LPCWSTR title, LPCWSTR content, const POINT* anchor,
                          DWORD options, LPCWSTR link, UINT timeout, UINT layoutFlags) {
    content_ = content;  // null is the empty text
    title_ = title;
    options_ = options;
    layoutFlags_ = layoutFlags;
    link_ = link;
    timeout_ = timeout;

    if (textFont_ == nullptr) {
        LOGFONTW font;
        GetObjectW(GetStockObject(DEFAULT_GUI_FONT), sizeof font, &font);
        textFont_ = CreateFontIndirectW(&font);
        font.lfWeight = FW_BOLD;
        titleFont_ = CreateFontIndirectW(&font);
    }
    if (IsWindow()) {
        SetWindowText(title_.Text());
        return TRUE;
    }
    const DWORD exStyle =
        (options_ & kTopmost) != 0 ? WS_EX_TOOLWINDOW | WS_EX_TOPMOST : WS_EX_TOOLWINDOW;
    if (CreateWindowOf(parent, RECT{0, 0, 10, 10}, title_.Text(), WS_POPUP, exStyle) == nullptr) {
        return FALSE;
    }
    balloonTheme_ = std::make_unique<Tev::ThemeData>(m_hWnd, Tev::String(u"TOOLTIP"));
    textTheme_ = std::make_unique<Tev::ThemeData>(m_hWnd, Tev::String(u"TEXTSTYLE"));

    // Layout: the content plus margins, below the anchor point (or the cursor).
    const HDC dc = GetDC(m_hWnd);
    const SIZE size = CalcContentSize(dc);
    ReleaseDC(m_hWnd, dc);
    GetCursorPos(&start_);
    const POINT at = anchor != nullptr ? *anchor : start_;
    const int width = size.cx + 2 * kMargin;
    const int height = size.cy + 2 * kMargin;
    MONITORINFO monitor;
    GetMonitorInfoW(MonitorFromPoint(at, MONITOR_DEFAULTTONEAREST), &monitor);
    const int x =
        std::max<int>(monitor.rcWork.left, std::min<int>(at.x, monitor.rcWork.right - width));
    const int y =
        std::max<int>(monitor.rcWork.top, std::min<int>(at.y + 16, monitor.rcWork.bottom - height));
    SetWindowPos(nullptr, x, y, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
    SetCapture(m_hWnd);
    if (timeout_ != 0)
        timer_ = SetTimer(1, timeout_);
    if ((options_ & kDelayShow) == 0) {
        if ((options_ & kDisableFadeIn) == 0 && EffectsOn()) {
            AnimateWindow(m_hWnd, 200, AW_BLEND);
        } else {
            ShowWindow(SW_SHOWNA);
        }
        UpdateWindow();
    }
    return TRUE;
}

SIZE CBalloonHelp::CalcContentSize(HDC dc) {
    const HGDIOBJ old = SelectObject(dc, titleFont_);
    SIZE title{};
    GetTextExtentPoint32W(dc, title_.Text(), static_cast<int>(title_.Length()), &title);
    SelectObject(dc, textFont_);
    const int limit = maxWidth_ > 0 ? maxWidth_ : GetSystemMetrics(SM_CXSCREEN);
    RECT text{0, 0, limit, 0};
    if (!content_.IsEmpty()) {
        DrawTextW(dc, content_.Text(), -1, &text, layoutFlags_ | DT_CALCRECT);
    }
    SelectObject(dc, old);
    const int titleWidth =
        title.cx + (icon_ != nullptr ? kIconSize + kMargin : 0) + closeBox_.cx + kMargin;
    const int titleHeight =
        std::max<int>({title.cy, icon_ != nullptr ? kIconSize : 0, static_cast<int>(closeBox_.cy)});
    int width = std::max<int>(titleWidth, RectWidth(text));
    if (maxWidth_ > 0)
        width = std::min(width, maxWidth_);
    const int height = titleHeight + (content_.IsEmpty() ? 0 : kTitleGap + RectHeight(text));
    return SIZE{width, height};
}

bool CBalloonHelp::IsMouseInAllowedArea(POINT p) {
    if ((options_ & kAnchorRectArea) != 0) {
        if (PtInRect(&anchorRect_, p))
            return true;
    } else if (std::abs(p.x - start_.x) <= tolerance_ && std::abs(p.y - start_.y) <= tolerance_) {
        return true;
    }
    if ((options_ & kAllowMoveInBalloon) != 0 && IsWindow()) {
        RECT window;
        GetWindowRect(&window);
        InflateRect(&window, tolerance_, tolerance_);
        if (PtInRect(&window, p))
            return true;
    }
    return false;
}

void CBalloonHelp::Hide() {
    if (!IsWindow())
        return;
    if ((options_ & kDisableFadeOut) == 0 && EffectsOn()) {
        AnimateWindow(m_hWnd, 200, AW_BLEND | AW_HIDE);
    }
    PostMessage(WM_CLOSE);
}

void CBalloonHelp::PaintClassic(HDC dc, const RECT& client) {
    const HBRUSH body = CreateSolidBrush(Resolve(backgroundColour_));
    FillRect(dc, &client, body);
    DeleteObject(body);
    FrameRect(dc, &client, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
}

void CBalloonHelp::PaintContent(HDC dc, const RECT& client) {
    int x = client.left + kMargin;
    const int y = client.top + kMargin;
    if (icon_ != nullptr) {
        DrawIconEx(dc, x, y, icon_, kIconSize, kIconSize, 0, nullptr, DI_NORMAL);
        x += kIconSize + kMargin;
    }
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, Resolve(textColour_));
    SelectObject(dc, titleFont_);
    RECT title{x, y, client.right - kMargin - closeBox_.cx, y + kIconSize};
    DrawTextW(dc, title_.Text(), -1, &title, DT_LEFT | DT_SINGLELINE | DT_NOPREFIX);
    // The close box: a square with a cross.
    RECT box{client.right - kMargin - closeBox_.cx, y, client.right - kMargin, y + closeBox_.cy};
    FrameRect(dc, &box, static_cast<HBRUSH>(GetStockObject(GRAY_BRUSH)));
    MoveToEx(dc, box.left + 3, box.top + 3, nullptr);
    LineTo(dc, box.right - 3, box.bottom - 3);
    MoveToEx(dc, box.right - 4, box.top + 3, nullptr);
    LineTo(dc, box.left + 2, box.bottom - 3);
    SelectObject(dc, textFont_);
    const int titleHeight = std::max<int>(kIconSize, closeBox_.cy);
    RECT text{client.left + kMargin, y + titleHeight + kTitleGap, client.right - kMargin,
              client.bottom - kMargin};
    DrawTextW(dc, content_.Text(), -1, &text, layoutFlags_);
}

void CBalloonHelp::Paint(HDC dc) {
    RECT client;
    GetClientRect(&client);
    const int saved = SaveDC(dc);
    bool drawn = false;
    if (Themed() && balloonTheme_ != nullptr) {
        try {
            balloonTheme_->DrawBackground(dc, kTooltipPart, 1, client, nullptr,
                                          Tev::kDrawThemeBackgroundFailed);
            drawn = true;
        } catch (const XTev&) {
            // A theme that fails to draw leaves the balloon in its classic look.
        }
    }
    if (!drawn)
        PaintClassic(dc, client);
    PaintContent(dc, client);
    RestoreDC(dc, saved);
}

BOOL CBalloonHelp::ProcessWindowMessage(HWND, UINT message, WPARAM, LPARAM, LRESULT& result,
                                        DWORD) {
    result = 0;
    switch (message) {
        case WM_PAINT: {
            PAINTSTRUCT paint;
            const HDC dc = BeginPaint(m_hWnd, &paint);
            Paint(dc);
            EndPaint(m_hWnd, &paint);
            return TRUE;
        }
        case WM_ERASEBKGND:
            result = 1;
            return TRUE;
        case WM_MOUSEMOVE: {
            POINT cursor;
            GetCursorPos(&cursor);
            if (!IsMouseInAllowedArea(cursor))
                Hide();
            return TRUE;
        }
        case WM_LBUTTONDOWN:
        case WM_RBUTTONDOWN:
        case WM_MBUTTONDOWN:
        case WM_KEYDOWN:
            Hide();
            return TRUE;
        case WM_TIMER:
            Hide();
            return TRUE;
        case WM_DESTROY:
            if (GetCapture() == m_hWnd)
                ReleaseCapture();
            if (timer_ != 0)
                KillTimer(timer_);
            timer_ = 0;
            balloonTheme_.reset();
            textTheme_.reset();
            return FALSE;
        default:
            return FALSE;
    }
}

void CBalloonHelp::OnFinalMessage(HWND) {
    if ((options_ & kDeleteThisOnClose) != 0)
        delete this;
}

}  // namespace WTL
