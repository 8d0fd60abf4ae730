#include "host/session/host_session.h"

#include <algorithm>
#include <cstdio>
#include <stdexcept>

#include "host/session/loader_reason.h"

#include "platform/com/class_objects.h"
#include "platform/com/ole_init.h"
#include "platform/module/module.h"
#include "platform/ui/user.h"

namespace session {

namespace {

using GetClassObjectFunction = HRESULT (*)(REFCLSID, REFIID, void**);

template <class Interface>
ComPtr<Interface> Service(const CLSID& clsid) {
    ComPtr<Interface> service;
    CoGetClassObject(clsid, CLSCTX_INPROC_SERVER, nullptr, Interface::kIid,
                     reinterpret_cast<void**>(service.OutParam()));
    if (!service)
        throw std::runtime_error("the framework does not offer a service it should");
    return service;
}

}  // namespace

std::filesystem::path HostSession::ExecutableFolder() {
    return std::filesystem::read_symlink("/proc/self/exe").parent_path();
}

HostSession::HostSession(const std::filesystem::path& folder) {
    // A constructor that throws runs no destructor: what was started before the failure is
    // undone here, so that a failed start leaves OLE, the class-object table and the loaded
    // libraries as they were.
    try {
        Start(folder);
    } catch (...) {
        Stop();
        throw;
    }
}

void HostSession::Start(const std::filesystem::path& folder) {
    oleInitialised_ = SUCCEEDED(OleInitialize(nullptr));
    const std::filesystem::path library = folder / "libKyt.so";
    framework_ = LoadLibraryA(library.c_str());
    if (framework_ == nullptr)
        throw std::runtime_error("cannot load " + library.string() + ": " + LoaderReason());
    auto getClassObject =
        reinterpret_cast<GetClassObjectFunction>(GetProcAddress(framework_, "DllGetClassObject"));
    if (getClassObject == nullptr) {
        throw std::runtime_error(library.string() + " has no DllGetClassObject");
    }
    for (const CLSID& clsid :
         {CLSID_FrameworkClassObject, CLSID_UnitTestRegistry, CLSID_HostApplication}) {
        ComPtr<IUnknown> object;
        DWORD cookie = 0;
        if (FAILED(
                getClassObject(clsid, IID_IUnknown, reinterpret_cast<void**>(object.OutParam()))) ||
            FAILED(CoRegisterClassObject(clsid, object.Get(), CLSCTX_INPROC_SERVER,
                                         REGCLS_MULTIPLEUSE, &cookie))) {
            throw std::runtime_error("cannot register the framework's class objects");
        }
        cookies_.push_back(cookie);
    }
    registry_ = Service<IDocClassRegistry>(CLSID_FrameworkClassObject);
    frameworkHost_ = Service<IFrameworkHost>(CLSID_FrameworkClassObject);
    families_ = Service<IMessageFamilies>(CLSID_FrameworkClassObject);
    router_ = Service<IMessageRouter>(CLSID_FrameworkClassObject);
    observers_ = Service<IObserverRegistry>(CLSID_FrameworkClassObject);
    unitTests_ = Service<IUnitTestRegistry>(CLSID_UnitTestRegistry);
    application_ = Service<IHostApplication>(CLSID_HostApplication);

    mainWindow_ = CreateWindowExW(0, u"Static", u"Ostrel", WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU,
                                  0, 0, 1024, 768, nullptr, nullptr, nullptr, nullptr);
    if (auto setup = ComPtr<IHostApplicationSetup>::QueryFrom(application_.Get())) {
        setup->SetMainWindow(mainWindow_);
    }
}

HostSession::~HostSession() {
    Stop();
}

void HostSession::Stop() {
    for (auto& document : documents_)
        document->Close();
    documents_.clear();
    menu_->Clear();
    if (frameworkHost_)
        frameworkHost_->Shutdown();
    registry_.Reset();
    frameworkHost_.Reset();
    families_.Reset();
    router_.Reset();
    observers_.Reset();
    unitTests_.Reset();
    if (auto setup = ComPtr<IHostApplicationSetup>::QueryFrom(application_.Get())) {
        setup->SetMainWindow(nullptr);
    }
    application_.Reset();
    if (mainWindow_ != nullptr)
        DestroyWindow(mainWindow_);
    mainWindow_ = nullptr;
    for (DWORD cookie : cookies_)
        CoRevokeClassObject(cookie);
    cookies_.clear();
    modules_.clear();
    if (framework_ != nullptr)
        FreeLibrary(framework_);
    framework_ = nullptr;
    if (oleInitialised_)
        OleUninitialize();
    oleInitialised_ = false;
}

ExtensionModule& HostSession::LoadExtension(const std::filesystem::path& path) {
    modules_.push_back(std::make_unique<ExtensionModule>(path));
    ExtensionModule& module = *modules_.back();
    if (const HRESULT result = module.RegisterClassObjects(); FAILED(result)) {
        // Refused rather than passed over in silence. The module stays loaded until the session
        // ends: whatever it registered before it failed may still point into it.
        char code[16];
        std::snprintf(code, sizeof code, "0x%08X", static_cast<unsigned>(result));
        throw std::runtime_error(path.string() + ": DllRegisterClassObjects failed (" + code + ")");
    }
    InitialiseNewClasses();
    return module;
}

void HostSession::InitialiseNewClasses() {
    LONG count = 0;
    registry_->GetClassCount(&count);
    for (; initialisedClasses_ < count; ++initialisedClasses_) {
        ComPtr<ICustomDocClass> docClass;
        if (SUCCEEDED(registry_->GetClass(initialisedClasses_, docClass.OutParam()))) {
            docClass->Initialise(static_cast<ICommandListHost*>(menu_.Get()));
        }
    }
}

ComPtr<HostDocument> HostSession::OpenDocument(ComPtr<IDeviceObject> device) {
    ComPtr<HostDocument> document = HostDocument::Create(std::move(device));
    LONG count = 0;
    registry_->GetClassCount(&count);
    for (LONG i = 0; i < count; ++i) {
        ComPtr<ICustomDocClass> docClass;
        if (SUCCEEDED(registry_->GetClass(i, docClass.OutParam()))) {
            document->AddExtensionDocument(docClass.Get(), observers_.Get());
        }
    }
    documents_.push_back(document);
    return document;
}

void HostSession::CloseDocument(HostDocument& document) {
    document.Close();
    std::erase_if(documents_, [&](const ComPtr<HostDocument>& d) { return d.Get() == &document; });
}

WORD HostSession::Family(const GUID& family) {
    WORD number = 0;
    families_->GetFamily(&family, &number);
    return number;
}

void HostSession::SignalDeviceEvent(WORD code, std::intptr_t parameter) {
    observers_->Signal(nullptr, MakeMessageId(Family(kDeviceEventFamily), code), 0, parameter);
}

void HostSession::SignalSamplingEvent(WORD code, std::intptr_t parameter) {
    observers_->Signal(nullptr, MakeMessageId(Family(kSamplingEventFamily), code), 0, parameter);
}

HRESULT HostSession::SendMessage(IUnknown* target, MessageId id, DWORD flags,
                                 const MessageArg& argument, IUnknown* sender) {
    auto handler = ComPtr<IMessageHandler>::QueryFrom(target);
    if (!handler)
        return E_NOINTERFACE;
    ComPtr<IMessageFactory> factory;
    registry_->CreateObject(kCreateMessageFactory, &IMessageFactory::kIid,
                            reinterpret_cast<void**>(factory.OutParam()));
    if (!factory)
        return E_FAIL;
    ComPtr<IMessage> message;
    const HRESULT made = factory->CreateMessage(id, flags, 0, 0, 0, &argument, message.OutParam());
    if (FAILED(made))
        return made;
    message->SetSender(sender);
    return router_->Dispatch(message.Get(), handler.Get());
}

std::vector<MenuItem> HostSession::MenuItems() {
    return menu_->Items([this](const GUID& classId) { return MakeMessageId(Family(classId), 0); });
}

MenuItemState HostSession::QueryMenuItem(const MenuItem& item, ICustomDocument* document) {
    auto handler = ComPtr<IKYTCommandHandler>::QueryFrom(document);
    if (!handler)
        return {};
    ComPtr<CommandState> state(new CommandState);
    handler->UpdateCommand(item.id, state.Get());
    return state->State();
}

HRESULT HostSession::ChooseMenuItem(const MenuItem& item, ICustomDocument* document) {
    auto handler = ComPtr<IKYTCommandHandler>::QueryFrom(document);
    if (!handler)
        return E_NOINTERFACE;
    return handler->ExecuteCommand(item.id);
}

}  // namespace session
