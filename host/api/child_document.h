// A host document as its extension documents see it: the objects that make up the host
// document, among them its sampling settings, which name the current master device.
#pragma once

#include "host/api/device_object.h"
#include "platform/com/unknown.h"

// The host's sampling settings.
struct ISamplingSettings : IUnknown {
    static constexpr IID kIid = MakeGuid("{864B2DE2-3F7F-11D1-9981-00C0DF492697}");

    virtual HRESULT Unused3() { return E_NOTIMPL; }
    virtual HRESULT Unused4() { return E_NOTIMPL; }
    virtual HRESULT Unused5() { return E_NOTIMPL; }
    virtual HRESULT Unused6() { return E_NOTIMPL; }
    virtual HRESULT Unused7() { return E_NOTIMPL; }
    virtual HRESULT Unused8() { return E_NOTIMPL; }
    virtual HRESULT Unused9() { return E_NOTIMPL; }
    virtual HRESULT Unused10() { return E_NOTIMPL; }
    virtual HRESULT Unused11() { return E_NOTIMPL; }
    virtual HRESULT Unused12() { return E_NOTIMPL; }
    virtual HRESULT Unused13() { return E_NOTIMPL; }
    virtual HRESULT Unused14() { return E_NOTIMPL; }
    virtual HRESULT Unused15() { return E_NOTIMPL; }
    virtual HRESULT Unused16() { return E_NOTIMPL; }
    virtual HRESULT Unused17() { return E_NOTIMPL; }
    virtual HRESULT Unused18() { return E_NOTIMPL; }
    virtual HRESULT Unused19() { return E_NOTIMPL; }
    virtual HRESULT Unused20() { return E_NOTIMPL; }
    virtual HRESULT Unused21() { return E_NOTIMPL; }
    virtual HRESULT Unused22() { return E_NOTIMPL; }
    virtual HRESULT Unused23() { return E_NOTIMPL; }
    virtual HRESULT Unused24() { return E_NOTIMPL; }
    virtual HRESULT Unused25() { return E_NOTIMPL; }
    virtual HRESULT Unused26() { return E_NOTIMPL; }
    virtual HRESULT Unused27() { return E_NOTIMPL; }
    virtual HRESULT Unused28() { return E_NOTIMPL; }
    virtual HRESULT Unused29() { return E_NOTIMPL; }
    virtual HRESULT Unused30() { return E_NOTIMPL; }
    virtual HRESULT Unused31() { return E_NOTIMPL; }
    virtual HRESULT Unused32() { return E_NOTIMPL; }
    virtual HRESULT Unused33() { return E_NOTIMPL; }
    virtual HRESULT Unused34() { return E_NOTIMPL; }
    virtual HRESULT Unused35() { return E_NOTIMPL; }
    virtual HRESULT Unused36() { return E_NOTIMPL; }
    // The current master device object (none when no device is selected), with a reference.
    virtual HRESULT GetCurrentDevice(IDeviceObject** device) = 0;

protected:
    ~ISamplingSettings() = default;
};

// Parts of the host document that extension documents keep without using.
struct IHostChannelSetup : IUnknown {
    static constexpr IID kIid = MakeGuid("{AD6CD303-7868-4A12-B4AE-97C02EE8F5E3}");

protected:
    ~IHostChannelSetup() = default;
};

struct IHostDisplay : IUnknown {
    static constexpr IID kIid = MakeGuid("{8C9C3423-CD9C-11D1-B2EA-00600894D72A}");

protected:
    ~IHostDisplay() = default;
};

struct IHostRecorder : IUnknown {
    static constexpr IID kIid = MakeGuid("{30720619-2F9C-4A61-AB1F-EBE679C9321F}");

protected:
    ~IHostRecorder() = default;
};

struct IHostChildDocument : IUnknown {
    static constexpr IID kIid = MakeGuid("{864B2DE1-3F7F-11D1-9981-00C0DF492697}");

    // Each getter gives its object with a reference for the caller.
    virtual HRESULT Unused3() { return E_NOTIMPL; }
    virtual HRESULT Unused4() { return E_NOTIMPL; }
    virtual HRESULT Unused5() { return E_NOTIMPL; }
    virtual HRESULT Unused6() { return E_NOTIMPL; }
    virtual HRESULT Unused7() { return E_NOTIMPL; }
    virtual HRESULT GetRecorder(IUnknown** recorder) = 0;
    virtual HRESULT Unused9() { return E_NOTIMPL; }
    virtual HRESULT Unused10() { return E_NOTIMPL; }
    virtual HRESULT Unused11() { return E_NOTIMPL; }
    virtual HRESULT Unused12() { return E_NOTIMPL; }
    virtual HRESULT Unused13() { return E_NOTIMPL; }
    virtual HRESULT Unused14() { return E_NOTIMPL; }
    virtual HRESULT Unused15() { return E_NOTIMPL; }
    virtual HRESULT GetChannelSetup(IUnknown** channelSetup) = 0;
    virtual HRESULT Unused17() { return E_NOTIMPL; }
    virtual HRESULT Unused18() { return E_NOTIMPL; }
    virtual HRESULT Unused19() { return E_NOTIMPL; }
    virtual HRESULT Unused20() { return E_NOTIMPL; }
    virtual HRESULT GetDisplay(IUnknown** display) = 0;
    virtual HRESULT Unused22() { return E_NOTIMPL; }
    virtual HRESULT Unused23() { return E_NOTIMPL; }
    virtual HRESULT Unused24() { return E_NOTIMPL; }
    virtual HRESULT Unused25() { return E_NOTIMPL; }
    virtual HRESULT Unused26() { return E_NOTIMPL; }
    virtual HRESULT Unused27() { return E_NOTIMPL; }
    virtual HRESULT Unused28() { return E_NOTIMPL; }
    virtual HRESULT Unused29() { return E_NOTIMPL; }
    virtual HRESULT Unused30() { return E_NOTIMPL; }
    virtual HRESULT Unused31() { return E_NOTIMPL; }
    virtual HRESULT Unused32() { return E_NOTIMPL; }
    virtual HRESULT Unused33() { return E_NOTIMPL; }
    virtual HRESULT Unused34() { return E_NOTIMPL; }
    virtual HRESULT Unused35() { return E_NOTIMPL; }
    virtual HRESULT Unused36() { return E_NOTIMPL; }
    virtual HRESULT Unused37() { return E_NOTIMPL; }
    virtual HRESULT Unused38() { return E_NOTIMPL; }
    virtual HRESULT Unused39() { return E_NOTIMPL; }
    virtual HRESULT Unused40() { return E_NOTIMPL; }
    virtual HRESULT Unused41() { return E_NOTIMPL; }
    virtual HRESULT Unused42() { return E_NOTIMPL; }
    virtual HRESULT Unused43() { return E_NOTIMPL; }
    virtual HRESULT Unused44() { return E_NOTIMPL; }
    virtual HRESULT Unused45() { return E_NOTIMPL; }
    virtual HRESULT Unused46() { return E_NOTIMPL; }
    virtual HRESULT Unused47() { return E_NOTIMPL; }
    virtual HRESULT Unused48() { return E_NOTIMPL; }
    virtual HRESULT Unused49() { return E_NOTIMPL; }
    virtual HRESULT GetSamplingSettings(ISamplingSettings** settings) = 0;
    virtual HRESULT GetTriggerSettings(IUnknown** settings) = 0;
    virtual HRESULT GetNotebook(IUnknown** notebook) = 0;
    virtual HRESULT Unused53() { return E_NOTIMPL; }
    virtual HRESULT Unused54() { return E_NOTIMPL; }
    virtual HRESULT Unused55() { return E_NOTIMPL; }
    virtual HRESULT Unused56() { return E_NOTIMPL; }
    virtual HRESULT Unused57() { return E_NOTIMPL; }
    virtual HRESULT Unused58() { return E_NOTIMPL; }
    virtual HRESULT Unused59() { return E_NOTIMPL; }
    virtual HRESULT Unused60() { return E_NOTIMPL; }
    virtual HRESULT Unused61() { return E_NOTIMPL; }
    virtual HRESULT Unused62() { return E_NOTIMPL; }
    virtual HRESULT Unused63() { return E_NOTIMPL; }
    virtual HRESULT Unused64() { return E_NOTIMPL; }
    virtual HRESULT GetChannelGroup(LONG index, IUnknown** group) = 0;

protected:
    ~IHostChildDocument() = default;
};
