// The positional formatter: fills the numbered placeholders of a message ("%1" to "%20") with
// the values inserted into it, in insertion order (the n-th insertion is argument n).
//
// Format syntax:
// - "%N" with N from 1 to 20 is a placeholder for argument N. A backslash right after the
//   number ends the placeholder and is dropped, so that a digit may follow: "%1\5".
// - "%%" is a literal percent sign. When the format has at least one placeholder, "%%" in its
//   text comes out as "%"; a format without any placeholder is written unchanged, "%%" included.
// - A percent sign not followed by a number (or by 0) stays as it is.
// - The number is read as the C library's wcstol reads it, so leading white space and a sign
//   belong to it ("% 1" is argument 1, "%-1" stays literal).
// - Beyond what the messages use: a number above 20, and any placeholder after the twentieth
//   one of a format, are not placeholders; their text stays literal and takes no argument.
// - When a number occurs more than once, only its last occurrence receives the argument; the
//   earlier ones come out empty.
//
// Output: nothing is written until the argument with the highest placeholder number has been
// inserted; then the whole result is written in one pass. Arguments whose number has no
// placeholder are collected and dropped; insertions after the result was written are ignored.
//
// Values are formatted by an inner Tev::OStringStream with the standard wide-stream formatting
// (precision 6 for double) in the global locale current when the formatter was made.
#pragma once

#include <array>
#include <cstddef>
#include <streambuf>

#include "support/format/o_string_stream.h"
#include "support/string/tev_string.h"

namespace Tev {

class OFormatStream : virtual public std::basic_ios<wchar_t> {
public:
    static constexpr int kMaxPlaceholderNumber = 20;
    static constexpr std::size_t kMaxOccurrences = 20;

    // Parses `format` (shared, not copied) and writes to `output` (which may be null: nothing is
    // written).
    OFormatStream(const String& format, std::basic_streambuf<wchar_t>* output);
    OFormatStream(const OFormatStream&) = delete;
    OFormatStream& operator=(const OFormatStream&) = delete;

    OFormatStream& operator<<(const wchar_t* text);
    OFormatStream& operator<<(const char16_t* text);
    OFormatStream& operator<<(const String& text) { return Insert(text); }
    OFormatStream& operator<<(int value) { return Insert(value); }
    OFormatStream& operator<<(unsigned value) { return Insert(value); }
    OFormatStream& operator<<(long value) { return Insert(value); }
    OFormatStream& operator<<(unsigned long value) { return Insert(value); }
    OFormatStream& operator<<(long long value) { return Insert(value); }
    OFormatStream& operator<<(double value) { return Insert(value); }

    // Closes the argument just inserted into ArgumentStream().
    void NextArgument();
    // The inner stream that formats the arguments (to set its precision, for example).
    std::basic_ostream<wchar_t>& ArgumentStream() { return arguments_; }
    // The highest placeholder number: how many arguments the formatter waits for.
    int ArgumentsExpected() const { return highest_; }

protected:
    // For a derived stream that attaches its own buffer once it exists.
    explicit OFormatStream(const String& format);
    // Parses the format; a format without placeholders is written out at once.
    void Attach(std::basic_streambuf<wchar_t>* output);

private:
    struct Occurrence {
        std::size_t start = 0;  // the percent sign
        std::size_t end = 0;    // after the number (and its backslash)
        bool doubledPercentBefore = false;
        bool hasArgument = false;
        std::size_t argumentStart = 0;  // in the inner stream, in UTF-16 units
        std::size_t argumentEnd = 0;
    };

    // Formats one argument into the inner stream and closes it.
    template <class Value>
    OFormatStream& Insert(const Value& value) {
        arguments_ << value;
        NextArgument();
        return *this;
    }
    void Parse();
    void Emit();
    void Write(const char16_t* units, std::size_t count);
    void WriteLiteral(std::size_t from, std::size_t to, bool reduceDoubledPercent);

    String format_;
    OStringStream arguments_;
    std::basic_streambuf<wchar_t>* output_ = nullptr;
    std::array<Occurrence, kMaxOccurrences> occurrences_{};
    std::size_t occurrenceCount_ = 0;
    std::array<int, kMaxPlaceholderNumber + 1> occurrenceOfArgument_{};  // -1: none
    bool doubledPercentAtEnd_ = false;
    int highest_ = 0;
    int closed_ = 0;
    std::size_t argumentStart_ = 0;
};

// A formatter whose output is its own string: str() returns the formatted text.
class OFormatStringStream : public OFormatStream {
public:
    explicit OFormatStringStream(const String& format);

    String str() { return buffer_.str(); }

private:
    StringStreamBuf buffer_;
};

}  // namespace Tev
