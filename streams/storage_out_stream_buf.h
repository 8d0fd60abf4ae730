// Over an IStream being written: a seek inside the bytes already in the put area only moves
// the put pointer, and the current position is answered without calling the IStream.
#pragma once

#include "streams/storage_stream_buf.h"

class StorageOutStreamBuf : public StorageStreamBuf {
protected:
    pos_type seekoff(off_type offset, std::ios_base::seekdir origin,
                     std::ios_base::openmode which) override {
        return SeekBuffered(std::ios_base::out, offset, origin, which);
    }
    pos_type seekpos(pos_type position, std::ios_base::openmode which) override {
        return SeekBuffered(std::ios_base::out, off_type(position), std::ios_base::beg, which);
    }
};
