#include "tests/extension/framework/test_document.h"

#include "extension/framework/message_family.h"
#include "support/string/tev_string.h"

namespace framework_test {

int TestDoc::destroyed = 0;
LONG TestDoc::countSeenWhileDestroyed = 0;
int TestDocClass::destroyed = 0;

namespace {

constexpr InterfaceMapEntry kDocMap[] = {
    MapInterface<TestDoc, ICustomDocument2>(IID_IUnknown),
    MapInterface<TestDoc, ICustomDocument2>(ICustomDocument::kIid),
    MapInterface<TestDoc, ICustomDocument2>(ICustomDocument2::kIid),
    MapInterface<TestDoc, IMessageHandler>(IMessageHandler::kIid),
    MapInterface<TestDoc, IKYTCommandHandler>(IKYTCommandHandler::kIid),
    MapInterface<TestDoc, IObserver>(IObserver::kIid),
    MapRefusal(kRefusedIid),
    MapBlindDelegation<TestDoc, &TestDoc::QueryInner>(),
    MapEnd(),
};

constexpr InterfaceMapEntry kClassMap[] = {
    MapInterface<TestDocClass, ICustomDocClass>(IID_IUnknown),
    MapInterface<TestDocClass, ICustomDocClass>(ICustomDocClass::kIid),
    MapInterface<TestDocClass, IKYTCommandHandler>(IKYTCommandHandler::kIid),
    MapInterface<TestDocClass, IMessageHandler>(IMessageHandler::kIid),
    MapInterface<TestDocClass, IObserver>(IObserver::kIid),
    MapInterface<TestDocClass, ICustomDocClass>(IKYTClassObject::kIid),
    MapBlindDelegation<TestDocClass, &TestDocClass::QueryInner>(),
    MapEnd(),
};

}  // namespace

TestDoc::TestDoc(IUnknown* hostDocument, ICustomDocClass* docClass)
    : VarnisChildDocument(hostDocument, docClass),
      KYTEventHandlerBase(Events()),
      KYTMessageSender(static_cast<IMessageHandler*>(this)) {
    InternalAddRef();  // the inner object may use the document's IUnknown meanwhile
    CreateInnerObject(static_cast<ICustomDocument2*>(this));
    InternalRelease();
}

TestDoc::~TestDoc() {
    // A reference taken and dropped while the document is destroyed must not destroy it again.
    countSeenWhileDestroyed = ReferenceCount();
    AddRef();
    Release();
    ++destroyed;
}

const EventTable& TestDoc::Events() {
    static const EventTable table{
        CommandRow<TestDoc, &TestDoc::OnRun>(&ComputeMessageId<kTestClassId, 1>),
        CommandStateRow<TestDoc, &TestDoc::OnRunState>(&ComputeMessageId<kTestClassId, 1>),
        CommandRow<TestDoc, &TestDoc::OnRun>(&ComputeMessageId<kTestClassId, 9>),
        ObserverRow<TestDoc, &TestDoc::OnFirstEvent>(&ComputeMessageId<kTestEvents, 0>),
        ObserverRow<TestDoc, &TestDoc::OnSecondEvent>(&ComputeMessageId<kTestEvents, 13>),
        ObserverRow<TestDoc, &TestDoc::OnFirstEvent>(&ComputeMessageId<kTestEvents, 13>),
        MessageRow<TestDoc, &TestDoc::OnRequest>(&ComputeMessageId<kTestClassId, 3>),
        MessageRow<TestDoc, &TestDoc::OnText>(&ComputeMessageId<kTestClassId, 2>),
    };
    return table;
}

const InterfaceMapEntry* TestDoc::InterfaceMap() {
    return kDocMap;
}

HRESULT TestDoc::Connect(IObserverRegistry* service) {
    return ConnectObserver(this, InnerObserver(), service);
}

HRESULT TestDoc::Notify(IUnknown* source, MessageId id, std::intptr_t value,
                        std::intptr_t parameter) {
    return NotifyObserver(InnerObserver(), source, id, value, parameter);
}

HRESULT TestDoc::HandleUnhandledMessage(IMessage* message) {
    IMessageHandler* inner = InnerMessageHandler();
    return inner != nullptr ? inner->HandleMessage(message) : kMessageNotHandled;
}

HRESULT TestDoc::OnRun() {
    ++runs;
    return S_OK;
}

void TestDoc::OnRunState(ICommandState* state) {
    ++runStates;
    state->SetCheck(1, 3);
}

void TestDoc::OnFirstEvent(BYTE parameter) {
    firstEvents.push_back(parameter);
}

bool TestDoc::OnSecondEvent() {
    ++secondEvents;
    return true;
}

LONG TestDoc::OnText(ITevString* text) {
    Tev::String received;
    if (text != nullptr) {
        text->AddRef();
        received.Attach(text);
    }
    texts.emplace_back(received.View());
    stateWordsSeen.push_back(StateWord());
    return textAnswer;
}

LONG TestDoc::OnRequest() {
    stateWordsSeen.push_back(StateWord());
    return 1;
}

TestDocClass::TestDocClass()
    : KYTEventHandlerBase([]() -> const EventTable& {
          static const EventTable none{};
          return none;
      }()),
      KYTMessageSender(static_cast<IMessageHandler*>(this)) {
    InternalAddRef();
    CreateInnerObject(static_cast<ICustomDocClass*>(this));
    InternalRelease();
}

TestDocClass::~TestDocClass() {
    ++destroyed;
}

const InterfaceMapEntry* TestDocClass::InterfaceMap() {
    return kClassMap;
}

HRESULT TestDocClass::Connect(IObserverRegistry* service) {
    return ConnectObserver(this, InnerObserver(), service);
}

HRESULT TestDocClass::Notify(IUnknown* source, MessageId id, std::intptr_t value,
                             std::intptr_t parameter) {
    return NotifyObserver(InnerObserver(), source, id, value, parameter);
}

}  // namespace framework_test
