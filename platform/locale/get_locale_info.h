// The regional-settings query of the platform runtime. The user's settings are those that the
// process environment names for the C library (LC_ALL, then LC_NUMERIC, LC_TIME or LC_CTYPE,
// then LANG), read from that locale's data.
#pragma once

#include "platform/win_types.h"

using LCID = DWORD;
using LCTYPE = DWORD;
using LPSTR = char*;

inline constexpr LCID LOCALE_USER_DEFAULT = 0x0400;
inline constexpr LCID LOCALE_SYSTEM_DEFAULT = 0x0800;

// Flags that may be combined with a field; the answer is the same with or without them.
inline constexpr LCTYPE LOCALE_NOUSEROVERRIDE = 0x80000000;
inline constexpr LCTYPE LOCALE_USE_CP_ACP = 0x40000000;

// Fields, numeric data (LC_NUMERIC).
inline constexpr LCTYPE LOCALE_SLIST = 0x000C;      // ";" when the decimal separator is ","
inline constexpr LCTYPE LOCALE_SDECIMAL = 0x000E;   // decimal separator
inline constexpr LCTYPE LOCALE_STHOUSAND = 0x000F;  // digit-group separator
// Fields, time and date data (LC_TIME). Formats are pictures: "HH:mm:ss", "dd.MM.yyyy".
inline constexpr LCTYPE LOCALE_SDATE = 0x001D;          // date separator
inline constexpr LCTYPE LOCALE_STIME = 0x001E;          // time separator
inline constexpr LCTYPE LOCALE_SSHORTDATE = 0x001F;     // short date format
inline constexpr LCTYPE LOCALE_SLONGDATE = 0x0020;      // long date format
inline constexpr LCTYPE LOCALE_ITIME = 0x0023;          // "1" for a 24-hour clock, else "0"
inline constexpr LCTYPE LOCALE_S1159 = 0x0028;          // AM designator
inline constexpr LCTYPE LOCALE_S2359 = 0x0029;          // PM designator
inline constexpr LCTYPE LOCALE_STIMEFORMAT = 0x1003;    // time format
inline constexpr LCTYPE LOCALE_ITIMEMARKPOSN = 0x1005;  // "1" when AM/PM precedes the time
// Fields, character data (LC_CTYPE).
inline constexpr LCTYPE LOCALE_IDEFAULTCODEPAGE = 0x000B;  // code-page number, "65001" for UTF-8

// Writes the field `type` of the locale `locale` (LOCALE_USER_DEFAULT or
// LOCALE_SYSTEM_DEFAULT) into `data`, `size` units with the terminator, and returns the units
// written with the terminator. With `size` 0 it writes nothing and returns the units needed.
// Returns 0 when the field or locale is unknown, the environment names a locale that the C
// library does not have (last error ERROR_INVALID_PARAMETER), or `size` is too small
// (ERROR_INSUFFICIENT_BUFFER; nothing is then written).
int GetLocaleInfoW(LCID locale, LCTYPE type, LPWSTR data, int size);
// The same in the narrow encoding (UTF-8); sizes in bytes.
int GetLocaleInfoA(LCID locale, LCTYPE type, LPSTR data, int size);
