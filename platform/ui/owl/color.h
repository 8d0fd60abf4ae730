// TColor: a colour value, a system colour, or one of the special values "transparent" and
// "none" that windows use for their background colour.
#pragma once

#include "platform/ui/user.h"

namespace owl {

class TColor {
public:
    constexpr TColor() = default;
    constexpr TColor(COLORREF value) : value_(value & 0x00FFFFFF) {}
    constexpr TColor(int r, int g, int b) : value_(RGB(r, g, b)) {}
    static constexpr TColor FromSystem(int index) {
        TColor c;
        c.value_ = kSystemFlag | static_cast<DWORD>(index);
        return c;
    }

    static const TColor None;
    static const TColor Transparent;
    static const TColor Black;
    static const TColor White;
    static const TColor Sys3dFace;
    static const TColor SysWindowText;

    bool IsSystemColor() const { return (value_ & kKindMask) == kSystemFlag; }
    bool IsSpecial() const { return (value_ & kKindMask) == kSpecialFlag; }
    // The colour to draw with: a system colour resolved to its current value.
    COLORREF GetValue() const {
        if (IsSystemColor())
            return GetSysColor(static_cast<int>(value_ & 0xFF));
        return value_ & 0x00FFFFFF;
    }
    operator COLORREF() const { return GetValue(); }
    constexpr bool operator==(const TColor& other) const { return value_ == other.value_; }

private:
    static constexpr DWORD kKindMask = 0xFF000000;
    static constexpr DWORD kSystemFlag = 0x80000000;
    static constexpr DWORD kSpecialFlag = 0xFF000000;
    constexpr explicit TColor(DWORD raw, int) : value_(raw) {}

    DWORD value_ = 0;
};

inline const TColor TColor::None{0xFF000000, 0};
inline const TColor TColor::Transparent{0xFF000001, 0};
inline const TColor TColor::Black{RGB(0, 0, 0)};
inline const TColor TColor::White{RGB(255, 255, 255)};
inline const TColor TColor::Sys3dFace = TColor::FromSystem(COLOR_BTNFACE);
inline const TColor TColor::SysWindowText = TColor::FromSystem(COLOR_WINDOWTEXT);

}  // namespace owl
