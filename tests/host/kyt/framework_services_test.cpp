// The framework's services as an extension reaches them: every used slot is called through
// the raw virtual table.
#include <gtest/gtest.h>

#include "host/api/commands.h"
#include "host/api/doc_class_registry.h"
#include "host/api/framework_host.h"
#include "host/api/framework_ids.h"
#include "host/api/host_state.h"
#include "host/api/message_families.h"
#include "host/api/message_router.h"
#include "host/api/observer.h"
#include "host/kyt/class_objects.h"
#include "platform/com/com_ptr.h"
#include "tests/helpers/vtable_call.h"
#include "tests/host/kyt/kyt_fakes.h"

namespace {

using namespace kyt_test;

// Holds the framework for a test, and lets go of what it registered afterwards.
class FrameworkServices : public ::testing::Test {
protected:
    void TearDown() override { host_->Shutdown(); }

    ComPtr<IFrameworkHost> host_ = Service<IFrameworkHost>();
    ComPtr<IDocClassRegistry> registry_ = Service<IDocClassRegistry>();
};

TEST_F(FrameworkServices, OneObjectAnswersEveryServiceOfTheFrameworkClass) {
    auto families = Service<IMessageFamilies>();
    auto router = Service<IMessageRouter>();
    auto observers = Service<IObserverRegistry>();
    IUnknown* a = nullptr;
    IUnknown* b = nullptr;
    ASSERT_EQ(families->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&a)), S_OK);
    ASSERT_EQ(observers->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&b)), S_OK);
    EXPECT_EQ(a, b);
    a->Release();
    b->Release();
    void* none = nullptr;
    EXPECT_EQ(kyt::GetClassObject(MakeGuid("{818DA440-8037-11D3-80BC-005004AD3C54}"), IID_IUnknown,
                                  &none),
              CLASS_E_CLASSNOTAVAILABLE);
    EXPECT_EQ(none, nullptr);
}

TEST_F(FrameworkServices, FamiliesAreNumberedInOrderOfFirstRequest) {
    auto families = Service<IMessageFamilies>();
    constexpr GUID kFirst = MakeGuid("{17437D32-56E9-4027-B3C8-FC0FC43EC033}");
    WORD first = 0;
    WORD second = 0;
    WORD again = 0;
    ASSERT_EQ(CallSlot<HRESULT>(families.Get(), 3, &kFirst, &first), S_OK);
    ASSERT_EQ(CallSlot<HRESULT>(families.Get(), 3, &kDeviceEventFamily, &second), S_OK);
    ASSERT_EQ(CallSlot<HRESULT>(families.Get(), 3, &kFirst, &again), S_OK);
    EXPECT_NE(first, 0);
    EXPECT_EQ(second, first + 1);
    EXPECT_EQ(again, first);
    EXPECT_EQ(CallSlot<HRESULT>(families.Get(), 3, &kFirst, static_cast<WORD*>(nullptr)),
              E_POINTER);
}

TEST_F(FrameworkServices, RegistryKeepsClassesUntilShutdown) {
    auto* docClass = new NamelessDocClass;
    ComPtr<ICustomDocClass> mine(docClass);
    ASSERT_EQ(CallSlot<HRESULT>(registry_.Get(), 6, docClass), S_OK);
    EXPECT_EQ(docClass->ReferenceCount(), 2);
    EXPECT_EQ(CallSlot<HRESULT>(registry_.Get(), 6, static_cast<ICustomDocClass*>(nullptr)),
              E_POINTER);
    LONG count = 0;
    ASSERT_EQ(CallSlot<HRESULT>(registry_.Get(), 3, &count), S_OK);
    EXPECT_EQ(count, 1);
    ICustomDocClass* got = nullptr;
    ASSERT_EQ(CallSlot<HRESULT>(registry_.Get(), 4, 0, &got), S_OK);
    EXPECT_EQ(got, docClass);
    got->Release();
    EXPECT_EQ(CallSlot<HRESULT>(registry_.Get(), 4, 1, &got), E_INVALIDARG);

    host_->Shutdown();
    EXPECT_EQ(docClass->ReferenceCount(), 1);
}

TEST_F(FrameworkServices, CreateObjectMakesTheFrameworksHelpers) {
    IMessageFactory* messages = nullptr;
    EXPECT_EQ(CallSlot<HRESULT>(registry_.Get(), 5, kCreateMessageFactory, &IMessageFactory::kIid,
                                reinterpret_cast<void**>(&messages)),
              S_OK);
    ASSERT_NE(messages, nullptr);
    messages->Release();

    // Factories are the framework's own: asking twice gives the same object.
    ICommandListFactory* lists1 = nullptr;
    ICommandListFactory* lists2 = nullptr;
    registry_->CreateObject(kCreateCommandListFactory, &ICommandListFactory::kIid,
                            reinterpret_cast<void**>(&lists1));
    registry_->CreateObject(kCreateCommandListFactory, &ICommandListFactory::kIid,
                            reinterpret_cast<void**>(&lists2));
    ASSERT_NE(lists1, nullptr);
    EXPECT_EQ(lists1, lists2);
    lists1->Release();
    lists2->Release();

    // The host state service has the sampling family's number times 65536 as its id.
    WORD sampling = 0;
    Service<IMessageFamilies>()->GetFamily(&kSamplingEventFamily, &sampling);
    IHostStateService* state = nullptr;
    ASSERT_EQ(registry_->CreateObject(HostStateServiceObjectId(sampling), &IHostStateService::kIid,
                                      reinterpret_cast<void**>(&state)),
              S_OK);
    VARIANT_BOOL blocked = 5;
    EXPECT_EQ(CallSlot<HRESULT>(state, 12, &blocked), S_OK);
    EXPECT_EQ(blocked, 0);
    host_->SetCommandsBlocked(VARIANT_TRUE);
    CallSlot<HRESULT>(state, 12, &blocked);
    EXPECT_EQ(blocked, VARIANT_TRUE);
    host_->SetCommandsBlocked(0);
    state->Release();

    void* none = reinterpret_cast<void*>(1);
    EXPECT_EQ(registry_->CreateObject(0x80000099, &IID_IUnknown, &none), CLASS_E_CLASSNOTAVAILABLE);
    EXPECT_EQ(none, nullptr);
    EXPECT_EQ(registry_->CreateObject(kCreateMessageFactory, &IObserver::kIid, &none),
              E_NOINTERFACE);
}

TEST_F(FrameworkServices, MessagesCarryIdentifierFlagsArgumentAndSender) {
    ComPtr<IMessageFactory> factory;
    registry_->CreateObject(kCreateMessageFactory, &IMessageFactory::kIid,
                            reinterpret_cast<void**>(factory.OutParam()));
    auto* text = new Counted;
    ComPtr<IObserver> keep(text);
    const MessageArg argument{MessageArg::kString, As<ITevString>(text)};
    IMessage* message = nullptr;
    ASSERT_EQ(CallSlot<HRESULT>(factory.Get(), 9, MessageId{0x00050002}, DWORD{1 | 8}, DWORD{0},
                                DWORD{0}, DWORD{0}, &argument, &message),
              S_OK);
    EXPECT_EQ(text->ReferenceCount(), 2);  // the message holds its string

    MessageId id = 0;
    DWORD flags = 0;
    MessageArg got;
    EXPECT_EQ(CallSlot<HRESULT>(message, 6, &id), S_OK);
    EXPECT_EQ(CallSlot<HRESULT>(message, 7, &flags), S_OK);
    EXPECT_EQ(CallSlot<HRESULT>(message, 8, &got), S_OK);
    EXPECT_EQ(id, 0x00050002u);
    EXPECT_EQ(flags, 9u);
    EXPECT_EQ(got.Tag, MessageArg::kString);
    EXPECT_EQ(got.Pointer, argument.Pointer);

    IUnknown* sender = keep.Get();
    EXPECT_EQ(CallSlot<HRESULT>(message, 11, sender), S_FALSE);
    EXPECT_EQ(CallSlot<HRESULT>(message, 10, sender), S_OK);
    EXPECT_EQ(CallSlot<HRESULT>(message, 11, sender), S_OK);
    EXPECT_EQ(CallSlot<HRESULT>(message, 11, static_cast<IUnknown*>(nullptr)), S_FALSE);
    message->SetSender(nullptr);
    EXPECT_EQ(message->IsSender(sender), S_FALSE);

    message->Release();
    EXPECT_EQ(text->ReferenceCount(), 1);
}

TEST_F(FrameworkServices, RouterHandsTheMessageToTheTarget) {
    auto router = Service<IMessageRouter>();
    ComPtr<IMessageFactory> factory;
    registry_->CreateObject(kCreateMessageFactory, &IMessageFactory::kIid,
                            reinterpret_cast<void**>(factory.OutParam()));
    ComPtr<IMessage> message;
    factory->CreateMessage(7, 0, 0, 0, 0, nullptr, message.OutParam());
    auto* target = new AnsweringHandler(kMessageHandled);
    ComPtr<IMessageHandler> keep(target);
    EXPECT_EQ(
        CallSlot<HRESULT>(router.Get(), 3, message.Get(), static_cast<IMessageHandler*>(target)),
        kMessageHandled);
    EXPECT_EQ(target->last, message.Get());
    EXPECT_EQ(router->Dispatch(message.Get(), nullptr), E_POINTER);
}

TEST_F(FrameworkServices, ObserversGetTheEventsTheySubscribedTo) {
    auto observers = Service<IObserverRegistry>();
    auto* first = new RecordingObserver;
    auto* second = new RecordingObserver;
    ComPtr<IObserver> keep1(first);
    ComPtr<IObserver> keep2(second);
    EXPECT_EQ(CallSlot<HRESULT>(observers.Get(), 6, static_cast<IObserver*>(first),
                                MessageId{0x20000D}, DWORD{0}),
              S_OK);
    EXPECT_EQ(observers->Subscribe(first, 0x20000D, 0), S_FALSE);  // once is enough
    observers->Subscribe(first, 0x200000, 0);
    observers->Subscribe(second, 0x20000D, 0);
    EXPECT_EQ(first->ReferenceCount(), 1);  // observers are not counted

    EXPECT_EQ(CallSlot<HRESULT>(observers.Get(), 8, static_cast<IUnknown*>(nullptr),
                                MessageId{0x200000}, std::intptr_t{3}, std::intptr_t{1}),
              S_OK);
    ASSERT_EQ(first->received.size(), 1u);
    EXPECT_EQ(first->received[0].parameter, 1);
    EXPECT_TRUE(second->received.empty());

    // The first unregisters the second while it is notified: the second is skipped.
    first->onNotify = [&] { observers->Unregister(second); };
    observers->Signal(nullptr, 0x20000D, 0, 0);
    EXPECT_EQ(first->received.size(), 2u);
    EXPECT_TRUE(second->received.empty());

    EXPECT_EQ(
        CallSlot<HRESULT>(observers.Get(), 7, static_cast<IObserver*>(first), MessageId{0x20000D}),
        S_OK);
    EXPECT_EQ(CallSlot<HRESULT>(observers.Get(), 10, static_cast<IObserver*>(first)), S_OK);
    first->onNotify = nullptr;
    observers->Signal(nullptr, 0x200000, 0, 0);
    EXPECT_EQ(first->received.size(), 2u);
}

}  // namespace
