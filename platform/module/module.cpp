#include "platform/module/module.h"

#include <dlfcn.h>
#include <limits.h>
#include <link.h>
#include <stdlib.h>
#include <sys/auxv.h>
#include <unistd.h>

#include <cstring>
#include <map>
#include <mutex>
#include <string>

#include "platform/error/last_error.h"
#include "platform/text/utf.h"

namespace {

// The libraries loaded through LoadLibrary: their loader handle and how often they were loaded.
struct LoadedLibrary {
    void* handle;
    int loads;
};

struct LoadedLibraries {
    std::mutex mutex;
    std::map<HMODULE, LoadedLibrary> byModule;
};

LoadedLibraries& Loaded() {
    static auto* libraries = new LoadedLibraries;  // lives until the process ends
    return *libraries;
}

HMODULE ModuleOfLoaderHandle(void* handle) {
    link_map* map = nullptr;
    if (dlinfo(handle, RTLD_DI_LINKMAP, &map) != 0 || map == nullptr)
        return nullptr;
    return ModuleFromAddress(map->l_ld);
}

std::string NarrowName(LPCWSTR name) {
    std::u16string_view view(name);
    return text::ToUtf8(view);
}

// The path of the module's image; empty when `module` is not a loaded module.
std::string PathOf(HMODULE module) {
    if (module == nullptr || module == ExecutableModule()) {
        char path[PATH_MAX];
        const ssize_t length = readlink("/proc/self/exe", path, sizeof path);
        return length > 0 ? std::string(path, static_cast<std::size_t>(length)) : std::string();
    }
    Dl_info info{};
    if (dladdr(module, &info) == 0 || info.dli_fbase != module || info.dli_fname == nullptr) {
        return {};
    }
    char resolved[PATH_MAX];
    if (realpath(info.dli_fname, resolved) != nullptr)
        return resolved;
    return info.dli_fname;
}

// Counts one more load of a library already opened with `handle` (which carries a loader
// reference of its own).
HMODULE RecordLoad(void* handle) {
    const HMODULE module = ModuleOfLoaderHandle(handle);
    if (module == nullptr) {
        dlclose(handle);
        SetLastError(ERROR_MOD_NOT_FOUND);
        return nullptr;
    }
    LoadedLibraries& loaded = Loaded();
    std::lock_guard lock(loaded.mutex);
    auto [entry, inserted] = loaded.byModule.try_emplace(module, LoadedLibrary{handle, 0});
    ++entry->second.loads;
    return module;
}

template <class Unit>
DWORD CopyPath(const std::basic_string<Unit>& path, Unit* buffer, DWORD size) {
    if (path.empty()) {
        SetLastError(ERROR_MOD_NOT_FOUND);
        return 0;
    }
    if (buffer == nullptr || size == 0) {
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return 0;
    }
    if (path.size() < size) {
        std::memcpy(buffer, path.data(), path.size() * sizeof(Unit));
        buffer[path.size()] = 0;
        return static_cast<DWORD>(path.size());
    }
    std::memcpy(buffer, path.data(), (size - 1) * sizeof(Unit));
    buffer[size - 1] = 0;
    SetLastError(ERROR_INSUFFICIENT_BUFFER);
    return size;
}

}  // namespace

HMODULE ModuleFromAddress(const void* address) {
    Dl_info info{};
    if (address == nullptr || dladdr(address, &info) == 0)
        return nullptr;
    return static_cast<HMODULE>(info.dli_fbase);
}

HMODULE ExecutableModule() {
    static const HMODULE executable =
        ModuleFromAddress(reinterpret_cast<const void*>(getauxval(AT_PHDR)));
    return executable;
}

HMODULE LoadLibraryA(const char* fileName) {
    if (fileName == nullptr || *fileName == '\0') {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    // As on Windows, a bare file name is looked for in the executable's folder first; the
    // loader's own search (which need not know that folder) comes after.
    void* handle = nullptr;
    if (std::strchr(fileName, '/') == nullptr) {
        const std::string executable = PathOf(nullptr);
        const std::size_t slash = executable.rfind('/');
        if (slash != std::string::npos) {
            const std::string besideExecutable = executable.substr(0, slash + 1) + fileName;
            handle = dlopen(besideExecutable.c_str(), RTLD_NOW | RTLD_LOCAL);
        }
    }
    if (handle == nullptr)
        handle = dlopen(fileName, RTLD_NOW | RTLD_LOCAL);
    if (handle == nullptr) {
        SetLastError(ERROR_MOD_NOT_FOUND);
        return nullptr;
    }
    return RecordLoad(handle);
}

HMODULE LoadLibraryW(LPCWSTR fileName) {
    if (fileName == nullptr) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    return LoadLibraryA(NarrowName(fileName).c_str());
}

BOOL FreeLibrary(HMODULE module) {
    void* handle = nullptr;
    {
        LoadedLibraries& loaded = Loaded();
        std::lock_guard lock(loaded.mutex);
        auto entry = loaded.byModule.find(module);
        if (entry == loaded.byModule.end()) {
            SetLastError(ERROR_INVALID_HANDLE);
            return FALSE;
        }
        handle = entry->second.handle;
        if (--entry->second.loads == 0)
            loaded.byModule.erase(entry);
    }
    // Outside the lock: the module's static destructors may load or free other modules.
    dlclose(handle);
    return TRUE;
}

FARPROC GetProcAddress(HMODULE module, const char* name) {
    if (name == nullptr) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    if (module == nullptr)
        module = ExecutableModule();
    void* handle = nullptr;
    if (module == ExecutableModule()) {
        handle = dlopen(nullptr, RTLD_LAZY);
    } else {
        const std::string path = PathOf(module);
        if (!path.empty())
            handle = dlopen(path.c_str(), RTLD_LAZY | RTLD_NOLOAD);
    }
    if (handle == nullptr) {
        SetLastError(ERROR_MOD_NOT_FOUND);
        return nullptr;
    }
    void* symbol = dlsym(handle, name);
    dlclose(handle);
    // The loader also searches the module's dependencies; only the module's own exports count.
    if (symbol == nullptr || ModuleFromAddress(symbol) != module) {
        SetLastError(ERROR_PROC_NOT_FOUND);
        return nullptr;
    }
    return reinterpret_cast<FARPROC>(symbol);
}

DWORD GetModuleFileNameA(HMODULE module, char* fileName, DWORD size) {
    return CopyPath(PathOf(module), fileName, size);
}

DWORD GetModuleFileNameW(HMODULE module, LPWSTR fileName, DWORD size) {
    const std::string path = PathOf(module);
    return CopyPath(text::ToUtf16(path), fileName, size);
}

HMODULE GetModuleHandleW(LPCWSTR moduleName) {
    if (moduleName == nullptr)
        return ExecutableModule();
    void* handle = dlopen(NarrowName(moduleName).c_str(), RTLD_LAZY | RTLD_NOLOAD);
    if (handle == nullptr) {
        SetLastError(ERROR_MOD_NOT_FOUND);
        return nullptr;
    }
    const HMODULE module = ModuleOfLoaderHandle(handle);
    dlclose(handle);
    return module;
}

BOOL GetModuleHandleExW(DWORD flags, LPCWSTR moduleNameOrAddress, HMODULE* module) {
    if (module == nullptr) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    *module = (flags & GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS) != 0
                  ? ModuleFromAddress(moduleNameOrAddress)
                  : GetModuleHandleW(moduleNameOrAddress);
    if (*module == nullptr) {
        SetLastError(ERROR_MOD_NOT_FOUND);
        return FALSE;
    }
    const DWORD keepCount =
        GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT | GET_MODULE_HANDLE_EX_FLAG_PIN;
    if ((flags & keepCount) == 0 && *module != ExecutableModule()) {
        void* handle = dlopen(PathOf(*module).c_str(), RTLD_LAZY | RTLD_NOLOAD);
        if (handle == nullptr || RecordLoad(handle) != *module) {
            *module = nullptr;
            SetLastError(ERROR_MOD_NOT_FOUND);
            return FALSE;
        }
    }
    return TRUE;
}
