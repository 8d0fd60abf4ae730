// Documents and document classes built on the framework: their interface maps, reference
// counting, event routing, message-handler trees and host interfaces.
#include <gtest/gtest.h>

#include "host/api/framework_ids.h"
#include "host/kyt/messages.h"
#include "platform/com/com_ptr.h"
#include "platform/oleaut/bstr.h"
#include "support/string/tev_string.h"
#include "tests/extension/framework/fake_framework.h"
#include "tests/extension/framework/fake_host_document.h"
#include "tests/extension/framework/test_document.h"
#include "tests/helpers/vtable_call.h"

namespace {

using framework_test::kTestClassId;
using framework_test::kTestEvents;
using framework_test::TestDoc;
using framework_test::TestDocClass;

WORD Family(const GUID& guid) {
    WORD number = 0;
    fake::Framework::Instance().GetFamily(&guid, &number);
    return number;
}

MessageId Id(const GUID& family, WORD code) {
    return MakeMessageId(Family(family), code);
}

ComPtr<IMessage> MakeMessage(MessageId id, DWORD flags, ITevString* text = nullptr) {
    const MessageArg argument{text ? MessageArg::kString : MessageArg::kNone, text};
    ComPtr<IMessage> message;
    kyt::MessageFactory factory;
    factory.AddRef();
    factory.CreateMessage(id, flags, 0, 0, 0, &argument, message.OutParam());
    return message;
}

class CommandState final : public ComObject<ICommandState> {
public:
    HRESULT Enable(VARIANT_BOOL enabled) override {
        this->enabled.push_back(enabled);
        return S_OK;
    }
    HRESULT SetCheck(LONG value, LONG mask) override {
        checks.push_back(value * 16 + mask);
        return S_OK;
    }
    std::vector<VARIANT_BOOL> enabled;
    std::vector<LONG> checks;
};

class FrameworkDocument : public ::testing::Test {
protected:
    void SetUp() override {
        fake::Framework::Instance().Forget();
        TestDoc::destroyed = 0;
        TestDocClass::destroyed = 0;
        docClass_ = ComPtr<ICustomDocClass>(new TestDocClass);
        host_ = ComPtr<fake::HostDocument>(new fake::HostDocument);
    }

    // A new document beside the fake host document, with one reference.
    ComPtr<ICustomDocument> NewDocument(IUnknown* host) {
        ComPtr<ICustomDocument> document;
        EXPECT_EQ(docClass_->CreateDocument(nullptr, host, nullptr, document.OutParam(), 0), S_OK);
        return document;
    }
    static TestDoc* AsDoc(ICustomDocument* document) {
        return static_cast<TestDoc*>(static_cast<ICustomDocument2*>(document));
    }

    ComPtr<ICustomDocClass> docClass_;
    ComPtr<fake::HostDocument> host_;
};

TEST_F(FrameworkDocument, InterfaceMapGivesEachBaseAndPassesTheRestToTheInnerObject) {
    auto document = NewDocument(host_->Unknown());
    TestDoc* doc = AsDoc(document.Get());
    EXPECT_EQ(doc->ReferenceCount(), 1);
    // The inner object knows the class, the host document and the document as its outer object.
    const fake::InnerRecord& inner = fake::LastInner();
    EXPECT_EQ(inner.initialised, 1);
    EXPECT_EQ(inner.outer, static_cast<IUnknown*>(static_cast<ICustomDocument2*>(doc)));
    EXPECT_EQ(inner.hostDocument, host_->Unknown());
    EXPECT_EQ(inner.docClass, docClass_.Get());

    auto ask = [&](REFIID iid) {
        void* found = nullptr;
        EXPECT_EQ(document->QueryInterface(iid, &found), S_OK);
        if (found != nullptr)
            static_cast<IUnknown*>(found)->Release();
        return found;
    };
    void* first = static_cast<ICustomDocument2*>(doc);
    EXPECT_EQ(ask(IID_IUnknown), first);
    EXPECT_EQ(ask(ICustomDocument::kIid), first);
    EXPECT_EQ(ask(ICustomDocument2::kIid), first);
    EXPECT_EQ(ask(IMessageHandler::kIid), static_cast<IMessageHandler*>(doc));
    EXPECT_EQ(ask(IKYTCommandHandler::kIid), static_cast<IKYTCommandHandler*>(doc));
    EXPECT_EQ(ask(IObserver::kIid), static_cast<IObserver*>(doc));
    EXPECT_NE(ask(IHostStorage::kIid), nullptr);  // the inner object's storage
    EXPECT_EQ(doc->ReferenceCount(), 1);          // its references went to the document

    void* refused = reinterpret_cast<void*>(1);
    EXPECT_EQ(document->QueryInterface(framework_test::kRefusedIid, &refused), E_NOINTERFACE);
    EXPECT_EQ(refused, nullptr);
}

TEST_F(FrameworkDocument, LastReleaseDestroysOnceEvenWhenDestructionTakesReferences) {
    auto* classObject = static_cast<TestDocClass*>(docClass_.Get());
    const LONG classCount = classObject->ReferenceCount();
    {
        auto document = NewDocument(host_->Unknown());
        // The document holds its class, and the class's command interface (which counts on
        // the class too).
        EXPECT_EQ(classObject->ReferenceCount(), classCount + 2);
    }
    EXPECT_EQ(TestDoc::destroyed, 1);
    EXPECT_EQ(TestDoc::countSeenWhileDestroyed, Tev::CComObjectRoot::kDestructionCount);
    EXPECT_EQ(classObject->ReferenceCount(), classCount);
}

TEST_F(FrameworkDocument, CommandsRunTheirRowsAndUnknownOnesAreReported) {
    auto document = NewDocument(host_->Unknown());
    TestDoc* doc = AsDoc(document.Get());
    IKYTCommandHandler* commands = doc;
    EXPECT_EQ(CallSlot<HRESULT>(commands, 3, Id(kTestClassId, 1)), kCommandHandled);
    EXPECT_EQ(doc->runs, 1);
    EXPECT_EQ(CallSlot<HRESULT>(commands, 3, Id(kTestClassId, 4)), kCommandNotHandled);

    CommandState state;
    state.AddRef();
    EXPECT_EQ(
        CallSlot<HRESULT>(commands, 4, Id(kTestClassId, 1), static_cast<ICommandState*>(&state)),
        kCommandHandled);
    EXPECT_EQ(doc->runStates, 1);
    EXPECT_EQ(state.checks, std::vector<LONG>{16 + 3});
    // A command without a state row is simply enabled.
    EXPECT_EQ(commands->UpdateCommand(Id(kTestClassId, 9), &state), kCommandHandled);
    EXPECT_EQ(state.enabled, std::vector<VARIANT_BOOL>{VARIANT_TRUE});
    EXPECT_EQ(commands->UpdateCommand(Id(kTestClassId, 4), &state), kCommandNotHandled);

    // The generic form runs the first row of the kind asked for.
    EXPECT_EQ(CallSlot<HRESULT>(commands, 5, Id(kTestEvents, 0), LONG{4}, std::intptr_t{7},
                                std::intptr_t{0}),
              kCommandHandled);
    EXPECT_EQ(doc->firstEvents, std::vector<int>{7});
    EXPECT_EQ(commands->HandleCommand(Id(kTestEvents, 0), 2, 0, 0), kCommandNotHandled);
}

TEST_F(FrameworkDocument, ObserverSubscribesItsRowsAndHearsEventsAfterTheInnerObject) {
    auto& framework = fake::Framework::Instance();
    auto document = NewDocument(host_->Unknown());
    TestDoc* doc = AsDoc(document.Get());
    IObserver* observer = doc;
    const fake::InnerRecord& inner = fake::LastInner();

    ASSERT_EQ(CallSlot<HRESULT>(observer, 3, static_cast<IObserverRegistry*>(&framework)), S_OK);
    EXPECT_EQ(inner.connects, 1);
    EXPECT_EQ(inner.connectedService, &framework);
    ASSERT_EQ(framework.subscriptions.size(), 3u);  // every observer row, in table order
    EXPECT_EQ(framework.subscriptions[0].id, Id(kTestEvents, 0));
    EXPECT_EQ(framework.subscriptions[1].id, Id(kTestEvents, 13));
    EXPECT_EQ(framework.subscriptions[2].id, Id(kTestEvents, 13));
    EXPECT_EQ(framework.subscriptions[0].observer, observer);

    EXPECT_EQ(CallSlot<HRESULT>(observer, 4, static_cast<IUnknown*>(nullptr), Id(kTestEvents, 13),
                                std::intptr_t{0}, std::intptr_t{5}),
              S_OK);
    EXPECT_EQ(inner.notified, std::vector<MessageId>{Id(kTestEvents, 13)});
    EXPECT_EQ(doc->secondEvents, 1);  // only the first row with that identifier runs
    EXPECT_TRUE(doc->firstEvents.empty());
    observer->Notify(nullptr, Id(kTestEvents, 0), 0, 1);
    EXPECT_EQ(doc->firstEvents, std::vector<int>{1});

    document.Reset();  // the document goes: its observer is unregistered
    EXPECT_EQ(framework.unregistered, std::vector<IObserver*>{observer});
}

TEST_F(FrameworkDocument, MessagesRunTheTableWithTheirFlagsInTheStateWord) {
    auto document = NewDocument(host_->Unknown());
    TestDoc* doc = AsDoc(document.Get());
    fake::InnerRecord& inner = fake::LastInner();
    Tev::String text(u"AnalogOutputCount = 1");
    auto message = MakeMessage(Id(kTestClassId, 2), 0x4, text.Interface());

    IMessageHandler* handler = doc;
    doc->textAnswer = 0;  // a handler that returns 0 has handled the message
    EXPECT_EQ(CallSlot<HRESULT>(handler, 3, message.Get()), kMessageHandled);
    ASSERT_EQ(doc->texts.size(), 1u);
    EXPECT_EQ(doc->texts[0], u"AnalogOutputCount = 1");
    EXPECT_EQ(doc->stateWordsSeen, std::vector<DWORD>{0x4});
    EXPECT_EQ(doc->StateWord(), 0u);
    EXPECT_EQ(inner.messages, 0);

    // Otherwise the message goes on to the inner object's handler, whose answer counts.
    doc->textAnswer = 1;
    inner.messageAnswer = 7;
    EXPECT_EQ(handler->HandleMessage(message.Get()), 7);
    EXPECT_EQ(inner.messages, 1);
    // So does a message the table does not know.
    EXPECT_EQ(handler->HandleMessage(MakeMessage(Id(kTestClassId, 5), 0).Get()), 7);
    EXPECT_EQ(inner.messages, 2);
}

TEST_F(FrameworkDocument, TreeSendsToTheRootAndRefusesOwnMessagesFlaggedNotToSender) {
    auto& framework = fake::Framework::Instance();
    auto rootDocument = NewDocument(host_->Unknown());
    auto childDocument = NewDocument(host_->Unknown());
    TestDoc* root = AsDoc(rootDocument.Get());
    TestDoc* child = AsDoc(childDocument.Get());
    EXPECT_EQ(root->SendTarget(), root->AsHandler());  // a new handler is its own root

    ASSERT_EQ(CallSlot<HRESULT>(root->AsHandler(), 4, child->AsHandler()), S_OK);
    EXPECT_EQ(child->ReferenceCount(), 2);
    EXPECT_EQ(child->SendTarget(), root->AsHandler());
    IMessageHandler* target = nullptr;
    ASSERT_EQ(CallSlot<HRESULT>(child->AsHandler(), 7, &target), S_OK);
    EXPECT_EQ(target, root->AsHandler());
    target->Release();
    EXPECT_EQ(root->ReferenceCount(), 1);  // the child's target is its parent: not counted

    // The child sends; the root refuses its own... no: the child is the sender here.
    framework.expectedSender = child->AsHandler();
    Tev::String text(u"x");
    const MessageDescription request{
        Id(kTestClassId, 2), 0, {MessageArg::kString, text.Interface()}};
    root->textAnswer = 1;  // the root's table passes it on
    child->textAnswer = 0;
    EXPECT_EQ(child->SendMessage(child->SendTarget(), request, 1), kMessageHandled);
    ASSERT_EQ(framework.dispatches.size(), 1u);
    EXPECT_EQ(framework.dispatches[0].flags, 1u);
    EXPECT_EQ(framework.dispatches[0].target, root->AsHandler());
    EXPECT_TRUE(framework.dispatches[0].fromExpectedSender);
    EXPECT_EQ(root->texts.size(), 1u);
    EXPECT_EQ(child->texts.size(), 1u);

    // With flag 8 the sender itself does not handle its own message.
    const MessageDescription notToSender{
        Id(kTestClassId, 2), kMessageNotToSender, {MessageArg::kString, text.Interface()}};
    child->SendMessage(child->SendTarget(), notToSender, 0);
    EXPECT_EQ(root->texts.size(), 2u);
    EXPECT_EQ(child->texts.size(), 1u);

    EXPECT_EQ(CallSlot<HRESULT>(root->AsHandler(), 5, child->AsHandler()), S_OK);
    EXPECT_EQ(child->SendTarget(), child->AsHandler());
    EXPECT_EQ(root->RemoveChild(child->AsHandler()), E_FAIL);
    EXPECT_EQ(root->RemoveChild(nullptr), S_FALSE);
    EXPECT_EQ(child->ReferenceCount(), 1);
}

TEST_F(FrameworkDocument, SenderNeedsATargetAndToBeEnabled) {
    auto document = NewDocument(host_->Unknown());
    TestDoc* doc = AsDoc(document.Get());
    const MessageDescription request{Id(kTestClassId, 3), 0, {}};
    doc->EnableSender(false);
    EXPECT_EQ(doc->SendMessage(doc->SendTarget(), request, 4), E_FAIL);
    doc->EnableSender(true);
    EXPECT_EQ(doc->SendMessage(nullptr, request, 4), E_FAIL);
    EXPECT_TRUE(fake::Framework::Instance().dispatches.empty());
    doc->SendMessage(doc->SendTarget(), request, 4);
    EXPECT_EQ(doc->stateWordsSeen, std::vector<DWORD>{4});  // the request's flags
}

TEST_F(FrameworkDocument, ChildDocumentTakesTheHostsObjectsInOrderAndGivesThemBack) {
    {
        auto document = NewDocument(host_->Unknown());
        EXPECT_EQ(host_->calls, (std::vector<int>{16, 52, 50, 51, 8, 65, 21}));
        EXPECT_EQ(host_->channelGroupAsked, 0);
        EXPECT_EQ(AsDoc(document.Get())->SamplingSettings(), host_->SamplingSettings());
        EXPECT_GT(host_->OutstandingReferences(), 0);
    }
    EXPECT_EQ(host_->OutstandingReferences(), 0);

    // A host document that is no child-document host is not asked anything.
    auto plain = ComPtr<fake::HostDocument>(new fake::HostDocument(false));
    auto document = NewDocument(plain->Unknown());
    EXPECT_TRUE(plain->calls.empty());
    EXPECT_EQ(AsDoc(document.Get())->SamplingSettings(), nullptr);
}

TEST_F(FrameworkDocument, DocumentSlotsAsTheHostCallsThem) {
    auto document = NewDocument(host_->Unknown());
    TestDoc* doc = AsDoc(document.Get());
    ICustomDocument2* slots = doc;

    BSTR title = SysAllocString(u"old");
    EXPECT_EQ(CallSlot<HRESULT>(slots, 3, &title), S_OK);
    EXPECT_EQ(title, nullptr);  // the old one freed, nothing for an empty title
    doc->SetTitle(Tev::String(u"Trial 3"));
    CallSlot<HRESULT>(slots, 3, &title);
    EXPECT_EQ(std::u16string(title), u"Trial 3");
    SysFreeString(title);
    EXPECT_EQ(CallSlot<HRESULT>(slots, 3, static_cast<BSTR*>(nullptr)), S_OK);

    VARIANT_BOOL custom = 0;
    EXPECT_EQ(CallSlot<HRESULT>(slots, 4, &custom), S_OK);
    EXPECT_EQ(custom, VARIANT_TRUE);
    LONG value = 9;
    EXPECT_EQ(CallSlot<HRESULT>(slots, 6, &value), E_NOTIMPL);
    EXPECT_EQ(value, 0);
    EXPECT_EQ(CallSlot<HRESULT>(slots, 7, &value), S_OK);

    IUnknown* data = nullptr;
    EXPECT_EQ(CallSlot<HRESULT>(slots, 8, &data), S_OK);
    EXPECT_EQ(data, host_->Data());
    data->Release();
    CallSlot<HRESULT>(slots, 8, &data);
    data->Release();
    EXPECT_EQ(host_->dataQueries, 1);  // asked once, then kept

    IUnknown* other = reinterpret_cast<IUnknown*>(1);
    IPersistStream* persist = reinterpret_cast<IPersistStream*>(1);
    EXPECT_EQ(CallSlot<HRESULT>(slots, 9, LONG{0}, LONG{2}, &other, &persist), E_NOTIMPL);
    EXPECT_EQ(other, nullptr);
    EXPECT_EQ(persist, nullptr);

    Tev::String name(u"Experiment");
    EXPECT_EQ(CallSlot<HRESULT>(slots, 10, name.Interface()), S_OK);
    EXPECT_EQ(doc->Name().Interface(), name.Interface());  // one of our strings is shared
    ITevString* got = nullptr;
    EXPECT_EQ(CallSlot<HRESULT>(slots, 11, &got), S_OK);
    EXPECT_EQ(got, name.Interface());
    got->Release();

    EXPECT_EQ(CallSlot<HRESULT>(slots, 13, LONG{42}), S_OK);
    EXPECT_EQ(CallSlot<HRESULT>(slots, 12, &value), S_OK);
    EXPECT_EQ(value, 42);
    for (std::size_t slot = 14; slot <= 17; ++slot)
        EXPECT_EQ(CallSlot<HRESULT>(slots, slot), 0);
}

TEST_F(FrameworkDocument, ClassSlotsNameTheClassAndMakeDocuments) {
    ICustomDocClass* docClass = docClass_.Get();
    MessageId base = 0;
    EXPECT_EQ(CallSlot<HRESULT>(docClass, 3, &base), S_OK);
    EXPECT_EQ(base, Id(kTestClassId, 0));
    const GUID* type = nullptr;
    EXPECT_EQ(CallSlot<HRESULT>(docClass, 4, &type), S_OK);
    EXPECT_EQ(*type, framework_test::kTestDocumentType);
    BSTR name = SysAllocString(u"stale");
    EXPECT_EQ(CallSlot<HRESULT>(docClass, 5, &name), S_OK);
    EXPECT_EQ(std::u16string(name), u"Test Document");
    EXPECT_EQ(CallSlot<HRESULT>(docClass, 7, &name), S_OK);
    EXPECT_EQ(std::u16string(name), u"Test Document");
    SysFreeString(name);
    EXPECT_EQ(CallSlot<HRESULT>(docClass, 6, &framework_test::kTestDocumentType), S_OK);
    EXPECT_EQ(CallSlot<HRESULT>(docClass, 6, &kTestClassId), S_FALSE);
    LONG version = 0;
    EXPECT_EQ(CallSlot<HRESULT>(docClass, 8, &version), S_OK);
    EXPECT_EQ(version, 1);
    EXPECT_EQ(CallSlot<HRESULT>(docClass, 10), E_NOTIMPL);
    EXPECT_EQ(CallSlot<HRESULT>(docClass, 12), S_OK);
    const GUID* classId = nullptr;
    EXPECT_EQ(CallSlot<HRESULT>(docClass, 13, &classId), S_OK);
    EXPECT_EQ(*classId, kTestClassId);

    ICustomDocument* document = nullptr;
    ASSERT_EQ(CallSlot<HRESULT>(docClass, 9, static_cast<IUnknown*>(nullptr), host_->Unknown(),
                                static_cast<IUnknown*>(nullptr), &document, LONG{0}),
              S_OK);
    EXPECT_EQ(AsDoc(document)->ReferenceCount(), 1);
    document->Release();
    EXPECT_EQ(TestDoc::destroyed, 1);
}

TEST_F(FrameworkDocument, ClassMapAndCommandsGoToTheInnerClassObjectFirst) {
    auto* classObject = static_cast<TestDocClass*>(docClass_.Get());
    void* found = nullptr;
    ASSERT_EQ(docClass_->QueryInterface(IKYTClassObject::kIid, &found), S_OK);
    EXPECT_EQ(found, static_cast<ICustomDocClass*>(classObject));
    static_cast<IUnknown*>(found)->Release();
    ASSERT_EQ(docClass_->QueryInterface(IClassCommands::kIid, &found), S_OK);  // the inner's
    static_cast<IUnknown*>(found)->Release();

    fake::InnerRecord& inner = *fake::Framework::Instance().inners.back();
    IKYTCommandHandler* commands = classObject;
    inner.commandAnswer = kCommandHandled;
    EXPECT_EQ(commands->ExecuteCommand(Id(kTestClassId, 1)), kCommandHandled);
    EXPECT_EQ(inner.commands, 1);
    inner.commandAnswer = kCommandNotHandled;
    EXPECT_EQ(commands->ExecuteCommand(Id(kTestClassId, 1)), kCommandNotHandled);  // no rows
    EXPECT_EQ(inner.commands, 2);
}

TEST_F(FrameworkDocument, InitialiseMakesTheCommandListRunByTheClass) {
    auto* classObject = static_cast<TestDocClass*>(docClass_.Get());
    const LONG before = classObject->ReferenceCount();
    ASSERT_EQ(CallSlot<HRESULT>(docClass_.Get(), 11, static_cast<IUnknown*>(nullptr)), S_OK);
    ICommandList* list = classObject->CommandList();
    ASSERT_NE(list, nullptr);
    GUID owner{};
    ComPtr<IKYTCommandHandler> handler;
    list->GetOwner(&owner, handler.OutParam());
    EXPECT_EQ(owner, kTestClassId);
    EXPECT_EQ(handler.Get(), static_cast<IKYTCommandHandler*>(classObject));
    handler.Reset();
    EXPECT_EQ(classObject->ReferenceCount(), before);  // the handler reference was given back
    // A second initialisation replaces the list.
    docClass_->Initialise(nullptr);
    EXPECT_NE(classObject->CommandList(), nullptr);
}

}  // namespace
