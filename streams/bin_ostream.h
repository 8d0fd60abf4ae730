// Tev::BinOStream: the general binary writer, over any narrow stream buffer.
//
//   std::stringbuf bytes;
//   Tev::BinOStream out(&bytes);
//   out.WriteLong(1);
//   out.WriteText(text);                // or WriteString(text.Interface())
//   if (out.Status() != S_OK) ...       // the first failure sticks; check once at the end
//
// It lives inside its owner: AddRef and Release return 1 and never delete it, and
// QueryInterface hands out nothing (E_NOINTERFACE).
#pragma once

#include <cstddef>
#include <streambuf>

#include "streams/bin_out_stream.h"
#include "streams/bin_stream.h"
#include "support/string/tev_string.h"

namespace Tev {

class BinOStream : public IBinOutStream, public BinStream {
public:
    // With `ownsBuffer` the stream deletes `buffer` when it is destroyed.
    explicit BinOStream(std::streambuf* buffer, bool ownsBuffer = false);
    ~BinOStream() override;

    HRESULT QueryInterface(REFIID iid, void** object) override { return NoInterface(iid, object); }
    ULONG AddRef() override { return 1; }
    ULONG Release() override { return 1; }

    HRESULT Status() override { return Result(); }
    HRESULT GetPosition(ULONG* position) override;
    HRESULT Seek(ULONG position) override;
    HRESULT WriteByte(BYTE value) override;
    HRESULT WriteWord(WORD value) override;
    HRESULT WriteLong(LONG value) override;
    HRESULT WriteDword(DWORD value) override;
    HRESULT WriteInt64(LONGLONG value) override;
    HRESULT WriteBytes(const void* data, ULONG count) override;
    HRESULT WriteString(ITevString* text) override;
    HRESULT WriteInt64Halves(DWORD low, DWORD high) override;
    HRESULT Flush() override;
    HRESULT Rewind() override;

    // WriteString for C++ callers.
    HRESULT WriteText(const String& text);

protected:
    // Puts `count` bytes into the buffer; fewer taken sets kShort. Only call while good.
    void Put(const void* data, std::size_t count);

private:
    template <class Unsigned>
    HRESULT PutValue(Unsigned value);
};

}  // namespace Tev
