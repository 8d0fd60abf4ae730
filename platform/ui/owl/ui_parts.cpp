#include "platform/ui/owl/ui_parts.h"

namespace owl {

TCelArray::TCelArray(std::unique_ptr<TBitmap> bitmap, int cels)
    : bitmap_(std::move(bitmap)), cels_(cels > 0 ? cels : 1) {
    celSize_ = TSize(bitmap_->Width() / cels_, bitmap_->Height());
}

TCelArray::TCelArray(const TSize& celSize, int cels)
    : bitmap_(std::make_unique<TBitmap>(celSize.cx * (cels > 0 ? cels : 1), celSize.cy)),
      cels_(cels > 0 ? cels : 1),
      celSize_(celSize) {}

TRect TCelArray::CelRect(int cel) const {
    return TRect(TPoint(celSize_.cx * cel, 0), celSize_);
}

void TCelArray::SetCel(int cel, HBITMAP image) {
    if (cel < 0 || cel >= cels_ || image == nullptr)
        return;
    BITMAP info;
    GetObjectW(image, sizeof info, &info);
    TMemoryDC source;
    source.SelectBitmap(image);
    TMemoryDC target;
    target.SelectBitmap(*bitmap_);
    const TRect r = CelRect(cel);
    StretchBlt(target, r.left, r.top, r.Width(), r.Height(), source, 0, 0, info.bmWidth,
               info.bmHeight, SRCCOPY);
}

TUIBorder::TUIBorder(const TRect& frame, TStyle style) : frame_(frame), style_(style) {}

void TUIBorder::Paint(TDC& dc) const {
    RECT r = frame_;
    switch (style_) {
        case None:
            break;
        case Plain:
            FrameRect(dc, &r, GetSysColorBrush(COLOR_WINDOWFRAME));
            break;
        case Raised:
            DrawEdge(dc, &r, BDR_RAISEDINNER, BF_RECT);
            break;
        case Recessed:
            DrawEdge(dc, &r, BDR_SUNKENINNER, BF_RECT);
            break;
        case Embossed:
            DrawEdge(dc, &r, EDGE_BUMP, BF_RECT);
            break;
        case Grooved:
            DrawEdge(dc, &r, EDGE_ETCHED, BF_RECT);
            break;
        case ButtonUp:
        case WndRaised:
            DrawEdge(dc, &r, EDGE_RAISED, BF_RECT);
            break;
        case ButtonDn:
            FrameRect(dc, &r, GetSysColorBrush(COLOR_WINDOWFRAME));
            InflateRect(&r, -1, -1);
            FrameRect(dc, &r, GetSysColorBrush(COLOR_BTNSHADOW));
            break;
        case WndRecessed:
        case WellSet:
            DrawEdge(dc, &r, EDGE_SUNKEN, BF_RECT);
            break;
    }
}

TRect TUIBorder::GetClientRect() const {
    switch (style_) {
        case None:
            return frame_;
        case Plain:
        case Raised:
        case Recessed:
            return frame_.InflatedBy(-1, -1);
        default:
            return frame_.InflatedBy(-2, -2);
    }
}

TUIFace::TUIFace(const TRect& face, const tstring& text) : face_(face), text_(text) {}

void TUIFace::Paint(TDC& dc, TState state, UINT format) const {
    const int saved = SaveDC(dc);
    SetBkMode(dc, TRANSPARENT);
    RECT r = face_;
    if (state == Disabled) {
        RECT shifted = r;
        OffsetRect(&shifted, 1, 1);
        SetTextColor(dc, GetSysColor(COLOR_BTNHIGHLIGHT));
        DrawTextW(dc, text_.c_str(), -1, &shifted, format);
        SetTextColor(dc, GetSysColor(COLOR_BTNSHADOW));
    }
    DrawTextW(dc, text_.c_str(), -1, &r, format);
    RestoreDC(dc, saved);
}

}  // namespace owl
