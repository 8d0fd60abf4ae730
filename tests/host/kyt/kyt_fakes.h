// Small stand-ins for the objects an extension hands the framework: a document class, an
// observer, a message handler and a counted string-like object; and the framework's class
// objects as the tests ask for them.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "host/api/custom_doc_class.h"
#include "host/api/framework_ids.h"
#include "host/api/message_handler.h"
#include "host/api/observer.h"
#include "host/kyt/class_objects.h"
#include "platform/com/com_object.h"
#include "platform/com/com_ptr.h"

namespace kyt_test {

// The framework's class object of `clsid`, asked for Interface.
template <class Interface>
ComPtr<Interface> Service(REFCLSID clsid = CLSID_FrameworkClassObject) {
    Interface* service = nullptr;
    EXPECT_EQ(kyt::GetClassObject(clsid, Interface::kIid, reinterpret_cast<void**>(&service)),
              S_OK);
    return ComPtr<Interface>::Adopt(service);
}

// Counts references only; stands for any object the framework must hold or release.
class Counted final : public ComObject<IObserver> {
public:
    HRESULT Connect(IObserverRegistry*) override { return S_OK; }
    HRESULT Notify(IUnknown*, MessageId, std::intptr_t, std::intptr_t) override { return S_OK; }
};

struct Notification {
    MessageId id;
    std::intptr_t value;
    std::intptr_t parameter;
};

class RecordingObserver final : public ComObject<IObserver> {
public:
    HRESULT Connect(IObserverRegistry*) override { return S_OK; }
    HRESULT Notify(IUnknown*, MessageId id, std::intptr_t value, std::intptr_t parameter) override {
        received.push_back({id, value, parameter});
        if (onNotify)
            onNotify();
        return S_OK;
    }

    std::vector<Notification> received;
    std::function<void()> onNotify;
};

class AnsweringHandler final : public ComObject<IMessageHandler> {
public:
    explicit AnsweringHandler(HRESULT answer) : answer_(answer) {}
    HRESULT HandleMessage(IMessage* message) override {
        last = message;
        return answer_;
    }
    HRESULT AddChild(IMessageHandler*) override { return E_NOTIMPL; }
    HRESULT RemoveChild(IMessageHandler*) override { return E_NOTIMPL; }
    HRESULT SetParent(IMessageHandler*) override { return E_NOTIMPL; }
    HRESULT GetParent(IMessageHandler**) override { return E_NOTIMPL; }
    HRESULT AcceptsMessage(IMessage*) override { return S_OK; }

    IMessage* last = nullptr;

private:
    HRESULT answer_;
};

class NamelessDocClass final : public ComObject<ICustomDocClass> {
public:
    HRESULT GetMessageIdBase(MessageId*) override { return E_NOTIMPL; }
    HRESULT GetDocumentType(const GUID**) override { return E_NOTIMPL; }
    HRESULT GetDisplayName(BSTR*) override { return E_NOTIMPL; }
    HRESULT IsDocumentType(const GUID*) override { return E_NOTIMPL; }
    HRESULT GetName(BSTR*) override { return E_NOTIMPL; }
    HRESULT GetClassVersion(LONG*) override { return E_NOTIMPL; }
    HRESULT CreateDocument(IUnknown*, IUnknown*, IUnknown*, ICustomDocument**, LONG) override {
        return E_NOTIMPL;
    }
    HRESULT Initialise(IUnknown*) override { return E_NOTIMPL; }
    HRESULT Terminate() override { return S_OK; }
    HRESULT GetClassId(const GUID**) override { return E_NOTIMPL; }
    HRESULT InitialiseCommands(IUnknown*) override { return E_NOTIMPL; }
};

// The framework holds string and test objects by their IUnknown; a Counted object serves.
template <class Interface>
Interface* As(Counted* object) {
    return reinterpret_cast<Interface*>(static_cast<IUnknown*>(static_cast<IObserver*>(object)));
}

}  // namespace kyt_test
