// The extension's access to the host framework's services. Each is obtained from COM on first
// use (the framework library registers their class objects) and then held for the life of the
// process as a plain pointer, without a reference: the framework itself keeps them alive.
// When COM does not know the framework yet, the framework fallback (framework_fallback.h) loads
// the framework library and the query is made once more.
//
// Every accessor may return null when the framework cannot provide the service. A failure to
// create or register the framework's class object is raised as XHResult, a failure to
// initialise OLE as XTev.
#pragma once

#include "host/api/commands.h"
#include "host/api/doc_class_registry.h"
#include "host/api/host_application.h"
#include "host/api/message.h"
#include "host/api/message_families.h"
#include "host/api/message_router.h"
#include "host/api/observer.h"
#include "host/api/unit_test_registry.h"

namespace Services {

// The context value of every service query: in-process server and handler, local and remote
// server.
inline constexpr DWORD kServiceContext = 23;

IDocClassRegistry* DocClassRegistry();
IUnitTestRegistry* UnitTestRegistry();
IMessageFamilies* MessageFamilies();
IMessageRouter* MessageRouter();
IObserverRegistry* ObserverRegistry();
IHostApplication* HostApplication();

// Framework objects made once through the document-class registry's CreateObject and kept
// the same way as the services.
ICommandListFactory* CommandListFactory();
IMenuCommandFactory* MenuCommandFactory();
IMessageFactory* MessageFactory();

// A new framework object of kind `id` (kCreate...) from the document-class registry, with one
// reference; null when there is no registry or it cannot make one.
void* CreateFrameworkObject(DWORD id, const IID& iid);

template <class Interface>
Interface* CreateFrameworkObject(DWORD id) {
    return static_cast<Interface*>(CreateFrameworkObject(id, Interface::kIid));
}

}  // namespace Services
