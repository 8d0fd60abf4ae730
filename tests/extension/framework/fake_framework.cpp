#include "tests/extension/framework/fake_framework.h"

#include <algorithm>
#include <memory>
#include <stdexcept>

#include "host/api/framework_ids.h"
#include "host/kyt/commands.h"
#include "host/kyt/inner_objects.h"
#include "host/kyt/messages.h"
#include "platform/com/class_objects.h"
#include "platform/com/ole_init.h"

namespace fake {

namespace {

class ObserverPart final : public AggregatedPart<IObserver> {
public:
    ObserverPart(IUnknown* const* outer, InnerRecord* record)
        : AggregatedPart(outer), record_(record) {}
    HRESULT Connect(IObserverRegistry* service) override {
        ++record_->connects;
        record_->connectedService = service;
        return S_OK;
    }
    HRESULT Notify(IUnknown*, MessageId id, std::intptr_t, std::intptr_t) override {
        record_->notified.push_back(id);
        return S_OK;
    }

private:
    InnerRecord* record_;
};

class HandlerPart final : public AggregatedPart<IMessageHandler> {
public:
    HandlerPart(IUnknown* const* outer, InnerRecord* record)
        : AggregatedPart(outer), record_(record) {}
    HRESULT HandleMessage(IMessage*) override {
        ++record_->messages;
        return record_->messageAnswer;
    }
    HRESULT AddChild(IMessageHandler*) override { return E_NOTIMPL; }
    HRESULT RemoveChild(IMessageHandler*) override { return E_NOTIMPL; }
    HRESULT SetParent(IMessageHandler*) override { return E_NOTIMPL; }
    HRESULT GetParent(IMessageHandler**) override { return E_NOTIMPL; }
    HRESULT AcceptsMessage(IMessage*) override { return S_OK; }

private:
    InnerRecord* record_;
};

class CommandPart final : public AggregatedPart<IKYTCommandHandler> {
public:
    CommandPart(IUnknown* const* outer, InnerRecord* record)
        : AggregatedPart(outer), record_(record) {}
    HRESULT ExecuteCommand(MessageId) override { return Ran(); }
    HRESULT UpdateCommand(MessageId, ICommandState*) override { return Ran(); }
    HRESULT HandleCommand(MessageId, LONG, std::intptr_t, std::intptr_t) override { return Ran(); }

private:
    HRESULT Ran() {
        ++record_->commands;
        return record_->commandAnswer;
    }
    InnerRecord* record_;
};

// An inner object on the framework's own aggregation, whose parts record what they are told.
// Both kinds answer every part.
template <class Control>
class RecordingInner : public kyt::InnerObject<Control> {
public:
    explicit RecordingInner(InnerRecord* record) : record_(record) {}

protected:
    HRESULT Record(IUnknown* outer) {
        ++record_->initialised;
        record_->outer = outer;
        this->SetOuter(outer);
        return S_OK;
    }

    InnerRecord* record_;

private:
    IUnknown* FindPart(REFIID iid) override {
        if (iid == IObserver::kIid)
            return &observer_;
        if (iid == IMessageHandler::kIid)
            return &handler_;
        if (iid == IKYTCommandHandler::kIid)
            return &commands_;
        if (iid == IHostStorage::kIid)
            return &storage_;
        if (iid == IClassCommands::kIid)
            return &classCommands_;
        return nullptr;
    }

    ObserverPart observer_{this->OuterSlot(), record_};
    HandlerPart handler_{this->OuterSlot(), record_};
    CommandPart commands_{this->OuterSlot(), record_};
    kyt::IdentityPart<IHostStorage> storage_{this->OuterSlot()};
    kyt::IdentityPart<IClassCommands> classCommands_{this->OuterSlot()};
};

class InnerDocument final : public RecordingInner<IInnerDocument> {
public:
    using RecordingInner::RecordingInner;
    HRESULT Initialise(ICustomDocClass* docClass, IUnknown* hostDocument, IUnknown* outer,
                       LONG) override {
        record_->docClass = docClass;
        record_->hostDocument = hostDocument;
        return Record(outer);
    }
};

class InnerClassObject final : public RecordingInner<IInnerClassObject> {
public:
    using RecordingInner::RecordingInner;
    HRESULT Initialise(IInnerClassObject**, IUnknown* outer, LONG) override {
        return Record(outer);
    }
};

template <class Inner>
HRESULT QueryNewInner(InnerRecord* record, const IID& iid, void** object) {
    auto* inner = new Inner(record);
    inner->AddRef();
    const HRESULT hr = inner->QueryInterface(iid, object);
    inner->Release();
    return hr;
}

}  // namespace

Framework& Framework::Instance() {
    static Framework* framework = [] {
        auto* made = new Framework;
        made->AddRef();  // the test process's own reference, never given back
        OleInitialize(nullptr);
        DWORD cookie = 0;
        if (FAILED(CoRegisterClassObject(CLSID_FrameworkClassObject,
                                         static_cast<IDocClassRegistry*>(made),
                                         CLSCTX_INPROC_SERVER, REGCLS_MULTIPLEUSE, &cookie))) {
            throw std::runtime_error("cannot register the fake framework");
        }
        return made;
    }();
    return *framework;
}

Framework::Framework()
    : messageFactory_(static_cast<IMessageFactory*>(new kyt::MessageFactory)),
      commandListFactory_(static_cast<ICommandListFactory*>(new kyt::CommandListFactory)),
      menuCommandFactory_(static_cast<IMenuCommandFactory*>(new kyt::MenuCommandFactory)) {}

void Framework::Forget() {
    created.clear();
    dispatches.clear();
    subscriptions.clear();
    unregistered.clear();
    classes.clear();
    refuseInnerObjects = false;
    expectedSender = nullptr;
    std::fill(familyRequests.begin(), familyRequests.end(), 0);
}

HRESULT Framework::GetClassCount(LONG* count) {
    *count = static_cast<LONG>(classes.size());
    return S_OK;
}

HRESULT Framework::GetClass(LONG index, ICustomDocClass** docClass) {
    *docClass = classes.at(static_cast<std::size_t>(index)).Get();
    (*docClass)->AddRef();
    return S_OK;
}

HRESULT Framework::CreateObject(DWORD id, const IID* iid, void** object) {
    *object = nullptr;
    created.push_back(id);
    switch (id) {
        case kCreateMessageFactory:
            return messageFactory_->QueryInterface(*iid, object);
        case kCreateCommandListFactory:
            return commandListFactory_->QueryInterface(*iid, object);
        case kCreateMenuCommandFactory:
            return menuCommandFactory_->QueryInterface(*iid, object);
        case kCreateInnerDocument:
        case kCreateInnerClassObject: {
            if (refuseInnerObjects)
                return E_OUTOFMEMORY;
            auto* record = new InnerRecord;  // kept for the test process: the tests read them
            inners.push_back(record);
            return id == kCreateInnerDocument
                       ? QueryNewInner<InnerDocument>(record, *iid, object)
                       : QueryNewInner<InnerClassObject>(record, *iid, object);
        }
        default:
            return CLASS_E_CLASSNOTAVAILABLE;
    }
}

HRESULT Framework::RegisterDocumentClass(ICustomDocClass* docClass) {
    if (docClass == nullptr)
        return E_POINTER;
    classes.emplace_back(docClass);
    return S_OK;
}

HRESULT Framework::GetFamily(const GUID* family, WORD* number) {
    auto found = std::find(families.begin(), families.end(), *family);
    if (found == families.end()) {
        families.push_back(*family);
        familyRequests.push_back(0);
        found = families.end() - 1;
    }
    const auto index = static_cast<std::size_t>(found - families.begin());
    ++familyRequests[index];
    *number = static_cast<WORD>(index + 1);
    return S_OK;
}

HRESULT Framework::Dispatch(IMessage* message, IMessageHandler* target) {
    MessageId id = 0;
    DWORD flags = 0;
    message->GetIdentifier(&id);
    message->GetFlags(&flags);
    dispatches.push_back({id, flags, target, message->IsSender(expectedSender) == S_OK});
    return target->HandleMessage(message);
}

HRESULT Framework::Subscribe(IObserver* observer, MessageId id, DWORD) {
    subscriptions.push_back({observer, id});
    return S_OK;
}

HRESULT Framework::Unsubscribe(IObserver*, MessageId) {
    return E_NOTIMPL;
}

HRESULT Framework::Signal(IUnknown* source, MessageId id, std::intptr_t value,
                          std::intptr_t parameter) {
    const auto subscribed = subscriptions;
    for (const auto& s : subscribed) {
        if (s.id == id)
            s.observer->Notify(source, id, value, parameter);
    }
    return S_OK;
}

HRESULT Framework::Unregister(IObserver* observer) {
    unregistered.push_back(observer);
    std::erase_if(subscriptions, [&](const Subscription& s) { return s.observer == observer; });
    return S_OK;
}

InnerRecord& LastInner() {
    return *Framework::Instance().inners.back();
}

}  // namespace fake
