// Conversions between the platform's text encodings: UTF-8 (the narrow encoding), UTF-16
// (char16_t, the platform's WCHAR) and the C++ wide characters (wchar_t, one UTF-32 code point
// each on Linux, which the standard wide streams use).
//
// Ill-formed input never fails these conversions:
// - an ill-formed UTF-8 sequence becomes one U+FFFD per maximal ill-formed part, the usual
//   Unicode practice;
// - a lone UTF-16 surrogate becomes U+FFFD in UTF-8;
// - between UTF-16 and wchar_t a lone surrogate keeps its value, so that any UTF-16 text goes
//   to a wide stream and back unchanged; a wchar_t beyond U+10FFFF becomes U+FFFD.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace text {

inline constexpr char32_t kReplacement = 0xFFFD;

// Converts `size` bytes of UTF-8 at `in`. Writes at most `capacity` units to `out` (which may
// be null when `capacity` is 0) and returns the number of units the whole text needs. Sets
// *replaced (when given) to whether any ill-formed sequence was replaced.
std::size_t Utf8ToUtf16(const char* in, std::size_t size, char16_t* out, std::size_t capacity,
                        bool* replaced = nullptr);

// Converts `size` UTF-16 units at `in` to UTF-8, with the same contract as Utf8ToUtf16.
std::size_t Utf16ToUtf8(const char16_t* in, std::size_t size, char* out, std::size_t capacity,
                        bool* replaced = nullptr);

std::u16string ToUtf16(std::string_view utf8);
std::string ToUtf8(std::u16string_view utf16);

// Writes the UTF-16 form of one wide character into `out` and returns its units (1 or 2).
std::size_t WideToUtf16(wchar_t c, char16_t out[2]);
std::u16string WideToUtf16(std::wstring_view wide);
std::wstring Utf16ToWide(std::u16string_view utf16);

inline bool IsHighSurrogate(char16_t unit) {
    return unit >= 0xD800 && unit <= 0xDBFF;
}
inline bool IsLowSurrogate(char16_t unit) {
    return unit >= 0xDC00 && unit <= 0xDFFF;
}

}  // namespace text
