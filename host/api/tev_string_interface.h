// ITevString: the string object that crosses the host boundary. A Tev::String's representation
// implements it, so a string is passed to the host as this interface without copying.
//
// Slots in virtual-table order (IUnknown's three first); each returns an HRESULT unless another
// result is named. IAutoTevString holds slots 3 to 8, ITevString adds 9 to 19.
//   3 AssignBSTR   4 GetBSTR     5 IsEmpty      6 GetLength   7 IsEqual     8 IsShared
//   9 GetKind (plain number)     10 CopyTo      11 GetSize    12 GetCapacity
//  13 CreateNew   14 GetVariant  15 LengthValue (plain number)              16 Delete
//  17 Reserved17  18 GetBuffer (the characters)  19 Destruct (the destructor; flag bit 0 also
//                                                    frees the object's memory)
// An object whose GetKind returns kTevStringKind (9) is a Tev::String representation: the
// representation header lies in front of its characters, whichever module made it.
#pragma once

#include "platform/com/unknown.h"
#include "platform/oleaut/bstr.h"
#include "platform/oleaut/variant.h"

struct ITevString;

inline constexpr LONG kTevStringKind = 9;

struct IAutoTevString : IUnknown {
    static constexpr IID kIid = MakeGuid("{2D3B7EC5-BF24-11CF-97E6-00C0DF492697}");

    virtual HRESULT AssignBSTR(BSTR text) = 0;
    virtual HRESULT GetBSTR(BSTR* text) = 0;
    virtual HRESULT IsEmpty(VARIANT_BOOL* empty) = 0;
    virtual HRESULT GetLength(LONG* length) = 0;
    virtual HRESULT IsEqual(ITevString* other, VARIANT_BOOL* equal) = 0;
    virtual HRESULT IsShared(VARIANT_BOOL* shared) = 0;

protected:
    ~IAutoTevString() = default;
};

struct ITevString : IAutoTevString {
    static constexpr IID kIid = MakeGuid("{3904AA0E-3E8D-11D1-997F-00C0DF492697}");

    virtual LONG GetKind() = 0;
    virtual HRESULT CopyTo(LONG bytes, void* destination) = 0;
    virtual HRESULT GetSize(LONG* length, LONG* unitSize) = 0;
    virtual HRESULT GetCapacity(LONG* capacity) = 0;
    virtual HRESULT CreateNew(LONG length, ITevString** created) = 0;
    virtual HRESULT GetVariant(VARIANT* value) = 0;
    virtual LONG LengthValue() = 0;
    virtual HRESULT Delete() = 0;
    virtual HRESULT Reserved17() = 0;
    virtual OLECHAR* GetBuffer() = 0;
    virtual void Destruct(UINT flags) = 0;

protected:
    ~ITevString() = default;
};

// Destruct's flag: free the object's memory after destroying it.
inline constexpr UINT kTevStringFreeMemory = 1;
