#include "extension/services/framework_services.h"

#include "extension/services/framework_fallback.h"
#include "extension/services/lazy_service.h"
#include "host/api/framework_ids.h"
#include "platform/com/class_objects.h"

namespace Services {

namespace {

template <class Interface>
Interface* QueryClassObject(const CLSID& clsid) {
    void* service = nullptr;
    if (FAILED(CoGetClassObject(clsid, kServiceContext, nullptr, Interface::kIid, &service))) {
        return nullptr;
    }
    return static_cast<Interface*>(service);
}

// Asks COM for the service; when that fails, runs the framework fallback and asks once more.
template <class Interface, const CLSID& Class>
Interface* ObtainService() {
    if (Interface* service = QueryClassObject<Interface>(Class))
        return service;
    RunFrameworkFallback();
    return QueryClassObject<Interface>(Class);
}

template <class Interface, DWORD Id>
Interface* ObtainFrameworkObject() {
    return CreateFrameworkObject<Interface>(Id);
}

// One held pointer for each service and framework object, made with the module and deleted at
// process exit.
template <class Interface, const CLSID& Class>
LazyService<Interface> g_service(&ObtainService<Interface, Class>);
template <class Interface, DWORD Id>
LazyService<Interface> g_frameworkObject(&ObtainFrameworkObject<Interface, Id>);

}  // namespace

void* CreateFrameworkObject(DWORD id, const IID& iid) {
    IDocClassRegistry* registry = DocClassRegistry();
    if (registry == nullptr)
        return nullptr;
    void* object = nullptr;
    if (FAILED(registry->CreateObject(id, &iid, &object)))
        return nullptr;
    return object;
}

IDocClassRegistry* DocClassRegistry() {
    return g_service<IDocClassRegistry, CLSID_FrameworkClassObject>.Get();
}
IUnitTestRegistry* UnitTestRegistry() {
    return g_service<IUnitTestRegistry, CLSID_UnitTestRegistry>.Get();
}
IMessageFamilies* MessageFamilies() {
    return g_service<IMessageFamilies, CLSID_FrameworkClassObject>.Get();
}
IMessageRouter* MessageRouter() {
    return g_service<IMessageRouter, CLSID_FrameworkClassObject>.Get();
}
IObserverRegistry* ObserverRegistry() {
    return g_service<IObserverRegistry, CLSID_FrameworkClassObject>.Get();
}
IHostApplication* HostApplication() {
    return g_service<IHostApplication, CLSID_HostApplication>.Get();
}
ICommandListFactory* CommandListFactory() {
    return g_frameworkObject<ICommandListFactory, kCreateCommandListFactory>.Get();
}
IMenuCommandFactory* MenuCommandFactory() {
    return g_frameworkObject<IMenuCommandFactory, kCreateMenuCommandFactory>.Get();
}
IMessageFactory* MessageFactory() {
    return g_frameworkObject<IMessageFactory, kCreateMessageFactory>.Get();
}

}  // namespace Services
