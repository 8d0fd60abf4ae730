// A device context's view of its target bitmap: logical coordinates to target pixels,
// clipping, and the brush at a point (internal to the platform runtime).
#pragma once

#include <algorithm>

#include "platform/gdi/gdi_objects.h"

namespace gdi_internal {

class Canvas {
public:
    explicit Canvas(HDC handle) : dc_(ContextOf(handle)) {
        if (dc_ != nullptr)
            target_ = TargetOf(*dc_);
        if (target_ != nullptr) {
            const RECT& c = dc_->state.clip;
            const RECT& b = dc_->bounds;
            clip_ = RECT{std::max(c.left, b.left), std::max(c.top, b.top),
                         std::min(c.right, b.right), std::min(c.bottom, b.bottom)};
            clip_.left = std::max<LONG>(clip_.left, 0);
            clip_.top = std::max<LONG>(clip_.top, 0);
            clip_.right = std::min<LONG>(clip_.right, target_->width);
            clip_.bottom = std::min<LONG>(clip_.bottom, target_->height);
        }
    }

    bool Valid() const { return target_ != nullptr; }
    DeviceContext& Context() { return *dc_; }
    DeviceState& State() { return dc_->state; }
    Bitmap& Target() { return *target_; }

    // Target pixel of a logical point.
    int TargetX(int x) const { return x + dc_->targetOffset.x + dc_->state.viewportOrigin.x; }
    int TargetY(int y) const { return y + dc_->targetOffset.y + dc_->state.viewportOrigin.y; }
    // Device point (what brush origins refer to) of a target pixel.
    int DeviceX(int targetX) const { return targetX - dc_->targetOffset.x; }
    int DeviceY(int targetY) const { return targetY - dc_->targetOffset.y; }

    bool Visible(int tx, int ty) const {
        return tx >= clip_.left && ty >= clip_.top && tx < clip_.right && ty < clip_.bottom;
    }

    // Sets a target pixel when it lies inside the clip.
    void Put(int tx, int ty, Pixel p) {
        if (Visible(tx, ty))
            target_->At(tx, ty) = p;
    }
    Pixel* At(int tx, int ty) { return Visible(tx, ty) ? &target_->At(tx, ty) : nullptr; }

    // Fills a logical rectangle with a brush (nothing for a null brush).
    void Fill(const RECT& logical, HBRUSH brush) {
        for (int ty = TargetY(logical.top); ty < TargetY(logical.bottom); ++ty) {
            for (int tx = TargetX(logical.left); tx < TargetX(logical.right); ++tx) {
                if (!Visible(tx, ty))
                    continue;
                Pixel p;
                if (BrushColour(brush, DeviceX(tx), DeviceY(ty), dc_->state.brushOrigin, &p)) {
                    target_->At(tx, ty) = p;
                }
            }
        }
    }

    void FillColour(const RECT& logical, COLORREF colour) {
        const Pixel p = ToPixel(colour);
        for (int ty = TargetY(logical.top); ty < TargetY(logical.bottom); ++ty) {
            for (int tx = TargetX(logical.left); tx < TargetX(logical.right); ++tx)
                Put(tx, ty, p);
        }
    }

private:
    DeviceContext* dc_ = nullptr;
    Bitmap* target_ = nullptr;
    RECT clip_{};
};

}  // namespace gdi_internal
