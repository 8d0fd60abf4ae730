// IUnknown for objects that live inside another object and implement one interface:
// SimpleUnknownImp1<I, 1> answers IUnknown and I with the object itself (its count unchanged)
// and refuses the rest; NoDeleteUnknownImp1<I> adds AddRef and Release that return 1 and never
// delete: the object lives exactly as long as the object that contains it.
#pragma once

#include <typeinfo>

#include "platform/com/refused_interface.h"
#include "platform/com/unknown.h"

template <class Interface, int InterfaceCount>
class SimpleUnknownImp1 : public Interface {
    static_assert(InterfaceCount == 1, "one interface");

public:
    HRESULT QueryInterface(REFIID iid, void** object) override {
        if (object == nullptr)
            return E_POINTER;
        if (iid == IID_IUnknown || iid == Interface::kIid) {
            *object = static_cast<Interface*>(this);
            return S_OK;
        }
        *object = nullptr;
        NoteRefusedInterface(typeid(*this), iid);
        return E_NOINTERFACE;
    }

protected:
    SimpleUnknownImp1() = default;
    ~SimpleUnknownImp1() = default;
};

template <class Interface>
class NoDeleteUnknownImp1 : public SimpleUnknownImp1<Interface, 1> {
public:
    ULONG AddRef() override { return 1; }
    ULONG Release() override { return 1; }

protected:
    NoDeleteUnknownImp1() = default;
    ~NoDeleteUnknownImp1() = default;
};
