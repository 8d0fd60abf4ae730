#include "support/string/leading_whole.h"

#include <algorithm>

namespace Tev {
namespace {

bool IsBlank(char16_t c) {
    return c == u' ' || (c >= u'\t' && c <= u'\r');
}

bool IsDigit(char16_t c) {
    return c >= u'0' && c <= u'9';
}

}  // namespace

std::size_t SkipBlanksAndSign(std::u16string_view text, bool& negative) {
    std::size_t i = 0;
    while (i < text.size() && IsBlank(text[i]))
        ++i;
    negative = false;
    if (i < text.size() && (text[i] == u'+' || text[i] == u'-'))
        negative = text[i++] == u'-';
    return i;
}

std::optional<LeadingWhole> ReadLeadingWhole(std::u16string_view text, long long saturation) {
    bool negative = false;
    const std::size_t digits = SkipBlanksAndSign(text, negative);
    std::size_t i = digits;
    long long value = 0;
    for (; i < text.size() && IsDigit(text[i]); ++i)
        value = std::min(value * 10 + (text[i] - u'0'), saturation);
    if (i == digits)
        return std::nullopt;
    return LeadingWhole{negative ? -value : value, i};
}

}  // namespace Tev
