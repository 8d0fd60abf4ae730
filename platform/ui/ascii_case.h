// Comparing texts with the letters A to Z taken as their lower-case forms, as window class
// names and combo box searches compare (internal).
#pragma once

#include <algorithm>
#include <string_view>

namespace winui {

inline char16_t LowerAscii(char16_t c) {
    return (c >= u'A' && c <= u'Z') ? static_cast<char16_t>(c + 32) : c;
}

inline bool EqualIgnoringAsciiCase(std::u16string_view a, std::u16string_view b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                      [](char16_t x, char16_t y) { return LowerAscii(x) == LowerAscii(y); });
}

}  // namespace winui
