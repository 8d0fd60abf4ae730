#include "extension/framework/com_object_root.h"

#include "platform/com/interlocked.h"

namespace Tev {

CComObjectRoot::CComObjectRoot() {
    InitializeCriticalSection(&lock_);
}

CComObjectRoot::~CComObjectRoot() {
    DeleteCriticalSection(&lock_);
}

ULONG CComObjectRoot::InternalAddRef() {
    return static_cast<ULONG>(InterlockedIncrement(&count_));
}

ULONG CComObjectRoot::InternalRelease() {
    return static_cast<ULONG>(InterlockedDecrement(&count_));
}

void CComObjectRoot::Lock() {
    EnterCriticalSection(&lock_);
}

void CComObjectRoot::Unlock() {
    LeaveCriticalSection(&lock_);
}

}  // namespace Tev
