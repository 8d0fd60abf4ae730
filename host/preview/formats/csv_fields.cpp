#include "host/preview/formats/csv_fields.h"

namespace preview {

std::string_view Trim(std::string_view field) {
    while (!field.empty() && (field.front() == ' ' || field.front() == '\t'))
        field.remove_prefix(1);
    while (!field.empty() && (field.back() == ' ' || field.back() == '\t'))
        field.remove_suffix(1);
    if (field.size() >= 2 && field.front() == '"' && field.back() == '"')
        field = Trim(field.substr(1, field.size() - 2));
    return field;
}

bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; };
        if (lower(a[i]) != lower(b[i]))
            return false;
    }
    return true;
}

std::string Quoted(std::string_view field) {
    constexpr std::size_t kShown = 40;
    std::string text = "\"";
    for (std::size_t i = 0; i < field.size() && i < kShown; ++i) {
        const unsigned char c = static_cast<unsigned char>(field[i]);
        text += c < 0x20 || c == 0x7F ? '?' : static_cast<char>(c);
    }
    if (field.size() > kShown)
        text += "...";
    return text + "\"";
}

std::optional<ColumnName> SplitColumnName(std::string_view field) {
    if (field.empty() || field.back() != ')')
        return std::nullopt;
    const std::size_t open = field.rfind('(');
    if (open == std::string_view::npos)
        return std::nullopt;
    return ColumnName{Trim(field.substr(0, open)),
                      Trim(field.substr(open + 1, field.size() - open - 2))};
}

}  // namespace preview
