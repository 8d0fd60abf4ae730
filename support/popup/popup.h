// Tev::Popup: a plain tooltip window. It sizes itself to its text (measured with word breaks
// in a width of 300 pixels, plus 5 across and 2 down), stands 2 pixels right of and below the
// point it is given, keeps inside the work area of the nearest monitor (10 pixels clear of
// its right edge; above the point when it would pass the bottom), and is shown without
// taking the activation only while the host application is visible. Its owner deletes it to
// close it.
#pragma once

#include <memory>

#include "platform/ui/owl/window.h"
#include "support/string/tev_string.h"

namespace Tev {

// The pale yellow of tooltips.
inline constexpr COLORREF kTipBackground = RGB(255, 255, 225);
inline constexpr int kTipMeasureWidth = 300;

class Popup : public owl::TWindow {
public:
    // A disabled pop-up with a border and no caption (0x88800000), so it never takes the focus.
    static constexpr DWORD kStyle = WS_POPUP | WS_DISABLED | WS_BORDER;

    Popup(owl::TWindow* parent, const POINT& point, const String& text);
    ~Popup() override;

    // Makes the window and shows it when the host application is visible.
    bool Create() override;

    const String& Text() const { return text_; }
    POINT Anchor() const { return anchor_; }

protected:
    void SetupWindow() override;
    void Paint(owl::TDC& dc, bool erase, owl::TRect& rect) override;

private:
    String text_;
    std::unique_ptr<owl::TGadgetWindowFont2> font_;
    POINT anchor_;
};

}  // namespace Tev
