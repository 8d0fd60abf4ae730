#include "support/controls/bmp_txt_button.h"

#include <cmath>
#include <numbers>
#include <string_view>

#include "platform/gdi/gdiplus.h"
#include "platform/theme/theme_service.h"
#include "support/theme/uxtheme_dll.h"

namespace TevControls {
namespace {

constexpr int kPushButtonPart = 1;
constexpr UINT kMeasureFormat = DT_CALCRECT | DT_WORDBREAK;          // 1040
constexpr UINT kTextFormat = DT_CENTER | DT_VCENTER | DT_WORDBREAK;  // 21
constexpr Gdiplus::ARGB kOpaqueLightGrey = 0xFFC0C0C0;

HTHEME OpenTheme(HWND window, const char16_t* themeClass) {
    try {
        return TevLinkingUtils::UxThemeDLL::Instance().OpenThemeData(window, themeClass);
    } catch (const std::exception&) {
        return nullptr;  // no visual-styles library: no theme
    }
}

void CloseTheme(HTHEME theme) {
    if (theme != nullptr)
        TevLinkingUtils::UxThemeDLL::Instance().CloseThemeData(theme);
}

std::u16string WithoutAmpersands(const std::u16string& caption) {
    std::u16string out;
    for (char16_t c : caption) {
        if (c != u'&')
            out.push_back(c);
    }
    return out;
}

// Starts GDI+ for as long as it lives.
class GdiplusSession {
public:
    GdiplusSession() {
        Gdiplus::GdiplusStartupInput input;
        started_ = GdiplusStartup(&token_, &input, nullptr) == Gdiplus::Ok;
    }
    ~GdiplusSession() {
        if (started_)
            GdiplusShutdown(token_);
    }
    GdiplusSession(const GdiplusSession&) = delete;
    GdiplusSession& operator=(const GdiplusSession&) = delete;

private:
    UINT_PTR token_ = 0;
    bool started_ = false;
};

}  // namespace

TBmpTxtButton::TBmpTxtButton(owl::TWindow* parent, int id, owl::TModule* module,
                             const Tev::String& tipText)
    : owl::TGlyphButton(parent, id, kButtonType, module), tipText_(tipText) {}

TBmpTxtButton::~TBmpTxtButton() {
    tip_.Hide();
    if (theme_ != nullptr) {
        try {
            CloseTheme(theme_);
        } catch (...) {
            // Closing at the end is best effort.
        }
    }
}

void TBmpTxtButton::DisabledGlyphMatrix(float matrix[5][5]) {
    const double degree = std::numbers::pi / 180.0;
    const double scale = static_cast<double>(0.4f);
    const auto p = static_cast<float>(scale * std::cos(38.0 * degree) * std::cos(45.0 * degree));
    const auto r = static_cast<float>(scale * std::sin(38.0 * degree));
    const float rows[5][5] = {{p, p, r, 0, 0},
                              {p, p, r, 0, 0},
                              {p, p, r, 0, 0},
                              {0, 0, 0, 1, 0},
                              {0.4f, 0.4f, 0.4f, 0, 1}};
    for (int i = 0; i < 5; ++i) {
        for (int j = 0; j < 5; ++j)
            matrix[i][j] = rows[i][j];
    }
}

bool TBmpTxtButton::IsButtonClass() const {
    return std::u16string_view(themeClass_) == u"BUTTON";
}

void TBmpTxtButton::EvMouseMove(UINT, const owl::TPoint& point) {
    if (!trackingRequested_) {
        TRACKMOUSEEVENT track;
        track.dwFlags = TME_LEAVE;
        track.hwndTrack = GetHandle();
        TrackMouseEvent(&track);
        trackingRequested_ = true;
    }
    if (!tip_.WasShown() && !tipText_.IsEmpty() && !suppressHover_) {
        SetTimer(tooltipTimer_, kTooltipTick);
    }
    if (suppressHover_)
        return;
    const bool inside = GetClientRect().Contains(point);
    if (!noTheme_ && IsButtonClass()) {
        if (mouseInside_ && !inside && IsSet(biPushed))
            SendMessage(BM_SETSTATE, FALSE);
    } else {
        if (!mouseInside_ && inside) {
            owl::TGlyphButton::EvSetFocus(nullptr);
            Invalidate();
        }
        if (mouseInside_ && !inside && ::GetFocus() != GetHandle()) {
            Clear(biFocus);
            Invalidate();
        }
    }
    mouseInside_ = inside;
}

void TBmpTxtButton::EvTimer(UINT timerId) {
    if (timerId != tooltipTimer_) {
        DefaultProcessing();
        return;
    }
    if ((IsSet(biPushed) && toggleMode_ == 0) || suppressHover_) {
        KillTimer(tooltipTimer_);
        tip_.Hide();
        return;
    }
    if (!tip_.Tick(this, tipText_))
        KillTimer(tooltipTimer_);
}

void TBmpTxtButton::EvLButtonDown(UINT modKeys, const owl::TPoint& point) {
    owl::TGlyphButton::EvLButtonDown(modKeys, point);
    SetCapture();
    tip_.Hide();
    mouseInside_ = true;
    Invalidate();
}

void TBmpTxtButton::ReleaseAfterClick() {
    if (GetCapture() != GetHandle())
        return;
    if (toggleMode_ == 0 || toggleState_ == 1)
        SendMessage(BM_SETSTATE, FALSE);
    if (toggleMode_ != 0)
        toggleState_ = toggleState_ == 0 ? 1 : 0;
    POINT cursor;
    GetCursorPos(&cursor);
    ::ScreenToClient(GetHandle(), &cursor);
    if (GetClientRect().Contains(cursor))
        NotifyClicked();
    ReleaseCapture();
    suppressHover_ = true;
    Invalidate();
}

void TBmpTxtButton::EvLButtonUp(UINT, const owl::TPoint&) {
    ReleaseAfterClick();
}
void TBmpTxtButton::EvLButtonDblClk(UINT, const owl::TPoint&) {
    ReleaseAfterClick();
}

void TBmpTxtButton::EvKeyDown(UINT key, UINT repeatCount, UINT flags) {
    owl::TGlyphButton::EvKeyDown(key, repeatCount, flags);
    tip_.Hide();
    Invalidate();
}

void TBmpTxtButton::EvKeyUp(UINT key, UINT repeatCount, UINT flags) {
    owl::TGlyphButton::EvKeyUp(key, repeatCount, flags);
    if (key == VK_TAB) {
        focusByTab_ = true;
        Clear(biDefault);
    }
    Invalidate();
}

void TBmpTxtButton::EvMouseLeave() {
    // A tip waiting for its first tick does not come once the mouse has gone, and the next
    // hover has its full time again.
    tip_.Reset();
    KillTimer(tooltipTimer_);
    if ((noTheme_ || !IsButtonClass()) && ::GetFocus() != GetHandle())
        Clear(biFocus);
    mouseInside_ = false;
    trackingRequested_ = false;
    suppressHover_ = false;
    Invalidate();
}

void TBmpTxtButton::EvRButtonDown(UINT, const owl::TPoint&) {
    DefaultProcessing();
    tip_.Hide();
}

void TBmpTxtButton::EvMButtonDown(UINT, const owl::TPoint&) {
    DefaultProcessing();
    tip_.Hide();
}

void TBmpTxtButton::EvKillFocus(HWND) {
    Clear(biFocus);
    if (IsSet(biPushed)) {
        ReleaseCapture();
        if (toggleMode_ == 0)
            Clear(biPushed);
    }
    Invalidate();
}

void TBmpTxtButton::EvEnable(bool enabled) {
    if (enabled) {
        Clear(biDisabled);
    } else {
        ReleaseCapture();
        if (toggleMode_ == 0)
            Clear(biPushed);
        Set(biDisabled);
    }
    Invalidate();
}

void TBmpTxtButton::EvCancelMode() {
    ReleaseCapture();
    if (toggleMode_ == 0)
        Clear(biPushed);
    Invalidate();
}

void TBmpTxtButton::EvThemeChanged() {
    if (theme_ != nullptr)
        CloseTheme(theme_);
    theme_ = nullptr;
    if (theme::SystemHasVisualStyles()) {
        theme_ = OpenTheme(GetHandle(), themeClass_);
        noTheme_ = false;
    } else {
        noTheme_ = true;
    }
    Invalidate();
}

void TBmpTxtButton::PaintButton(owl::TDC& dc) {
    // The theme is opened for each paint and closed after it; when it cannot be opened the
    // button paints classic from now on, until the theme changes.
    paintTheme_ = nullptr;
    if (!noTheme_) {
        paintTheme_ = OpenTheme(GetHandle(), themeClass_);
        if (paintTheme_ == nullptr)
            noTheme_ = true;
    }
    owl::TGlyphButton::PaintButton(dc);
    const HTHEME opened = paintTheme_;
    paintTheme_ = nullptr;
    CloseTheme(opened);
}

void TBmpTxtButton::PaintFrame(owl::TDC& dc, owl::TRect& rect) {
    if (!Classic() || !IsButtonClass())
        return;
    const owl::TUIBorder border(
        rect, IsSet(biPushed) ? owl::TUIBorder::ButtonDn : owl::TUIBorder::ButtonUp);
    border.Paint(dc);
    rect = border.GetClientRect();
}

void TBmpTxtButton::PaintDefaultRect(owl::TDC& dc, owl::TRect& rect) {
    if (!Classic() || !IsSet(biDefault))
        return;
    FrameRect(dc, &rect, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    rect.Inflate(-1, -1);
}

void TBmpTxtButton::PaintFace(owl::TDC& dc, const owl::TRect& rect) {
    if (Classic()) {
        PaintClassic(dc, rect);
        return;
    }
    int state = 1;
    if (IsSet(biDisabled)) {
        state = 4;
    } else if (IsSet(biPushed)) {
        state = 3;
    } else if (IsSet(biFocus)) {
        state = 2;
    } else if (IsSet(biDefault)) {
        state = 5;
    }
    RECT face = rect;
    TevLinkingUtils::UxThemeDLL& library = TevLinkingUtils::UxThemeDLL::Instance();
    if (parentBrush_) {
        const auto brush = reinterpret_cast<HBRUSH>(
            ::SendMessageW(GetParentH(), WM_CTLCOLORBTN, reinterpret_cast<WPARAM>(dc.GetHDC()),
                           reinterpret_cast<LPARAM>(GetHandle())));
        if (brush != nullptr)
            FillRect(dc, &face, brush);
    } else {
        library.DrawThemeParentBackground(GetHandle(), dc, &face);
    }
    library.DrawThemeBackground(paintTheme_, dc, kPushButtonPart, state, &face, nullptr);
    PaintGlyphAndText(dc, rect);
    if (IsSet(biFocus))
        PaintFocus(dc, rect);
}

void TBmpTxtButton::PaintClassic(owl::TDC& dc, const owl::TRect& rect) {
    RECT face = rect;
    FillRect(dc, &face, GetSysColorBrush(COLOR_3DFACE));
    PaintGlyphAndText(dc, rect);
    if (IsSet(biFocus))
        PaintFocus(dc, rect);
}

void TBmpTxtButton::PaintGlyphAndText(owl::TDC& dc, const owl::TRect& face) {
    int cel = 0;
    bool pressedCel = false;
    if (IsSet(biPushed) && IsSet(biPushedCel)) {
        cel = 1;
        pressedCel = true;
    }
    if (IsSet(biDisabled))
        cel = IsSet(biDisabledCel) ? 2 : 0;

    const std::u16string caption = WithoutAmpersands(GetWindowText());
    std::unique_ptr<owl::TDefaultGUIFont2> madeFont;
    HFONT font = ButtonFont();
    if (font == nullptr) {
        font = reinterpret_cast<HFONT>(::SendMessageW(GetParentH(), WM_GETFONT, 0, 0));
    }
    if (font == nullptr) {
        madeFont = std::make_unique<owl::TDefaultGUIFont2>();
        font = madeFont->GetHandle();
    }
    const HGDIOBJ oldFont = SelectObject(dc, font);

    owl::TCelArray* cels = GetCelArray();
    owl::TRect glyph;
    if (IsSet(biShowGlyph) && cels != nullptr)
        glyph = owl::TRect(owl::TPoint(0, 0), cels->CelSize());
    owl::TRect text;
    if (!caption.empty()) {
        RECT measured{0, 0, face.Width() - glyph.Width(), 0};
        DrawTextW(dc, caption.c_str(), -1, &measured, kMeasureFormat);
        text = owl::TRect(measured);
    }
    LayoutTextGlyph(face, text, glyph);
    if (IsButtonClass() && IsSet(biPushed)) {
        text.Offset(1, 1);
        if (!pressedCel)
            glyph.Offset(1, 1);
    }

    if (!glyph.IsEmpty()) {
        const owl::TRect source = cels->CelRect(cel);
        if (IsSet(biDisabled) && !IsSet(biDisabledCel)) {
            PaintDisabledGlyph(dc, source, glyph);
        } else {
            owl::TMemoryDC celDc;
            celDc.SelectBitmap(cels->Bitmap());
            TransparentBlt(dc, glyph.left, glyph.top, glyph.Width(), glyph.Height(), celDc,
                           source.left, source.top, source.Width(), source.Height(),
                           GetPixel(celDc, source.left, source.top));
        }
    }

    if (!caption.empty()) {
        if (IsSet(biDisabled)) {
            // A 3-D look: the disabled caption is embossed.
            SetTextColor(dc, GetSysColor(COLOR_3DSHADOW));
            owl::TUIFace(text, caption).Paint(dc, owl::TUIFace::Disabled, kTextFormat);
        } else {
            SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
            SetBkMode(dc, TRANSPARENT);
            RECT r = text;
            DrawTextW(dc, caption.c_str(), -1, &r, kTextFormat);
        }
    }
    SelectObject(dc, oldFont);
}

void TBmpTxtButton::PaintDisabledGlyph(owl::TDC& dc, const owl::TRect& cel, const owl::TRect& at) {
    GdiplusSession session;
    owl::TCelArray* cels = GetCelArray();
    // The cel on its own, as the image to draw.
    owl::TBitmap single(cel.Width(), cel.Height());
    {
        owl::TMemoryDC from;
        from.SelectBitmap(cels->Bitmap());
        owl::TMemoryDC to;
        to.SelectBitmap(single);
        BitBlt(to, 0, 0, cel.Width(), cel.Height(), from, cel.left, cel.top, SRCCOPY);
    }
    GpBitmap* image = nullptr;
    if (GdipCreateBitmapFromHBITMAP(single, nullptr, &image) != Gdiplus::Ok)
        return;
    GpImageAttributes* attributes = nullptr;
    GdipCreateImageAttributes(&attributes);
    Gdiplus::PixelFormat format = 0;
    GdipGetImagePixelFormat(reinterpret_cast<GpImage*>(image), &format);
    if (format != Gdiplus::PixelFormat32bppPARGB) {
        const Gdiplus::ColorMap grey{{kOpaqueLightGrey}, {0x00000000}};
        GdipSetImageAttributesRemapTable(attributes, Gdiplus::ColorAdjustTypeDefault, TRUE, 1,
                                         &grey);
    }
    Gdiplus::ColorMatrix matrix;
    DisabledGlyphMatrix(matrix.m);
    GdipSetImageAttributesColorMatrix(attributes, Gdiplus::ColorAdjustTypeDefault, TRUE, &matrix,
                                      nullptr, Gdiplus::ColorMatrixFlagsDefault);
    GpGraphics* graphics = nullptr;
    if (GdipCreateFromHDC(dc, &graphics) == Gdiplus::Ok) {
        GdipDrawImageRectRectI(graphics, reinterpret_cast<GpImage*>(image), at.left, at.top,
                               at.Width(), at.Height(), 0, 0, cel.Width(), cel.Height(),
                               Gdiplus::UnitPixel, attributes, nullptr, nullptr);
        GdipDeleteGraphics(graphics);
    }
    GdipDisposeImageAttributes(attributes);
    GdipDisposeImage(reinterpret_cast<GpImage*>(image));
}

void TBmpTxtButton::PaintFocus(owl::TDC& dc, const owl::TRect& faceRect) {
    focusByTab_ = false;
    if (!Classic()) {
        RECT r = faceRect.InflatedBy(-3, -3);
        DrawFocusRect(dc, &r);
        return;
    }
    if (IsButtonClass()) {
        RECT r = faceRect.InflatedBy(-2, -2);
        DrawFocusRect(dc, &r);
        return;
    }
    // A toolbar button shows its focus as a raised outline.
    const HPEN light = CreatePen(PS_SOLID, 1, GetSysColor(COLOR_BTNHIGHLIGHT));
    const HPEN dark = CreatePen(PS_SOLID, 1, GetSysColor(COLOR_BTNSHADOW));
    const HGDIOBJ old = SelectObject(dc, light);
    const owl::TRect& r = faceRect;
    MoveToEx(dc, r.left, r.bottom - 1, nullptr);
    LineTo(dc, r.left, r.top);
    LineTo(dc, r.right - 1, r.top);
    SelectObject(dc, dark);
    LineTo(dc, r.right - 1, r.bottom - 1);
    LineTo(dc, r.left, r.bottom - 1);
    SelectObject(dc, old);
    DeleteObject(light);
    DeleteObject(dark);
}

}  // namespace TevControls
