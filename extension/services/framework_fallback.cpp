#include "extension/services/framework_fallback.h"

#include <cstdlib>
#include <filesystem>
#include <mutex>

#include "extension/services/framework_services.h"
#include "extension/services/xhresult.h"
#include "host/api/framework_ids.h"
#include "platform/com/class_objects.h"
#include "platform/com/ole_init.h"
#include "platform/module/module.h"
#include "platform/text/utf.h"
#include "platform/ui/user.h"
#include "support/string/xtev.h"

namespace Services {

namespace {

using DllGetClassObjectFunction = HRESULT (*)(REFCLSID, REFIID, void**);

// What this module did to start the framework, to be undone at process exit.
std::mutex g_fallbackMutex;  // two services' first uses may meet here
bool g_oleInitialised = false;
bool g_libraryLoaded = false;
HMODULE g_frameworkLibrary = nullptr;
DWORD g_registrationCookie = 0;

void UninitialiseOle() {
    OleUninitialize();
}

void UndoFrameworkLibrary() {
    if (g_registrationCookie != 0)
        CoRevokeClassObject(g_registrationCookie);
    g_registrationCookie = 0;
    if (g_frameworkLibrary != nullptr)
        FreeLibrary(g_frameworkLibrary);
    g_frameworkLibrary = nullptr;
}

bool FrameworkIsRegistered() {
    void* framework = nullptr;
    if (FAILED(CoGetClassObject(CLSID_FrameworkClassObject, kServiceContext, nullptr, IID_IUnknown,
                                &framework))) {
        return false;
    }
    static_cast<IUnknown*>(framework)->Release();
    return true;
}

[[noreturn]] void ReportLoadFailure(std::u16string_view path) {
    const std::u16string text = LoadFailureText(path);
    MessageBoxW(nullptr, text.c_str(), u"Varnis load failed", MB_OK);
    std::exit(-1);
}

}  // namespace

std::u16string FrameworkLibraryPath() {
    std::u16string executable(kHostPathUnits, u'\0');
    const DWORD length = GetModuleFileNameW(nullptr, executable.data(), kHostPathUnits);
    executable.resize(length < kHostPathUnits ? length : kHostPathUnits - 1);
    const std::filesystem::path beside = std::filesystem::path(text::ToUtf8(executable))
                                             .replace_filename(text::ToUtf8(kFrameworkLibraryName));
    return text::ToUtf16(beside.lexically_normal().string());
}

std::u16string LoadFailureText(std::u16string_view path) {
    std::u16string text = u"Varnis failed to load ";
    text.append(path);
    if (text.size() > kLoadFailureUnits - 1)
        text.resize(kLoadFailureUnits - 1);
    return text;
}

void LoadFrameworkLibrary() {
    const std::u16string path = FrameworkLibraryPath();
    HMODULE library = LoadLibraryW(path.c_str());
    if (g_frameworkLibrary != nullptr)
        FreeLibrary(g_frameworkLibrary);
    g_frameworkLibrary = library;

    const FARPROC export_ =
        library != nullptr ? GetProcAddress(library, "DllGetClassObject") : nullptr;
    if (export_ == nullptr)
        ReportLoadFailure(path);
    const auto getClassObject = reinterpret_cast<DllGetClassObjectFunction>(export_);

    IUnknown* framework = nullptr;
    HRESULT hr = getClassObject(CLSID_FrameworkClassObject, IID_IUnknown,
                                reinterpret_cast<void**>(&framework));
    if (FAILED(hr))
        throw XHResult(hr);
    hr = CoRegisterClassObject(CLSID_FrameworkClassObject, framework, CLSCTX_INPROC_SERVER,
                               REGCLS_MULTIPLEUSE, &g_registrationCookie);
    framework->Release();
    if (FAILED(hr))
        throw XHResult(hr);
}

void RunFrameworkFallback() {
    if (FrameworkIsRegistered())
        return;
    std::lock_guard lock(g_fallbackMutex);
    if (!g_oleInitialised) {
        g_oleInitialised = true;
        const HRESULT hr = OleInitialize(nullptr);
        if (FAILED(hr)) {
            throw XTev(static_cast<std::uint32_t>(hr), Tev::String(u"OLE initialisation failed"));
        }
        std::atexit(&UninitialiseOle);  // S_OK and S_FALSE both need their OleUninitialize
    }
    if (!g_libraryLoaded) {
        g_libraryLoaded = true;
        std::atexit(&UndoFrameworkLibrary);
        LoadFrameworkLibrary();
    }
}

}  // namespace Services
