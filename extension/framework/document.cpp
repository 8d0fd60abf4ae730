#include "extension/framework/document.h"

#include "extension/framework/query_helpers.h"

#include "extension/services/framework_services.h"
#include "host/api/tev_string_interface.h"
#include "platform/com/com_ptr.h"

KYTDocument::KYTDocument(IUnknown* hostDocument, ICustomDocClass* docClass)
    : hostDocument_(hostDocument), docClass_(docClass) {
    hostStorage_ = QueryUncounted<IHostStorage>(hostDocument);
    classCommands_ = ComPtr<IClassCommands>::QueryFrom(docClass_.Get());
}

KYTDocument::~KYTDocument() {
    classCommands_.Reset();
    docClass_.Reset();
    if (inner_ != nullptr)
        inner_->Release();
}

void KYTDocument::CreateInnerObject(IUnknown* outer) {
    inner_ = Services::CreateFrameworkObject<IInnerDocument>(kCreateInnerDocument);
    if (inner_ != nullptr)
        inner_->Initialise(docClass_.Get(), hostDocument_, outer, 0);
}

HRESULT KYTDocument::QueryInner(REFIID iid, void** result) {
    if (inner_ == nullptr)
        return E_NOINTERFACE;
    return inner_->QueryInterface(iid, result);
}

IMessageHandler* KYTDocument::InnerMessageHandler() {
    return QueryUncountedOnce(inner_, innerMessageHandler_);
}
IObserver* KYTDocument::InnerObserver() {
    return QueryUncountedOnce(inner_, innerObserver_);
}
IHostStorage* KYTDocument::InnerStorage() {
    return QueryUncountedOnce(inner_, innerStorage_);
}

HRESULT KYTDocument::GetTitle(BSTR* title) {
    if (title == nullptr)
        return S_OK;
    if (*title != nullptr) {
        SysFreeString(*title);
        *title = nullptr;
    }
    if (!title_.IsEmpty()) {
        *title = SysAllocStringLen(title_.Text(), static_cast<UINT>(title_.Length()));
    }
    return S_OK;
}

HRESULT KYTDocument::IsCustomDocument(VARIANT_BOOL* custom) {
    if (custom == nullptr)
        return E_POINTER;
    *custom = VARIANT_TRUE;
    return S_OK;
}

HRESULT KYTDocument::Detach() {
    return S_OK;
}

HRESULT KYTDocument::GetViewCount(LONG* count) {
    if (count != nullptr)
        *count = 0;
    return E_NOTIMPL;
}

HRESULT KYTDocument::GetValue(LONG* value) {
    if (value == nullptr)
        return E_POINTER;
    *value = value_;
    return S_OK;
}

HRESULT KYTDocument::GetHostData(IUnknown** data) {
    if (data == nullptr)
        return E_POINTER;
    *data = QueryUncountedOnce(hostStorage_, hostData_);
    if (hostData_ != nullptr)
        hostData_->AddRef();
    return S_OK;
}

HRESULT KYTDocument::GetPersistObject(LONG /*flag*/, LONG /*kind*/, IUnknown** other,
                                      IPersistStream** persist) {
    if (other != nullptr)
        *other = nullptr;
    if (persist != nullptr)
        *persist = nullptr;
    return E_NOTIMPL;
}

HRESULT KYTDocument::SetName(ITevString* name) {
    // Shared when it is one of this program's strings, copied otherwise (Attach decides).
    name_.Borrow(name);
    return S_OK;
}

HRESULT KYTDocument::GetName(ITevString** name) {
    if (name == nullptr)
        return E_POINTER;
    *name = name_.HandOut();
    return S_OK;
}

HRESULT KYTDocument::GetUserValue(LONG* value) {
    if (value == nullptr)
        return E_POINTER;
    *value = userValue_;
    return S_OK;
}

HRESULT KYTDocument::SetUserValue(LONG value) {
    userValue_ = value;
    return S_OK;
}
