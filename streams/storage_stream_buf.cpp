#include "streams/storage_stream_buf.h"

#include <algorithm>
#include <limits>

namespace {

constexpr std::int64_t kLargestPosition = std::numeric_limits<std::int64_t>::max();

DWORD SeekOrigin(std::ios_base::seekdir origin) {
    if (origin == std::ios_base::beg)
        return STREAM_SEEK_SET;
    if (origin == std::ios_base::cur)
        return STREAM_SEEK_CUR;
    return STREAM_SEEK_END;
}

}  // namespace

StorageStreamBuf::~StorageStreamBuf() {
    Close();
}

bool StorageStreamBuf::Open(IStream* stream) {
    Close();
    if (stream == nullptr)
        return false;

    STATSTG stat{};
    if (FAILED(stream->Stat(&stat, STATFLAG_NONAME)))
        return false;
    switch (stat.grfMode & STGM_ACCESS_MASK) {
        case STGM_READ:
            access_ = Access::kRead;
            break;
        case STGM_WRITE:
            access_ = Access::kWrite;
            break;
        case STGM_READWRITE:
            access_ = Access::kReadWrite;
            break;
        default:
            return false;
    }

    ULARGE_INTEGER position{};
    if (FAILED(stream->Seek(MakeLargeInteger(0), STREAM_SEEK_CUR, &position)) ||
        position.QuadPart > static_cast<ULONGLONG>(kLargestPosition)) {
        return false;
    }

    stream->AddRef();
    stream_ = stream;
    open_ = true;
    base_ = static_cast<std::int64_t>(position.QuadPart);
    highWater_ = 0;
    writeFailed_ = false;
    return true;
}

void StorageStreamBuf::Close() {
    if (!open_)
        return;
    SyncBuffer();
    setp(nullptr, nullptr);
    setg(nullptr, nullptr, nullptr);
    stream_->Release();
    stream_ = nullptr;
    open_ = false;
}

bool StorageStreamBuf::Clear() {
    if (!open_)
        return false;
    // Whatever the buffer holds lies beyond the new end.
    setp(nullptr, nullptr);
    setg(nullptr, nullptr, nullptr);
    highWater_ = 0;
    if (FAILED(stream_->Seek(MakeLargeInteger(0), STREAM_SEEK_SET, nullptr))) {
        // The IStream's position is no longer known: writing on would land anywhere.
        writeFailed_ = true;
        return false;
    }
    base_ = 0;
    if (FAILED(stream_->SetSize(MakeULargeInteger(0))))
        return false;
    writeFailed_ = false;
    return true;
}

std::int64_t StorageStreamBuf::LogicalPosition() const {
    if (pbase() != nullptr)
        return base_ + (pptr() - pbase());
    if (eback() != nullptr)
        return base_ + (gptr() - eback());
    return base_;
}

std::optional<std::int64_t> StorageStreamBuf::TargetOf(off_type offset,
                                                       std::ios_base::seekdir origin) const {
    std::int64_t from = 0;
    if (origin == std::ios_base::cur) {
        from = LogicalPosition();
    } else if (origin != std::ios_base::beg) {
        return std::nullopt;
    }
    std::int64_t target = 0;
    if (__builtin_add_overflow(from, offset, &target) || target < 0)
        return std::nullopt;
    return target;
}

bool StorageStreamBuf::SeekInsidePutArea(std::int64_t target) {
    if (pbase() == nullptr)
        return false;
    const auto put = static_cast<std::size_t>(pptr() - pbase());
    const std::size_t filled = std::max(put, highWater_);
    if (target < base_ || target - base_ > static_cast<std::int64_t>(filled))
        return false;
    highWater_ = filled;
    setp(buffer_, buffer_ + kBufferSize);
    pbump(static_cast<int>(target - base_));
    return true;
}

bool StorageStreamBuf::SeekInsideGetArea(std::int64_t target) {
    if (eback() == nullptr)
        return false;
    if (target < base_ || target - base_ > egptr() - eback())
        return false;
    setg(eback(), eback() + (target - base_), egptr());
    return true;
}

bool StorageStreamBuf::WritePending() {
    const auto put = static_cast<std::size_t>(pptr() - pbase());
    const std::size_t count = std::max(put, highWater_);
    setp(nullptr, nullptr);
    highWater_ = 0;
    if (count == 0)
        return true;

    ULONG written = 0;
    const HRESULT result = stream_->Write(buffer_, static_cast<ULONG>(count), &written);
    if (FAILED(result) || written != count) {
        writeFailed_ = true;
        base_ += std::min<std::size_t>(written, count);
        return false;
    }
    base_ += static_cast<std::int64_t>(count);
    if (put < count) {
        // The writer had moved back inside the buffer: bring the IStream back to it, so
        // that the next byte lands where the writer stands and not after the high-water mark.
        const auto back = static_cast<std::int64_t>(count - put);
        if (FAILED(stream_->Seek(MakeLargeInteger(-back), STREAM_SEEK_CUR, nullptr))) {
            writeFailed_ = true;
            return false;
        }
        base_ -= back;
    }
    return true;
}

bool StorageStreamBuf::ReturnUnread() {
    const std::int64_t unread = egptr() - gptr();
    if (unread > 0 && FAILED(stream_->Seek(MakeLargeInteger(-unread), STREAM_SEEK_CUR, nullptr))) {
        return false;
    }
    base_ += gptr() - eback();
    setg(nullptr, nullptr, nullptr);
    return true;
}

bool StorageStreamBuf::SyncBuffer() {
    if (!open_)
        return true;
    if (pbase() != nullptr && !WritePending())
        return false;
    if (eback() != nullptr && !ReturnUnread())
        return false;
    return true;
}

int StorageStreamBuf::sync() {
    return SyncBuffer() && !writeFailed_ ? 0 : -1;
}

StorageStreamBuf::int_type StorageStreamBuf::overflow(int_type c) {
    if (!open_ || access_ == Access::kRead || writeFailed_)
        return traits_type::eof();
    if (!SyncBuffer())
        return traits_type::eof();
    setp(buffer_, buffer_ + kBufferSize);
    highWater_ = 0;
    if (!traits_type::eq_int_type(c, traits_type::eof())) {
        *pptr() = traits_type::to_char_type(c);
        pbump(1);
    }
    return traits_type::not_eof(c);
}

StorageStreamBuf::int_type StorageStreamBuf::underflow() {
    if (!open_ || access_ == Access::kWrite)
        return traits_type::eof();
    if (gptr() != nullptr && gptr() < egptr())
        return traits_type::to_int_type(*gptr());
    if (!SyncBuffer())
        return traits_type::eof();

    ULONG got = 0;
    const HRESULT result = stream_->Read(buffer_, static_cast<ULONG>(kBufferSize), &got);
    got = std::min<ULONG>(got, kBufferSize);
    if (FAILED(result) || got == 0) {
        base_ += got;  // bytes a failing read took are lost, but the position stays known
        return traits_type::eof();
    }
    setg(buffer_, buffer_, buffer_ + got);
    return traits_type::to_int_type(*gptr());
}

StorageStreamBuf::pos_type StorageStreamBuf::seekoff(off_type offset, std::ios_base::seekdir origin,
                                                     std::ios_base::openmode) {
    if (!open_ || !SyncBuffer())
        return FailedPosition();
    ULARGE_INTEGER position{};
    if (FAILED(stream_->Seek(MakeLargeInteger(offset), SeekOrigin(origin), &position)) ||
        position.QuadPart > static_cast<ULONGLONG>(kLargestPosition)) {
        return FailedPosition();
    }
    base_ = static_cast<std::int64_t>(position.QuadPart);
    return pos_type(off_type(base_));
}

StorageStreamBuf::pos_type StorageStreamBuf::SeekBuffered(std::ios_base::openmode area,
                                                          off_type offset,
                                                          std::ios_base::seekdir origin,
                                                          std::ios_base::openmode which) {
    if (!open_)
        return FailedPosition();
    if (offset == 0 && origin == std::ios_base::cur)
        return pos_type(off_type(LogicalPosition()));
    if (const auto target = TargetOf(offset, origin)) {
        const bool inside =
            area == std::ios_base::in ? SeekInsideGetArea(*target) : SeekInsidePutArea(*target);
        if (inside)
            return pos_type(off_type(*target));
    }
    return StorageStreamBuf::seekoff(offset, origin, which);
}

StorageStreamBuf::pos_type StorageStreamBuf::seekpos(pos_type position,
                                                     std::ios_base::openmode which) {
    return StorageStreamBuf::seekoff(off_type(position), std::ios_base::beg, which);
}
