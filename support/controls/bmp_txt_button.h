// TevControls::TBmpTxtButton: a push button with a glyph and/or its caption that draws itself
// with the visual-styles theme when one works and in the classic 3-D look otherwise, and shows
// its tip text (Tev::Popup) when the mouse rests on it: 500 ms after the mouse stops, for 5000
// ms from the first tick (as Tev::HoverTip times it), gone at once on a click, a key or when the
// mouse leaves. After a
// click no tip comes until the mouse has left the button and come back.
//
// A disabled glyph without a disabled cel is drawn through a colour matrix that turns it into
// a light, slightly blue grey (black becomes RGB(102, 102, 102), white stays white); light
// grey (192, 192, 192) around it is left out.
#pragma once

#include <memory>

#include "platform/theme/uxtheme_types.h"
#include "platform/ui/owl/glyph_button.h"
#include "support/popup/hover_tip.h"
#include "support/popup/popup.h"
#include "support/string/tev_string.h"

namespace TevControls {

class TBmpTxtButton : public owl::TGlyphButton {
public:
    static constexpr int kButtonType = 16;
    static constexpr UINT_PTR kTooltipTimer = 1;
    static constexpr UINT kTooltipTick = 500;
    static constexpr UINT kTipLimit = Tev::HoverTip::kLimit;

    TBmpTxtButton(owl::TWindow* parent, int id, owl::TModule* module, const Tev::String& tipText);
    ~TBmpTxtButton() override;

    // "BUTTON" (the default) or "TOOLBAR".
    void SetThemeClass(const char16_t* themeClass) { themeClass_ = themeClass; }
    const char16_t* ThemeClass() const { return themeClass_; }
    // 0: a plain push button; 1: a toggle that flips its state on each click.
    void SetToggleMode(int mode) { toggleMode_ = mode; }
    int ToggleState() const { return toggleState_; }
    // Fill the themed background with the brush the parent gives for WM_CTLCOLORBTN.
    void SetParentBrush(bool use) { parentBrush_ = use; }
    void SetTipText(const Tev::String& text) { tipText_ = text; }

    const Tev::String& TipText() const { return tipText_; }
    Tev::Popup* Tooltip() const { return tip_.Shown(); }
    bool TooltipShown() const { return tip_.WasShown(); }
    bool IsThemeOff() const { return noTheme_; }
    bool HoverSuppressed() const { return suppressHover_; }
    bool MouseInside() const { return mouseInside_; }
    bool FocusChangedByTab() const { return focusByTab_; }

    // The colour matrix of disabled glyphs (row-vector convention).
    static void DisabledGlyphMatrix(float matrix[5][5]);

protected:
    void EvMouseMove(UINT modKeys, const owl::TPoint& point) override;
    void EvTimer(UINT timerId) override;
    void EvLButtonDown(UINT modKeys, const owl::TPoint& point) override;
    void EvLButtonUp(UINT modKeys, const owl::TPoint& point) override;
    void EvLButtonDblClk(UINT modKeys, const owl::TPoint& point) override;
    void EvKeyDown(UINT key, UINT repeatCount, UINT flags) override;
    void EvKeyUp(UINT key, UINT repeatCount, UINT flags) override;
    void EvMouseLeave() override;
    void EvRButtonDown(UINT modKeys, const owl::TPoint& point) override;
    void EvMButtonDown(UINT modKeys, const owl::TPoint& point) override;
    void EvKillFocus(HWND getsFocus) override;
    void EvEnable(bool enabled) override;
    void EvCancelMode() override;
    void EvThemeChanged() override;

    void PaintButton(owl::TDC& dc) override;
    void PaintFrame(owl::TDC& dc, owl::TRect& rect) override;
    void PaintDefaultRect(owl::TDC& dc, owl::TRect& rect) override;
    void PaintFace(owl::TDC& dc, const owl::TRect& rect) override;
    void PaintFocus(owl::TDC& dc, const owl::TRect& faceRect) override;
    virtual void PaintClassic(owl::TDC& dc, const owl::TRect& rect);

private:
    bool IsButtonClass() const;
    bool Classic() const { return noTheme_ || paintTheme_ == nullptr; }
    void ReleaseAfterClick();
    void PaintGlyphAndText(owl::TDC& dc, const owl::TRect& face);
    void PaintDisabledGlyph(owl::TDC& dc, const owl::TRect& cel, const owl::TRect& at);

    HTHEME theme_ = nullptr;  // opened on WM_THEMECHANGED
    bool noTheme_ = false;
    bool mouseInside_ = false;
    bool trackingRequested_ = false;
    bool focusByTab_ = false;
    bool suppressHover_ = false;
    const char16_t* themeClass_ = u"BUTTON";
    Tev::String tipText_;
    Tev::HoverTip tip_{kTooltipTick, kTipLimit};
    UINT_PTR tooltipTimer_ = kTooltipTimer;
    int toggleMode_ = 0;
    int toggleState_ = 0;
    bool parentBrush_ = false;
    HTHEME paintTheme_ = nullptr;  // open while one paint runs
};

}  // namespace TevControls
