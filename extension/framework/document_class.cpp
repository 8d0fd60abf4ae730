#include "extension/framework/document_class.h"

#include "extension/framework/query_helpers.h"
#include "extension/services/framework_services.h"
#include "platform/com/com_ptr.h"

KYTDocumentClassBase::KYTDocumentClassBase(const char16_t* name, const GUID& classId,
                                           const GUID& documentType, MessageId familyBase,
                                           LONG version)
    : name_(name),
      classId_(classId),
      documentType_(documentType),
      familyBase_(familyBase),
      version_(version) {}

KYTDocumentClassBase::~KYTDocumentClassBase() {
    commandList_.Reset();
    ReleaseAndClear(inner_);
}

void KYTDocumentClassBase::CreateInnerObject(IUnknown* outer) {
    inner_ = Services::CreateFrameworkObject<IInnerClassObject>(kCreateInnerClassObject);
    if (inner_ == nullptr)
        return;
    inner_->Initialise(&inner_, outer, 0);
    classCommands_ = QueryUncounted<IClassCommands>(inner_);
}

HRESULT KYTDocumentClassBase::QueryInner(REFIID iid, void** result) {
    if (inner_ == nullptr)
        return E_NOINTERFACE;
    return inner_->QueryInterface(iid, result);
}

IKYTCommandHandler* KYTDocumentClassBase::InnerCommandHandler() {
    return QueryUncountedOnce(inner_, innerCommandHandler_);
}
IMessageHandler* KYTDocumentClassBase::InnerMessageHandler() {
    return QueryUncountedOnce(inner_, innerMessageHandler_);
}
IObserver* KYTDocumentClassBase::InnerObserver() {
    return QueryUncountedOnce(inner_, innerObserver_);
}

HRESULT KYTDocumentClassBase::GetMessageIdBase(MessageId* base) {
    if (base == nullptr)
        return E_POINTER;
    *base = familyBase_;
    return S_OK;
}

HRESULT KYTDocumentClassBase::GetDocumentType(const GUID** type) {
    if (type == nullptr)
        return E_POINTER;
    *type = &documentType_;
    return S_OK;
}

HRESULT KYTDocumentClassBase::GetDisplayName(BSTR* name) {
    return GetName(name);
}

HRESULT KYTDocumentClassBase::IsDocumentType(const GUID* type) {
    // A class always has a type, so "both absent" cannot happen here.
    return type != nullptr && *type == documentType_ ? S_OK : S_FALSE;
}

HRESULT KYTDocumentClassBase::GetName(BSTR* name) {
    if (name == nullptr)
        return E_POINTER;
    if (*name != nullptr) {
        SysFreeString(*name);
        *name = nullptr;
    }
    if (!name_.IsEmpty()) {
        *name = SysAllocStringLen(name_.Text(), static_cast<UINT>(name_.Length()));
        if (*name == nullptr)
            return E_OUTOFMEMORY;
    }
    return S_OK;
}

HRESULT KYTDocumentClassBase::GetClassVersion(LONG* version) {
    if (version == nullptr)
        return E_POINTER;
    *version = version_;
    return S_OK;
}

HRESULT KYTDocumentClassBase::Initialise(IUnknown* hostArgument) {
    return InitialiseCommands(hostArgument);
}

HRESULT KYTDocumentClassBase::GetClassId(const GUID** classId) {
    if (classId == nullptr)
        return E_POINTER;
    *classId = &classId_;
    return S_OK;
}

HRESULT KYTDocumentClassBase::InitialiseCommands(IUnknown* hostArgument) {
    return CreateCommandList(hostArgument);
}

HRESULT KYTDocumentClassBase::CreateCommandList(IUnknown* hostArgument) {
    ComPtr<IKYTCommandHandler> handler;
    QueryInterfaceAs<IKYTCommandHandler>(this, handler.OutParam());
    ICommandListFactory* factory = Services::CommandListFactory();
    if (factory == nullptr)
        return E_FAIL;
    ICommandList* list = nullptr;
    const HRESULT hr = factory->CreateCommandList(&classId_, handler.Get(), hostArgument, &list);
    if (SUCCEEDED(hr) && list != nullptr) {
        commandList_ = ComPtr<ICommandList>::Adopt(list);
    }
    return hr;
}

HRESULT KYTDocumentClassBase::ExecuteThroughInner(MessageId id, KYTEventHandlerBase& table) {
    IKYTCommandHandler* inner = InnerCommandHandler();
    if (inner != nullptr && inner->ExecuteCommand(id) == kCommandHandled)
        return kCommandHandled;
    return table.ExecuteFromTable(id);
}

HRESULT KYTDocumentClassBase::UpdateThroughInner(MessageId id, ICommandState* state,
                                                 KYTEventHandlerBase& table) {
    IKYTCommandHandler* inner = InnerCommandHandler();
    if (inner != nullptr && inner->UpdateCommand(id, state) == kCommandHandled) {
        return kCommandHandled;
    }
    return table.UpdateFromTable(id, state);
}

HRESULT KYTDocumentClassBase::HandleThroughInner(MessageId id, LONG kind, std::intptr_t value1,
                                                 std::intptr_t value2, KYTEventHandlerBase& table) {
    IKYTCommandHandler* inner = InnerCommandHandler();
    if (inner != nullptr && inner->HandleCommand(id, kind, value1, value2) == kCommandHandled) {
        return kCommandHandled;
    }
    return table.RunCommand(id, static_cast<EventKind>(kind), value1, value2);
}
