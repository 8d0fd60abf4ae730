// StorageBinOStreamLite: the binary writer over an IStream, as documents are saved.
//
//   StorageBinOStreamLite out(stream);     // writes the header AA AA 14 55
//   out.WriteLong(1);
//   out.WriteText(text);
//   HRESULT result = out.Status();          // buffered bytes reach the stream on Flush or
//                                           // when `out` is destroyed
//
// A stream that cannot be opened (null, Stat failing) gives the state kBad and nothing is
// written.
#pragma once

#include "streams/bin_ostream.h"
#include "streams/storage_out_stream_buf.h"

class StorageBinOStreamLite : public Tev::BinOStream {
public:
    // The stream header: 0xAAAA, the format version in bits 16 to 23, 0x55 on top.
    static constexpr DWORD kHeader = 0x5514AAAA;

    explicit StorageBinOStreamLite(IStream* stream);
    ~StorageBinOStreamLite() override;

    // Seeks to the start and empties the IStream; the header is not written again.
    HRESULT Rewind() override;

private:
    StorageOutStreamBuf buffer_;
};
