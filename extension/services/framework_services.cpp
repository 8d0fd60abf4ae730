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
Interface* CreateFrameworkObject() {
    IDocClassRegistry* registry = DocClassRegistry();
    if (registry == nullptr)
        return nullptr;
    void* object = nullptr;
    if (FAILED(registry->CreateObject(Id, &Interface::kIid, &object)))
        return nullptr;
    return static_cast<Interface*>(object);
}

LazyService<IDocClassRegistry> g_docClassRegistry(
    &ObtainService<IDocClassRegistry, CLSID_FrameworkClassObject>);
LazyService<IUnitTestRegistry> g_unitTestRegistry(
    &ObtainService<IUnitTestRegistry, CLSID_UnitTestRegistry>);
LazyService<IMessageFamilies> g_messageFamilies(
    &ObtainService<IMessageFamilies, CLSID_FrameworkClassObject>);
LazyService<IMessageRouter> g_messageRouter(
    &ObtainService<IMessageRouter, CLSID_FrameworkClassObject>);
LazyService<IObserverRegistry> g_observerRegistry(
    &ObtainService<IObserverRegistry, CLSID_FrameworkClassObject>);
LazyService<IHostApplication> g_hostApplication(
    &ObtainService<IHostApplication, CLSID_HostApplication>);
LazyService<ICommandListFactory> g_commandListFactory(
    &CreateFrameworkObject<ICommandListFactory, kCreateCommandListFactory>);
LazyService<IMenuCommandFactory> g_menuCommandFactory(
    &CreateFrameworkObject<IMenuCommandFactory, kCreateMenuCommandFactory>);
LazyService<IMessageFactory> g_messageFactory(
    &CreateFrameworkObject<IMessageFactory, kCreateMessageFactory>);

}  // namespace

IDocClassRegistry* DocClassRegistry() {
    return g_docClassRegistry.Get();
}
IUnitTestRegistry* UnitTestRegistry() {
    return g_unitTestRegistry.Get();
}
IMessageFamilies* MessageFamilies() {
    return g_messageFamilies.Get();
}
IMessageRouter* MessageRouter() {
    return g_messageRouter.Get();
}
IObserverRegistry* ObserverRegistry() {
    return g_observerRegistry.Get();
}
IHostApplication* HostApplication() {
    return g_hostApplication.Get();
}
ICommandListFactory* CommandListFactory() {
    return g_commandListFactory.Get();
}
IMenuCommandFactory* MenuCommandFactory() {
    return g_menuCommandFactory.Get();
}
IMessageFactory* MessageFactory() {
    return g_messageFactory.Get();
}

}  // namespace Services
