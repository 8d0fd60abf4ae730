// The IUnknown of a final class whose count is its Tev::CComObjectRoot and whose interfaces
// are listed in an interface map: written once here instead of in every such class.
//
//   class Doc final : public ..., public Tev::CComObjectRoot {
//   public:
//       TEV_MAPPED_IUNKNOWN
//       ...
//   };
//   const InterfaceMapEntry* Doc::InterfaceMap() { return kInterfaceMap; }   // in doc.cpp
//
// QueryInterface walks InterfaceMap() (extension/framework/interface_map.h), AddRef is
// InternalAddRef and Release is ReleaseObject(this). A refused identifier is traced like every
// refusal (platform/com/refused_interface.h).
#pragma once

#include <typeinfo>

#include "extension/framework/com_object_root.h"
#include "extension/framework/interface_map.h"
#include "platform/com/refused_interface.h"

// InternalQueryInterface for `self`, tracing a refusal with its dynamic type.
template <class Object>
HRESULT QueryMappedInterface(Object* self, const InterfaceMapEntry* map, REFIID iid,
                             void** result) {
    const HRESULT hr = InternalQueryInterface(self, map, iid, result);
    if (hr == E_NOINTERFACE)
        NoteRefusedInterface(typeid(*self), iid);
    return hr;
}

#define TEV_MAPPED_IUNKNOWN                                             \
    static const InterfaceMapEntry* InterfaceMap();                     \
    HRESULT QueryInterface(REFIID iid, void** object) override {        \
        return QueryMappedInterface(this, InterfaceMap(), iid, object); \
    }                                                                   \
    ULONG AddRef() override {                                           \
        return InternalAddRef();                                        \
    }                                                                   \
    ULONG Release() override {                                          \
        return ReleaseObject(this);                                     \
    }
