// An extension module as the host loads it: the library, its version keys (which must say
// "ExtensionType" = "Extension") and its one export, DllRegisterClassObjects.
#pragma once

#include <filesystem>
#include <map>
#include <string>

#include "platform/win_types.h"

namespace session {

class ExtensionModule {
public:
    // Loads the library at `path`. Throws std::runtime_error when it cannot be loaded, has no
    // version resource naming it an extension, or lacks DllRegisterClassObjects.
    explicit ExtensionModule(const std::filesystem::path& path);
    // Frees the library.
    ~ExtensionModule();
    ExtensionModule(const ExtensionModule&) = delete;
    ExtensionModule& operator=(const ExtensionModule&) = delete;

    // Calls the module's DllRegisterClassObjects and returns its result.
    HRESULT RegisterClassObjects();

    HMODULE Handle() const { return module_; }
    const std::map<std::u16string, std::u16string>& VersionKeys() const { return keys_; }
    // A version key's value, empty when the module has none.
    std::u16string VersionKey(const std::u16string& key) const;

private:
    HMODULE module_ = nullptr;
    std::map<std::u16string, std::u16string> keys_;
    HRESULT (*register_)() = nullptr;
};

// The version keys of a loaded module (empty when it has no version resource).
std::map<std::u16string, std::u16string> ReadVersionKeys(HMODULE module);

}  // namespace session
