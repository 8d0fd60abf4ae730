#include "streams/storage_bin_ostream_lite.h"

// The base only keeps the buffer's address; the buffer is opened once it exists.
StorageBinOStreamLite::StorageBinOStreamLite(IStream* stream) : BinOStream(&buffer_) {
    if (!buffer_.Open(stream)) {
        SetState(kBad);
        return;
    }
    WriteDword(kHeader);
}

// The buffer flushes its pending bytes and releases the IStream as it is destroyed.
StorageBinOStreamLite::~StorageBinOStreamLite() = default;

HRESULT StorageBinOStreamLite::Rewind() {
    // Bytes still in the buffer lie beyond the new end: they are dropped, not written back.
    if (BinOStream::Rewind() == S_OK && !buffer_.Clear())
        SetState(kShort);
    return Result();
}
