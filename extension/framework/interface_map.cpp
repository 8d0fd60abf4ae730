#include "extension/framework/interface_map.h"

namespace {

HRESULT Answer(IUnknown* found, void** result) {
    found->AddRef();
    *result = found;
    return S_OK;
}

}  // namespace

HRESULT InternalQueryInterface(void* object, const InterfaceMapEntry* map, REFIID iid,
                               void** result) {
    if (object == nullptr || map == nullptr)
        return E_INVALIDARG;
    if (result == nullptr)
        return E_POINTER;
    *result = nullptr;
    using Kind = InterfaceMapEntry::Kind;
    if (iid == IID_IUnknown && map->kind == Kind::Interface)
        return Answer(map->cast(object), result);

    for (const InterfaceMapEntry* entry = map; entry->kind != Kind::End; ++entry) {
        if (entry->iid == nullptr) {  // blind delegation: any identifier
            const HRESULT hr = entry->delegate(object, iid, result);
            if (SUCCEEDED(hr))
                return hr;
            *result = nullptr;
            continue;
        }
        if (*entry->iid != iid)
            continue;
        switch (entry->kind) {
            case Kind::Interface:
                return Answer(entry->cast(object), result);
            case Kind::Refusal:
                return E_NOINTERFACE;
            case Kind::Delegation: {
                const HRESULT hr = entry->delegate(object, iid, result);
                if (FAILED(hr))
                    *result = nullptr;
                return hr;
            }
            case Kind::End:
                break;
        }
    }
    return E_NOINTERFACE;
}
