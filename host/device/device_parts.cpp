#include "host/device/device_parts.h"

namespace device {

IDigitalOutputGroup* SimulatedDigitalGroup::Create(LONG count, bool failing) {
    IDigitalOutputGroup* group = new SimulatedDigitalGroup(count, failing);
    group->AddRef();
    return group;
}

HRESULT SimulatedDigitalGroup::GetOutputCount(LONG* count) {
    if (count == nullptr)
        return E_POINTER;
    if (failing_)
        return E_FAIL;
    *count = count_;
    return S_OK;
}

IStimulator* SimulatedStimulator::Create(bool enabled) {
    IStimulator* stimulator = new SimulatedStimulator(enabled);
    stimulator->AddRef();
    return stimulator;
}

HRESULT SimulatedStimulator::IsEnabled(VARIANT_BOOL* enabled) {
    if (enabled == nullptr)
        return E_POINTER;
    *enabled = enabled_ ? VARIANT_TRUE : VARIANT_FALSE;
    return S_OK;
}

IDeviceProperties* SimulatedDeviceProperties::Create(std::string name) {
    IDeviceProperties* properties = new SimulatedDeviceProperties(std::move(name));
    properties->AddRef();
    return properties;
}

HRESULT SimulatedDeviceProperties::GetText(ULONG code, ITevString** text) {
    if (text == nullptr)
        return E_POINTER;
    *text = nullptr;
    if (code != kDeviceName)
        return E_INVALIDARG;
    return HandOutText(name_, text);
}

}  // namespace device
