// The framework's services, all answered by one object (the class object of
// CLSID_FrameworkClassObject): the document-class registry, which also creates the framework's
// helper objects; the message families; the message router; the observer registry; and, for
// the host, IFrameworkHost.
#pragma once

#include <mutex>
#include <vector>

#include "host/api/custom_doc_class.h"
#include "host/api/doc_class_registry.h"
#include "host/api/framework_host.h"
#include "host/api/message_families.h"
#include "host/api/message_router.h"
#include "host/api/observer.h"
#include "host/kyt/commands.h"
#include "host/kyt/host_state.h"
#include "host/kyt/messages.h"
#include "host/kyt/process_object.h"
#include "platform/com/com_object.h"
#include "platform/com/com_ptr.h"

namespace kyt {

// The process has one framework object at a time (ProcessObject::Acquire); it lives while
// someone holds it (normally the class-object table).
class Framework final : public ComObject<IDocClassRegistry, IMessageFamilies, IMessageRouter,
                                         IObserverRegistry, IFrameworkHost>,
                        public ProcessObject<Framework> {
public:
    // IDocClassRegistry
    HRESULT GetClassCount(LONG* count) override;
    HRESULT GetClass(LONG index, ICustomDocClass** docClass) override;
    HRESULT CreateObject(DWORD id, const IID* iid, void** object) override;
    HRESULT RegisterDocumentClass(ICustomDocClass* docClass) override;

    // IMessageFamilies: numbers 1, 2, 3 ... in order of first request.
    HRESULT GetFamily(const GUID* family, WORD* number) override;

    // IMessageRouter
    HRESULT Dispatch(IMessage* message, IMessageHandler* target) override;

    // IObserverRegistry
    HRESULT Subscribe(IObserver* observer, MessageId id, DWORD reserved) override;
    HRESULT Unsubscribe(IObserver* observer, MessageId id) override;
    HRESULT Signal(IUnknown* source, MessageId id, std::intptr_t value,
                   std::intptr_t parameter) override;
    HRESULT Unregister(IObserver* observer) override;

    // IFrameworkHost
    HRESULT SetCommandsBlocked(VARIANT_BOOL blocked) override;
    HRESULT Shutdown() override;

private:
    friend class ProcessObject<Framework>;

    struct Subscription {
        IObserver* observer;  // not counted: observers unregister before they go
        MessageId id;
    };

    Framework();
    ~Framework() override;

    WORD FamilyOf(const GUID& family);
    bool IsSubscribed(IObserver* observer, MessageId id);

    std::mutex mutex_;
    std::vector<ComPtr<ICustomDocClass>> classes_;
    std::vector<GUID> families_;  // family n is families_[n - 1]
    std::vector<Subscription> subscriptions_;
    ComPtr<MessageFactory> messageFactory_;
    ComPtr<MenuCommandFactory> menuCommandFactory_;
    ComPtr<CommandListFactory> commandListFactory_;
    ComPtr<HostStateService> hostState_;
};

}  // namespace kyt
