#include "streams/storage_in_stream_buf.h"

StorageInStreamBuf::pos_type StorageInStreamBuf::seekoff(off_type offset,
                                                         std::ios_base::seekdir origin,
                                                         std::ios_base::openmode which) {
    if (!IsOpen())
        return FailedPosition();
    if (offset == 0 && origin == std::ios_base::cur)
        return pos_type(off_type(LogicalPosition()));
    if (const auto target = TargetOf(offset, origin); target && SeekInsideGetArea(*target)) {
        return pos_type(off_type(*target));
    }
    return StorageStreamBuf::seekoff(offset, origin, which);
}

StorageInStreamBuf::pos_type StorageInStreamBuf::seekpos(pos_type position,
                                                         std::ios_base::openmode which) {
    return seekoff(off_type(position), std::ios_base::beg, which);
}
