// The pieces of a CSV line that every CSV reader of the preview reads alike: a field without
// the white space and double quotes around it, a header's "name (unit)", names compared
// without regard to letter case, and a field shown in a message.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace preview {

// The field without spaces and tabs around it and without a pair of double quotes around that.
std::string_view Trim(std::string_view field);

// ASCII letters compared without regard to case.
bool EqualsIgnoringCase(std::string_view a, std::string_view b);

// A short, printable rendering of a field for a message, in double quotes.
std::string Quoted(std::string_view field);

// "Input 3 (mV)" as its name and its unit; nothing when the field has no "(UNIT)" at its end.
struct ColumnName {
    std::string_view Name;
    std::string_view Unit;
};
std::optional<ColumnName> SplitColumnName(std::string_view field);

}  // namespace preview
