// The host application object and its settings.
#pragma once

#include "host/api/tev_string_forward.h"
#include "platform/com/unknown.h"
#include "platform/module/resource.h"

// The host's settings, read by key.
struct IHostSettings : IUnknown {
    static constexpr IID kIid = MakeGuid("{70380572-34EA-11D3-8099-005004AD3C53}");

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
    // Reads the one-byte boolean setting `key` (for example "tev\application\visible") into
    // `*value`; a key the host does not know leaves `*value` as the caller preset it.
    virtual HRESULT GetBool(LPCOLESTR key, BYTE* value) = 0;

protected:
    ~IHostSettings() = default;
};

struct IHostApplication : IUnknown {
    static constexpr IID kIid = MakeGuid("{70380571-34EA-11D3-8099-005004AD3C53}");

    virtual HRESULT Unused3() = 0;
    virtual HRESULT Unused4() = 0;
    virtual HRESULT Unused5() = 0;
    virtual HRESULT Unused6() = 0;
    virtual HRESULT Unused7() = 0;
    virtual HRESULT Unused8() = 0;
    virtual HRESULT Unused9() = 0;
    // The host's main window (null when it has none).
    virtual HRESULT GetMainWindow(HWND* window) = 0;
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
    // Shows the help topic `context` of help file `file`.
    virtual HRESULT ShowHelp(ITevString* context, ITevString* file) = 0;
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
    virtual HRESULT GetUserInterfaceLanguage(LANGID* language) = 0;
    // The host's settings, with a reference for the caller.
    virtual HRESULT GetSettings(IHostSettings** settings) = 0;

protected:
    ~IHostApplication() = default;
};
