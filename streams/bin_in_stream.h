// IBinInStream: the reading side of the binary stream format.
//
// The operations that return an HRESULT return S_OK when the stream's state is good after
// them and E_FAIL otherwise. The first failure sticks: once the state is not good, reads do
// nothing; ReadByte, ReadLongValue and ReadInt64Value then yield 0, the other reads leave
// their destination unchanged. A read that gets fewer bytes than asked sets the state "fell
// short".
#pragma once

#include <cstdint>

#include "platform/com/unknown.h"

struct ITevString;

struct IBinInStream : IUnknown {
    // Not handed out by QueryInterface; the identifier only names the interface.
    static constexpr IID kIid = MakeGuid("{6B0D3E53-8A41-4C7E-9F15-2D7A3C90B1E4}");

    virtual HRESULT Status() = 0;
    // The current read position.
    virtual HRESULT GetPosition(ULONG* position) = 0;
    virtual HRESULT Unused5() { return E_NOTIMPL; }
    // One byte; at the end of the data 0xFF, and the state becomes "fell short".
    virtual BYTE ReadByte() = 0;
    virtual HRESULT ReadWord(WORD* value) = 0;
    virtual HRESULT ReadLong(LONG* value) = 0;
    // Four bytes as the result; 0 when they cannot be read.
    virtual LONG ReadLongValue() = 0;
    // Eight bytes as the result, low half first in the data; 0 when they cannot be read.
    virtual ULONGLONG ReadInt64Value() = 0;
    // Reads `count` bytes as they are.
    virtual HRESULT ReadBytes(void* data, ULONG count) = 0;
    virtual HRESULT Unused12() { return E_NOTIMPL; }
    virtual HRESULT Unused13() { return E_NOTIMPL; }
    virtual HRESULT Unused14() { return E_NOTIMPL; }
    virtual HRESULT Unused15() { return E_NOTIMPL; }
    virtual HRESULT Unused16() { return E_NOTIMPL; }
    virtual HRESULT Unused17() { return E_NOTIMPL; }
    // Reads a string record and returns a new string that the caller releases; the empty
    // string when the state is not good. Throws XTev with code 0xA0048203 for a
    // malformed record.
    virtual ITevString* ReadString() = 0;
    // The format version of the data being read.
    virtual LONG Version() = 0;
    virtual HRESULT ReadShort(std::int16_t* value) = 0;
    virtual HRESULT ReadDword(DWORD* value) = 0;
    virtual HRESULT ReadInt64(LONGLONG* value) = 0;
    virtual HRESULT ReadUInt64(ULONGLONG* value) = 0;

protected:
    ~IBinInStream() = default;
};
