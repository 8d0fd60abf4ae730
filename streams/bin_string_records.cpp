// Writing and reading string records (streams/string_record.h).
#include <algorithm>
#include <bit>
#include <cstdint>
#include <string>
#include <string_view>

#include "streams/bin_istream.h"
#include "streams/bin_ostream.h"
#include "streams/little_endian.h"
#include "streams/string_record.h"
#include "support/string/xtev.h"

namespace Tev {

namespace {

// The first piece of text read at once; each further piece doubles what was read, so memory
// grows with the data that actually arrives, never with what a record claims.
constexpr std::size_t kFirstPieceUnits = 4096;

[[noreturn]] void ThrowMalformed() {
    throw XTev(kXTevMalformedStream, String(u"Malformed string record in a binary stream"));
}

}  // namespace

HRESULT BinOStream::WriteString(ITevString* text) {
    if (!Good())
        return E_FAIL;
    String value;
    value.Borrow(text);
    return WriteText(value);
}

HRESULT BinOStream::WriteText(const String& text) {
    if (!Good())
        return E_FAIL;
    const std::size_t units = text.Length() + 1;
    const auto n = static_cast<std::uint32_t>(units);  // a representation's length fits
    unsigned char header[12];
    StoreLittleEndian(StringRecord::kUtf16Kind, header);
    StoreLittleEndian(n, header + 4);
    StoreLittleEndian(0u - n, header + 8);
    Put(header, sizeof header);
    if (!Good())
        return E_FAIL;

    if constexpr (std::endian::native == std::endian::little) {
        Put(text.Text(), units * sizeof(char16_t));
    } else {
        for (std::size_t i = 0; i < units && Good(); ++i) {
            unsigned char bytes[2];
            StoreLittleEndian(static_cast<std::uint16_t>(text.Text()[i]), bytes);
            Put(bytes, sizeof bytes);
        }
    }
    return Result();
}

ITevString* BinIStream::ReadString() {
    return ReadText().HandOut();
}

String BinIStream::ReadText() {
    if (!Good())
        return String();

    bool utf16 = false;
    LONG n = 0;
    if (version_ < kCheckedStringVersion) {
        n = ReadLongValue();
        if (static_cast<std::uint32_t>(n) > StringRecord::kMaxOldBytes)
            ThrowMalformed();
    } else {
        const auto kind = static_cast<std::uint32_t>(ReadLongValue());
        n = ReadLongValue();
        const LONG check = ReadLongValue();
        if (std::int64_t{n} + check != 0)
            ThrowMalformed();
        utf16 = (kind & StringRecord::kUtf16KindBit) != 0;
    }
    if (!Good())
        return String();
    if (n < 0 || n > StringRecord::kMaxUnits)
        ThrowMalformed();

    if (utf16)
        return ReadUtf16Text(static_cast<std::size_t>(n));
    std::string narrow = ReadPieces<std::string>(static_cast<std::size_t>(n));
    if (!narrow.empty() && narrow.back() == '\0')
        narrow.pop_back();
    return String(std::string_view(narrow));
}

String BinIStream::ReadUtf16Text(std::size_t count) {
    String text;
    char16_t* units = nullptr;
    std::u16string pieces;
    const bool inPlace = count <= kFirstPieceUnits;
    if (inPlace) {
        // Short text goes straight into the string.
        units = text.PrepareBuffer(count);
        if (!Get(units, count * sizeof(char16_t)))
            ThrowMalformed();
    } else {
        pieces = ReadPieces<std::u16string>(count);
        units = pieces.data();
    }
    if constexpr (std::endian::native != std::endian::little) {
        for (std::size_t i = 0; i < count; ++i) {
            units[i] = static_cast<char16_t>(units[i] >> 8 | units[i] << 8);
        }
    }
    // The terminator, when the record has one, is not part of the text.
    const std::size_t length = count != 0 && units[count - 1] == u'\0' ? count - 1 : count;
    if (inPlace) {
        text.SetLength(length);
        return text;
    }
    return String(std::u16string_view(units, length));
}

template <class Units>
Units BinIStream::ReadPieces(std::size_t count) {
    Units units;
    while (units.size() < count) {
        const std::size_t start = units.size();
        const std::size_t piece = std::min(count - start, std::max(kFirstPieceUnits, start));
        units.resize(start + piece);
        // The record claims more text than the stream holds.
        if (!Get(units.data() + start, piece * sizeof(typename Units::value_type))) {
            ThrowMalformed();
        }
    }
    return units;
}

}  // namespace Tev
