#include <algorithm>
#include <list>
#include <mutex>
#include <vector>

#include "platform/error/last_error.h"
#include "platform/module/module.h"
#include "platform/module/resource.h"
#include "platform/text/ascii_case.h"

// A found resource's handle points at its entry in the registry.
struct HRSRC__ {
    ResourceEntry entry;
};

namespace {

struct Registration {
    ResourceRegistrationId id;
    HMODULE module;
    std::vector<HRSRC__> entries;
};

struct Registry {
    std::mutex mutex;
    ResourceRegistrationId nextId = 1;
    std::list<Registration> registrations;  // list: entry addresses stay put
};

Registry& TheRegistry() {
    static auto* registry = new Registry;  // lives until the process ends
    return *registry;
}

HMODULE Normalise(HMODULE module) {
    return module != nullptr ? module : ExecutableModule();
}

// The languages FindResourceW tries, in order, before taking any language.
constexpr LANGID kDefaultLanguages[] = {MAKELANGID(LANG_NEUTRAL, SUBLANG_NEUTRAL),
                                        MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT), 0x0800,
                                        kLanguageEnglishUs};

// Looks up a resource; the registry's mutex is held by the caller. `language` null: the default
// search.
HRSRC Find(Registry& registry, HMODULE module, const ResourceName& type, const ResourceName& name,
           const LANGID* language) {
    bool moduleSeen = false;
    bool typeSeen = false;
    bool nameSeen = false;
    std::vector<HRSRC__*> candidates;  // same type and name, in registration order
    for (Registration& registration : registry.registrations) {
        if (registration.module != module)
            continue;
        moduleSeen = true;
        for (HRSRC__& resource : registration.entries) {
            if (!(resource.entry.type == type))
                continue;
            typeSeen = true;
            if (!(resource.entry.name == name))
                continue;
            nameSeen = true;
            candidates.push_back(&resource);
        }
    }
    auto withLanguage = [&](LANGID wanted) -> HRSRC {
        auto found = std::find_if(candidates.begin(), candidates.end(), [&](HRSRC__* resource) {
            return resource->entry.language == wanted;
        });
        return found != candidates.end() ? *found : nullptr;
    };
    if (!candidates.empty()) {
        if (language != nullptr && *language != 0) {
            if (HRSRC found = withLanguage(*language))
                return found;
        } else {
            for (LANGID wanted : kDefaultLanguages) {
                if (HRSRC found = withLanguage(wanted))
                    return found;
            }
            return candidates.front();
        }
    }
    SetLastError(!moduleSeen ? ERROR_RESOURCE_DATA_NOT_FOUND
                 : !typeSeen ? ERROR_RESOURCE_TYPE_NOT_FOUND
                 : !nameSeen ? ERROR_RESOURCE_NAME_NOT_FOUND
                             : ERROR_RESOURCE_LANG_NOT_FOUND);
    return nullptr;
}

HRSRC FindLocked(HMODULE module, LPCWSTR type, LPCWSTR name, const LANGID* language) {
    if (type == nullptr || name == nullptr) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    const ResourceName typeName = ResourceName::FromPointer(type);
    const ResourceName resourceName = ResourceName::FromPointer(name);
    Registry& registry = TheRegistry();
    std::lock_guard lock(registry.mutex);
    return Find(registry, Normalise(module), typeName, resourceName, language);
}

// Whether `resource` is a registered entry of `module`.
bool BelongsTo(HMODULE module, HRSRC resource) {
    if (resource == nullptr)
        return false;
    Registry& registry = TheRegistry();
    std::lock_guard lock(registry.mutex);
    for (const Registration& registration : registry.registrations) {
        if (registration.module != module || registration.entries.empty())
            continue;
        const HRSRC__* first = registration.entries.data();
        if (resource >= first && resource < first + registration.entries.size())
            return true;
    }
    return false;
}

// Something non-null to hand out for a resource of no bytes.
const unsigned char kNoBytes[1] = {0};

}  // namespace

ResourceName ResourceName::FromPointer(LPCWSTR name) {
    if (IS_INTRESOURCE(name)) {
        return ResourceName(static_cast<WORD>(reinterpret_cast<std::uintptr_t>(name)));
    }
    return ResourceName(std::u16string(name));
}

bool ResourceName::operator==(const ResourceName& other) const {
    if (isText_ != other.isText_)
        return false;
    if (!isText_)
        return number_ == other.number_;
    return text::EqualIgnoringAsciiCase(text_, other.text_);
}

ResourceRegistrationId RegisterResources(HMODULE module, std::span<const ResourceEntry> entries) {
    Registration registration{0, Normalise(module), {}};
    registration.entries.reserve(entries.size());
    for (const ResourceEntry& entry : entries)
        registration.entries.push_back(HRSRC__{entry});
    Registry& registry = TheRegistry();
    std::lock_guard lock(registry.mutex);
    registration.id = registry.nextId++;
    registry.registrations.push_back(std::move(registration));
    return registry.registrations.back().id;
}

void UnregisterResources(ResourceRegistrationId id) {
    Registry& registry = TheRegistry();
    std::lock_guard lock(registry.mutex);
    registry.registrations.remove_if(
        [id](const Registration& registration) { return registration.id == id; });
}

ModuleResources::ModuleResources(std::span<const ResourceEntry> entries)
    : ModuleResources(ModuleFromAddress(this), entries) {}

ModuleResources::ModuleResources(HMODULE module, std::span<const ResourceEntry> entries)
    : module_(Normalise(module)), registration_(RegisterResources(module_, entries)) {}

ModuleResources::~ModuleResources() {
    UnregisterResources(registration_);
}

HRSRC FindResourceW(HMODULE module, LPCWSTR name, LPCWSTR type) {
    return FindLocked(module, type, name, nullptr);
}

HRSRC FindResourceExW(HMODULE module, LPCWSTR type, LPCWSTR name, LANGID language) {
    return FindLocked(module, type, name, &language);
}

HGLOBAL LoadResource(HMODULE module, HRSRC resource) {
    if (!BelongsTo(Normalise(module), resource)) {
        SetLastError(ERROR_INVALID_HANDLE);
        return nullptr;
    }
    const void* data = resource->entry.size != 0 ? resource->entry.data : kNoBytes;
    return const_cast<void*>(data);
}

void* LockResource(HGLOBAL loaded) {
    return loaded;
}

DWORD SizeofResource(HMODULE module, HRSRC resource) {
    if (!BelongsTo(Normalise(module), resource)) {
        SetLastError(ERROR_INVALID_HANDLE);
        return 0;
    }
    return resource->entry.size;
}

BOOL FreeResource(HGLOBAL) {
    return FALSE;
}

LANGID LanguageOfResource(HRSRC resource) {
    return resource != nullptr ? resource->entry.language : 0;
}
