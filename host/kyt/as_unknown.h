// Counting the string and test objects the framework is given, which may be null.
#pragma once

#include "host/api/tev_string_interface.h"
#include "host/api/unit_test.h"
#include "platform/com/unknown.h"

template <class Interface>
IUnknown* AsUnknown(Interface* object) {
    return static_cast<IUnknown*>(object);
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
