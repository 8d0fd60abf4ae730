// The scalar types of the Windows interfaces, with the widths they have there (64-bit Windows),
// and the value types that both the user-interface and GDI stand-ins use: points, sizes,
// rectangles, colours, GDI object handles and icons. Everything of the platform may include
// it; it includes nothing of the platform.
// LONG is 32 bits here as on Windows, unlike the C type long on Linux.
#pragma once

#include <cstdint>

using BYTE = std::uint8_t;
using WORD = std::uint16_t;
using DWORD = std::uint32_t;
using UINT = std::uint32_t;
using INT = std::int32_t;
using LONG = std::int32_t;
using ULONG = std::uint32_t;
using LONGLONG = std::int64_t;
using ULONGLONG = std::uint64_t;
using BOOL = std::int32_t;
using HRESULT = std::int32_t;
using SCODE = std::int32_t;
using UINT_PTR = std::uintptr_t;
using LONG_PTR = std::intptr_t;
using INT_PTR = std::intptr_t;
using HANDLE = void*;

// A UTF-16 code unit; Windows' WCHAR and OLECHAR.
using WCHAR = char16_t;
using OLECHAR = char16_t;
using LPWSTR = WCHAR*;
using LPCWSTR = const WCHAR*;
using LPOLESTR = OLECHAR*;
using LPCOLESTR = const OLECHAR*;

// 16-bit boolean of the COM interfaces: -1 true, 0 false.
using VARIANT_BOOL = std::int16_t;
inline constexpr VARIANT_BOOL VARIANT_TRUE = -1;
inline constexpr VARIANT_BOOL VARIANT_FALSE = 0;

inline constexpr BOOL TRUE = 1;
inline constexpr BOOL FALSE = 0;

// A module handle is the module's load address; a null module is the host executable.
struct HINSTANCE__;
using HINSTANCE = HINSTANCE__*;
using HMODULE = HINSTANCE;

// A window handle; a null handle is no window.
struct HWND__;
using HWND = HWND__*;

// GDI object handles (GDI objects live in the platform runtime's object table). As on
// Windows, every typed handle converts to the untyped HGDIOBJ.
using HGDIOBJ = void*;
struct HDC__;
using HDC = HDC__*;
struct HBITMAP__;
using HBITMAP = HBITMAP__*;
struct HBRUSH__;
using HBRUSH = HBRUSH__*;
struct HFONT__;
using HFONT = HFONT__*;
struct HPEN__;
using HPEN = HPEN__*;
struct HRGN__;
using HRGN = HRGN__*;

// Icons and cursors (the user interface loads them, GDI draws them).
struct HICON__;
using HICON = HICON__*;
using HCURSOR = HICON;

struct POINT {
    LONG x = 0;
    LONG y = 0;
    constexpr bool operator==(const POINT&) const = default;
};

struct SIZE {
    LONG cx = 0;
    LONG cy = 0;
    constexpr bool operator==(const SIZE&) const = default;
};

struct RECT {
    LONG left = 0;
    LONG top = 0;
    LONG right = 0;
    LONG bottom = 0;
    constexpr bool operator==(const RECT&) const = default;
};

constexpr LONG RectWidth(const RECT& r) {
    return r.right - r.left;
}
constexpr LONG RectHeight(const RECT& r) {
    return r.bottom - r.top;
}

using COLORREF = DWORD;

// 0x00BBGGRR, as Windows keeps colours.
constexpr COLORREF RGB(int r, int g, int b) {
    return static_cast<COLORREF>((r & 0xFF) | ((g & 0xFF) << 8) | ((b & 0xFF) << 16));
}
constexpr BYTE GetRValue(COLORREF c) {
    return static_cast<BYTE>(c & 0xFF);
}
constexpr BYTE GetGValue(COLORREF c) {
    return static_cast<BYTE>((c >> 8) & 0xFF);
}
constexpr BYTE GetBValue(COLORREF c) {
    return static_cast<BYTE>((c >> 16) & 0xFF);
}
inline constexpr COLORREF CLR_INVALID = 0xFFFFFFFF;
