// A host document as its extension documents see it: the objects that make up the host
// document, among them its sampling settings, which name the current master device.
#pragma once

#include "host/api/device_object.h"
#include "platform/com/unknown.h"

// The host's sampling settings.
struct ISamplingSettings : IUnknown {
    static constexpr IID kIid = MakeGuid("{864B2DE2-3F7F-11D1-9981-00C0DF492697}");

    virtual HRESULT Unused3() = 0;
    virtual HRESULT Unused4() = 0;
    virtual HRESULT Unused5() = 0;
    virtual HRESULT Unused6() = 0;
    virtual HRESULT Unused7() = 0;
    virtual HRESULT Unused8() = 0;
    virtual HRESULT Unused9() = 0;
    virtual HRESULT Unused10() = 0;
    virtual HRESULT Unused11() = 0;
    virtual HRESULT Unused12() = 0;
    virtual HRESULT Unused13() = 0;
    virtual HRESULT Unused14() = 0;
    virtual HRESULT Unused15() = 0;
    virtual HRESULT Unused16() = 0;
    virtual HRESULT Unused17() = 0;
    virtual HRESULT Unused18() = 0;
    virtual HRESULT Unused19() = 0;
    virtual HRESULT Unused20() = 0;
    virtual HRESULT Unused21() = 0;
    virtual HRESULT Unused22() = 0;
    virtual HRESULT Unused23() = 0;
    virtual HRESULT Unused24() = 0;
    virtual HRESULT Unused25() = 0;
    virtual HRESULT Unused26() = 0;
    virtual HRESULT Unused27() = 0;
    virtual HRESULT Unused28() = 0;
    virtual HRESULT Unused29() = 0;
    virtual HRESULT Unused30() = 0;
    virtual HRESULT Unused31() = 0;
    virtual HRESULT Unused32() = 0;
    virtual HRESULT Unused33() = 0;
    virtual HRESULT Unused34() = 0;
    virtual HRESULT Unused35() = 0;
    virtual HRESULT Unused36() = 0;
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
    virtual HRESULT Unused3() = 0;
    virtual HRESULT Unused4() = 0;
    virtual HRESULT Unused5() = 0;
    virtual HRESULT Unused6() = 0;
    virtual HRESULT Unused7() = 0;
    virtual HRESULT GetRecorder(IUnknown** recorder) = 0;
    virtual HRESULT Unused9() = 0;
    virtual HRESULT Unused10() = 0;
    virtual HRESULT Unused11() = 0;
    virtual HRESULT Unused12() = 0;
    virtual HRESULT Unused13() = 0;
    virtual HRESULT Unused14() = 0;
    virtual HRESULT Unused15() = 0;
    virtual HRESULT GetChannelSetup(IUnknown** channelSetup) = 0;
    virtual HRESULT Unused17() = 0;
    virtual HRESULT Unused18() = 0;
    virtual HRESULT Unused19() = 0;
    virtual HRESULT Unused20() = 0;
    virtual HRESULT GetDisplay(IUnknown** display) = 0;
    virtual HRESULT Unused22() = 0;
    virtual HRESULT Unused23() = 0;
    virtual HRESULT Unused24() = 0;
    virtual HRESULT Unused25() = 0;
    virtual HRESULT Unused26() = 0;
    virtual HRESULT Unused27() = 0;
    virtual HRESULT Unused28() = 0;
    virtual HRESULT Unused29() = 0;
    virtual HRESULT Unused30() = 0;
    virtual HRESULT Unused31() = 0;
    virtual HRESULT Unused32() = 0;
    virtual HRESULT Unused33() = 0;
    virtual HRESULT Unused34() = 0;
    virtual HRESULT Unused35() = 0;
    virtual HRESULT Unused36() = 0;
    virtual HRESULT Unused37() = 0;
    virtual HRESULT Unused38() = 0;
    virtual HRESULT Unused39() = 0;
    virtual HRESULT Unused40() = 0;
    virtual HRESULT Unused41() = 0;
    virtual HRESULT Unused42() = 0;
    virtual HRESULT Unused43() = 0;
    virtual HRESULT Unused44() = 0;
    virtual HRESULT Unused45() = 0;
    virtual HRESULT Unused46() = 0;
    virtual HRESULT Unused47() = 0;
    virtual HRESULT Unused48() = 0;
    virtual HRESULT Unused49() = 0;
    virtual HRESULT GetSamplingSettings(ISamplingSettings** settings) = 0;
    virtual HRESULT GetTriggerSettings(IUnknown** settings) = 0;
    virtual HRESULT GetNotebook(IUnknown** notebook) = 0;
    virtual HRESULT Unused53() = 0;
    virtual HRESULT Unused54() = 0;
    virtual HRESULT Unused55() = 0;
    virtual HRESULT Unused56() = 0;
    virtual HRESULT Unused57() = 0;
    virtual HRESULT Unused58() = 0;
    virtual HRESULT Unused59() = 0;
    virtual HRESULT Unused60() = 0;
    virtual HRESULT Unused61() = 0;
    virtual HRESULT Unused62() = 0;
    virtual HRESULT Unused63() = 0;
    virtual HRESULT Unused64() = 0;
    virtual HRESULT GetChannelGroup(LONG index, IUnknown** group) = 0;

protected:
    ~IHostChildDocument() = default;
};
