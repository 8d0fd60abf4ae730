// An extension module whose class registration fails, for the session's tests: it says it is
// an extension, and its DllRegisterClassObjects answers E_FAIL.
#include "host/api/version_resource.h"
#include "platform/com/hresult.h"
#include "platform/module/resource.h"

namespace {

const char16_t kVersionData[] = u"ExtensionType\0Extension\0InternalName\0Refusing\0";
const ResourceEntry kVersionResource[] = {
    {ResourceType::kVersion, kVersionResourceName, LANG_NEUTRAL, kVersionData,
     static_cast<DWORD>(sizeof kVersionData)},
};
const ModuleResources kRegistration(kVersionResource);

}  // namespace

extern "C" __attribute__((visibility("default"))) HRESULT DllRegisterClassObjects() {
    return E_FAIL;
}
