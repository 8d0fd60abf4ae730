#include "host/device/device_parts.h"
#include "support/string/tev_string.h"

namespace Ostrel {

HRESULT HandOutText(const std::string& text, ITevString** result) {
    if (result == nullptr)
        return E_POINTER;
    const Tev::String string(text);
    ITevString* object = string.Interface();
    object->AddRef();  // the caller's reference, which outlives `string`
    *result = object;
    return S_OK;
}

}  // namespace Ostrel
