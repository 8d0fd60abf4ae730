// Small helpers for the framework's interface pointers.
#pragma once

#include "platform/com/unknown.h"

// Queries `object` for Interface and keeps the pointer without its reference: for interfaces
// of objects that outlive the holder (or are the holder itself).
template <class Interface>
Interface* QueryUncounted(IUnknown* object) {
    Interface* found = nullptr;
    if (SUCCEEDED(QueryInterfaceAs<Interface>(object, &found)) && found != nullptr) {
        found->Release();
    }
    return found;
}

// QueryUncounted once: `kept` holds the answer from the first successful query on.
template <class Interface>
Interface* QueryUncountedOnce(IUnknown* object, Interface*& kept) {
    if (kept == nullptr)
        kept = QueryUncounted<Interface>(object);
    return kept;
}

// Releases a counted pointer, if any, and clears it.
template <class Interface>
void ReleaseAndClear(Interface*& object) {
    if (object != nullptr)
        object->Release();
    object = nullptr;
}
