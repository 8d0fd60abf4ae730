// The letters A to Z in UTF-16 text, compared or mapped without regard to case, as window class
// names, resource names, theme class names and combo box searches are. Other units stay as they
// are.
#pragma once

#include <algorithm>
#include <string_view>

namespace text {

inline char16_t AsciiToLower(char16_t c) {
    return (c >= u'A' && c <= u'Z') ? static_cast<char16_t>(c + 32) : c;
}

inline char16_t AsciiToUpper(char16_t c) {
    return (c >= u'a' && c <= u'z') ? static_cast<char16_t>(c - 32) : c;
}

inline bool EqualIgnoringAsciiCase(std::u16string_view a, std::u16string_view b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                      [](char16_t x, char16_t y) { return AsciiToLower(x) == AsciiToLower(y); });
}

}  // namespace text
