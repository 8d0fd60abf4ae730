#include "platform/stream/file_stream.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "platform/stream/stream_object.h"

namespace {

HRESULT HResultFromErrno(int error, HRESULT otherwise) {
    switch (error) {
        case ENOENT:
        case ENOTDIR:
            return STG_E_FILENOTFOUND;
        case EACCES:
        case EPERM:
        case EROFS:
        case EISDIR:
        case EBADF:
            return STG_E_ACCESSDENIED;
        case ENOSPC:
        case EFBIG:
        case EDQUOT:
            return STG_E_MEDIUMFULL;
        case EMFILE:
        case ENFILE:
            return STG_E_TOOMANYOPENFILES;
        case EINVAL:
        case EOVERFLOW:
            return STG_E_INVALIDFUNCTION;
        case ENOMEM:
            return E_OUTOFMEMORY;
        default:
            return otherwise;
    }
}

// Seconds and nanoseconds since 1970 as 100-nanosecond intervals since 1601.
FILETIME ToFileTime(const timespec& time) {
    constexpr LONGLONG kSecondsFrom1601To1970 = 11644473600LL;
    const LONGLONG ticks =
        (static_cast<LONGLONG>(time.tv_sec) + kSecondsFrom1601To1970) * 10000000 +
        time.tv_nsec / 100;
    const auto bits = static_cast<ULONGLONG>(ticks < 0 ? 0 : ticks);
    return FILETIME{static_cast<DWORD>(bits), static_cast<DWORD>(bits >> 32)};
}

class FileStream final : public StreamObject {
public:
    FileStream(int descriptor, DWORD mode) : descriptor_(descriptor), mode_(mode) {}

    HRESULT Read(void* data, ULONG count, ULONG* read) override {
        if (read != nullptr)
            *read = 0;
        if (data == nullptr && count != 0)
            return STG_E_INVALIDPOINTER;
        if (!ModeAllowsRead(mode_))
            return STG_E_ACCESSDENIED;
        ULONG total = 0;
        while (total < count) {
            const ssize_t got =
                ::read(descriptor_, static_cast<char*>(data) + total, count - total);
            if (got < 0 && errno == EINTR)
                continue;
            if (got < 0) {
                if (read != nullptr)
                    *read = total;
                return HResultFromErrno(errno, STG_E_READFAULT);
            }
            if (got == 0)
                break;
            total += static_cast<ULONG>(got);
        }
        if (read != nullptr)
            *read = total;
        return S_OK;
    }

    HRESULT Write(const void* data, ULONG count, ULONG* written) override {
        if (written != nullptr)
            *written = 0;
        if (data == nullptr && count != 0)
            return STG_E_INVALIDPOINTER;
        if (!ModeAllowsWrite(mode_))
            return STG_E_ACCESSDENIED;
        ULONG total = 0;
        while (total < count) {
            const ssize_t put =
                ::write(descriptor_, static_cast<const char*>(data) + total, count - total);
            if (put < 0 && errno == EINTR)
                continue;
            if (put <= 0) {
                if (written != nullptr)
                    *written = total;
                return put < 0 ? HResultFromErrno(errno, STG_E_WRITEFAULT) : STG_E_WRITEFAULT;
            }
            total += static_cast<ULONG>(put);
        }
        if (written != nullptr)
            *written = total;
        return S_OK;
    }

    HRESULT Seek(LARGE_INTEGER move, DWORD origin, ULARGE_INTEGER* position) override {
        int whence = SEEK_SET;
        switch (origin) {
            case STREAM_SEEK_SET:
                whence = SEEK_SET;
                break;
            case STREAM_SEEK_CUR:
                whence = SEEK_CUR;
                break;
            case STREAM_SEEK_END:
                whence = SEEK_END;
                break;
            default:
                return STG_E_INVALIDFUNCTION;
        }
        const off_t result = ::lseek(descriptor_, static_cast<off_t>(move.QuadPart), whence);
        if (result < 0)
            return HResultFromErrno(errno, STG_E_INVALIDFUNCTION);
        if (position != nullptr)
            position->QuadPart = static_cast<ULONGLONG>(result);
        return S_OK;
    }

    HRESULT SetSize(ULARGE_INTEGER size) override {
        if (!ModeAllowsWrite(mode_))
            return STG_E_ACCESSDENIED;
        if (size.QuadPart > static_cast<ULONGLONG>(INT64_MAX))
            return STG_E_MEDIUMFULL;
        while (::ftruncate(descriptor_, static_cast<off_t>(size.QuadPart)) != 0) {
            if (errno != EINTR)
                return HResultFromErrno(errno, STG_E_WRITEFAULT);
        }
        return S_OK;
    }

    HRESULT Stat(STATSTG* stat, DWORD flags) override {
        if (stat == nullptr)
            return STG_E_INVALIDPOINTER;
        if (flags != STATFLAG_DEFAULT && flags != STATFLAG_NONAME)
            return STG_E_INVALIDFLAG;
        struct stat info {};
        if (::fstat(descriptor_, &info) != 0)
            return HResultFromErrno(errno, STG_E_ACCESSDENIED);
        *stat = STATSTG{};
        stat->type = STGTY_STREAM;
        stat->cbSize.QuadPart = static_cast<ULONGLONG>(info.st_size);
        stat->mtime = ToFileTime(info.st_mtim);
        stat->ctime = ToFileTime(info.st_ctim);
        stat->atime = ToFileTime(info.st_atim);
        stat->grfMode = mode_ & ~STGM_CREATE;
        return S_OK;
    }

private:
    ~FileStream() override { ::close(descriptor_); }

    int descriptor_;
    DWORD mode_;
};

}  // namespace

HRESULT CreateStreamOnFile(const char* path, DWORD mode, IStream** stream) {
    if (stream == nullptr)
        return STG_E_INVALIDPOINTER;
    *stream = nullptr;
    if (path == nullptr)
        return STG_E_INVALIDPOINTER;

    int flags = O_CLOEXEC;
    switch (mode & STGM_ACCESS_MASK) {
        case STGM_READ:
            flags |= O_RDONLY;
            break;
        case STGM_WRITE:
            flags |= O_WRONLY;
            break;
        case STGM_READWRITE:
            flags |= O_RDWR;
            break;
        default:
            return STG_E_INVALIDFLAG;
    }
    if ((mode & STGM_CREATE) != 0) {
        // Emptying a file needs write access.
        if (!ModeAllowsWrite(mode))
            return STG_E_INVALIDFLAG;
        flags |= O_CREAT | O_TRUNC;
    }

    int descriptor = -1;
    do {
        descriptor = ::open(path, flags, 0666);
    } while (descriptor < 0 && errno == EINTR);
    if (descriptor < 0)
        return HResultFromErrno(errno, E_FAIL);

    struct stat info {};
    if (::fstat(descriptor, &info) != 0 || S_ISDIR(info.st_mode)) {
        ::close(descriptor);
        return STG_E_ACCESSDENIED;
    }

    auto* file = new FileStream(descriptor, mode);
    file->AddRef();
    *stream = file;
    return S_OK;
}
