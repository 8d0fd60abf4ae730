// A framework for the extension's framework classes to live in, registered with COM as the
// framework class object for the whole test process (the extension keeps its service pointers
// for the life of the process). It records what the extension asks of it; messages, command
// lists and menu commands are the framework library's own objects.
#pragma once

#include <cstdint>
#include <vector>

#include "host/api/commands.h"
#include "host/api/custom_doc_class.h"
#include "host/api/custom_document.h"
#include "host/api/doc_class_registry.h"
#include "host/api/host_storage.h"
#include "host/api/message_families.h"
#include "host/api/message_router.h"
#include "host/api/observer.h"
#include "platform/com/com_object.h"
#include "platform/com/com_ptr.h"

namespace fake {

// What an inner object (document or class) was told and asked.
struct InnerRecord {
    int initialised = 0;
    IUnknown* outer = nullptr;
    ICustomDocClass* docClass = nullptr;
    IUnknown* hostDocument = nullptr;
    int connects = 0;
    IObserverRegistry* connectedService = nullptr;
    std::vector<MessageId> notified;
    int messages = 0;
    HRESULT messageAnswer = kMessageNotHandled;
    int commands = 0;
    HRESULT commandAnswer = kCommandNotHandled;
};

struct DispatchRecord {
    MessageId id;
    DWORD flags;
    IMessageHandler* target;
    bool fromExpectedSender;  // the message named Framework::expectedSender as its sender
};

struct Subscription {
    IObserver* observer;
    MessageId id;
};

class Framework final
    : public ComObject<IDocClassRegistry, IMessageFamilies, IMessageRouter, IObserverRegistry> {
public:
    // The process's fake, registered with COM on first use.
    static Framework& Instance();

    // Forgets what was recorded (the family numbers stay: the extension keeps them).
    void Forget();

    HRESULT GetClassCount(LONG* count) override;
    HRESULT GetClass(LONG index, ICustomDocClass** docClass) override;
    HRESULT CreateObject(DWORD id, const IID* iid, void** object) override;
    HRESULT RegisterDocumentClass(ICustomDocClass* docClass) override;
    HRESULT GetFamily(const GUID* family, WORD* number) override;
    HRESULT Dispatch(IMessage* message, IMessageHandler* target) override;
    HRESULT Subscribe(IObserver* observer, MessageId id, DWORD reserved) override;
    HRESULT Unsubscribe(IObserver* observer, MessageId id) override;
    HRESULT Signal(IUnknown* source, MessageId id, std::intptr_t value,
                   std::intptr_t parameter) override;
    HRESULT Unregister(IObserver* observer) override;

    // The family numbers handed out, in order; how often each GUID was asked for.
    std::vector<GUID> families;
    std::vector<int> familyRequests;
    std::vector<DWORD> created;        // CreateObject ids
    std::vector<InnerRecord*> inners;  // every inner object made, in order (owned by it)
    std::vector<DispatchRecord> dispatches;
    std::vector<Subscription> subscriptions;
    std::vector<IObserver*> unregistered;
    std::vector<ComPtr<ICustomDocClass>> classes;
    bool refuseInnerObjects = false;
    IUnknown* expectedSender = nullptr;

private:
    Framework();
    ComPtr<IUnknown> messageFactory_;
    ComPtr<IUnknown> commandListFactory_;
    ComPtr<IUnknown> menuCommandFactory_;
};

// The record of the last inner object made.
InnerRecord& LastInner();

}  // namespace fake
