// The host application object: its main window, help requests, user-interface language and
// settings, with IHostApplicationSetup through which the host sets them.
#pragma once

#include <map>
#include <mutex>
#include <string>

#include "host/api/framework_host.h"
#include "host/api/host_application.h"
#include "host/kyt/process_object.h"
#include "platform/com/com_object.h"
#include "platform/com/com_ptr.h"

namespace kyt {

class HostSettings final : public ComObject<IHostSettings> {
public:
    // The application is visible unless the host says otherwise.
    HostSettings();

    HRESULT GetBool(LPCOLESTR key, BYTE* value) override;

    void SetBool(std::u16string key, BYTE value);

private:
    std::mutex mutex_;
    std::map<std::u16string, BYTE> booleans_;
};

// One application object per process at a time (ProcessObject::Acquire).
class HostApplication final : public ComObject<IHostApplication, IHostApplicationSetup>,
                              public ProcessObject<HostApplication> {
public:
    // IHostApplication
    HRESULT GetMainWindow(HWND* window) override;
    HRESULT ShowHelp(ITevString* context, ITevString* file) override;
    HRESULT GetUserInterfaceLanguage(LANGID* language) override;
    HRESULT GetSettings(IHostSettings** settings) override;

    // IHostApplicationSetup
    HRESULT SetMainWindow(HWND window) override;
    HRESULT SetUserInterfaceLanguage(LANGID language) override;
    HRESULT SetBool(LPCOLESTR key, BYTE value) override;
    HRESULT GetHelpRequests(LONG* count, ITevString** context, ITevString** file) override;

private:
    friend class ProcessObject<HostApplication>;

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
