// A running host: OLE initialised, the framework library libKyt.so loaded from the host's own
// folder with its class objects registered, extension modules loaded and registered, their
// document classes initialised. Host documents opened through the session get one extension
// document per registered class; the session delivers the host's observer events to them.
//
// At the end the session closes what is still open, shuts the framework down, revokes its
// class objects and frees the libraries, in that order.
#pragma once

#include <filesystem>
#include <memory>
#include <vector>

#include "host/api/doc_class_registry.h"
#include "host/api/framework_host.h"
#include "host/api/framework_ids.h"
#include "host/api/host_application.h"
#include "host/api/message.h"
#include "host/api/message_families.h"
#include "host/api/message_router.h"
#include "host/api/observer.h"
#include "host/api/unit_test_registry.h"
#include "host/session/command_menu.h"
#include "host/session/extension_module.h"
#include "host/session/host_document.h"

namespace session {

class HostSession {
public:
    // Starts the framework from `folder` (the folder of libKyt.so; normally the executable's).
    // Throws std::runtime_error when the framework cannot be started.
    explicit HostSession(const std::filesystem::path& folder);
    ~HostSession();
    HostSession(const HostSession&) = delete;
    HostSession& operator=(const HostSession&) = delete;

    // The folder of the running executable.
    static std::filesystem::path ExecutableFolder();

    // Loads an extension module, calls its DllRegisterClassObjects and initialises the
    // document classes it registered. Throws std::runtime_error when it is no extension or
    // its registration fails (the failing module stays loaded until the session ends).
    ExtensionModule& LoadExtension(const std::filesystem::path& path);

    // A new host document whose master device is `device` (may be null), with its extension
    // documents. The session closes it at the end if the caller has not.
    ComPtr<HostDocument> OpenDocument(ComPtr<IDeviceObject> device);
    void CloseDocument(HostDocument& document);

    // Signals an observer event of the device family (D) or the sampling family (S).
    void SignalDeviceEvent(WORD code, std::intptr_t parameter = 0);
    void SignalSamplingEvent(WORD code, std::intptr_t parameter = 0);

    // Sends a framework message to the message handler of `target` (an extension document or
    // a document class), naming `sender` as its sender when given; returns the dispatch
    // result, E_NOINTERFACE when `target` has no message handler.
    HRESULT SendMessage(IUnknown* target, MessageId id, DWORD flags, const MessageArg& argument,
                        IUnknown* sender = nullptr);

    WORD Family(const GUID& family);
    std::vector<MenuItem> MenuItems();
    // A menu item's state with `document` active: its extension document's command handler
    // sets it, as when the host opens the menu. Disabled and unchecked when nothing answers.
    MenuItemState QueryMenuItem(const MenuItem& item, ICustomDocument* document);
    // Chooses a menu item with `document` active: its extension document's command handler
    // runs the command. E_NOINTERFACE when the document has no command handler.
    HRESULT ChooseMenuItem(const MenuItem& item, ICustomDocument* document);

    IDocClassRegistry* Registry() const { return registry_.Get(); }
    IObserverRegistry* Observers() const { return observers_.Get(); }
    IUnitTestRegistry* UnitTests() const { return unitTests_.Get(); }
    IHostApplication* Application() const { return application_.Get(); }
    IFrameworkHost* Framework() const { return frameworkHost_.Get(); }
    // The host's main window, which owns the extensions' message boxes.
    HWND MainWindow() const { return mainWindow_; }

private:
    // Starts the framework (the constructor's work); throws when it cannot.
    void Start(const std::filesystem::path& folder);
    // Undoes whatever Start and the session's use set up, in the order the header names; safe
    // on a session that stopped part-way through Start.
    void Stop();
    void InitialiseNewClasses();

    bool oleInitialised_ = false;
    HWND mainWindow_ = nullptr;
    HMODULE framework_ = nullptr;
    std::vector<DWORD> cookies_;
    ComPtr<IDocClassRegistry> registry_;
    ComPtr<IFrameworkHost> frameworkHost_;
    ComPtr<IMessageFamilies> families_;
    ComPtr<IMessageRouter> router_;
    ComPtr<IObserverRegistry> observers_;
    ComPtr<IUnitTestRegistry> unitTests_;
    ComPtr<IHostApplication> application_;
    ComPtr<CommandMenu> menu_{new CommandMenu};
    LONG initialisedClasses_ = 0;
    std::vector<std::unique_ptr<ExtensionModule>> modules_;
    std::vector<ComPtr<HostDocument>> documents_;
};

}  // namespace session
