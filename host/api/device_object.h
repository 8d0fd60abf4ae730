// The host's device object: the object behind the current master device, from which the
// master device interface (by interface query) and the device's properties come.
#pragma once

#include "host/api/tev_string_forward.h"
#include "platform/com/unknown.h"

// A set of the device's properties, read by property code.
struct IDeviceProperties : IUnknown {
    static constexpr IID kIid = MakeGuid("{9B6BEEE6-8720-460A-BCEE-34869062DEB0}");

    // Property codes of GetText.
    static constexpr ULONG kDeviceName = 0xC2000000;

    // The text of property `code`, stored in `*text` with a reference for the caller.
    virtual HRESULT GetText(ULONG code, ITevString** text) = 0;

protected:
    ~IDeviceProperties() = default;
};

struct IDeviceObject : IUnknown {
    static constexpr IID kIid = MakeGuid("{734568B5-5301-4F95-9ADC-A88CDCEC0592}");

    // Property sets of GetProperties.
    static constexpr LONG kGeneralProperties = 0;

    // Property set `set`, with a reference for the caller.
    virtual HRESULT GetProperties(LONG set, IDeviceProperties** properties) = 0;

protected:
    ~IDeviceObject() = default;
};
