#include "extension/framework/event_handler.h"

#include "extension/services/framework_services.h"
#include "host/api/tev_string_interface.h"

KYTEventHandlerBase::KYTEventHandlerBase(const EventTable& table) : table_(table) {}

KYTEventHandlerBase::~KYTEventHandlerBase() {
    if (connected_ == nullptr)
        return;
    if (IObserverRegistry* registry = Services::ObserverRegistry())
        registry->Unregister(connected_);
}

HRESULT KYTEventHandlerBase::RunCommand(MessageId id, EventKind kind, std::intptr_t value1,
                                        std::intptr_t value2) {
    const EventRow* row = table_.Find(kind, id);
    if (row == nullptr)
        return kCommandNotHandled;
    row->call(*this, value1, value2);
    return kCommandHandled;
}

HRESULT KYTEventHandlerBase::ExecuteFromTable(MessageId id) {
    return RunCommand(id, EventKind::CommandExecute, 0, 0);
}

HRESULT KYTEventHandlerBase::UpdateFromTable(MessageId id, ICommandState* state) {
    if (const EventRow* row = table_.Find(EventKind::CommandState, id)) {
        row->call(*this, reinterpret_cast<std::intptr_t>(state), 0);
        return kCommandHandled;
    }
    if (table_.Find(EventKind::CommandExecute, id) != nullptr) {
        if (state != nullptr)
            state->Enable(VARIANT_TRUE);
        return kCommandHandled;
    }
    return kCommandNotHandled;
}

HRESULT KYTEventHandlerBase::ConnectObserver(IObserver* self, IObserver* inner,
                                             IObserverRegistry* service) {
    if (inner != nullptr)
        inner->Connect(service);
    if (service == nullptr)
        return S_OK;
    for (const EventRow& row : table_.Rows()) {
        if (row.kind != EventKind::ObserverEvent)
            continue;
        service->Subscribe(self, row.id, 0);
        connected_ = self;
    }
    return S_OK;
}

HRESULT KYTEventHandlerBase::NotifyObserver(IObserver* inner, IUnknown* source, MessageId id,
                                            std::intptr_t value, std::intptr_t parameter) {
    if (inner != nullptr)
        inner->Notify(source, id, value, parameter);
    if (const EventRow* row = table_.Find(EventKind::ObserverEvent, id)) {
        row->call(*this, parameter, 0);
    }
    return S_OK;
}

bool KYTEventHandlerBase::HandleFromTable(IMessage* message) {
    if (message == nullptr)
        return false;
    MessageId id = 0;
    DWORD flags = 0;
    message->GetIdentifier(&id);
    message->GetFlags(&flags);
    const EventRow* row = table_.Find(EventKind::Message, id);
    if (row == nullptr)
        return false;

    MessageArg argument;
    message->GetArgument(&argument);
    ITevString* text =
        argument.Tag == MessageArg::kString ? static_cast<ITevString*>(argument.Pointer) : nullptr;
    // The flags stay in the state word while the handler runs (a nested message keeps its own).
    const DWORD outer = stateWord_;
    stateWord_ = flags;
    std::intptr_t result = 0;
    try {
        result = row->call(*this, reinterpret_cast<std::intptr_t>(text), 0);
    } catch (...) {
        stateWord_ = outer;
        throw;
    }
    stateWord_ = outer;
    return result == 0;
}
