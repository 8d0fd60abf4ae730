#include "tests/extension/framework/fake_framework.h"

#include <algorithm>
#include <memory>
#include <stdexcept>

#include "host/api/framework_ids.h"
#include "host/kyt/commands.h"
#include "host/kyt/messages.h"
#include "platform/com/class_objects.h"
#include "platform/com/ole_init.h"

namespace fake {

namespace {

// An inner object: its parts answer for the outer object and record what they are told.
template <class Interface>
class Part : public Interface {
public:
    explicit Part(IUnknown** outer) : outer_(outer) {}
    HRESULT QueryInterface(REFIID iid, void** object) override {
        return (*outer_)->QueryInterface(iid, object);
    }
    ULONG AddRef() override { return (*outer_)->AddRef(); }
    ULONG Release() override { return (*outer_)->Release(); }

private:
    IUnknown** outer_;
};

class ObserverPart final : public Part<IObserver> {
public:
    ObserverPart(IUnknown** outer, InnerRecord* record) : Part(outer), record_(record) {}
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

class HandlerPart final : public Part<IMessageHandler> {
public:
    HandlerPart(IUnknown** outer, InnerRecord* record) : Part(outer), record_(record) {}
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

class CommandPart final : public Part<IKYTCommandHandler> {
public:
    CommandPart(IUnknown** outer, InnerRecord* record) : Part(outer), record_(record) {}
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

class StoragePart final : public Part<IHostStorage> {
public:
    using Part::Part;
};

class CommandsPart final : public Part<IClassCommands> {
public:
    using Part::Part;
};

class Inner final : public IInnerDocument, public IInnerClassObject {
public:
    explicit Inner(InnerRecord* record) : record_(record) {}

    HRESULT QueryInterface(REFIID iid, void** object) override {
        *object = nullptr;
        IUnknown* found = nullptr;
        if (iid == IID_IUnknown || iid == IInnerDocument::kIid) {
            found = static_cast<IInnerDocument*>(this);
        } else if (iid == IInnerClassObject::kIid) {
            found = static_cast<IInnerClassObject*>(this);
        } else if (iid == IObserver::kIid) {
            found = &observer_;
        } else if (iid == IMessageHandler::kIid) {
            found = &handler_;
        } else if (iid == IKYTCommandHandler::kIid) {
            found = &commands_;
        } else if (iid == IHostStorage::kIid) {
            found = &storage_;
        } else if (iid == IClassCommands::kIid) {
            found = &classCommands_;
        }
        if (found == nullptr)
            return E_NOINTERFACE;
        found->AddRef();
        *object = found;
        return S_OK;
    }
    ULONG AddRef() override { return static_cast<ULONG>(++count_); }
    ULONG Release() override {
        const int count = --count_;
        if (count == 0)
            delete this;
        return static_cast<ULONG>(count);
    }
    HRESULT Initialise(ICustomDocClass* docClass, IUnknown* hostDocument, IUnknown* outer,
                       LONG) override {
        record_->docClass = docClass;
        record_->hostDocument = hostDocument;
        return Outer(outer);
    }
    HRESULT Initialise(IInnerClassObject**, IUnknown* outer, LONG) override { return Outer(outer); }

private:
    HRESULT Outer(IUnknown* outer) {
        ++record_->initialised;
        record_->outer = outer;
        outer_ = outer;
        return S_OK;
    }

    InnerRecord* record_;
    int count_ = 0;
    IUnknown* outer_ = static_cast<IInnerDocument*>(this);
    ObserverPart observer_{&outer_, record_};
    HandlerPart handler_{&outer_, record_};
    CommandPart commands_{&outer_, record_};
    StoragePart storage_{&outer_};
    CommandsPart classCommands_{&outer_};
};

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
            auto* inner = new Inner(record);
            static_cast<IInnerDocument*>(inner)->AddRef();
            const HRESULT hr = static_cast<IInnerDocument*>(inner)->QueryInterface(*iid, object);
            static_cast<IInnerDocument*>(inner)->Release();
            return hr;
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
