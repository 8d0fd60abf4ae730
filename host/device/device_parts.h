// The small objects a simulated Corvex hands out: a digital output group, the stimulator and
// the device's property set. Each holds what it reports; the caller gets one reference.
#pragma once

#include <string>

#include "host/api/channel_info.h"
#include "host/api/device_object.h"
#include "host/api/digital_output_group.h"
#include "platform/com/com_object.h"

namespace device {

class SimulatedDigitalGroup final : public ComObject<IDigitalOutputGroup> {
public:
    // A group of `count` outputs, or one whose count call fails.
    static IDigitalOutputGroup* Create(LONG count, bool failing);

    HRESULT GetOutputCount(LONG* count) override;

private:
    SimulatedDigitalGroup(LONG count, bool failing) : count_(count), failing_(failing) {}

    LONG count_;
    bool failing_;
};

class SimulatedStimulator final : public ComObject<IStimulator> {
public:
    static IStimulator* Create(bool enabled);

    HRESULT IsEnabled(VARIANT_BOOL* enabled) override;

private:
    explicit SimulatedStimulator(bool enabled) : enabled_(enabled) {}

    bool enabled_;
};

class SimulatedDeviceProperties final : public ComObject<IDeviceProperties> {
public:
    static IDeviceProperties* Create(std::string name);

    HRESULT GetText(ULONG code, ITevString** text) override;

private:
    explicit SimulatedDeviceProperties(std::string name) : name_(std::move(name)) {}

    std::string name_;
};

// Hands `text` (UTF-8) to the caller as a string object with one reference.
HRESULT HandOutText(const std::string& text, ITevString** result);

}  // namespace device
