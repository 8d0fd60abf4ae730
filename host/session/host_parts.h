// The objects a host document is made of, as its extension documents see them: the sampling
// settings (which name the current master device) and the parts that documents keep without
// using.
#pragma once

#include "host/api/child_document.h"
#include "host/api/device_object.h"
#include "platform/com/com_object.h"
#include "platform/com/com_ptr.h"

namespace Ostrel {

// A part of the host document: the recorder, the display, the channel setup and the like.
// It answers the interfaces that documents keep from these parts.
class HostPart final : public ComObject<HostPart, IHostDisplay, IHostRecorder, IHostChannelSetup> {
};

class SamplingSettings final : public ComObject<SamplingSettings, ISamplingSettings> {
public:
    HRESULT Unused3() override { return E_NOTIMPL; }
    HRESULT Unused4() override { return E_NOTIMPL; }
    HRESULT Unused5() override { return E_NOTIMPL; }
    HRESULT Unused6() override { return E_NOTIMPL; }
    HRESULT Unused7() override { return E_NOTIMPL; }
    HRESULT Unused8() override { return E_NOTIMPL; }
    HRESULT Unused9() override { return E_NOTIMPL; }
    HRESULT Unused10() override { return E_NOTIMPL; }
    HRESULT Unused11() override { return E_NOTIMPL; }
    HRESULT Unused12() override { return E_NOTIMPL; }
    HRESULT Unused13() override { return E_NOTIMPL; }
    HRESULT Unused14() override { return E_NOTIMPL; }
    HRESULT Unused15() override { return E_NOTIMPL; }
    HRESULT Unused16() override { return E_NOTIMPL; }
    HRESULT Unused17() override { return E_NOTIMPL; }
    HRESULT Unused18() override { return E_NOTIMPL; }
    HRESULT Unused19() override { return E_NOTIMPL; }
    HRESULT Unused20() override { return E_NOTIMPL; }
    HRESULT Unused21() override { return E_NOTIMPL; }
    HRESULT Unused22() override { return E_NOTIMPL; }
    HRESULT Unused23() override { return E_NOTIMPL; }
    HRESULT Unused24() override { return E_NOTIMPL; }
    HRESULT Unused25() override { return E_NOTIMPL; }
    HRESULT Unused26() override { return E_NOTIMPL; }
    HRESULT Unused27() override { return E_NOTIMPL; }
    HRESULT Unused28() override { return E_NOTIMPL; }
    HRESULT Unused29() override { return E_NOTIMPL; }
    HRESULT Unused30() override { return E_NOTIMPL; }
    HRESULT Unused31() override { return E_NOTIMPL; }
    HRESULT Unused32() override { return E_NOTIMPL; }
    HRESULT Unused33() override { return E_NOTIMPL; }
    HRESULT Unused34() override { return E_NOTIMPL; }
    HRESULT Unused35() override { return E_NOTIMPL; }
    HRESULT Unused36() override { return E_NOTIMPL; }
    HRESULT GetCurrentDevice(IDeviceObject** device) override;

    void SetCurrentDevice(ComPtr<IDeviceObject> device) { device_ = std::move(device); }
    IDeviceObject* CurrentDevice() const { return device_.Get(); }

private:
    ComPtr<IDeviceObject> device_;
};

// IHostChildDocument with its unused slots answered.
class HostChildDocumentSlots : public IHostChildDocument {
public:
    HRESULT Unused3() override { return E_NOTIMPL; }
    HRESULT Unused4() override { return E_NOTIMPL; }
    HRESULT Unused5() override { return E_NOTIMPL; }
    HRESULT Unused6() override { return E_NOTIMPL; }
    HRESULT Unused7() override { return E_NOTIMPL; }
    HRESULT Unused9() override { return E_NOTIMPL; }
    HRESULT Unused10() override { return E_NOTIMPL; }
    HRESULT Unused11() override { return E_NOTIMPL; }
    HRESULT Unused12() override { return E_NOTIMPL; }
    HRESULT Unused13() override { return E_NOTIMPL; }
    HRESULT Unused14() override { return E_NOTIMPL; }
    HRESULT Unused15() override { return E_NOTIMPL; }
    HRESULT Unused17() override { return E_NOTIMPL; }
    HRESULT Unused18() override { return E_NOTIMPL; }
    HRESULT Unused19() override { return E_NOTIMPL; }
    HRESULT Unused20() override { return E_NOTIMPL; }
    HRESULT Unused22() override { return E_NOTIMPL; }
    HRESULT Unused23() override { return E_NOTIMPL; }
    HRESULT Unused24() override { return E_NOTIMPL; }
    HRESULT Unused25() override { return E_NOTIMPL; }
    HRESULT Unused26() override { return E_NOTIMPL; }
    HRESULT Unused27() override { return E_NOTIMPL; }
    HRESULT Unused28() override { return E_NOTIMPL; }
    HRESULT Unused29() override { return E_NOTIMPL; }
    HRESULT Unused30() override { return E_NOTIMPL; }
    HRESULT Unused31() override { return E_NOTIMPL; }
    HRESULT Unused32() override { return E_NOTIMPL; }
    HRESULT Unused33() override { return E_NOTIMPL; }
    HRESULT Unused34() override { return E_NOTIMPL; }
    HRESULT Unused35() override { return E_NOTIMPL; }
    HRESULT Unused36() override { return E_NOTIMPL; }
    HRESULT Unused37() override { return E_NOTIMPL; }
    HRESULT Unused38() override { return E_NOTIMPL; }
    HRESULT Unused39() override { return E_NOTIMPL; }
    HRESULT Unused40() override { return E_NOTIMPL; }
    HRESULT Unused41() override { return E_NOTIMPL; }
    HRESULT Unused42() override { return E_NOTIMPL; }
    HRESULT Unused43() override { return E_NOTIMPL; }
    HRESULT Unused44() override { return E_NOTIMPL; }
    HRESULT Unused45() override { return E_NOTIMPL; }
    HRESULT Unused46() override { return E_NOTIMPL; }
    HRESULT Unused47() override { return E_NOTIMPL; }
    HRESULT Unused48() override { return E_NOTIMPL; }
    HRESULT Unused49() override { return E_NOTIMPL; }
    HRESULT Unused53() override { return E_NOTIMPL; }
    HRESULT Unused54() override { return E_NOTIMPL; }
    HRESULT Unused55() override { return E_NOTIMPL; }
    HRESULT Unused56() override { return E_NOTIMPL; }
    HRESULT Unused57() override { return E_NOTIMPL; }
    HRESULT Unused58() override { return E_NOTIMPL; }
    HRESULT Unused59() override { return E_NOTIMPL; }
    HRESULT Unused60() override { return E_NOTIMPL; }
    HRESULT Unused61() override { return E_NOTIMPL; }
    HRESULT Unused62() override { return E_NOTIMPL; }
    HRESULT Unused63() override { return E_NOTIMPL; }
    HRESULT Unused64() override { return E_NOTIMPL; }

protected:
    ~HostChildDocumentSlots() = default;
};

}  // namespace Ostrel
