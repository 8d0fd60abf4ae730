#include "host/session/host_parts.h"

namespace Ostrel {

HRESULT SamplingSettings::GetCurrentDevice(IDeviceObject** device) {
    if (device == nullptr)
        return E_POINTER;
    *device = device_.Get();
    if (*device != nullptr)
        (*device)->AddRef();
    return S_OK;
}

}  // namespace Ostrel
