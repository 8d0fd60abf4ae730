// Over an IStream being read: a seek inside the bytes already in the get area only moves the
// get pointer, and the current position is answered without calling the IStream.
#pragma once

#include "streams/storage_stream_buf.h"

class StorageInStreamBuf : public StorageStreamBuf {
protected:
    pos_type seekoff(off_type offset, std::ios_base::seekdir origin,
                     std::ios_base::openmode which) override {
        return SeekBuffered(std::ios_base::in, offset, origin, which);
    }
    pos_type seekpos(pos_type position, std::ios_base::openmode which) override {
        return SeekBuffered(std::ios_base::in, off_type(position), std::ios_base::beg, which);
    }
};
