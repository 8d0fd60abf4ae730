#include "support/format/word_wrap.h"

#include <algorithm>
#include <string>

namespace Tev {
namespace {

constexpr std::size_t kNone = std::u16string::npos;

bool IsBreakCharacter(char16_t c) {
    return std::u16string_view(BreakCharacters).find(c) != std::u16string_view::npos;
}

// The last break character in [from, to], scanning backward; kNone when there is none.
std::size_t LastBreakCharacter(const std::u16string& text, std::size_t from, std::size_t to) {
    for (std::size_t i = to + 1; i-- > from;) {
        if (IsBreakCharacter(text[i]))
            return i;
    }
    return kNone;
}

// The last unit at or before `i` that is not a space; kNone when there is none.
std::size_t LastNonSpace(const std::u16string& text, std::size_t i) {
    for (std::size_t j = i + 1; j-- > 0;) {
        if (text[j] != u' ')
            return j;
    }
    return kNone;
}

}  // namespace

void WordWrap(String& text, int width) {
    if (width < 1)
        return;
    const auto columns = static_cast<std::size_t>(width);
    std::u16string wrapped(text.View());
    bool changed = false;
    std::size_t pos = 0;
    while (pos + columns < wrapped.size()) {
        std::size_t lineEnd = wrapped.find(u'\n', pos);
        if (lineEnd == kNone)
            lineEnd = wrapped.size();
        if (pos + columns >= lineEnd) {
            pos = lineEnd + 1;
            continue;
        }
        const std::size_t last = std::min(pos + columns, wrapped.size() - 1);
        const std::size_t breakAt = LastBreakCharacter(wrapped, pos, last);
        if (breakAt == kNone) {
            pos += columns / 10 + 1;
            continue;
        }
        wrapped.insert(breakAt + 1, 1, u'\n');
        changed = true;
        const std::size_t keep = LastNonSpace(wrapped, breakAt);
        if (keep == breakAt) {
            pos = breakAt + 1;  // at the inserted line feed
        } else {
            // Remove the spaces that end the line; the line feed moves to just after `keep`.
            const std::size_t firstSpace = keep == kNone ? 0 : keep + 1;
            wrapped.erase(firstSpace, breakAt + 1 - firstSpace);
            pos = firstSpace + 1;
        }
    }
    if (changed)
        text = String(std::u16string_view(wrapped));
}

String WordWrapped(const String& text, int width) {
    String result(text);
    WordWrap(result, width);
    return result;
}

}  // namespace Tev
