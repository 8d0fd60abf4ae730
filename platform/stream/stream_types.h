// The value types of the storage interfaces, laid out and numbered as on Windows: 64-bit
// positions and sizes, file times, the STATSTG record, and the mode, seek and stat flags.
#pragma once

#include "platform/com/guid.h"
#include "platform/com/hresult.h"
#include "platform/win_types.h"

union LARGE_INTEGER {
    struct {
        DWORD LowPart;
        LONG HighPart;
    } u;
    LONGLONG QuadPart;
};

union ULARGE_INTEGER {
    struct {
        DWORD LowPart;
        DWORD HighPart;
    } u;
    ULONGLONG QuadPart;
};

constexpr LARGE_INTEGER MakeLargeInteger(LONGLONG value) {
    LARGE_INTEGER result{};
    result.QuadPart = value;
    return result;
}

constexpr ULARGE_INTEGER MakeULargeInteger(ULONGLONG value) {
    ULARGE_INTEGER result{};
    result.QuadPart = value;
    return result;
}

// 100-nanosecond intervals since 1 January 1601 (UTC).
struct FILETIME {
    DWORD dwLowDateTime;
    DWORD dwHighDateTime;
};

// What IStream::Stat reports about a stream.
struct STATSTG {
    LPOLESTR pwcsName;  // null unless asked for; the streams here never carry a name
    DWORD type;         // STGTY_STREAM
    ULARGE_INTEGER cbSize;
    FILETIME mtime;
    FILETIME ctime;
    FILETIME atime;
    DWORD grfMode;  // the STGM_ flags the stream was opened with
    DWORD grfLocksSupported;
    CLSID clsid;
    DWORD grfStateBits;
    DWORD reserved;
};

inline constexpr DWORD STGTY_STORAGE = 1;
inline constexpr DWORD STGTY_STREAM = 2;

// Access modes: the low two bits of a mode.
inline constexpr DWORD STGM_READ = 0x00000000;
inline constexpr DWORD STGM_WRITE = 0x00000001;
inline constexpr DWORD STGM_READWRITE = 0x00000002;
inline constexpr DWORD STGM_ACCESS_MASK = 0x00000003;
// Sharing modes (recorded, not enforced).
inline constexpr DWORD STGM_SHARE_DENY_NONE = 0x00000040;
inline constexpr DWORD STGM_SHARE_DENY_READ = 0x00000030;
inline constexpr DWORD STGM_SHARE_DENY_WRITE = 0x00000020;
inline constexpr DWORD STGM_SHARE_EXCLUSIVE = 0x00000010;
// Creation: STGM_CREATE makes the file or empties an existing one; STGM_FAILIFTHERE (no flag)
// opens an existing file only.
inline constexpr DWORD STGM_FAILIFTHERE = 0x00000000;
inline constexpr DWORD STGM_CREATE = 0x00001000;

// The origins of IStream::Seek.
inline constexpr DWORD STREAM_SEEK_SET = 0;
inline constexpr DWORD STREAM_SEEK_CUR = 1;
inline constexpr DWORD STREAM_SEEK_END = 2;

// IStream::Stat flags.
inline constexpr DWORD STATFLAG_DEFAULT = 0;
inline constexpr DWORD STATFLAG_NONAME = 1;

inline constexpr HRESULT STG_E_TOOMANYOPENFILES = MakeHResult(0x80030004);
inline constexpr HRESULT STG_E_INVALIDFLAG = MakeHResult(0x800300FF);
