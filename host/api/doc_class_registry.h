// The framework's document-class registry, which also creates the framework's helper objects
// by id (framework_ids.h).
#pragma once

#include "platform/com/unknown.h"

struct ICustomDocClass;

struct IDocClassRegistry : IUnknown {
    static constexpr IID kIid = MakeGuid("{3CAD4551-2F23-11D1-8CE9-00C0D1570D74}");

    virtual HRESULT GetClassCount(LONG* count) = 0;
    // Registered class `index` (in order of registration), with a reference for the caller.
    virtual HRESULT GetClass(LONG index, ICustomDocClass** docClass) = 0;
    // A new framework object of kind `id`, queried for `iid`.
    virtual HRESULT CreateObject(DWORD id, const IID* iid, void** object) = 0;
    // Registers a document class; the registry holds a reference. E_POINTER for null.
    virtual HRESULT RegisterDocumentClass(ICustomDocClass* docClass) = 0;

protected:
    ~IDocClassRegistry() = default;
};
