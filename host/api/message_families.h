// The framework's family numbers: the host assigns one 16-bit number to each GUID that names
// a family of commands, messages or events, in the order the families are first asked for.
#pragma once

#include "platform/com/unknown.h"

struct IMessageFamilies : IUnknown {
    static constexpr IID kIid = MakeGuid("{E5140871-1524-11D1-8CCE-00C0D1570D74}");

    // The family number of `family`; the same GUID always gets the same number.
    virtual HRESULT GetFamily(const GUID* family, WORD* number) = 0;

protected:
    ~IMessageFamilies() = default;
};
