#include "dialog/number_text.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <locale>
#include <string>

#include "support/string/leading_whole.h"

namespace Tev::NumberText {
namespace {

bool IsDigit(char16_t c) {
    return c >= u'0' && c <= u'9';
}

std::u16string_view Head(std::u16string_view text) {
    return text.substr(0, kReadLimit);
}

}  // namespace

char16_t DecimalPoint() {
    const wchar_t point = std::use_facet<std::numpunct<wchar_t>>(std::locale()).decimal_point();
    return point < 0x10000 ? static_cast<char16_t>(point) : u'.';
}

std::optional<Reading> LeadingReal(std::u16string_view text) {
    text = Head(text);
    const char16_t point = DecimalPoint();
    bool negative = false;
    std::size_t i = SkipBlanksAndSign(text, negative);
    // The characters after the sign that may belong to the number, in the C form that
    // from_chars reads; it decides how many of them do.
    const std::size_t start = i;
    std::string body;
    for (; i < text.size(); ++i) {
        const char16_t c = text[i];
        if (IsDigit(c) || c == u'e' || c == u'E' || c == u'+' || c == u'-') {
            body.push_back(static_cast<char>(c));
        } else if (c == point) {
            body.push_back('.');
        } else {
            break;
        }
    }
    if (body.empty() || !(IsDigit(static_cast<char16_t>(body[0])) || body[0] == '.')) {
        return std::nullopt;
    }
    double value = 0;
    const char* const first = body.data();
    const auto [end, error] =
        std::from_chars(first, first + body.size(), value, std::chars_format::general);
    if (error == std::errc::invalid_argument)
        return std::nullopt;
    Reading reading;
    reading.consumed = start + static_cast<std::size_t>(end - first);
    if (error == std::errc::result_out_of_range) {
        // Too large or too small for a double: infinity or 0, as the C library reads it.
        reading.overflow = true;
        value = std::isinf(std::strtod(std::string(first, end).c_str(), nullptr)) ? HUGE_VAL : 0.0;
    }
    reading.value = negative ? -value : value;
    return reading;
}

std::optional<long long> LeadingWhole(std::u16string_view text, std::size_t* consumed) {
    const auto whole = ReadLeadingWhole(Head(text), INT32_MAX + 1LL);
    if (!whole)
        return std::nullopt;
    if (consumed != nullptr)
        *consumed = whole->end;
    return std::min<long long>(whole->value, INT32_MAX);
}

bool IsWholeNumber(std::u16string_view text) {
    std::size_t consumed = 0;
    return LeadingWhole(text, &consumed).has_value() && consumed == Head(text).size();
}

bool IsRealNumber(std::u16string_view text) {
    const std::optional<Reading> reading = LeadingReal(text);
    return reading.has_value() && !reading->overflow && reading->consumed == Head(text).size();
}

}  // namespace Tev::NumberText
