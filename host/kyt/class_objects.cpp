#include "host/kyt/class_objects.h"

#include "host/api/framework_ids.h"
#include "host/kyt/framework.h"
#include "host/kyt/host_application.h"
#include "host/kyt/unit_test_registry.h"

namespace kyt {

namespace {

template <class Object>
HRESULT QueryAcquired(Object* acquired, REFIID iid, void** object) {
    const HRESULT hr = acquired->QueryInterface(iid, object);
    acquired->Release();
    return hr;
}

}  // namespace

HRESULT GetClassObject(REFCLSID clsid, REFIID iid, void** object) {
    if (object == nullptr)
        return E_POINTER;
    *object = nullptr;
    if (clsid == CLSID_FrameworkClassObject)
        return QueryAcquired(Framework::Acquire(), iid, object);
    if (clsid == CLSID_UnitTestRegistry)
        return QueryAcquired(UnitTestRegistry::Acquire(), iid, object);
    if (clsid == CLSID_HostApplication)
        return QueryAcquired(HostApplication::Acquire(), iid, object);
    return CLASS_E_CLASSNOTAVAILABLE;
}

}  // namespace kyt
