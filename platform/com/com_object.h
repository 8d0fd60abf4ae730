// ComObject<Derived, I1, I2, ...>: a reference-counted object implementing the interfaces
// I1, I2 ... (each deriving from IUnknown). QueryInterface answers IID_IUnknown with I1 and
// each listed interface's kIid with that interface; a derived class widens the answer by
// overriding QueryInterfaceMore (for base interfaces of a listed one, for example).
// The object is created with a count of 0 and deletes itself when Release brings it back to 0.
#pragma once

#include "platform/com/interlocked.h"
#include "platform/com/unknown.h"

template <class Derived, class FirstInterface, class... MoreInterfaces>
class ComObject : public FirstInterface, public MoreInterfaces... {
public:
    HRESULT QueryInterface(REFIID iid, void** object) override {
        if (object == nullptr)
            return E_POINTER;
        *object = Find(iid);
        if (*object == nullptr)
            return E_NOINTERFACE;
        AddRef();
        return S_OK;
    }
    ULONG AddRef() override { return static_cast<ULONG>(InterlockedIncrement(&references_)); }
    ULONG Release() override {
        const LONG count = InterlockedDecrement(&references_);
        if (count == 0)
            delete this;
        return static_cast<ULONG>(count);
    }

    LONG ReferenceCount() const { return references_; }

protected:
    ComObject() = default;
    virtual ~ComObject() = default;
    ComObject(const ComObject&) = delete;
    ComObject& operator=(const ComObject&) = delete;

    // Interfaces answered beyond the listed ones; null when none.
    virtual void* QueryInterfaceMore(REFIID) { return nullptr; }

private:
    void* Find(REFIID iid) {
        if (iid == IID_IUnknown || iid == IidOf<FirstInterface>()) {
            return static_cast<FirstInterface*>(this);
        }
        void* found = nullptr;
        ((found = (found == nullptr && iid == IidOf<MoreInterfaces>())
                      ? static_cast<MoreInterfaces*>(this)
                      : found),
         ...);
        return found != nullptr ? found : QueryInterfaceMore(iid);
    }

    volatile LONG references_ = 0;
};
