// StreamObject: the common part of the platform's IStream implementations. It is a
// reference-counted object answering IUnknown, ISequentialStream and IStream, and it answers
// the slots that no stream here supports (CopyTo, Commit, Revert, LockRegion, UnlockRegion,
// Clone) with E_NOTIMPL. Derived classes implement Read, Write, Seek, SetSize and Stat.
#pragma once

#include "platform/com/com_object.h"
#include "platform/stream/stream.h"

class StreamObject : public ComObject<IStream> {
public:
    HRESULT CopyTo(IStream*, ULARGE_INTEGER, ULARGE_INTEGER*, ULARGE_INTEGER*) override {
        return E_NOTIMPL;
    }
    HRESULT Commit(DWORD) override { return E_NOTIMPL; }
    HRESULT Revert() override { return E_NOTIMPL; }
    HRESULT LockRegion(ULARGE_INTEGER, ULARGE_INTEGER, DWORD) override { return E_NOTIMPL; }
    HRESULT UnlockRegion(ULARGE_INTEGER, ULARGE_INTEGER, DWORD) override { return E_NOTIMPL; }
    HRESULT Clone(IStream** copy) override {
        if (copy != nullptr)
            *copy = nullptr;
        return E_NOTIMPL;
    }

protected:
    StreamObject() = default;

    void* QueryInterfaceMore(REFIID iid) override {
        if (iid == IID_ISequentialStream) {
            return static_cast<ISequentialStream*>(static_cast<IStream*>(this));
        }
        return nullptr;
    }
};

// Whether `mode` (STGM_ flags) grants reading, or writing.
constexpr bool ModeAllowsRead(DWORD mode) {
    return (mode & STGM_ACCESS_MASK) == STGM_READ || (mode & STGM_ACCESS_MASK) == STGM_READWRITE;
}
constexpr bool ModeAllowsWrite(DWORD mode) {
    return (mode & STGM_ACCESS_MASK) == STGM_WRITE || (mode & STGM_ACCESS_MASK) == STGM_READWRITE;
}
