// One group of digital outputs of the master device (slot 14 of IMasterDevice).
#pragma once

#include "platform/com/unknown.h"

struct IDigitalOutputGroup : IUnknown {
    static constexpr IID kIid = MakeGuid("{626889FA-9D8B-4403-BEBE-810DAEE3C6B7}");

    virtual HRESULT GetOutputCount(LONG* count) = 0;

protected:
    ~IDigitalOutputGroup() = default;
};
