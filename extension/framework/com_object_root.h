// Tev::CComObjectRoot: the reference count and object lock of a COM-style object that
// implements several interfaces (multi-thread model: counts are interlocked, the lock is a
// critical section). The final class answers AddRef with InternalAddRef and Release with
// ReleaseObject(this), which deletes it when the count reaches 0. The count is set to
// kDestructionCount first, so that references taken and dropped while the object is being
// destroyed cannot bring it to 0 a second time.
#pragma once

#include "platform/sync/critical_section.h"
#include "platform/win_types.h"

namespace Tev {

class CComObjectRoot {
public:
    static constexpr LONG kDestructionCount = static_cast<LONG>(0xC0000001);

    ULONG InternalAddRef();
    ULONG InternalRelease();
    void Lock();
    void Unlock();
    LONG ReferenceCount() const { return count_; }

protected:
    CComObjectRoot();
    ~CComObjectRoot();
    CComObjectRoot(const CComObjectRoot&) = delete;
    CComObjectRoot& operator=(const CComObjectRoot&) = delete;

    // InternalRelease for the final class `self`, deleting it at 0.
    template <class Final>
    ULONG ReleaseObject(Final* self) {
        const ULONG count = InternalRelease();
        if (count == 0) {
            count_ = kDestructionCount;
            delete self;
        }
        return count;
    }

private:
    volatile LONG count_ = 0;
    CRITICAL_SECTION lock_;
};

}  // namespace Tev
