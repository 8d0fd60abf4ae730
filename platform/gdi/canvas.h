// A device context's view of its target bitmap: logical coordinates to target pixels,
// clipping, and the brush at a point (internal to the platform runtime).
#pragma once

#include <algorithm>
#include <cstdlib>

#include "platform/gdi/gdi_objects.h"

namespace gdi {

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

    // A line between logical points in `colour`: Bresenham, without the end point, as GDI
    // draws lines.
    void Line(int x0, int y0, int x1, int y1, Pixel colour) {
        const int dx = std::abs(x1 - x0);
        const int dy = -std::abs(y1 - y0);
        const int sx = x0 < x1 ? 1 : -1;
        const int sy = y0 < y1 ? 1 : -1;
        int error = dx + dy;
        while (x0 != x1 || y0 != y1) {
            Put(TargetX(x0), TargetY(y0), colour);
            const int e2 = 2 * error;
            if (e2 >= dy) {
                error += dy;
                x0 += sx;
            }
            if (e2 <= dx) {
                error += dx;
                y0 += sy;
            }
        }
    }

    // The part of a logical rectangle that lies inside the clip, in target pixels.
    RECT Clipped(const RECT& logical) const {
        return RECT{std::max<LONG>(TargetX(logical.left), clip_.left),
                    std::max<LONG>(TargetY(logical.top), clip_.top),
                    std::min<LONG>(TargetX(logical.right), clip_.right),
                    std::min<LONG>(TargetY(logical.bottom), clip_.bottom)};
    }

    // Fills a logical rectangle with a brush (nothing for a null brush).
    void Fill(const RECT& logical, HBRUSH brush) {
        const RECT area = Clipped(logical);
        Pixel solid = 0;
        if (IsSolid(brush, &solid)) {
            FillTarget(area, solid);
            return;
        }
        if (Brush* b = Get<Brush>(brush); b != nullptr && b->style == Brush::Style::Pattern)
            FillPattern(area, b->pattern);
    }

    void FillColour(const RECT& logical, COLORREF colour) {
        FillTarget(Clipped(logical), ToPixel(colour));
    }

private:
    // Rows of the target are contiguous whichever way up it is, so both fills go a row at a time.
    void FillTarget(const RECT& area, Pixel p) {
        for (int ty = area.top; ty < area.bottom && area.left < area.right; ++ty)
            std::fill_n(&target_->At(area.left, ty), area.right - area.left, p);
    }

    // The pattern repeats from the brush origin, in device points (as BrushColour gives it).
    void FillPattern(const RECT& area, Bitmap& pattern) {
        if (pattern.width <= 0 || pattern.height <= 0)
            return;
        const POINT origin = dc_->state.brushOrigin;
        const auto wrap = [](int value, int size) {
            const int rest = value % size;
            return rest < 0 ? rest + size : rest;
        };
        for (int ty = area.top; ty < area.bottom && area.left < area.right; ++ty) {
            const Pixel* from = &pattern.At(0, wrap(DeviceY(ty) - origin.y, pattern.height));
            Pixel* to = &target_->At(area.left, ty);
            int px = wrap(DeviceX(area.left) - origin.x, pattern.width);
            for (int n = area.right - area.left; n > 0; --n) {
                *to++ = from[px] | 0xFF000000u;
                if (++px == pattern.width)
                    px = 0;
            }
        }
    }

    // A brush of one colour everywhere gives its colour; patterns and the null brush do not.
    static bool IsSolid(HBRUSH brush, Pixel* colour) {
        const auto value = reinterpret_cast<std::uintptr_t>(brush);
        const bool systemIndex =
            value >= 1 && value <= static_cast<std::uintptr_t>(kSystemColorCount);
        if (!systemIndex) {
            const Brush* b = Get<Brush>(brush);
            if (b == nullptr || b->style == Brush::Style::Pattern ||
                b->style == Brush::Style::Null) {
                return false;
            }
        }
        return BrushColour(brush, 0, 0, POINT{}, colour);
    }

    DeviceContext* dc_ = nullptr;
    Bitmap* target_ = nullptr;
    RECT clip_{};
};

}  // namespace gdi
