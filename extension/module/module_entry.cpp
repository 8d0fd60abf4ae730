// The extension module's entry points: its one export, DllRegisterClassObjects, and what the
// module does when it is loaded into and unloaded from a process.
#include <exception>
#include <new>

#include "config/event_config_self_test.h"
#include "extension/branding/brand_table.h"
#include "extension/document/doc_class.h"
#include "extension/services/framework_services.h"
#include "extension/services/module_object.h"
#include "platform/com/com_ptr.h"
#include "support/popup/host_visibility.h"

namespace {

// Registers a new document class with the framework. A class that is not registered goes
// again (nobody holds it).
void RegisterDocumentClass() {
    ComPtr<ICustomDocClass> docClass(new (std::nothrow) VavazaZavidi::DocClass);
    if (IDocClassRegistry* registry = Services::DocClassRegistry()) {
        registry->RegisterDocumentClass(docClass.Get());
    }
}

// Registers the configuration's self-test with the host's test registry.
void RegisterSelfTest() {
    IUnitTest* made = nullptr;
    try {
        made = VavazaZavidi::Tarvel_EventConfig::Create();
    } catch (const std::bad_alloc&) {
        made = nullptr;  // the registry is still asked, with no object
    }
    ComPtr<IUnitTest> test(made);
    if (IUnitTestRegistry* registry = Services::UnitTestRegistry()) {
        registry->RegisterTest(test.Get());
    }
}

// Module attach and detach. Linux gives libraries no per-thread notifications, so there are
// none to switch off.
__attribute__((constructor)) void AttachModule() {
    Services::CreateModuleObject();
    VavazaZavidi::InstallBrandTable();  // the module's texts pass through its brand table
    // Pop-ups and dialogs find the host application (its settings, its language) through the
    // framework's service, obtained when first asked for.
    Tev::SetHostApplicationSource([]() -> IHostApplication* {
        try {
            return Services::HostApplication();
        } catch (const std::exception&) {
            return nullptr;  // no framework: no host application to ask
        }
    });
}
__attribute__((destructor)) void DetachModule() {
    Services::DeleteModuleObject();
}

}  // namespace

// Makes the extension known to the host framework. Returns 0 in every case: a step that fails
// (a service the framework cannot give, a framework that cannot be started) is skipped.
extern "C" __attribute__((visibility("default"))) HRESULT DllRegisterClassObjects() {
    try {
        RegisterDocumentClass();
    } catch (const std::exception&) {
    }
    try {
        RegisterSelfTest();
    } catch (const std::exception&) {
    }
    return 0;
}
