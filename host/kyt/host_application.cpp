#include "host/kyt/host_application.h"

#include "host/kyt/as_unknown.h"

namespace kyt {

namespace {

constexpr char16_t kVisibleKey[] = u"tev\\application\\visible";

}  // namespace

HostSettings::HostSettings() {
    booleans_[kVisibleKey] = 1;
}

HRESULT HostSettings::GetBool(LPCOLESTR key, BYTE* value) {
    if (key == nullptr || value == nullptr)
        return E_POINTER;
    std::lock_guard lock(mutex_);
    const auto found = booleans_.find(key);
    if (found == booleans_.end())
        return S_FALSE;
    *value = found->second;
    return S_OK;
}

void HostSettings::SetBool(std::u16string key, BYTE value) {
    std::lock_guard lock(mutex_);
    booleans_[std::move(key)] = value;
}

HostApplication::HostApplication() : settings_(new HostSettings) {}

HostApplication::~HostApplication() {
    Forget(this);
    ReleaseIfAny(helpContext_);
    ReleaseIfAny(helpFile_);
}

HRESULT HostApplication::GetMainWindow(HWND* window) {
    if (window == nullptr)
        return E_POINTER;
    std::lock_guard lock(mutex_);
    *window = mainWindow_;
    return S_OK;
}

HRESULT HostApplication::ShowHelp(ITevString* context, ITevString* file) {
    std::lock_guard lock(mutex_);
    ++helpRequests_;
    ReleaseIfAny(helpContext_);
    ReleaseIfAny(helpFile_);
    helpContext_ = AddRefed(context);
    helpFile_ = AddRefed(file);
    return S_OK;
}

HRESULT HostApplication::GetUserInterfaceLanguage(LANGID* language) {
    if (language == nullptr)
        return E_POINTER;
    std::lock_guard lock(mutex_);
    *language = language_;
    return S_OK;
}

HRESULT HostApplication::GetSettings(IHostSettings** settings) {
    if (settings == nullptr)
        return E_POINTER;
    *settings = settings_.Get();
    (*settings)->AddRef();
    return S_OK;
}

HRESULT HostApplication::SetMainWindow(HWND window) {
    std::lock_guard lock(mutex_);
    mainWindow_ = window;
    return S_OK;
}

HRESULT HostApplication::SetUserInterfaceLanguage(LANGID language) {
    std::lock_guard lock(mutex_);
    language_ = language;
    return S_OK;
}

HRESULT HostApplication::SetBool(LPCOLESTR key, BYTE value) {
    if (key == nullptr)
        return E_POINTER;
    settings_->SetBool(key, value);
    return S_OK;
}

HRESULT HostApplication::GetHelpRequests(LONG* count, ITevString** context, ITevString** file) {
    if (count == nullptr || context == nullptr || file == nullptr)
        return E_POINTER;
    std::lock_guard lock(mutex_);
    *count = helpRequests_;
    *context = AddRefed(helpContext_);
    *file = AddRefed(helpFile_);
    return S_OK;
}

}  // namespace kyt
