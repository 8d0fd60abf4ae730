#include "platform/com/class_objects.h"

#include <mutex>
#include <vector>

#include "platform/com/ole_init.h"

namespace {

constexpr DWORD kServerKinds =
    CLSCTX_INPROC_SERVER | CLSCTX_INPROC_HANDLER | CLSCTX_LOCAL_SERVER | CLSCTX_REMOTE_SERVER;

struct Registration {
    CLSID clsid;
    IUnknown* object;  // one reference, held until revoked
    DWORD context;     // the server kinds the registration answers
    DWORD flags;
    DWORD cookie;
    bool visible;  // false once a single-use registration has been handed out
};

class ClassTable {
public:
    HRESULT Register(REFCLSID clsid, IUnknown* object, DWORD context, DWORD flags, DWORD* cookie) {
        // A multiple-use local server serves in-process lookups as well.
        if (flags == REGCLS_MULTIPLEUSE && (context & CLSCTX_LOCAL_SERVER) != 0) {
            context |= CLSCTX_INPROC_SERVER;
        }
        std::lock_guard lock(mutex_);
        if (FindVisible(clsid, context) != nullptr)
            return CO_E_OBJISREG;
        object->AddRef();
        *cookie = ++last_cookie_;
        entries_.push_back({clsid, object, context & kServerKinds, flags, *cookie, true});
        return S_OK;
    }

    HRESULT Revoke(DWORD cookie) {
        IUnknown* released = nullptr;
        {
            std::lock_guard lock(mutex_);
            for (auto it = entries_.begin(); it != entries_.end(); ++it) {
                if (it->cookie == cookie) {
                    released = it->object;
                    entries_.erase(it);
                    break;
                }
            }
        }
        if (released == nullptr)
            return CO_E_OBJNOTREG;
        released->Release();  // outside the lock: the object may call back into the table
        return S_OK;
    }

    // The matching class object with one added reference (null when none) and the cookie
    // of its registration.
    IUnknown* Acquire(REFCLSID clsid, DWORD context, DWORD* cookie) {
        std::lock_guard lock(mutex_);
        Registration* found = FindVisible(clsid, context);
        if (found == nullptr)
            return nullptr;
        found->object->AddRef();
        *cookie = found->cookie;
        return found->object;
    }

    // Hides a single-use registration once it has served a lookup.
    void Used(DWORD cookie) {
        std::lock_guard lock(mutex_);
        for (Registration& entry : entries_) {
            if (entry.cookie == cookie && entry.flags == REGCLS_SINGLEUSE)
                entry.visible = false;
        }
    }

private:
    Registration* FindVisible(REFCLSID clsid, DWORD context) {
        // The newest registration first.
        for (auto it = entries_.rbegin(); it != entries_.rend(); ++it) {
            if (it->visible && it->clsid == clsid && (it->context & context) != 0)
                return &*it;
        }
        return nullptr;
    }

    std::mutex mutex_;
    std::vector<Registration> entries_;
    DWORD last_cookie_ = 0;
};

// Never destroyed: class objects may still be registered while the process exits, and their
// code may already be unloaded by then.
ClassTable& Table() {
    static ClassTable* table = new ClassTable;
    return *table;
}

}  // namespace

HRESULT CoRegisterClassObject(REFCLSID clsid, IUnknown* object, DWORD context, DWORD flags,
                              DWORD* cookie) {
    if (cookie != nullptr)
        *cookie = 0;
    if (object == nullptr || cookie == nullptr || (context & kServerKinds) == 0) {
        return E_INVALIDARG;
    }
    if (flags != REGCLS_SINGLEUSE && flags != REGCLS_MULTIPLEUSE &&
        flags != REGCLS_MULTI_SEPARATE) {
        return E_INVALIDARG;
    }
    if (!IsOleInitializedInProcess())
        return CO_E_NOTINITIALIZED;
    return Table().Register(clsid, object, context, flags, cookie);
}

HRESULT CoRevokeClassObject(DWORD cookie) {
    return Table().Revoke(cookie);
}

HRESULT CoGetClassObject(REFCLSID clsid, DWORD context, void* /*serverInfo*/, REFIID iid,
                         void** object) {
    if (object == nullptr)
        return E_INVALIDARG;
    *object = nullptr;
    if ((context & kServerKinds) == 0)
        return E_INVALIDARG;
    if (!IsOleInitializedInProcess())
        return CO_E_NOTINITIALIZED;
    DWORD cookie = 0;
    IUnknown* classObject = Table().Acquire(clsid, context, &cookie);
    if (classObject == nullptr)
        return REGDB_E_CLASSNOTREG;
    const HRESULT hr = classObject->QueryInterface(iid, object);
    if (FAILED(hr)) {
        *object = nullptr;
    } else {
        Table().Used(cookie);
    }
    classObject->Release();
    return hr;
}
