// Wide stream buffers that store UTF-16 in memory.
//
// Tev::MemStreamBufBase is a std::basic_streambuf<wchar_t> without a put area: every wide
// character written is converted to UTF-16 (platform/text/utf.h: a lone surrogate keeps its
// value) and handed to PutUnits. A query of the current write position answers the number of
// units written.
//
// Tev::StringStreamBuf writes straight into a Tev::String's buffer:
// - the first write makes the string's buffer private at its current capacity and writes after
//   the existing text;
// - when the buffer is full its capacity doubles (up to the largest 32-bit capacity);
// - str() terminates the text (a NUL after the written units, unless the last unit written is
//   already one, as after std::ends), sets the string's length and returns the same buffer,
//   shared, without copying;
// - a write after str() takes the buffer back privately (copying it only when the returned
//   string still shares it), doubles the capacity when fewer than 8 units are free, and goes on
//   after the text.
#pragma once

#include <cstddef>
#include <streambuf>

#include "support/string/tev_string.h"

namespace Tev {

class MemStreamBufBase : public std::basic_streambuf<wchar_t> {
public:
    // Writes UTF-16 units as they are, without a round trip through wchar_t.
    void PutUtf16(const char16_t* units, std::size_t count) { PutUnits(units, count); }
    // Units written so far.
    virtual std::size_t UnitsWritten() const = 0;

protected:
    MemStreamBufBase() = default;

    virtual void PutUnits(const char16_t* units, std::size_t count) = 0;

    int_type overflow(int_type c) override;
    std::streamsize xsputn(const wchar_t* text, std::streamsize count) override;
    pos_type seekoff(off_type offset, std::ios_base::seekdir direction,
                     std::ios_base::openmode which) override;
};

class StringStreamBuf : public MemStreamBufBase {
public:
    StringStreamBuf() = default;
    // Writes after the text of `initial` (which is shared until the first write).
    explicit StringStreamBuf(const String& initial);

    // The written text, terminated, sharing this buffer's representation.
    String str();

    std::size_t UnitsWritten() const override { return written_; }
    // The units written so far (valid until the next write).
    const char16_t* Data() const { return text_.Text(); }

protected:
    void PutUnits(const char16_t* units, std::size_t count) override;

private:
    // Makes the buffer private with room for `count` more units and a terminator.
    void MakeRoom(std::size_t count);

    String text_;
    std::size_t written_ = 0;
    bool writing_ = false;     // written to since construction or the last str()
    bool handedOver_ = false;  // str() has handed the buffer out at least once
};

}  // namespace Tev
