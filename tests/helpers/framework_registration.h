// The framework library's objects registered with COM for the test process, once: what the
// host does at start-up, for tests that make documents without a running host.
#pragma once

#include "host/api/framework_ids.h"
#include "host/kyt/class_objects.h"
#include "platform/com/class_objects.h"
#include "platform/com/com_ptr.h"
#include "platform/com/ole_init.h"

inline void RegisterFramework() {
    static const bool registered = [] {
        OleInitialize(nullptr);
        for (const CLSID& clsid :
             {CLSID_FrameworkClassObject, CLSID_UnitTestRegistry, CLSID_HostApplication}) {
            ComPtr<IUnknown> object;
            kyt::GetClassObject(clsid, IID_IUnknown, reinterpret_cast<void**>(object.OutParam()));
            DWORD cookie = 0;
            CoRegisterClassObject(clsid, object.Get(), CLSCTX_INPROC_SERVER, REGCLS_MULTIPLEUSE,
                                  &cookie);
        }
        return true;
    }();
    (void)registered;
}
