// IBinOutStream: the writing side of the binary stream format. Primitives are written as
// their little-endian bytes with no padding or tags; strings as string records.
//
// Every operation returns S_OK when the stream's state is good after it and E_FAIL otherwise.
// The first failure sticks: once the state is not good, the operations do nothing.
#pragma once

#include "platform/com/unknown.h"

struct ITevString;

struct IBinOutStream : IUnknown {
    // The stream objects live inside their owner and are not handed out by QueryInterface;
    // the identifier only names the interface.
    static constexpr IID kIid = MakeGuid("{6B0D3E52-8A41-4C7E-9F15-2D7A3C90B1E4}");

    virtual HRESULT Status() = 0;
    // The current write position; a failing query sets the state "fell short".
    virtual HRESULT GetPosition(ULONG* position) = 0;
    // Moves the write position to `position` bytes from the start.
    virtual HRESULT Seek(ULONG position) = 0;
    virtual HRESULT Unused6() { return E_NOTIMPL; }
    virtual HRESULT WriteByte(BYTE value) = 0;
    virtual HRESULT WriteWord(WORD value) = 0;
    virtual HRESULT WriteLong(LONG value) = 0;
    virtual HRESULT WriteDword(DWORD value) = 0;
    virtual HRESULT WriteInt64(LONGLONG value) = 0;
    // Writes `count` bytes as they are, without a length; a count of 0 writes nothing.
    virtual HRESULT WriteBytes(const void* data, ULONG count) = 0;
    virtual HRESULT Unused13() { return E_NOTIMPL; }
    virtual HRESULT Unused14() { return E_NOTIMPL; }
    virtual HRESULT Unused15() { return E_NOTIMPL; }
    virtual HRESULT Unused16() { return E_NOTIMPL; }
    virtual HRESULT Unused17() { return E_NOTIMPL; }
    virtual HRESULT Unused18() { return E_NOTIMPL; }
    // Writes the text as a UTF-16 string record; null writes the empty string.
    virtual HRESULT WriteString(ITevString* text) = 0;
    // Writes the 64-bit value whose halves are given, low half first.
    virtual HRESULT WriteInt64Halves(DWORD low, DWORD high) = 0;
    // Passes buffered bytes on to the stream below; a failing flush sets the state "bad".
    virtual HRESULT Flush() = 0;
    // Seeks back to the start (and, over an IStream, empties it).
    virtual HRESULT Rewind() = 0;

protected:
    ~IBinOutStream() = default;
};
