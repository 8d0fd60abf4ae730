#include "host/device/device_parts.h"
#include "support/string/tev_string.h"

namespace device {

HRESULT HandOutText(const std::string& text, ITevString** result) {
    if (result == nullptr)
        return E_POINTER;
    *result = Tev::String(text).HandOut();
    return S_OK;
}

}  // namespace device
