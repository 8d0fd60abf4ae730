#include "extension/services/module_object.h"

#include "platform/module/this_module.h"

namespace Services {

namespace {

owl::TModule* g_moduleObject = nullptr;

}  // namespace

void CreateModuleObject() {
    g_moduleObject = new owl::TModule(u"Tarvel", ThisModule());
}

void DeleteModuleObject() {
    delete g_moduleObject;
    g_moduleObject = nullptr;
}

owl::TModule* ModuleObject() {
    return g_moduleObject;
}

HINSTANCE ModuleInstance() {
    // Code linked into a test program runs without module attach: its own module serves.
    return g_moduleObject != nullptr ? g_moduleObject->GetHandle() : ThisModule();
}

}  // namespace Services
