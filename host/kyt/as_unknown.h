// Every interface of the host boundary derives from IUnknown through single inheritance, so
// an interface pointer is also its IUnknown pointer. The framework holds the string objects and
// test objects it is given by that IUnknown, without needing their full declarations.
#pragma once

#include "platform/com/unknown.h"

template <class Interface>
IUnknown* AsUnknown(Interface* object) {
    return reinterpret_cast<IUnknown*>(object);
}

// Adds a reference to `object` when it is not null; returns it.
template <class Interface>
Interface* AddRefed(Interface* object) {
    if (object != nullptr)
        AsUnknown(object)->AddRef();
    return object;
}

template <class Interface>
void ReleaseIfAny(Interface* object) {
    if (object != nullptr)
        AsUnknown(object)->Release();
}
