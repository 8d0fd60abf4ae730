#include "extension/document/doc_class.h"

#include "extension/document/message_boxes.h"
#include "extension/framework/interface_map.h"
#include "extension/services/framework_services.h"
#include "extension/services/module_object.h"
#include "platform/com/com_ptr.h"
#include "resources/string_ids.h"
#include "support/string/tev_string.h"

namespace VavazaZavidi {

namespace {

constexpr InterfaceMapEntry kInterfaceMap[] = {
    MapInterface<DocClass, ICustomDocClass>(IID_IUnknown),
    MapInterface<DocClass, ICustomDocClass>(ICustomDocClass::kIid),
    MapInterface<DocClass, IKYTCommandHandler>(IKYTCommandHandler::kIid),
    MapInterface<DocClass, IMessageHandler>(IMessageHandler::kIid),
    MapInterface<DocClass, IObserver>(IObserver::kIid),
    MapInterface<DocClass, ICustomDocClass>(IKYTClassObject::kIid),
    MapBlindDelegation<DocClass, &DocClass::QueryInner>(),
    MapEnd(),
};

// The menu command's flags as the framework knows them.
constexpr LONG kMenuCommandFlags = 2;

}  // namespace

const EventTable& DocClass::Events() {
    static const EventTable table{};
    return table;
}

DocClass::DocClass()
    : KYTEventHandlerBase(Events()), KYTMessageSender(static_cast<IMessageHandler*>(this)) {
    InternalAddRef();  // the inner object may use the class's IUnknown while it is made
    CreateInnerObject(static_cast<ICustomDocClass*>(this));
    InternalRelease();
}

DocClass::~DocClass() = default;

const InterfaceMapEntry* DocClass::InterfaceMap() {
    return kInterfaceMap;
}

HRESULT DocClass::InitialiseCommands(IUnknown* hostArgument) {
    try {
        const HRESULT made = CreateCommandList(hostArgument);
        if (FAILED(made))
            return made;
        IMenuCommandFactory* factory = Services::MenuCommandFactory();
        if (factory == nullptr)
            return E_FAIL;
        const Tev::String path(kMenuPath);
        ComPtr<IKYTCommand> command;
        const HRESULT created = factory->CreateMenuCommand(
            kSetupCommandCode, Services::ModuleInstance(), StringId::kMenuCommand, path.Interface(),
            0, 0, 0, kMenuCommandFlags, 0, 0, command.OutParam());
        if (FAILED(created))
            return created;
        if (ICommandList* list = CommandList())
            list->Add(command.Get());
        return S_OK;
    } catch (const std::exception&) {
        return E_FAIL;
    }
}

HRESULT DocClass::ExecuteCommand(MessageId id) {
    return ExecuteThroughInner(id, *this);
}

HRESULT DocClass::UpdateCommand(MessageId id, ICommandState* state) {
    return UpdateThroughInner(id, state, *this);
}

HRESULT DocClass::HandleCommand(MessageId id, LONG kind, std::intptr_t value1,
                                std::intptr_t value2) {
    return HandleThroughInner(id, kind, value1, value2, *this);
}

HRESULT DocClass::Connect(IObserverRegistry* service) {
    return ConnectObserver(this, InnerObserver(), service);
}

HRESULT DocClass::Notify(IUnknown* source, MessageId id, std::intptr_t value,
                         std::intptr_t parameter) {
    return NotifyObserver(InnerObserver(), source, id, value, parameter);
}

}  // namespace VavazaZavidi
