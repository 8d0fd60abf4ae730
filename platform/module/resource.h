// Module resources: the resource functions of Windows over a process-wide registry.
//
// A module's resources (string-table blocks, dialog templates, bitmaps, version information)
// are C++ data inside the module. The module registers them for its own handle when it loads,
// with a static ModuleResources object (or a ModuleStringTable, platform/module/string_table.h),
// and the object's destructor withdraws them when the module unloads. The registry keeps only
// the addresses of the bytes, which stay in the module, as resource data does on Windows.
//
// A resource is found by module, type, name and 16-bit language. Types and names are 16-bit
// numbers (MAKEINTRESOURCEW) or texts; texts compare without regard to ASCII case. The null
// module is the host executable.
//
// Language search:
// - FindResourceExW with a language other than 0 finds exactly that language;
// - FindResourceW, and FindResourceExW with language 0, try language-neutral (0x0000), the user
//   and system defaults (0x0400, 0x0800), English (United States) (0x0409), then the first
//   registered entry of any language.
// When two entries of one module share type, name and language, the first registered wins.
#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "platform/win_types.h"

using LANGID = WORD;
struct HRSRC__;
using HRSRC = HRSRC__*;
using HGLOBAL = void*;

inline constexpr WORD LANG_NEUTRAL = 0x00;
inline constexpr WORD LANG_ENGLISH = 0x09;
inline constexpr WORD SUBLANG_NEUTRAL = 0x00;
inline constexpr WORD SUBLANG_DEFAULT = 0x01;
inline constexpr WORD SUBLANG_ENGLISH_US = 0x01;
constexpr LANGID MAKELANGID(WORD primary, WORD sub) {
    return static_cast<LANGID>((sub << 10) | primary);
}
constexpr WORD PRIMARYLANGID(LANGID language) {
    return language & 0x3FF;
}
inline constexpr LANGID kLanguageEnglishUs = MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US);

// A 16-bit number passed where a resource name or type text is expected.
inline LPWSTR MAKEINTRESOURCEW(WORD number) {
    return reinterpret_cast<LPWSTR>(static_cast<std::uintptr_t>(number));
}
inline bool IS_INTRESOURCE(LPCWSTR name) {
    return (reinterpret_cast<std::uintptr_t>(name) >> 16) == 0;
}

// The resource type numbers.
struct ResourceType {
    static constexpr WORD kBitmap = 2;
    static constexpr WORD kDialog = 5;
    static constexpr WORD kString = 6;
    static constexpr WORD kVersion = 16;
};

#define RT_BITMAP MAKEINTRESOURCEW(ResourceType::kBitmap)
#define RT_DIALOG MAKEINTRESOURCEW(ResourceType::kDialog)
#define RT_STRING MAKEINTRESOURCEW(ResourceType::kString)
#define RT_VERSION MAKEINTRESOURCEW(ResourceType::kVersion)

// A resource type or name: a 16-bit number or a text.
class ResourceName {
public:
    ResourceName(WORD number) : number_(number) {}  // implicit: ids are written as numbers
    explicit ResourceName(std::u16string text) : text_(std::move(text)), isText_(true) {}
    // From the Windows form: a MAKEINTRESOURCEW number or a pointer to a NUL-terminated text.
    static ResourceName FromPointer(LPCWSTR name);

    bool IsNumber() const { return !isText_; }
    WORD Number() const { return number_; }
    const std::u16string& Text() const { return text_; }
    bool operator==(const ResourceName& other) const;

private:
    WORD number_ = 0;
    std::u16string text_;
    bool isText_ = false;
};

// One resource as a module registers it. `data` must stay valid while it is registered.
struct ResourceEntry {
    ResourceName type;
    ResourceName name;
    LANGID language;
    const void* data;
    DWORD size;
};

using ResourceRegistrationId = std::uint64_t;

// Registers `entries` for `module` (null: the executable); returns the id that withdraws them.
ResourceRegistrationId RegisterResources(HMODULE module, std::span<const ResourceEntry> entries);
// Withdraws a registration; an unknown id is ignored.
void UnregisterResources(ResourceRegistrationId registration);

// Registers resources while it lives: a static object of a module registers them when the
// module loads and withdraws them when it unloads. Without a module handle, the resources
// belong to the module whose image holds the object itself.
class ModuleResources {
public:
    explicit ModuleResources(std::span<const ResourceEntry> entries);
    ModuleResources(HMODULE module, std::span<const ResourceEntry> entries);
    ~ModuleResources();
    ModuleResources(const ModuleResources&) = delete;
    ModuleResources& operator=(const ModuleResources&) = delete;

    HMODULE Module() const { return module_; }

private:
    HMODULE module_;
    ResourceRegistrationId registration_;
};

// The Windows functions. Failures return null (or 0) and set the thread's last error:
// ERROR_RESOURCE_DATA_NOT_FOUND (the module has no resources), _TYPE_NOT_FOUND, _NAME_NOT_FOUND,
// _LANG_NOT_FOUND, or ERROR_INVALID_HANDLE for a resource handle that is not the module's.
HRSRC FindResourceW(HMODULE module, LPCWSTR name, LPCWSTR type);
HRSRC FindResourceExW(HMODULE module, LPCWSTR type, LPCWSTR name, LANGID language);
HGLOBAL LoadResource(HMODULE module, HRSRC resource);
void* LockResource(HGLOBAL loaded);
DWORD SizeofResource(HMODULE module, HRSRC resource);
// Nothing to free: resource data lives in its module. Returns FALSE, as on Windows.
BOOL FreeResource(HGLOBAL loaded);

// The language of a found resource (a convenience of this platform).
LANGID LanguageOfResource(HRSRC resource);
