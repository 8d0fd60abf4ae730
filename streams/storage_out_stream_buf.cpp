#include "streams/storage_out_stream_buf.h"

StorageOutStreamBuf::pos_type StorageOutStreamBuf::seekoff(off_type offset,
                                                           std::ios_base::seekdir origin,
                                                           std::ios_base::openmode which) {
    if (!IsOpen())
        return FailedPosition();
    if (offset == 0 && origin == std::ios_base::cur)
        return pos_type(off_type(LogicalPosition()));
    if (const auto target = TargetOf(offset, origin); target && SeekInsidePutArea(*target)) {
        return pos_type(off_type(*target));
    }
    return StorageStreamBuf::seekoff(offset, origin, which);
}

StorageOutStreamBuf::pos_type StorageOutStreamBuf::seekpos(pos_type position,
                                                           std::ios_base::openmode which) {
    return seekoff(off_type(position), std::ios_base::beg, which);
}
