#include "support/unit_test/unit_test_exception.h"

#include <string>

namespace Tev {
namespace {

// The text after the last folder separator: a backslash as the host's paths have it, or a
// slash as paths have it here.
String FileNameOnly(const String& file) {
    std::size_t start = 0;
    for (std::size_t i = 0; i < file.Length(); ++i) {
        if (file[i] == u'\\' || file[i] == u'/')
            start = i + 1;
    }
    return file.Substring(start, String::npos);
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
