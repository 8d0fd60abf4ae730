#include "host/device/device_parts.h"

namespace Ostrel {

// The string type's object comes with the strings of the support library; until then the
// device has no way to hand out a text.
HRESULT HandOutText(const std::string&, ITevString** result) {
    if (result == nullptr)
        return E_POINTER;
    *result = nullptr;
    return E_NOTIMPL;
}

}  // namespace Ostrel
