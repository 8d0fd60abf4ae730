#include "support/popup/error_provider.h"

#include <cmath>

namespace Tev {

ErrorProvider::ErrorProvider(owl::TWindow* parent, unsigned options, int x, int y)
    : owl::TWindow(parent), options_(options) {
    Attr.Style = WS_CHILD;
    Attr.X = x;
    Attr.Y = y;
    Attr.W = kSize;
    Attr.H = kSize;
}

ErrorProvider::~ErrorProvider() {
    tip_.Hide();
    if (balloon_ != nullptr && ::IsWindow(balloonWindow_))
        DestroyWindow(balloonWindow_);
}

void ErrorProvider::SetError(bool show, const String& title, const String& message) {
    title_ = title;
    message_ = message;
    ShowWindow(show ? SW_SHOW : SW_HIDE);
}

WTL::CBalloonHelp* ErrorProvider::Balloon() const {
    return balloon_ != nullptr && ::IsWindow(balloonWindow_) ? balloon_ : nullptr;
}

void ErrorProvider::StartTooltipTimer() {
    if (!tip_.WasShown() && !message_.IsEmpty())
        SetTimer(kTooltipTimer, kTooltipTick);
}

void ErrorProvider::EvMouseMove(UINT, const owl::TPoint& point) {
    if (!trackingRequested_) {
        TRACKMOUSEEVENT track;
        track.dwFlags = TME_LEAVE;
        track.hwndTrack = GetHandle();
        TrackMouseEvent(&track);
        trackingRequested_ = true;
    }
    if ((options_ & kBalloonOnHover) != 0) {
        const double distance = std::hypot(point.x - lastPosition_.x, point.y - lastPosition_.y);
        if (distance > 3.0) {
            lastPosition_ = point;
            ShowBalloon();
        }
    } else if ((options_ & kTooltipOnHover) != 0) {
        StartTooltipTimer();
    }
    DefaultProcessing();
}

void ErrorProvider::ButtonPressed() {
    if ((options_ & kBalloonOnHover) != 0) {
        ShowBalloon();
    } else if ((options_ & kTooltipOnHover) != 0) {
        StartTooltipTimer();
    }
}

void ErrorProvider::EvLButtonDown(UINT, const owl::TPoint&) {
    ButtonPressed();
}
void ErrorProvider::EvMButtonDown(UINT, const owl::TPoint&) {
    ButtonPressed();
}
void ErrorProvider::EvRButtonDown(UINT, const owl::TPoint&) {
    ButtonPressed();
}

void ErrorProvider::EvTimer(UINT) {
    if (!tip_.Tick(this, message_, (options_ & kTooltipOnHover) != 0))
        KillTimer(kTooltipTimer);
}

void ErrorProvider::EvMouseLeave() {
    if ((options_ & kTooltipOnHover) != 0) {
        KillTimer(kTooltipTimer);
        tip_.Reset();
    }
    trackingRequested_ = false;
}

void ErrorProvider::ShowBalloon() {
    if (balloon_ != nullptr && ::IsWindow(balloonWindow_))
        DestroyWindow(balloonWindow_);
    auto* balloon = new WTL::CBalloonHelp;
    balloon->SetMouseMoveTolerance(3);
    balloon->SetIcon(
        LoadIconW(nullptr, (options_ & kInformationIcon) != 0 ? IDI_INFORMATION : IDI_WARNING));
    const bool extra = (options_ & kExtraText) != 0 && !extra_.IsEmpty();
    if (!balloon->Create(GetHandle(), title_.Text(), message_.Text(), nullptr,
                         extra ? kBalloonOptionsWithExtra : kBalloonOptions,
                         extra ? extra_.Text() : nullptr, 0, WTL::CBalloonHelp::kDefaultLayout)) {
        delete balloon;
        balloon_ = nullptr;
        balloonWindow_ = nullptr;
        return;
    }
    balloon_ = balloon;
    balloonWindow_ = balloon->m_hWnd;
    POINT origin{0, 0};
    ::ClientToScreen(GetHandle(), &origin);
    const owl::TRect window = GetWindowRect();
    balloon->SetAnchorRect(
        RECT{origin.x, origin.y, origin.x + window.Width(), origin.y + window.Height()});
}

void ErrorProvider::Paint(owl::TDC& dc, bool, owl::TRect&) {
    DrawIconEx(
        dc, 0, 0,
        LoadIconW(nullptr, (options_ & kInformationIcon) != 0 ? IDI_INFORMATION : IDI_WARNING),
        kSize, kSize, 0, nullptr, DI_NORMAL);
}

}  // namespace Tev
