// VARIANT with the few types the interfaces here carry: empty, null, integers, reals, 16-bit
// booleans, BSTR and IUnknown. VariantClear frees what the variant owns (a BSTR, a reference).
#pragma once

#include "platform/com/unknown.h"
#include "platform/oleaut/bstr.h"

using VARTYPE = std::uint16_t;

inline constexpr VARTYPE VT_EMPTY = 0;
inline constexpr VARTYPE VT_NULL = 1;
inline constexpr VARTYPE VT_I2 = 2;
inline constexpr VARTYPE VT_I4 = 3;
inline constexpr VARTYPE VT_R4 = 4;
inline constexpr VARTYPE VT_R8 = 5;
inline constexpr VARTYPE VT_BSTR = 8;
inline constexpr VARTYPE VT_BOOL = 11;
inline constexpr VARTYPE VT_UNKNOWN = 13;
inline constexpr VARTYPE VT_I1 = 16;
inline constexpr VARTYPE VT_UI1 = 17;
inline constexpr VARTYPE VT_UI2 = 18;
inline constexpr VARTYPE VT_UI4 = 19;
inline constexpr VARTYPE VT_I8 = 20;
inline constexpr VARTYPE VT_UI8 = 21;
inline constexpr VARTYPE VT_INT = 22;
inline constexpr VARTYPE VT_UINT = 23;

inline constexpr HRESULT DISP_E_BADVARTYPE = MakeHResult(0x80020008);

struct VARIANT {
    VARTYPE vt;
    WORD wReserved1;
    WORD wReserved2;
    WORD wReserved3;
    union {
        LONGLONG llVal;
        ULONGLONG ullVal;
        LONG lVal;
        ULONG ulVal;
        INT intVal;
        UINT uintVal;
        BYTE bVal;
        signed char cVal;
        std::int16_t iVal;
        WORD uiVal;
        float fltVal;
        double dblVal;
        VARIANT_BOOL boolVal;
        BSTR bstrVal;
        IUnknown* punkVal;
    };
};

// Makes the variant VT_EMPTY without looking at what it held.
void VariantInit(VARIANT* variant);

// Frees what the variant owns and makes it VT_EMPTY. E_INVALIDARG for null; DISP_E_BADVARTYPE
// (the variant left as it is) for a type not listed above.
HRESULT VariantClear(VARIANT* variant);

// Clears `destination`, then copies `source` into it: a BSTR is duplicated, an IUnknown gains a
// reference. E_INVALIDARG for null pointers; DISP_E_BADVARTYPE for an unknown source type;
// E_OUTOFMEMORY when the BSTR cannot be copied (the destination is then VT_EMPTY).
HRESULT VariantCopy(VARIANT* destination, const VARIANT* source);
