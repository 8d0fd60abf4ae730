// Converts the C library's date and time formats (strftime conversions, "%d.%m.%Y") into the
// format pictures that regional-settings queries answer with ("dd.MM.yyyy").
#pragma once

#include <string>
#include <string_view>

namespace locale {

// The picture of a strftime format: %d dd, %e d, %m MM, %y yy, %Y yyyy, %b MMM, %B MMMM,
// %a ddd, %A dddd, %H HH, %k H, %I hh, %l h, %M mm, %S ss, %p tt; %T, %R, %r, %D, %F, %X and
// %x are expanded; time zones and padding flags are dropped; letters of literal text are
// quoted ('at'), and a quote is doubled.
std::wstring PictureOf(std::wstring_view format);

// The picture of the date part of a date-and-time format: its time conversions, the zone,
// and the literal text that joined them to the date are removed.
std::wstring DatePictureOf(std::wstring_view dateTimeFormat);

// The literal text between the first two consecutive time fields (":" in "%H:%M"), or
// `fallback` when there is none.
std::wstring TimeSeparatorOf(std::wstring_view timeFormat, std::wstring_view fallback);
// The literal text between the first two consecutive date fields ("." in "%d.%m.%Y").
std::wstring DateSeparatorOf(std::wstring_view dateFormat, std::wstring_view fallback);

// Whether the time format shows hours of a 24-hour clock.
bool UsesTwentyFourHours(std::wstring_view timeFormat);
// Whether the AM/PM designator comes before the hours in the time format.
bool TimeMarkerFirst(std::wstring_view timeFormat);

}  // namespace locale
