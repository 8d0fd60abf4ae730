// The framework library's class objects, as its DllGetClassObject export hands them out:
// CLSID_FrameworkClassObject (the framework's services), CLSID_UnitTestRegistry and
// CLSID_HostApplication. Each is one object per process, alive while anyone holds it.
#pragma once

#include "platform/com/unknown.h"

namespace kyt {

// CLASS_E_CLASSNOTAVAILABLE for any other class; E_POINTER for a null result.
HRESULT GetClassObject(REFCLSID clsid, REFIID iid, void** object);

}  // namespace kyt
