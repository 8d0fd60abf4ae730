#include "support/popup/popup.h"

#include <algorithm>

#include "support/popup/host_visibility.h"

namespace Tev {

Popup::Popup(owl::TWindow* parent, const POINT& point, const String& text)
    : owl::TWindow(parent),
      text_(text),
      font_(std::make_unique<owl::TGadgetWindowFont2>()),
      anchor_{point.x + 2, point.y + 2} {
    DisableAutoCreate();
    Attr.Style = kStyle;
    SetBkgndColor(owl::TColor(kTipBackground));
    const HDC screen = GetDC(nullptr);
    const HGDIOBJ old = SelectObject(screen, font_->GetHandle());
    RECT measured{0, 0, kTipMeasureWidth, 0};
    DrawTextW(screen, text_.Text(), -1, &measured, DT_CALCRECT | DT_WORDBREAK);
    SelectObject(screen, old);
    ReleaseDC(nullptr, screen);
    Attr.X = anchor_.x;
    Attr.Y = anchor_.y;
    Attr.W = RectWidth(measured) + 5;
    Attr.H = RectHeight(measured) + 2;
    Create();
}

Popup::~Popup() = default;

bool Popup::Create() {
    const bool made = owl::TWindow::Create();
    if (made && IsApplicationVisible())
        ShowWindow(SW_SHOWNOACTIVATE);
    return made;
}

void Popup::SetupWindow() {
    owl::TWindow::SetupWindow();
    const owl::TRect window = GetWindowRect();
    MONITORINFO monitor;
    GetMonitorInfoW(MonitorFromPoint(anchor_, MONITOR_DEFAULTTONEAREST), &monitor);
    const RECT& work = monitor.rcWork;
    const int x = std::min<int>(anchor_.x, work.right - window.Width() - 10);
    int y = anchor_.y;
    if (anchor_.y + window.Height() > work.bottom)
        y = anchor_.y - window.Height() - 3;
    SetWindowPos(nullptr, x, y, 0, 0,
                 SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOOWNERZORDER | SWP_NOSIZE);
}

void Popup::Paint(owl::TDC& dc, bool, owl::TRect&) {
    SelectObject(dc, font_->GetHandle());
    SetBkColor(dc, kTipBackground);
    SetTextColor(dc, RGB(0, 0, 0));
    SetTextAlign(dc, 0);
    RECT r = GetClientRect();
    r.left += 1;
    r.right += 1;
    DrawTextW(dc, text_.Text(), -1, &r, DT_WORDBREAK);
}

}  // namespace Tev
