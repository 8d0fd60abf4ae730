#include "platform/oleaut/variant.h"

namespace {

bool IsKnownType(VARTYPE type) {
    switch (type) {
        case VT_EMPTY:
        case VT_NULL:
        case VT_I2:
        case VT_I4:
        case VT_R4:
        case VT_R8:
        case VT_BSTR:
        case VT_BOOL:
        case VT_UNKNOWN:
        case VT_I1:
        case VT_UI1:
        case VT_UI2:
        case VT_UI4:
        case VT_I8:
        case VT_UI8:
        case VT_INT:
        case VT_UINT:
            return true;
        default:
            return false;
    }
}

}  // namespace

void VariantInit(VARIANT* variant) {
    variant->vt = VT_EMPTY;
    variant->wReserved1 = variant->wReserved2 = variant->wReserved3 = 0;
    variant->llVal = 0;
}

HRESULT VariantClear(VARIANT* variant) {
    if (variant == nullptr)
        return E_INVALIDARG;
    if (!IsKnownType(variant->vt))
        return DISP_E_BADVARTYPE;
    if (variant->vt == VT_BSTR)
        SysFreeString(variant->bstrVal);
    if (variant->vt == VT_UNKNOWN && variant->punkVal != nullptr)
        variant->punkVal->Release();
    VariantInit(variant);
    return S_OK;
}

HRESULT VariantCopy(VARIANT* destination, const VARIANT* source) {
    if (destination == nullptr || source == nullptr)
        return E_INVALIDARG;
    if (!IsKnownType(source->vt))
        return DISP_E_BADVARTYPE;
    if (destination == source)
        return S_OK;
    const HRESULT cleared = VariantClear(destination);
    if (FAILED(cleared))
        return cleared;
    *destination = *source;
    if (source->vt == VT_BSTR && source->bstrVal != nullptr) {
        destination->bstrVal = SysAllocStringByteLen(reinterpret_cast<const char*>(source->bstrVal),
                                                     SysStringByteLen(source->bstrVal));
        if (destination->bstrVal == nullptr) {
            VariantInit(destination);
            return E_OUTOFMEMORY;
        }
    }
    if (source->vt == VT_UNKNOWN && source->punkVal != nullptr)
        source->punkVal->AddRef();
    return S_OK;
}
