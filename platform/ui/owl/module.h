// TModule: a loaded module (the executable, the extension, or a library loaded at run time)
// with its resources; TModuleProc: an export of a module bound by name.
#pragma once

#include <stdexcept>
#include <string>

#include "platform/module/module.h"
#include "platform/ui/dialog_template.h"

namespace owl {

using tstring = std::u16string;

// Thrown when a module that must load cannot, or a bound export is missing.
class TXInvalidModule : public std::runtime_error {
public:
    explicit TXInvalidModule(const std::string& what) : std::runtime_error(what) {}
};

class TModule {
public:
    // Loads the library `name` when `shouldLoad`; a failure throws TXInvalidModule when
    // `mustLoad`, otherwise leaves the module unloaded. Without `shouldLoad` the module is the
    // one of that name that is already loaded, if any. `addToList` is kept for the caller's
    // information; the toolkit searches resources only in the module asked.
    TModule(const char16_t* name, bool shouldLoad = true, bool mustLoad = true,
            bool addToList = true);
    // Stands for a module that is already there (null: the executable); never frees it.
    TModule(const char16_t* name, HINSTANCE handle);
    virtual ~TModule();
    TModule(const TModule&) = delete;
    TModule& operator=(const TModule&) = delete;

    HINSTANCE GetHandle() const { return handle_; }
    operator HINSTANCE() const { return handle_; }
    const tstring& GetName() const { return name_; }
    bool IsLoaded() const { return handle_ != nullptr || !ownsHandle_; }
    bool IsInList() const { return addToList_; }

    FARPROC GetProcAddress(const char* name) const;
    // The module's dialog template resource `id` (in `language`, or the default search for 0);
    // null when it has none.
    const DialogTemplate* FindDialogTemplate(int id, WORD language = 0) const;

private:
    tstring name_;
    HINSTANCE handle_ = nullptr;
    bool ownsHandle_ = false;
    bool addToList_ = false;
};

// An export of a module, bound by name when made: calls go through the bound address.
template <class Result, class... Args>
class TModuleProc {
public:
    TModuleProc(const TModule& module, const char* name)
        : function_(reinterpret_cast<Function>(module.GetProcAddress(name))) {
        if (function_ == nullptr) {
            throw TXInvalidModule(std::string("missing export ") + name);
        }
    }
    Result operator()(Args... args) const { return function_(args...); }

private:
    using Function = Result (*)(Args...);
    Function function_;
};

}  // namespace owl
