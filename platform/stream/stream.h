// ISequentialStream and IStream, with their slots in the Windows order. The streams of the
// platform implement the positioned reads and writes, sizes and Stat; copying, transactions,
// region locks and cloning are answered with E_NOTIMPL.
#pragma once

#include "platform/com/unknown.h"
#include "platform/stream/stream_types.h"

struct ISequentialStream : IUnknown {
    static constexpr IID kIid = MakeGuid("{0C733A30-2A1C-11CE-ADE5-00AA0044773D}");

    // Reads up to `count` bytes at the current position; fewer at the end of the stream
    // (still S_OK). `read` may be null.
    virtual HRESULT Read(void* data, ULONG count, ULONG* read) = 0;
    // Writes `count` bytes at the current position, growing the stream as needed. `written`
    // may be null.
    virtual HRESULT Write(const void* data, ULONG count, ULONG* written) = 0;

protected:
    ~ISequentialStream() = default;
};

struct IStream : ISequentialStream {
    static constexpr IID kIid = MakeGuid("{0000000C-0000-0000-C000-000000000046}");

    // Moves the position by `move` from STREAM_SEEK_SET, _CUR or _END; `position` (may be
    // null) receives the new position. A position before the start is refused.
    virtual HRESULT Seek(LARGE_INTEGER move, DWORD origin, ULARGE_INTEGER* position) = 0;
    // Grows (with zero bytes) or cuts the stream to `size`; the position is unchanged.
    virtual HRESULT SetSize(ULARGE_INTEGER size) = 0;
    virtual HRESULT CopyTo(IStream* target, ULARGE_INTEGER count, ULARGE_INTEGER* read,
                           ULARGE_INTEGER* written) = 0;
    virtual HRESULT Commit(DWORD flags) = 0;
    virtual HRESULT Revert() = 0;
    virtual HRESULT LockRegion(ULARGE_INTEGER offset, ULARGE_INTEGER count, DWORD lockType) = 0;
    virtual HRESULT UnlockRegion(ULARGE_INTEGER offset, ULARGE_INTEGER count, DWORD lockType) = 0;
    // Describes the stream (type, size, mode, times); STATFLAG_NONAME or STATFLAG_DEFAULT.
    virtual HRESULT Stat(STATSTG* stat, DWORD flags) = 0;
    virtual HRESULT Clone(IStream** copy) = 0;

protected:
    ~IStream() = default;
};

inline constexpr IID IID_ISequentialStream = ISequentialStream::kIid;
inline constexpr IID IID_IStream = IStream::kIid;
