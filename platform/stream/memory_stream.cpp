#include "platform/stream/memory_stream.h"

#include <algorithm>
#include <cstring>
#include <new>

ComPtr<MemoryStream> MemoryStream::Create(DWORD mode) {
    return ComPtr<MemoryStream>(new MemoryStream(mode));
}

ComPtr<MemoryStream> MemoryStream::Create(std::span<const BYTE> bytes, DWORD mode) {
    ComPtr<MemoryStream> stream = Create(mode);
    stream->bytes_.assign(bytes.begin(), bytes.end());
    return stream;
}

HRESULT MemoryStream::Read(void* data, ULONG count, ULONG* read) {
    if (read != nullptr)
        *read = 0;
    if (data == nullptr && count != 0)
        return STG_E_INVALIDPOINTER;
    if (!ModeAllowsRead(mode_))
        return STG_E_ACCESSDENIED;
    const std::size_t available = position_ < bytes_.size() ? bytes_.size() - position_ : 0;
    const std::size_t taken = std::min<std::size_t>(count, available);
    if (taken != 0)
        std::memcpy(data, bytes_.data() + position_, taken);
    position_ += taken;
    if (read != nullptr)
        *read = static_cast<ULONG>(taken);
    return S_OK;
}

HRESULT MemoryStream::Write(const void* data, ULONG count, ULONG* written) {
    if (written != nullptr)
        *written = 0;
    if (data == nullptr && count != 0)
        return STG_E_INVALIDPOINTER;
    if (!ModeAllowsWrite(mode_))
        return STG_E_ACCESSDENIED;
    if (count == 0)
        return S_OK;
    if (position_ > kMaxSize || count > kMaxSize - position_)
        return STG_E_MEDIUMFULL;
    const auto* bytes = static_cast<const BYTE*>(data);
    try {
        // A gap left by seeking past the end reads as zeros.
        if (position_ > bytes_.size())
            bytes_.resize(position_);
        // Overwrite what lies under the position, append the rest (growing geometrically).
        const std::size_t overwritten = std::min<std::size_t>(count, bytes_.size() - position_);
        if (overwritten != 0)
            std::memcpy(bytes_.data() + position_, bytes, overwritten);
        bytes_.insert(bytes_.end(), bytes + overwritten, bytes + count);
    } catch (const std::bad_alloc&) {
        return STG_E_MEDIUMFULL;
    }
    position_ += count;
    if (written != nullptr)
        *written = count;
    return S_OK;
}

HRESULT MemoryStream::Seek(LARGE_INTEGER move, DWORD origin, ULARGE_INTEGER* position) {
    LONGLONG from = 0;
    switch (origin) {
        case STREAM_SEEK_SET:
            from = 0;
            break;
        case STREAM_SEEK_CUR:
            from = static_cast<LONGLONG>(position_);
            break;
        case STREAM_SEEK_END:
            from = static_cast<LONGLONG>(bytes_.size());
            break;
        default:
            return STG_E_INVALIDFUNCTION;
    }
    LONGLONG target = 0;
    if (__builtin_add_overflow(from, move.QuadPart, &target) || target < 0 ||
        static_cast<ULONGLONG>(target) > kMaxSize) {
        return STG_E_INVALIDFUNCTION;
    }
    position_ = static_cast<std::size_t>(target);
    if (position != nullptr)
        position->QuadPart = position_;
    return S_OK;
}

HRESULT MemoryStream::SetSize(ULARGE_INTEGER size) {
    if (!ModeAllowsWrite(mode_))
        return STG_E_ACCESSDENIED;
    if (size.QuadPart > kMaxSize)
        return STG_E_MEDIUMFULL;
    try {
        bytes_.resize(static_cast<std::size_t>(size.QuadPart));
    } catch (const std::bad_alloc&) {
        return STG_E_MEDIUMFULL;
    }
    return S_OK;
}

HRESULT MemoryStream::Stat(STATSTG* stat, DWORD flags) {
    if (stat == nullptr)
        return STG_E_INVALIDPOINTER;
    if (flags != STATFLAG_DEFAULT && flags != STATFLAG_NONAME)
        return STG_E_INVALIDFLAG;
    *stat = STATSTG{};
    stat->type = STGTY_STREAM;
    stat->cbSize.QuadPart = bytes_.size();
    stat->grfMode = mode_;
    return S_OK;
}
