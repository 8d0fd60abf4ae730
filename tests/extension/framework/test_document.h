// A document and document class built on the framework the way the extension's own are, with
// handlers that record what reaches them: the framework's reference client in these tests.
#pragma once

#include <string>
#include <vector>

#include "extension/framework/child_document.h"
#include "extension/framework/com_object_root.h"
#include "extension/framework/document_class.h"
#include "extension/framework/event_handler.h"
#include "extension/framework/interface_map.h"
#include "extension/framework/mapped_unknown.h"
#include "extension/framework/message_handler.h"
#include "extension/framework/message_sender.h"

namespace framework_test {

inline constexpr GUID kTestClassId = MakeGuid("{A1B2C3D4-0000-4000-8000-000000000001}");
inline constexpr GUID kTestDocumentType = MakeGuid("{A1B2C3D4-0000-4000-8000-000000000002}");
inline constexpr GUID kTestEvents = MakeGuid("{A1B2C3D4-0000-4000-8000-000000000003}");
inline constexpr IID kRefusedIid = MakeGuid("{C60D5F9C-196E-4750-9450-251C268422D2}");

class TestDoc final : public VarnisChildDocument,
                      public KYTEventHandlerT<1>,
                      public IObserver,
                      public KYTEventHandlerBase,
                      public KYTMessageHandler,
                      public KYTMessageSender,
                      public Tev::CComObjectRoot {
public:
    static constexpr char16_t kClassName[] = u"Test Document";
    static constexpr const GUID& kClassId = kTestClassId;
    static constexpr const GUID& kDocumentType = kTestDocumentType;

    TestDoc(IUnknown* hostDocument, ICustomDocClass* docClass);
    ~TestDoc() override;

    TEV_MAPPED_IUNKNOWN

    HRESULT Connect(IObserverRegistry* service) override;
    HRESULT Notify(IUnknown* source, MessageId id, std::intptr_t value,
                   std::intptr_t parameter) override;

    // Handlers.
    HRESULT OnRun();
    void OnRunState(ICommandState* state);
    void OnFirstEvent(BYTE parameter);
    bool OnSecondEvent();
    LONG OnText(ITevString* text);
    LONG OnRequest();

    static const EventTable& Events();
    static int destroyed;
    static LONG countSeenWhileDestroyed;

    int runs = 0;
    int runStates = 0;
    std::vector<int> firstEvents;
    int secondEvents = 0;
    std::vector<std::u16string> texts;
    std::vector<DWORD> stateWordsSeen;
    LONG textAnswer = 0;

    IMessageHandler* AsHandler() { return this; }
    IObserver* AsObserver() { return this; }

protected:
    KYTEventHandlerBase& EventHandlers() override { return *this; }
    bool HandleOwnMessage(IMessage* message) override { return HandleFromTable(message); }
    HRESULT HandleUnhandledMessage(IMessage* message) override;
};

class TestDocClass final : public KYTDocumentClass<TestDoc>,
                           public KYTEventHandlerT<1>,
                           public IObserver,
                           public KYTEventHandlerBase,
                           public KYTMessageHandler,
                           public KYTMessageSender,
                           public Tev::CComObjectRoot {
public:
    TestDocClass();
    ~TestDocClass() override;

    TEV_MAPPED_IUNKNOWN

    HRESULT Connect(IObserverRegistry* service) override;
    HRESULT Notify(IUnknown* source, MessageId id, std::intptr_t value,
                   std::intptr_t parameter) override;
    // The class's command handler asks the inner class object first.
    HRESULT ExecuteCommand(MessageId id) override { return ExecuteThroughInner(id, *this); }
    HRESULT UpdateCommand(MessageId id, ICommandState* state) override {
        return UpdateThroughInner(id, state, *this);
    }
    HRESULT HandleCommand(MessageId id, LONG kind, std::intptr_t value1,
                          std::intptr_t value2) override {
        return HandleThroughInner(id, kind, value1, value2, *this);
    }

    static int destroyed;

protected:
    KYTEventHandlerBase& EventHandlers() override { return *this; }
    bool HandleOwnMessage(IMessage* message) override { return HandleFromTable(message); }
};

}  // namespace framework_test
