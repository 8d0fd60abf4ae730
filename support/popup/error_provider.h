// ErrorProvider: a small window beside an edit that holds the edit's current error (a title
// and a message) while it is shown. Resting the mouse on it shows the message as a tooltip
// (option bit 1: after one 50 ms tick, for up to 5000 ms, as Tev::HoverTip times it) or as a
// balloon (bit 0).
//
// Options: bit 0 balloon on hover; bit 1 tooltip on hover; bit 5 the information icon
// (otherwise the warning icon); bit 6 the extra text in the balloon.
#pragma once

#include <memory>

#include "platform/ui/owl/window.h"
#include "support/popup/balloon_help.h"
#include "support/popup/hover_tip.h"
#include "support/popup/popup.h"
#include "support/string/tev_string.h"

namespace Tev {

class ErrorProvider : public owl::TWindow {
public:
    static constexpr unsigned kBalloonOnHover = 0x01;
    static constexpr unsigned kTooltipOnHover = 0x02;
    static constexpr unsigned kInformationIcon = 0x20;
    static constexpr unsigned kExtraText = 0x40;
    static constexpr UINT_PTR kTooltipTimer = 1;
    static constexpr UINT kTooltipTick = 50;
    static constexpr UINT kTooltipLimit = HoverTip::kLimit;
    static constexpr int kSize = 16;
    // The balloon's options (WTL::CBalloonHelp), without and with the extra text. Both let the
    // mouse move anywhere inside the provider's rectangle; with the extra text it may also move
    // into the balloon, to reach the text. The bits the balloon does not read are kept as the
    // provider has always passed them.
    static constexpr DWORD kBalloonOptions = 0x87E38;
    static constexpr DWORD kBalloonOptionsWithExtra = 0xE7E38;
    static_assert((kBalloonOptions & WTL::CBalloonHelp::kAnchorRectArea) != 0);
    static_assert((kBalloonOptionsWithExtra & WTL::CBalloonHelp::kAnchorRectArea) != 0);
    static_assert((kBalloonOptionsWithExtra & WTL::CBalloonHelp::kAllowMoveInBalloon) != 0);

    // A child window of `parent` at (x, y), hidden until an error is set.
    ErrorProvider(owl::TWindow* parent, unsigned options = kTooltipOnHover, int x = 0, int y = 0);
    ~ErrorProvider() override;

    // Replaces the title and message, then shows the window (show) or hides it.
    void SetError(bool show, const String& title, const String& message);
    void SetExtraText(const String& text) { extra_ = text; }

    unsigned Options() const { return options_; }
    const String& Title() const { return title_; }
    const String& Message() const { return message_; }
    Popup* Tooltip() const { return tip_.Shown(); }
    bool TooltipShown() const { return tip_.WasShown(); }
    UINT TooltipElapsed() const { return tip_.Elapsed(); }
    // The balloon being shown, or null.
    WTL::CBalloonHelp* Balloon() const;

protected:
    void EvMouseMove(UINT modKeys, const owl::TPoint& point) override;
    void EvLButtonDown(UINT modKeys, const owl::TPoint& point) override;
    void EvMButtonDown(UINT modKeys, const owl::TPoint& point) override;
    void EvRButtonDown(UINT modKeys, const owl::TPoint& point) override;
    void EvTimer(UINT timerId) override;
    void EvMouseLeave() override;
    void Paint(owl::TDC& dc, bool erase, owl::TRect& rect) override;

private:
    void StartTooltipTimer();
    void ButtonPressed();
    void ShowBalloon();

    unsigned options_;
    String title_;
    String message_;
    String extra_;
    POINT lastPosition_{-1000, -1000};
    HoverTip tip_{kTooltipTick, kTooltipLimit};
    bool trackingRequested_ = false;
    WTL::CBalloonHelp* balloon_ = nullptr;  // deletes itself when its window goes
    HWND balloonWindow_ = nullptr;
};

}  // namespace Tev
