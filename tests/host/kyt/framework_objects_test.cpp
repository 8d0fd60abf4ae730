// The framework's helper objects: commands and command lists, the inner objects that
// extension documents and classes aggregate, the unit-test registry and the application.
#include <gtest/gtest.h>

#include "host/api/commands.h"
#include "host/api/custom_doc_class.h"
#include "host/api/custom_document.h"
#include "host/api/doc_class_registry.h"
#include "host/api/framework_host.h"
#include "host/api/framework_ids.h"
#include "host/api/host_application.h"
#include "host/api/host_storage.h"
#include "host/api/unit_test_registry.h"
#include "host/kyt/class_objects.h"
#include "platform/com/com_ptr.h"
#include "tests/helpers/vtable_call.h"
#include "tests/host/kyt/kyt_fakes.h"

namespace {

using namespace kyt_test;

template <class Interface>
ComPtr<Interface> Create(DWORD id) {
    ComPtr<Interface> object;
    EXPECT_EQ(Service<IDocClassRegistry>()->CreateObject(
                  id, &Interface::kIid, reinterpret_cast<void**>(object.OutParam())),
              S_OK);
    return object;
}

class ListCollector final : public ComObject<ICommandListHost> {
public:
    HRESULT AddCommandList(ICommandList* list) override {
        lists.emplace_back(list);
        return S_OK;
    }
    std::vector<ComPtr<ICommandList>> lists;
};

class CommandHandler final : public ComObject<IKYTCommandHandler> {
public:
    HRESULT ExecuteCommand(MessageId) override { return kCommandHandled; }
    HRESULT UpdateCommand(MessageId, ICommandState*) override { return kCommandHandled; }
    HRESULT HandleCommand(MessageId, LONG, std::intptr_t, std::intptr_t) override {
        return kCommandHandled;
    }
};

TEST(FrameworkCommands, MenuCommandKeepsWhatTheClassGaveIt) {
    auto factory = Create<IMenuCommandFactory>(kCreateMenuCommandFactory);
    auto* path = new Counted;
    ComPtr<IObserver> keepPath(path);
    auto module = reinterpret_cast<HINSTANCE>(0x7000);
    IKYTCommand* command = nullptr;
    ASSERT_EQ(CallSlot<HRESULT>(factory.Get(), 8, DWORD{1}, module, UINT{238}, As<ITevString>(path),
                                LONG{0}, LONG{0}, LONG{0}, LONG{2}, LONG{0}, LONG{0}, &command),
              S_OK);
    EXPECT_EQ(path->ReferenceCount(), 2);
    DWORD code = 0;
    HINSTANCE gotModule = nullptr;
    UINT textId = 0;
    LONG flags = 0;
    ITevString* gotPath = nullptr;
    command->GetCode(&code);
    command->GetText(&gotModule, &textId);
    command->GetFlags(&flags);
    command->GetMenuPath(&gotPath);
    EXPECT_EQ(code, 1u);
    EXPECT_EQ(gotModule, module);
    EXPECT_EQ(textId, 238u);
    EXPECT_EQ(flags, 2);
    EXPECT_EQ(gotPath, As<ITevString>(path));
    EXPECT_EQ(path->ReferenceCount(), 3);
    reinterpret_cast<IUnknown*>(gotPath)->Release();
    command->Release();
    EXPECT_EQ(path->ReferenceCount(), 1);
}

TEST(FrameworkCommands, CommandListGoesToTheHostAndHoldsItsCommands) {
    constexpr GUID kClass = MakeGuid("{17437D32-56E9-4027-B3C8-FC0FC43EC033}");
    auto factory = Create<ICommandListFactory>(kCreateCommandListFactory);
    auto* collector = new ListCollector;
    ComPtr<ICommandListHost> keepCollector(collector);
    auto* handler = new CommandHandler;
    ComPtr<IKYTCommandHandler> keepHandler(handler);

    ICommandList* list = nullptr;
    ASSERT_EQ(
        CallSlot<HRESULT>(factory.Get(), 7, &kClass, static_cast<IKYTCommandHandler*>(handler),
                          static_cast<IUnknown*>(collector), &list),
        S_OK);
    ASSERT_EQ(collector->lists.size(), 1u);
    EXPECT_EQ(collector->lists[0].Get(), list);
    EXPECT_EQ(handler->ReferenceCount(), 1);  // the handler owns the list, not the other way

    ComPtr<IKYTCommand> command;
    Create<IMenuCommandFactory>(kCreateMenuCommandFactory)
        ->CreateMenuCommand(1, nullptr, 238, nullptr, 0, 0, 0, 2, 0, 0, command.OutParam());
    EXPECT_EQ(CallSlot<HRESULT>(list, 3, command.Get()), S_OK);
    EXPECT_EQ(list->Add(nullptr), E_POINTER);
    LONG count = 0;
    list->GetCount(&count);
    EXPECT_EQ(count, 1);
    GUID owner{};
    ComPtr<IKYTCommandHandler> gotHandler;
    list->GetOwner(&owner, gotHandler.OutParam());
    EXPECT_EQ(owner, kClass);
    EXPECT_EQ(gotHandler.Get(), handler);
    list->Release();
}

// An outer object for the inner objects: counts the references the inner parts give it.
class Outer final : public ComObject<IObserver> {
public:
    HRESULT Connect(IObserverRegistry*) override { return S_OK; }
    HRESULT Notify(IUnknown*, MessageId, std::intptr_t, std::intptr_t) override { return S_OK; }
};

TEST(FrameworkInnerObjects, DocumentPartsAnswerForTheirOuterObject) {
    auto inner = Create<IInnerDocument>(kCreateInnerDocument);
    auto* outer = new Outer;
    ComPtr<IObserver> keepOuter(outer);
    ASSERT_EQ(
        CallSlot<HRESULT>(inner.Get(), 7, static_cast<ICustomDocClass*>(nullptr),
                          static_cast<IUnknown*>(nullptr), static_cast<IUnknown*>(outer), LONG{0}),
        S_OK);

    // Parts found through the inner object count on the outer object.
    IHostStorage* storage = nullptr;
    ASSERT_EQ(inner->QueryInterface(IHostStorage::kIid, reinterpret_cast<void**>(&storage)), S_OK);
    EXPECT_EQ(outer->ReferenceCount(), 2);
    storage->Release();
    EXPECT_EQ(outer->ReferenceCount(), 1);

    IMessageHandler* handler = nullptr;
    ASSERT_EQ(inner->QueryInterface(IMessageHandler::kIid, reinterpret_cast<void**>(&handler)),
              S_OK);
    EXPECT_EQ(handler->HandleMessage(nullptr), kMessageNotHandled);
    // ... and a query through a part is the outer object's query.
    IObserver* viaOuter = nullptr;
    ASSERT_EQ(handler->QueryInterface(IObserver::kIid, reinterpret_cast<void**>(&viaOuter)), S_OK);
    EXPECT_EQ(viaOuter, static_cast<IObserver*>(outer));
    viaOuter->Release();
    handler->Release();

    void* none = nullptr;
    EXPECT_EQ(inner->QueryInterface(IClassCommands::kIid, &none), E_NOINTERFACE);
}

TEST(FrameworkInnerObjects, ClassObjectRunsNoCommandAndChecksWhereItIsKept) {
    ComPtr<IInnerClassObject> inner = Create<IInnerClassObject>(kCreateInnerClassObject);
    auto* outer = new Outer;
    ComPtr<IObserver> keepOuter(outer);
    IInnerClassObject* elsewhere = nullptr;
    EXPECT_EQ(inner->Initialise(&elsewhere, outer, 0), E_INVALIDARG);
    IInnerClassObject* kept = inner.Get();
    ASSERT_EQ(CallSlot<HRESULT>(inner.Get(), 7, &kept, static_cast<IUnknown*>(outer), LONG{0}),
              S_OK);
    ComPtr<IKYTCommandHandler> commands;
    ASSERT_EQ(inner->QueryInterface(IKYTCommandHandler::kIid,
                                    reinterpret_cast<void**>(commands.OutParam())),
              S_OK);
    EXPECT_EQ(commands->ExecuteCommand(0x10001), kCommandNotHandled);
    EXPECT_EQ(outer->ReferenceCount(), 2);
    void* classCommands = nullptr;
    EXPECT_EQ(inner->QueryInterface(IClassCommands::kIid, &classCommands), S_OK);
    static_cast<IUnknown*>(classCommands)->Release();
}

TEST(FrameworkUnitTests, RegistryHoldsTheTestsItIsGiven) {
    auto registry = Service<IUnitTestRegistry>(CLSID_UnitTestRegistry);
    auto* test = new Counted;
    ComPtr<IObserver> keep(test);
    EXPECT_EQ(CallSlot<HRESULT>(registry.Get(), 3, As<IUnitTest>(test)), S_OK);
    EXPECT_EQ(CallSlot<HRESULT>(registry.Get(), 3, static_cast<IUnitTest*>(nullptr)), E_POINTER);
    EXPECT_EQ(test->ReferenceCount(), 2);
    LONG count = 0;
    registry->GetTestCount(&count);
    EXPECT_EQ(count, 1);
    IUnitTest* got = nullptr;
    ASSERT_EQ(registry->GetTest(0, &got), S_OK);
    EXPECT_EQ(got, As<IUnitTest>(test));
    reinterpret_cast<IUnknown*>(got)->Release();
    registry.Reset();  // the last holder: the registry goes and lets go of its tests
    EXPECT_EQ(test->ReferenceCount(), 1);
}

TEST(FrameworkApplication, AnswersWhatTheHostSetUp) {
    auto application = Service<IHostApplication>(CLSID_HostApplication);
    auto setup = ComPtr<IHostApplicationSetup>::QueryFrom(application.Get());
    ASSERT_TRUE(setup);

    HWND window = reinterpret_cast<HWND>(1);
    EXPECT_EQ(CallSlot<HRESULT>(application.Get(), 10, &window), S_OK);
    EXPECT_EQ(window, nullptr);
    setup->SetMainWindow(reinterpret_cast<HWND>(0x1234));
    CallSlot<HRESULT>(application.Get(), 10, &window);
    EXPECT_EQ(window, reinterpret_cast<HWND>(0x1234));

    LANGID language = 0;
    EXPECT_EQ(CallSlot<HRESULT>(application.Get(), 33, &language), S_OK);
    EXPECT_EQ(language, 0x0409);

    IHostSettings* settings = nullptr;
    ASSERT_EQ(CallSlot<HRESULT>(application.Get(), 34, &settings), S_OK);
    BYTE visible = 7;
    EXPECT_EQ(CallSlot<HRESULT>(settings, 16, u"tev\\application\\visible", &visible), S_OK);
    EXPECT_EQ(visible, 1);
    setup->SetBool(u"tev\\application\\visible", 0);
    settings->GetBool(u"tev\\application\\visible", &visible);
    EXPECT_EQ(visible, 0);
    BYTE preset = 1;
    EXPECT_EQ(settings->GetBool(u"no\\such\\key", &preset), S_FALSE);
    EXPECT_EQ(preset, 1);  // left as the caller preset it
    settings->Release();

    auto* context = new Counted;
    auto* file = new Counted;
    ComPtr<IObserver> keepContext(context);
    ComPtr<IObserver> keepFile(file);
    EXPECT_EQ(
        CallSlot<HRESULT>(application.Get(), 21, As<ITevString>(context), As<ITevString>(file)),
        S_OK);
    LONG requests = 0;
    ITevString* gotContext = nullptr;
    ITevString* gotFile = nullptr;
    setup->GetHelpRequests(&requests, &gotContext, &gotFile);
    EXPECT_EQ(requests, 1);
    EXPECT_EQ(gotContext, As<ITevString>(context));
    EXPECT_EQ(gotFile, As<ITevString>(file));
    reinterpret_cast<IUnknown*>(gotContext)->Release();
    reinterpret_cast<IUnknown*>(gotFile)->Release();
}

}  // namespace
