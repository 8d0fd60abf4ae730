// IUnknown and the conventions of every COM-style interface here:
// - an interface is an abstract class whose virtual functions are its slots in order (pure
//   for each operation), IUnknown's three first, with no virtual destructor, so that slot N is
//   entry N of the virtual table;
// - each interface names its identifier as `static constexpr IID kIid`;
// - unused slots below the highest used one are declared as named placeholders that answer
//   E_NOTIMPL themselves (`virtual HRESULT Unused7() { return E_NOTIMPL; }`), so that they
//   keep their place in the table without implementations repeating them.
#pragma once

#include "platform/com/guid.h"
#include "platform/com/hresult.h"

struct IUnknown {
    static constexpr IID kIid = MakeGuid("{00000000-0000-0000-C000-000000000046}");

    virtual HRESULT QueryInterface(REFIID iid, void** object) = 0;
    virtual ULONG AddRef() = 0;
    virtual ULONG Release() = 0;

protected:
    ~IUnknown() = default;
};

inline constexpr IID IID_IUnknown = IUnknown::kIid;

// The identifier an interface declares.
template <class Interface>
constexpr const IID& IidOf() {
    return Interface::kIid;
}

// Queries `object` for Interface; the result carries one reference. E_POINTER for a null
// result pointer; a null object gives E_NOINTERFACE and a null result.
template <class Interface>
HRESULT QueryInterfaceAs(IUnknown* object, Interface** result) {
    if (result == nullptr)
        return E_POINTER;
    *result = nullptr;
    if (object == nullptr)
        return E_NOINTERFACE;
    return object->QueryInterface(IidOf<Interface>(), reinterpret_cast<void**>(result));
}
