#include "support/format/string_stream_buf.h"

#include <algorithm>
#include <cstring>

#include "platform/text/utf.h"

namespace Tev {
namespace {
constexpr std::size_t kMaxCapacity = static_cast<std::size_t>(TevString::kMaxCapacity);
// A write after str() doubles the buffer when fewer units than this are free.
constexpr std::size_t kMinFreeAfterHandOver = 8;
}  // namespace

// --- MemStreamBufBase

MemStreamBufBase::int_type MemStreamBufBase::overflow(int_type c) {
    if (traits_type::eq_int_type(c, traits_type::eof()))
        return traits_type::not_eof(c);
    char16_t units[2];
    PutUnits(units, text::WideToUtf16(traits_type::to_char_type(c), units));
    return c;
}

std::streamsize MemStreamBufBase::xsputn(const wchar_t* text, std::streamsize count) {
    char16_t chunk[256];
    std::size_t filled = 0;
    for (std::streamsize i = 0; i < count; ++i) {
        if (filled + 2 > std::size(chunk)) {
            PutUnits(chunk, filled);
            filled = 0;
        }
        filled += text::WideToUtf16(text[i], chunk + filled);
    }
    if (filled != 0)
        PutUnits(chunk, filled);
    return count;
}

MemStreamBufBase::pos_type MemStreamBufBase::seekoff(off_type offset,
                                                     std::ios_base::seekdir direction,
                                                     std::ios_base::openmode which) {
    // Only the question "where am I" is answered; the buffer cannot move.
    if (offset == 0 && direction == std::ios_base::cur && (which & std::ios_base::out) != 0) {
        return pos_type(static_cast<off_type>(UnitsWritten()));
    }
    return pos_type(off_type(-1));
}

// --- StringStreamBuf

StringStreamBuf::StringStreamBuf(const String& initial)
    : text_(initial), written_(initial.Length()) {}

void StringStreamBuf::MakeRoom(std::size_t count) {
    if (written_ + count + 1 > kMaxCapacity)
        throw xmsg("Tev::String size too big");
    std::size_t capacity = text_.Capacity() + 1;
    if (!writing_ && handedOver_ && capacity - written_ - 1 < kMinFreeAfterHandOver) {
        capacity = std::min(capacity * 2, kMaxCapacity);
    }
    while (written_ + count + 1 > capacity)
        capacity = std::min(capacity * 2, kMaxCapacity);
    // While writing, the string's length field lags behind; it catches up before the buffer
    // is copied, so that every written unit moves along.
    if (writing_)
        text_.SetLength(written_);
    if (capacity != text_.Capacity() + 1) {
        text_.Reserve(capacity);  // private, at the new capacity
    } else {
        text_.MakeUnique();  // copies only when the string is still shared
    }
    writing_ = true;
}

void StringStreamBuf::PutUnits(const char16_t* units, std::size_t count) {
    if (count == 0)
        return;
    if (!writing_ || written_ + count + 1 > text_.Capacity() + 1)
        MakeRoom(count);
    std::memcpy(text_.Buffer() + written_, units, count * sizeof(char16_t));
    written_ += count;
}

String StringStreamBuf::str() {
    if (writing_) {
        const char16_t* units = text_.Text();
        // After std::ends the last unit written is already the terminator.
        const bool endsWithNul = written_ != 0 && units[written_ - 1] == u'\0';
        text_.SetLength(endsWithNul ? written_ - 1 : written_);
        writing_ = false;
        handedOver_ = true;
        written_ = text_.Length();
    }
    return text_;
}

}  // namespace Tev
