// The toolkit's point, size and rectangle types: the Windows structures with a few helpers.
#pragma once

#include <algorithm>

#include "platform/ui/user_types.h"

namespace owl {

struct TPoint : POINT {
    TPoint() = default;
    TPoint(LONG px, LONG py) : POINT{px, py} {}
    TPoint(const POINT& p) : POINT(p) {}
    TPoint OffsetBy(LONG dx, LONG dy) const { return TPoint(x + dx, y + dy); }
};

struct TSize : SIZE {
    TSize() = default;
    TSize(LONG w, LONG h) : SIZE{w, h} {}
    TSize(const SIZE& s) : SIZE(s) {}
};

struct TRect : RECT {
    TRect() = default;
    TRect(LONG l, LONG t, LONG r, LONG b) : RECT{l, t, r, b} {}
    TRect(const RECT& r) : RECT(r) {}
    TRect(const TPoint& origin, const TSize& extent)
        : RECT{origin.x, origin.y, origin.x + extent.cx, origin.y + extent.cy} {}

    LONG Width() const { return right - left; }
    LONG Height() const { return bottom - top; }
    TSize Size() const { return TSize(Width(), Height()); }
    TPoint TopLeft() const { return TPoint(left, top); }
    TPoint BottomRight() const { return TPoint(right, bottom); }
    bool IsEmpty() const { return right <= left || bottom <= top; }
    bool Contains(const POINT& p) const {
        return p.x >= left && p.x < right && p.y >= top && p.y < bottom;
    }
    TRect& Offset(LONG dx, LONG dy) {
        left += dx;
        right += dx;
        top += dy;
        bottom += dy;
        return *this;
    }
    TRect OffsetBy(LONG dx, LONG dy) const { return TRect(*this).Offset(dx, dy); }
    TRect& Inflate(LONG dx, LONG dy) {
        left -= dx;
        right += dx;
        top -= dy;
        bottom += dy;
        return *this;
    }
    TRect InflatedBy(LONG dx, LONG dy) const { return TRect(*this).Inflate(dx, dy); }
    TRect& MoveTo(LONG x, LONG y) { return Offset(x - left, y - top); }
};

}  // namespace owl
