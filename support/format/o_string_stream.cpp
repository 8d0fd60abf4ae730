#include "support/format/o_string_stream.h"

namespace Tev {

// The buffer is a member, made after the stream base: the base starts without one and is
// given it once it exists.
OStringStream::OStringStream() : std::basic_ostream<wchar_t>(nullptr) {
    init(&buffer_);
}

OStringStream::OStringStream(const String& initial)
    : std::basic_ostream<wchar_t>(nullptr), buffer_(initial) {
    init(&buffer_);
}

std::basic_ostream<wchar_t>& operator<<(std::basic_ostream<wchar_t>& out, const String& text) {
    return out << text.ToWide();
}

}  // namespace Tev
