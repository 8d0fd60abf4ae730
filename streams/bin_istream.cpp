#include "streams/bin_istream.h"

#include <cstdint>
#include <ios>

#include "streams/little_endian.h"

namespace Tev {

BinIStream::BinIStream(std::streambuf* buffer, bool ownsBuffer, LONG version)
    : BinStream(buffer, ownsBuffer), version_(version) {}

BinIStream::~BinIStream() = default;

HRESULT BinIStream::GetPosition(ULONG* position) {
    return PositionOn(std::ios_base::in, position);
}

bool BinIStream::Get(void* data, std::size_t count) {
    const auto wanted = static_cast<std::streamsize>(count);
    if (Buffer()->sgetn(static_cast<char*>(data), wanted) == wanted)
        return true;
    SetState(kShort);
    return false;
}

template <class Unsigned>
bool BinIStream::GetValue(Unsigned* value) {
    if (!Good())
        return false;
    unsigned char bytes[sizeof(Unsigned)];
    if (!Get(bytes, sizeof bytes))
        return false;
    *value = LoadLittleEndian<Unsigned>(bytes);
    return true;
}

template <class Value, class Unsigned>
HRESULT BinIStream::ReadInto(Value* value) {
    if (value == nullptr)
        return E_POINTER;
    Unsigned bits = 0;
    if (GetValue(&bits))
        *value = static_cast<Value>(bits);
    return Result();
}

BYTE BinIStream::ReadByte() {
    if (!Good())
        return 0;
    const std::streambuf::int_type got = Buffer()->sbumpc();
    if (std::streambuf::traits_type::eq_int_type(got, std::streambuf::traits_type::eof())) {
        SetState(kShort);
        return 0xFF;
    }
    return static_cast<BYTE>(got);
}

HRESULT BinIStream::ReadWord(WORD* value) {
    return ReadInto<WORD, std::uint16_t>(value);
}
HRESULT BinIStream::ReadShort(std::int16_t* value) {
    return ReadInto<std::int16_t, std::uint16_t>(value);
}
HRESULT BinIStream::ReadLong(LONG* value) {
    return ReadInto<LONG, std::uint32_t>(value);
}
HRESULT BinIStream::ReadDword(DWORD* value) {
    return ReadInto<DWORD, std::uint32_t>(value);
}
HRESULT BinIStream::ReadInt64(LONGLONG* value) {
    return ReadInto<LONGLONG, std::uint64_t>(value);
}
HRESULT BinIStream::ReadUInt64(ULONGLONG* value) {
    return ReadInto<ULONGLONG, std::uint64_t>(value);
}

LONG BinIStream::ReadLongValue() {
    std::uint32_t bits = 0;
    return GetValue(&bits) ? static_cast<LONG>(bits) : 0;
}

ULONGLONG BinIStream::ReadInt64Value() {
    std::uint64_t bits = 0;
    return GetValue(&bits) ? bits : 0;
}

HRESULT BinIStream::ReadBytes(void* data, ULONG count) {
    if (!Good())
        return E_FAIL;
    if (count == 0)
        return S_OK;
    if (data == nullptr) {
        SetState(kShort);
    } else {
        Get(data, count);
    }
    return Result();
}

}  // namespace Tev
