#include "support/unit_test/unit_test_exception.h"

#include <string>

namespace Tev {
namespace {

// The text after the last folder separator: a backslash as the host's paths have it, or a
// slash as paths have it here.
String FileNameOnly(const String& file) {
    const std::size_t separator = file.View().find_last_of(u"\\/");
    return separator == std::u16string_view::npos ? file : file.Substring(separator + 1);
}

}  // namespace

UnitTestException::UnitTestException(const String& file, int line, const String& expression,
                                     const String& extra)
    : message_(FormatMessage(file, line, expression, extra)), narrow_(message_.ToNarrow()) {}

const char* UnitTestException::what() const noexcept {
    return narrow_.c_str();
}

String UnitTestException::FormatMessage(const String& file, int line, const String& expression,
                                        const String& extra) {
    String message = FileNameOnly(file);
    message += u", Line ";
    message += String(std::to_string(line));
    if (!expression.IsEmpty()) {
        message += u" [";
        message += expression;
        message += u"]";
    }
    if (!extra.IsEmpty()) {
        message += u", [";
        message += extra;
        message += u"]";
    }
    return message;
}

}  // namespace Tev
