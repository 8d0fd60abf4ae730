#include "host/session/host_parts.h"

namespace session {

HRESULT SamplingSettings::GetCurrentDevice(IDeviceObject** device) {
    if (device == nullptr)
        return E_POINTER;
    *device = device_.Get();
    if (*device != nullptr)
        (*device)->AddRef();
    return S_OK;
}

}  // namespace session
