// The failure of a self-test assertion. Its message names the place and the expression:
//   test_EventConfig, Line 19 [file1==file2]
//   file, Line 7 [a == b], [extra text]
// The file name is shown without its folders; the bracketed parts only when not empty.
#pragma once

#include <exception>
#include <string>

#include "support/string/tev_string.h"

namespace Tev {

class UnitTestException : public std::exception {
public:
    UnitTestException(const String& file, int line, const String& expression,
                      const String& extra = String());

    const char* what() const noexcept override;
    const String& Message() const { return message_; }

    // The message for an assertion at `file`, `line`.
    static String FormatMessage(const String& file, int line, const String& expression,
                                const String& extra);

private:
    String message_;
    std::string narrow_;  // what() must not fail, so the narrow text is made up front
};

}  // namespace Tev
