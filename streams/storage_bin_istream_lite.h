// StorageBinIStreamLite: the binary reader over an IStream, as documents are opened.
//
//   StorageBinIStreamLite in(stream);      // reads the header, if there is one
//   LONG version = 0;
//   if (in.ReadLong(&version) != S_OK) ...
//
// Data with a header reads with the header's format version; data without one (written
// before headers existed) reads with version 1 from its first byte. A stream that cannot be
// opened gives the state kBad and the version 0.
#pragma once

#include "streams/bin_istream.h"
#include "streams/storage_in_stream_buf.h"

class StorageBinIStreamLite : public Tev::BinIStream {
public:
    // A header is recognised by its fixed bits: header AND kHeaderMask equals kHeaderBits.
    static constexpr DWORD kHeaderMask = 0xFF00FFFF;
    static constexpr DWORD kHeaderBits = 0x5500AAAA;
    // The version of data that has no header.
    static constexpr LONG kHeaderlessVersion = 1;

    explicit StorageBinIStreamLite(IStream* stream);
    ~StorageBinIStreamLite() override;

private:
    void ReadHeader();

    StorageInStreamBuf buffer_;
};
