// The objects a host document is made of, as its extension documents see them: the sampling
// settings (which name the current master device) and the parts that documents keep without
// using.
#pragma once

#include "host/api/child_document.h"
#include "host/api/device_object.h"
#include "platform/com/com_object.h"
#include "platform/com/com_ptr.h"

namespace session {

// A part of the host document: the recorder, the display, the channel setup and the like.
// It answers the interfaces that documents keep from these parts.
class HostPart final : public ComObject<IHostDisplay, IHostRecorder, IHostChannelSetup> {};

class SamplingSettings final : public ComObject<ISamplingSettings> {
public:
    HRESULT GetCurrentDevice(IDeviceObject** device) override;

    void SetCurrentDevice(ComPtr<IDeviceObject> device) { device_ = std::move(device); }
    IDeviceObject* CurrentDevice() const { return device_.Get(); }

private:
    ComPtr<IDeviceObject> device_;
};

}  // namespace session
