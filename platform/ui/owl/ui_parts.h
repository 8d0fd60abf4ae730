// Drawing parts of the toolkit's own controls: the cel array that holds a button's glyphs,
// the 3-D borders, and button faces with embossed (disabled) text.
#pragma once

#include <memory>

#include "platform/ui/owl/gdi_objects.h"
#include "platform/ui/owl/module.h"

namespace owl {

// A bitmap divided into cels of equal width, side by side.
class TCelArray {
public:
    // Takes the bitmap over; `cels` cels across its width.
    TCelArray(std::unique_ptr<TBitmap> bitmap, int cels);
    // `cels` empty cels of the given size.
    TCelArray(const TSize& celSize, int cels);

    int NumCels() const { return cels_; }
    TSize CelSize() const { return celSize_; }
    TRect CelRect(int cel) const;
    TBitmap& Bitmap() { return *bitmap_; }
    // Copies a bitmap into a cel (scaled to the cel's size when they differ).
    void SetCel(int cel, HBITMAP image);

private:
    std::unique_ptr<TBitmap> bitmap_;
    int cels_;
    TSize celSize_;
};

// The library's 3-D borders.
class TUIBorder {
public:
    enum TStyle {
        None,
        Plain,
        Raised,
        Recessed,
        Embossed,
        Grooved,
        ButtonUp,
        ButtonDn,
        WndRaised,
        WndRecessed,
        WellSet,
    };

    TUIBorder(const TRect& frame, TStyle style);
    void Paint(TDC& dc) const;
    // What lies inside the border.
    TRect GetClientRect() const;

private:
    TRect frame_;
    TStyle style_;
};

// A button face's text.
class TUIFace {
public:
    enum TState { Normal, Down, Indeterm, Disabled, Default };

    TUIFace(const TRect& face, const tstring& text);
    // Draws the text with `format` (DrawText flags) in the face. Disabled text is embossed:
    // once in the highlight colour one pixel down and right, then in the shadow colour.
    void Paint(TDC& dc, TState state, UINT format) const;

private:
    TRect face_;
    tstring text_;
};

}  // namespace owl
