#include "streams/storage_bin_istream_lite.h"

#include <ios>

#include "streams/little_endian.h"

// The base only keeps the buffer's address; the buffer is opened once it exists.
StorageBinIStreamLite::StorageBinIStreamLite(IStream* stream) : BinIStream(&buffer_, false, 0) {
    if (!buffer_.Open(stream)) {
        SetState(kBad);
        return;
    }
    ReadHeader();
}

StorageBinIStreamLite::~StorageBinIStreamLite() = default;

void StorageBinIStreamLite::ReadHeader() {
    unsigned char bytes[4] = {};
    const bool complete = Get(bytes, sizeof bytes);
    const auto header = Tev::LoadLittleEndian<DWORD>(bytes);
    if (complete && (header & kHeaderMask) == kHeaderBits) {
        SetVersion(static_cast<LONG>((header >> 16) & 0xFF));
        return;
    }
    SetVersion(kHeaderlessVersion);
    // No header: the four bytes are data, to be read again.
    if (Good() && Buffer()->pubseekoff(-4, std::ios_base::cur, std::ios_base::in) ==
                      std::streambuf::pos_type(std::streambuf::off_type(-1))) {
        SetState(kShort);
    }
}
