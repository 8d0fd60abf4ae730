#include "host/session/extension_module.h"

#include <stdexcept>

#include "host/session/loader_reason.h"

#include "host/api/version_resource.h"
#include "platform/module/module.h"
#include "platform/module/resource.h"
#include "platform/text/utf.h"

namespace session {

std::map<std::u16string, std::u16string> ReadVersionKeys(HMODULE module) {
    HRSRC found = FindResourceW(module, MAKEINTRESOURCEW(kVersionResourceName), RT_VERSION);
    if (found == nullptr)
        return {};
    const void* data = LockResource(LoadResource(module, found));
    const DWORD size = SizeofResource(module, found);
    if (data == nullptr)
        return {};
    return ParseVersionKeys({static_cast<const char16_t*>(data), size / sizeof(char16_t)});
}

ExtensionModule::ExtensionModule(const std::filesystem::path& path) {
    module_ = LoadLibraryA(path.c_str());
    if (module_ == nullptr)
        throw std::runtime_error("cannot load " + path.string() + ": " + LoaderReason());
    keys_ = ReadVersionKeys(module_);
    register_ = reinterpret_cast<HRESULT (*)()>(GetProcAddress(module_, "DllRegisterClassObjects"));
    const char* problem = nullptr;
    if (VersionKey(u"ExtensionType") != u"Extension") {
        problem = " is not an extension module (its version keys do not say so)";
    } else if (register_ == nullptr) {
        problem = " has no DllRegisterClassObjects";
    }
    if (problem != nullptr) {
        FreeLibrary(module_);
        throw std::runtime_error(path.string() + problem);
    }
}

ExtensionModule::~ExtensionModule() {
    FreeLibrary(module_);
}

HRESULT ExtensionModule::RegisterClassObjects() {
    return register_();
}

std::u16string ExtensionModule::VersionKey(const std::u16string& key) const {
    const auto found = keys_.find(key);
    return found != keys_.end() ? found->second : std::u16string();
}

}  // namespace session
