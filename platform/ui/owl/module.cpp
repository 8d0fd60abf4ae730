#include "platform/ui/owl/module.h"

#include "platform/module/resource.h"
#include "platform/text/utf.h"

namespace owl {
TModule::TModule(const char16_t* name, bool shouldLoad, bool mustLoad, bool addToList)
    : name_(name != nullptr ? name : u""), addToList_(addToList) {
    if (shouldLoad) {
        handle_ = LoadLibraryW(name_.c_str());
        ownsHandle_ = true;
        if (handle_ == nullptr && mustLoad) {
            throw TXInvalidModule("cannot load module " + text::ToUtf8(name_));
        }
    } else {
        handle_ = GetModuleHandleW(name_.c_str());
    }
}

TModule::TModule(const char16_t* name, HINSTANCE handle)
    : name_(name != nullptr ? name : u""), handle_(handle) {}

TModule::~TModule() {
    if (ownsHandle_ && handle_ != nullptr)
        FreeLibrary(handle_);
}

FARPROC TModule::GetProcAddress(const char* name) const {
    if (handle_ == nullptr)
        return nullptr;
    return ::GetProcAddress(handle_, name);
}

const DialogTemplate* TModule::FindDialogTemplate(int id, WORD language) const {
    const LPCWSTR name = MAKEINTRESOURCEW(static_cast<WORD>(id));
    const HRSRC found = language == 0 ? FindResourceW(handle_, name, RT_DIALOG)
                                      : FindResourceExW(handle_, RT_DIALOG, name, language);
    if (found == nullptr)
        return nullptr;
    // A dialog template resource holds one DialogTemplate; anything else is not one.
    if (SizeofResource(handle_, found) != sizeof(DialogTemplate))
        return nullptr;
    return static_cast<const DialogTemplate*>(LockResource(LoadResource(handle_, found)));
}

}  // namespace owl
