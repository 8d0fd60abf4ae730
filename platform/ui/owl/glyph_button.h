// TGlyphButton: a push button that paints itself: a glyph from its cel array (normal,
// pressed and disabled cels) and/or its caption, laid out side by side. It keeps its state in
// bits (IsSet, Set, Clear) and paints through PaintFrame, PaintDefaultRect, PaintFace and
// PaintFocus, which derived buttons override.
#pragma once

#include <memory>

#include "platform/ui/owl/controls.h"
#include "platform/ui/owl/ui_parts.h"

namespace owl {

class TGlyphButton : public TButton {
public:
    // The library's stock button kinds. This toolkit has no stock glyphs: the kind is only
    // recorded, and every button shows the glyphs and caption it is given.
    enum TButtonType {
        btCustom,
        btOk,
        btCancel,
        btYes,
        btNo,
        btClose,
        btAbort,
        btRetry,
        btIgnore,
        btSetup,
        btRevert,
        btHelp,
        btAdd,
        btEdit,
        btDelete,
        btApply,
        btBrowse,
    };
    enum TGlyphType { gtUp, gtDown, gtDisabled };

    // State bits.
    static constexpr UINT biPushed = 0x0001;
    static constexpr UINT biFocus = 0x0002;
    static constexpr UINT biDefault = 0x0004;
    static constexpr UINT biDisabled = 0x0008;
    static constexpr UINT biShowText = 0x0010;
    static constexpr UINT biShowGlyph = 0x0020;
    static constexpr UINT biPushedCel = 0x0100;
    static constexpr UINT biDisabledCel = 0x0200;

    TGlyphButton(TWindow* parent, int resourceId, int type = btCustom, TModule* module = nullptr);
    TGlyphButton(TWindow* parent, int id, const char16_t* text, int x, int y, int width, int height,
                 int type = btCustom, bool isDefault = false, TModule* module = nullptr);

    // Sets a glyph cel from a bitmap (copied) or from a bitmap resource of the module, whose
    // light grey (192, 192, 192) is mapped to the button face colour.
    void SetGlyph(HBITMAP bitmap, TGlyphType type = gtUp);
    void SetGlyph(int resourceId, TModule* module, TGlyphType type = gtUp);
    TCelArray* GetCelArray() const { return cels_.get(); }
    int GetButtonType() const { return type_; }

    bool IsSet(UINT bits) const { return (state_ & bits) == bits; }
    void Set(UINT bits) { state_ |= bits; }
    void Clear(UINT bits) { state_ &= ~bits; }

protected:
    void SetupWindow() override;
    void EvPaint() override;
    void Paint(TDC& dc, bool erase, TRect& rect) override;
    void EvSetFocus(HWND lostFocus) override;
    void EvKillFocus(HWND getsFocus) override;
    void EvLButtonDown(UINT modKeys, const TPoint& point) override;
    void EvLButtonDblClk(UINT modKeys, const TPoint& point) override;
    void EvLButtonUp(UINT modKeys, const TPoint& point) override;
    void EvMouseMove(UINT modKeys, const TPoint& point) override;
    void EvKeyDown(UINT key, UINT repeatCount, UINT flags) override;
    void EvKeyUp(UINT key, UINT repeatCount, UINT flags) override;
    void EvEnable(bool enabled) override;
    void EvCancelMode() override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    virtual void PaintButton(TDC& dc);
    virtual void PaintFrame(TDC& dc, TRect& rect);
    virtual void PaintDefaultRect(TDC& dc, TRect& rect);
    virtual void PaintFace(TDC& dc, const TRect& rect);
    virtual void PaintFocus(TDC& dc, const TRect& faceRect);
    // Places the glyph and the text inside the face. On entry both rectangles carry their
    // sizes; on return they lie side by side (glyph first, 4 pixels apart), centred together.
    virtual void LayoutTextGlyph(const TRect& faceRect, TRect& textRect, TRect& glyphRect);

    // Tells the parent that the button was clicked (WM_COMMAND, BN_CLICKED).
    void NotifyClicked();
    HFONT ButtonFont() const { return font_; }

private:
    int type_;
    UINT state_ = 0;
    std::unique_ptr<TCelArray> cels_;
    HFONT font_ = nullptr;
};

}  // namespace owl
