// ComObject<I1, I2, ...>: a reference-counted object implementing the interfaces I1, I2 ...
// (each deriving from IUnknown). QueryInterface answers IID_IUnknown with I1 and each listed
// interface's kIid with that interface. Two hooks let a derived class change the answer:
// QueryInterfaceMore widens it (for base interfaces of a listed one, for example) and
// RefusesInterface narrows it (an interface the object lists but does not offer in this state),
// so that a refused identifier gets E_NOINTERFACE and a null result like any unknown one
// (and is traced: platform/com/refused_interface.h).
// The object is created with a count of 0 and deletes itself when Release brings it back to 0.
#pragma once

#include <typeinfo>

#include "platform/com/interlocked.h"
#include "platform/com/refused_interface.h"
#include "platform/com/unknown.h"

template <class FirstInterface, class... MoreInterfaces>
class ComObject : public FirstInterface, public MoreInterfaces... {
public:
    HRESULT QueryInterface(REFIID iid, void** object) override {
        if (object == nullptr)
            return E_POINTER;
        *object = RefusesInterface(iid) ? nullptr : Find(iid);
        if (*object == nullptr) {
            NoteRefusedInterface(typeid(*this), iid);
            return E_NOINTERFACE;
        }
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
    // Whether the object refuses `iid` now, whatever it lists; asked before the list.
    virtual bool RefusesInterface(REFIID) { return false; }

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
