// The framework library's one export.
#include "host/kyt/class_objects.h"

extern "C" __attribute__((visibility("default"))) HRESULT DllGetClassObject(REFCLSID clsid,
                                                                            REFIID iid,
                                                                            void** object) {
    return kyt::GetClassObject(clsid, iid, object);
}
