// The scalar types of the Windows interfaces, with the widths they have there.
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
