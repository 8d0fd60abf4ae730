#include "platform/ui/owl/glyph_button.h"

#include <algorithm>

namespace owl {
namespace {

constexpr int kGap = 4;  // between glyph and text

}  // namespace

TGlyphButton::TGlyphButton(TWindow* parent, int resourceId, int type, TModule* module)
    : TButton(parent, resourceId, module), type_(type) {}

TGlyphButton::TGlyphButton(TWindow* parent, int id, const char16_t* text, int x, int y, int width,
                           int height, int type, bool isDefault, TModule* module)
    : TButton(parent, id, text, x, y, width, height, isDefault, module), type_(type) {}

void TGlyphButton::SetupWindow() {
    TButton::SetupWindow();
    if (!IsWindowEnabled())
        Set(biDisabled);
    if ((GetStyle() & BS_TYPEMASK) == BS_DEFPUSHBUTTON)
        Set(biDefault);
    if (GetWindowTextLength() > 0)
        Set(biShowText);
}

void TGlyphButton::SetGlyph(HBITMAP bitmap, TGlyphType type) {
    if (bitmap == nullptr)
        return;
    BITMAP info;
    GetObjectW(bitmap, sizeof info, &info);
    if (cels_ == nullptr)
        cels_ = std::make_unique<TCelArray>(TSize(info.bmWidth, info.bmHeight), 3);
    cels_->SetCel(static_cast<int>(type), bitmap);
    Set(biShowGlyph);
    if (type == gtDown)
        Set(biPushedCel);
    if (type == gtDisabled)
        Set(biDisabledCel);
    if (GetHandle() != nullptr)
        Invalidate();
}

void TGlyphButton::SetGlyph(int resourceId, TModule* module, TGlyphType type) {
    TModule* from = module != nullptr ? module : GetModule();
    if (from == nullptr)
        return;
    TBitmap bitmap(*from, resourceId);
    bitmap.MapColor(RGB(192, 192, 192), GetSysColor(COLOR_BTNFACE));
    SetGlyph(bitmap.GetHandle(), type);
}

LRESULT TGlyphButton::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_SETFONT:
            font_ = reinterpret_cast<HFONT>(wParam);
            if (lParam != 0)
                Invalidate();
            return 0;
        case WM_GETFONT:
            return reinterpret_cast<LRESULT>(font_);
        case WM_GETDLGCODE:
            return DLGC_BUTTON | (IsSet(biDefault) ? DLGC_DEFPUSHBUTTON : DLGC_UNDEFPUSHBUTTON);
        case BM_GETSTATE:
            return (IsSet(biPushed) ? BST_PUSHED : 0) | (IsSet(biFocus) ? BST_FOCUS : 0);
        case BM_SETSTATE:
            if (wParam != 0) {
                Set(biPushed);
            } else {
                Clear(biPushed);
            }
            Invalidate();
            return 0;
        case BM_SETSTYLE:
            DefaultProcessing();
            if ((wParam & BS_TYPEMASK) == BS_DEFPUSHBUTTON) {
                Set(biDefault);
            } else {
                Clear(biDefault);
            }
            if (lParam != 0)
                Invalidate();
            return 0;
        case WM_SETTEXT: {
            const LRESULT result = DefaultProcessing();
            const auto* text = reinterpret_cast<const char16_t*>(lParam);
            if (text != nullptr && *text != 0) {
                Set(biShowText);
            } else {
                Clear(biShowText);
            }
            Invalidate();
            return result;
        }
        case WM_ERASEBKGND:
            return 1;
        default:
            return TButton::WindowProc(message, wParam, lParam);
    }
}

void TGlyphButton::EvPaint() {
    // A glyph button paints itself, alias or not.
    PAINTSTRUCT paint;
    const HDC dc = BeginPaint(GetHandle(), &paint);
    {
        TDC context(dc);
        TRect area(paint.rcPaint);
        Paint(context, paint.fErase != 0, area);
    }
    EndPaint(GetHandle(), &paint);
}

void TGlyphButton::Paint(TDC& dc, bool, TRect&) {
    PaintButton(dc);
}

void TGlyphButton::PaintButton(TDC& dc) {
    TRect rect = GetClientRect();
    const HGDIOBJ oldFont = SelectObject(
        dc, font_ != nullptr ? reinterpret_cast<HGDIOBJ>(font_) : GetStockObject(DEFAULT_GUI_FONT));
    PaintFrame(dc, rect);
    PaintDefaultRect(dc, rect);
    PaintFace(dc, rect);
    SelectObject(dc, oldFont);
}

void TGlyphButton::PaintFrame(TDC& dc, TRect& rect) {
    const TUIBorder border(rect, IsSet(biPushed) ? TUIBorder::ButtonDn : TUIBorder::ButtonUp);
    border.Paint(dc);
    rect = border.GetClientRect();
}

void TGlyphButton::PaintDefaultRect(TDC& dc, TRect& rect) {
    if (!IsSet(biDefault))
        return;
    FrameRect(dc, &rect, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    rect.Inflate(-1, -1);
}

void TGlyphButton::PaintFace(TDC& dc, const TRect& rect) {
    RECT face = rect;
    FillRect(dc, &face, GetSysColorBrush(COLOR_BTNFACE));
    TRect glyph;
    TRect text;
    int cel = 0;
    if (IsSet(biPushed) && IsSet(biPushedCel))
        cel = 1;
    if (IsSet(biDisabled) && IsSet(biDisabledCel))
        cel = 2;
    if (IsSet(biShowGlyph) && cels_ != nullptr)
        glyph = TRect(TPoint(0, 0), cels_->CelSize());
    const tstring caption = GetWindowText();
    if (IsSet(biShowText)) {
        RECT measured{0, 0, rect.Width() - glyph.Width(), 0};
        DrawTextW(dc, caption.c_str(), -1, &measured, DT_CALCRECT | DT_WORDBREAK);
        text = TRect(measured);
    }
    LayoutTextGlyph(rect, text, glyph);
    if (!glyph.IsEmpty()) {
        TMemoryDC cels;
        cels.SelectBitmap(cels_->Bitmap());
        const TRect source = cels_->CelRect(cel);
        TransparentBlt(dc, glyph.left, glyph.top, glyph.Width(), glyph.Height(), cels, source.left,
                       source.top, source.Width(), source.Height(),
                       GetPixel(cels, source.left, source.top));
    }
    if (!text.IsEmpty()) {
        SetTextColor(dc, GetSysColor(IsSet(biDisabled) ? COLOR_GRAYTEXT : COLOR_BTNTEXT));
        SetBkMode(dc, TRANSPARENT);
        RECT r = text;
        DrawTextW(dc, caption.c_str(), -1, &r, DT_CENTER | DT_WORDBREAK);
    }
    if (IsSet(biFocus))
        PaintFocus(dc, rect);
}

void TGlyphButton::PaintFocus(TDC& dc, const TRect& faceRect) {
    RECT r = faceRect.InflatedBy(-2, -2);
    DrawFocusRect(dc, &r);
}

void TGlyphButton::LayoutTextGlyph(const TRect& faceRect, TRect& textRect, TRect& glyphRect) {
    const int glyphWidth = glyphRect.Width();
    const int textWidth = textRect.Width();
    const int gap = glyphWidth > 0 && textWidth > 0 ? kGap : 0;
    int x = faceRect.left + (faceRect.Width() - (glyphWidth + gap + textWidth)) / 2;
    glyphRect.MoveTo(x, faceRect.top + (faceRect.Height() - glyphRect.Height()) / 2);
    x += glyphWidth + gap;
    textRect.MoveTo(x, faceRect.top + (faceRect.Height() - textRect.Height()) / 2);
}

void TGlyphButton::NotifyClicked() {
    const HWND parent = GetParentH();
    if (parent == nullptr)
        return;
    ::SendMessageW(parent, WM_COMMAND, MAKEWPARAM(static_cast<unsigned>(GetId()), BN_CLICKED),
                   reinterpret_cast<LPARAM>(GetHandle()));
}

void TGlyphButton::EvSetFocus(HWND) {
    Set(biFocus);
    Invalidate();
}

void TGlyphButton::EvKillFocus(HWND) {
    Clear(biFocus);
    Invalidate();
}

void TGlyphButton::EvLButtonDown(UINT, const TPoint&) {
    if (::GetFocus() != GetHandle())
        SetFocus();
    Set(biPushed);
    SetCapture();
    Invalidate();
}

void TGlyphButton::EvLButtonDblClk(UINT modKeys, const TPoint& point) {
    EvLButtonDown(modKeys, point);
}

void TGlyphButton::EvMouseMove(UINT, const TPoint& point) {
    if (GetCapture() != GetHandle())
        return;
    const bool inside = GetClientRect().Contains(point);
    if (inside != IsSet(biPushed)) {
        if (inside) {
            Set(biPushed);
        } else {
            Clear(biPushed);
        }
        Invalidate();
    }
}

void TGlyphButton::EvLButtonUp(UINT, const TPoint& point) {
    if (GetCapture() != GetHandle())
        return;
    ReleaseCapture();
    const bool clicked = IsSet(biPushed) && GetClientRect().Contains(point);
    Clear(biPushed);
    Invalidate();
    if (clicked)
        NotifyClicked();
}

void TGlyphButton::EvKeyDown(UINT key, UINT, UINT) {
    if (key == VK_SPACE && !IsSet(biPushed)) {
        Set(biPushed);
        Invalidate();
    }
}

void TGlyphButton::EvKeyUp(UINT key, UINT, UINT) {
    if (key == VK_SPACE && IsSet(biPushed)) {
        Clear(biPushed);
        Invalidate();
        NotifyClicked();
    }
}

void TGlyphButton::EvEnable(bool enabled) {
    if (enabled) {
        Clear(biDisabled);
    } else {
        Set(biDisabled);
        Clear(biPushed);
    }
    Invalidate();
}

void TGlyphButton::EvCancelMode() {
    ReleaseCapture();
    Clear(biPushed);
    Invalidate();
}

}  // namespace owl
