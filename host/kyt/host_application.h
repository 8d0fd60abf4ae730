// The host application object: its main window, help requests, user-interface language and
// settings, with IHostApplicationSetup through which the host sets them.
#pragma once

#include <map>
#include <mutex>
#include <string>

#include "host/api/framework_host.h"
#include "host/api/host_application.h"
#include "platform/com/com_object.h"
#include "platform/com/com_ptr.h"

namespace kyt {

class HostSettings final : public ComObject<HostSettings, IHostSettings> {
public:
    // The application is visible unless the host says otherwise.
    HostSettings();

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
    HRESULT GetBool(LPCOLESTR key, BYTE* value) override;

    void SetBool(std::u16string key, BYTE value);

private:
    std::mutex mutex_;
    std::map<std::u16string, BYTE> booleans_;
};

class HostApplication final
    : public ComObject<HostApplication, IHostApplication, IHostApplicationSetup> {
public:
    // The process's application object, made when there is none, with a reference.
    static HostApplication* Acquire();

    // IHostApplication
    HRESULT Unused3() override { return E_NOTIMPL; }
    HRESULT Unused4() override { return E_NOTIMPL; }
    HRESULT Unused5() override { return E_NOTIMPL; }
    HRESULT Unused6() override { return E_NOTIMPL; }
    HRESULT Unused7() override { return E_NOTIMPL; }
    HRESULT Unused8() override { return E_NOTIMPL; }
    HRESULT Unused9() override { return E_NOTIMPL; }
    HRESULT GetMainWindow(HWND* window) override;
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
    HRESULT ShowHelp(ITevString* context, ITevString* file) override;
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
    HRESULT GetUserInterfaceLanguage(LANGID* language) override;
    HRESULT GetSettings(IHostSettings** settings) override;

    // IHostApplicationSetup
    HRESULT SetMainWindow(HWND window) override;
    HRESULT SetUserInterfaceLanguage(LANGID language) override;
    HRESULT SetBool(LPCOLESTR key, BYTE value) override;
    HRESULT GetHelpRequests(LONG* count, ITevString** context, ITevString** file) override;

private:
    HostApplication();
    ~HostApplication() override;

    std::mutex mutex_;
    HWND mainWindow_ = nullptr;
    LANGID language_ = 0x0409;  // English (United States)
    ComPtr<HostSettings> settings_;
    LONG helpRequests_ = 0;
    ITevString* helpContext_ = nullptr;  // one reference each, from the last request
    ITevString* helpFile_ = nullptr;
};

}  // namespace kyt
