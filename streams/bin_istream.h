// Tev::BinIStream: the general binary reader, over any narrow stream buffer. It knows the
// format version of the data it reads, which decides the form of its string records.
//
//   Tev::BinIStream in(&bytes);            // data of the current version
//   LONG version = 0;
//   in.ReadLong(&version);
//   Tev::String text = in.ReadText();      // or ReadString() for the string object
//
// Like the writer it lives inside its owner (AddRef and Release return 1) and its
// QueryInterface hands out nothing (E_NOINTERFACE).
#pragma once

#include <cstddef>
#include <streambuf>

#include "streams/bin_in_stream.h"
#include "streams/bin_stream.h"
#include "support/string/tev_string.h"

namespace Tev {

class BinIStream : public IBinInStream, public BinStream {
public:
    // The version that the writer puts into its header.
    static constexpr LONG kCurrentVersion = 20;
    // From this version on, string records carry a kind and a check field.
    static constexpr LONG kCheckedStringVersion = 10;

    // With `ownsBuffer` the stream deletes `buffer` when it is destroyed.
    explicit BinIStream(std::streambuf* buffer, bool ownsBuffer = false,
                        LONG version = kCurrentVersion);
    ~BinIStream() override;

    HRESULT QueryInterface(REFIID iid, void** object) override { return NoInterface(iid, object); }
    ULONG AddRef() override { return 1; }
    ULONG Release() override { return 1; }

    HRESULT Status() override { return Result(); }
    HRESULT GetPosition(ULONG* position) override;
    BYTE ReadByte() override;
    HRESULT ReadWord(WORD* value) override;
    HRESULT ReadLong(LONG* value) override;
    LONG ReadLongValue() override;
    ULONGLONG ReadInt64Value() override;
    HRESULT ReadBytes(void* data, ULONG count) override;
    ITevString* ReadString() override;
    LONG Version() override { return version_; }
    HRESULT ReadShort(std::int16_t* value) override;
    HRESULT ReadDword(DWORD* value) override;
    HRESULT ReadInt64(LONGLONG* value) override;
    HRESULT ReadUInt64(ULONGLONG* value) override;

    // ReadString for C++ callers: the record's text as a Tev::String.
    String ReadText();

protected:
    void SetVersion(LONG version) { version_ = version; }
    // Takes `count` bytes from the buffer; false, and kShort, when fewer came. Only call
    // while good.
    bool Get(void* data, std::size_t count);

private:
    // Reads a value into `value`; false (leaving it unchanged) when the state is not good
    // before or after.
    template <class Unsigned>
    bool GetValue(Unsigned* value);
    template <class Value, class Unsigned>
    HRESULT ReadInto(Value* value);
    String ReadUtf16Text(std::size_t count);
    // Reads `count` units of a string record's text, in pieces that grow with what arrives.
    template <class Units>
    Units ReadPieces(std::size_t count);

    LONG version_;
};

}  // namespace Tev
