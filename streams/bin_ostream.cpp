#include "streams/bin_ostream.h"

#include <cstdint>
#include <ios>

#include "streams/little_endian.h"

namespace Tev {

namespace {

const std::streambuf::pos_type kFailedPosition(std::streambuf::off_type(-1));

}  // namespace

BinOStream::BinOStream(std::streambuf* buffer, bool ownsBuffer) : BinStream(buffer, ownsBuffer) {}

BinOStream::~BinOStream() = default;

HRESULT BinOStream::GetPosition(ULONG* position) {
    return PositionOn(std::ios_base::out, position);
}

HRESULT BinOStream::Seek(ULONG position) {
    if (!Good())
        return E_FAIL;
    if (Buffer()->pubseekpos(position, std::ios_base::out) == kFailedPosition)
        SetState(kShort);
    return Result();
}

void BinOStream::Put(const void* data, std::size_t count) {
    const auto wanted = static_cast<std::streamsize>(count);
    if (Buffer()->sputn(static_cast<const char*>(data), wanted) != wanted)
        SetState(kShort);
}

template <class Unsigned>
HRESULT BinOStream::PutValue(Unsigned value) {
    if (!Good())
        return E_FAIL;
    unsigned char bytes[sizeof(Unsigned)];
    StoreLittleEndian(value, bytes);
    Put(bytes, sizeof bytes);
    return Result();
}

HRESULT BinOStream::WriteByte(BYTE value) {
    return PutValue<std::uint8_t>(value);
}
HRESULT BinOStream::WriteWord(WORD value) {
    return PutValue<std::uint16_t>(value);
}
HRESULT BinOStream::WriteLong(LONG value) {
    return PutValue<std::uint32_t>(static_cast<std::uint32_t>(value));
}
HRESULT BinOStream::WriteDword(DWORD value) {
    return PutValue<std::uint32_t>(value);
}
HRESULT BinOStream::WriteInt64(LONGLONG value) {
    return PutValue<std::uint64_t>(static_cast<std::uint64_t>(value));
}
HRESULT BinOStream::WriteInt64Halves(DWORD low, DWORD high) {
    return PutValue<std::uint64_t>(std::uint64_t{high} << 32 | low);
}

HRESULT BinOStream::WriteBytes(const void* data, ULONG count) {
    if (!Good())
        return E_FAIL;
    if (count == 0)
        return S_OK;
    if (data == nullptr) {
        SetState(kShort);
    } else {
        Put(data, count);
    }
    return Result();
}

HRESULT BinOStream::Flush() {
    if (!Good())
        return E_FAIL;
    if (Buffer()->pubsync() == -1)
        SetState(kBad);
    return Result();
}

HRESULT BinOStream::Rewind() {
    if (!Good())
        return E_FAIL;
    if (Buffer()->pubseekpos(0, std::ios_base::out) == kFailedPosition)
        SetState(kShort);
    return Result();
}

}  // namespace Tev
