// Tev::OStringStream: a wide output stream (std::basic_ostream<wchar_t>) that writes straight
// into a Tev::String through its Tev::StringStreamBuf. str() hands the written string over
// without copying. Numbers are formatted by the standard library in the stream's locale (the
// global one when the stream is made).
#pragma once

#include <ostream>

#include "support/format/string_stream_buf.h"
#include "support/string/tev_string.h"

namespace Tev {

class OStringStream : public std::basic_ostream<wchar_t> {
public:
    OStringStream();
    // Writes after the text of `initial`.
    explicit OStringStream(const String& initial);
    OStringStream(const OStringStream&) = delete;
    OStringStream& operator=(const OStringStream&) = delete;

    String str() { return buffer_.str(); }
    StringStreamBuf* rdbuf() { return &buffer_; }

private:
    StringStreamBuf buffer_;
};

// Writes a Tev::String to any wide stream, honouring the stream's width and fill.
std::basic_ostream<wchar_t>& operator<<(std::basic_ostream<wchar_t>& out, const String& text);

}  // namespace Tev
