// The host application object and its settings.
#pragma once

#include "host/api/tev_string_forward.h"
#include "platform/com/unknown.h"
#include "platform/module/resource.h"

// The host's settings, read by key.
struct IHostSettings : IUnknown {
    static constexpr IID kIid = MakeGuid("{70380572-34EA-11D3-8099-005004AD3C53}");

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
    // Reads the one-byte boolean setting `key` (for example "tev\application\visible") into
    // `*value`; a key the host does not know leaves `*value` as the caller preset it.
    virtual HRESULT GetBool(LPCOLESTR key, BYTE* value) = 0;

protected:
    ~IHostSettings() = default;
};

struct IHostApplication : IUnknown {
    static constexpr IID kIid = MakeGuid("{70380571-34EA-11D3-8099-005004AD3C53}");

    virtual HRESULT Unused3() { return E_NOTIMPL; }
    virtual HRESULT Unused4() { return E_NOTIMPL; }
    virtual HRESULT Unused5() { return E_NOTIMPL; }
    virtual HRESULT Unused6() { return E_NOTIMPL; }
    virtual HRESULT Unused7() { return E_NOTIMPL; }
    virtual HRESULT Unused8() { return E_NOTIMPL; }
    virtual HRESULT Unused9() { return E_NOTIMPL; }
    // The host's main window (null when it has none).
    virtual HRESULT GetMainWindow(HWND* window) = 0;
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
    // Shows the help topic `context` of help file `file`.
    virtual HRESULT ShowHelp(ITevString* context, ITevString* file) = 0;
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
    virtual HRESULT GetUserInterfaceLanguage(LANGID* language) = 0;
    // The host's settings, with a reference for the caller.
    virtual HRESULT GetSettings(IHostSettings** settings) = 0;

protected:
    ~IHostApplication() = default;
};
