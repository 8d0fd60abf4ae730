#include "host/kyt/framework.h"

#include <algorithm>
#include <new>

#include "host/api/framework_ids.h"
#include "host/kyt/inner_objects.h"

namespace kyt {

namespace {

template <class Object>
HRESULT QueryNew(Object* created, const IID& iid, void** object) {
    if (created == nullptr)
        return E_OUTOFMEMORY;
    created->AddRef();
    const HRESULT hr = created->QueryInterface(iid, object);
    created->Release();
    return hr;
}

}  // namespace

Framework::Framework()
    : messageFactory_(new MessageFactory),
      menuCommandFactory_(new MenuCommandFactory),
      commandListFactory_(new CommandListFactory),
      hostState_(new HostStateService) {}

Framework::~Framework() {
    Forget(this);
}

HRESULT Framework::GetClassCount(LONG* count) {
    if (count == nullptr)
        return E_POINTER;
    std::lock_guard lock(mutex_);
    *count = static_cast<LONG>(classes_.size());
    return S_OK;
}

HRESULT Framework::GetClass(LONG index, ICustomDocClass** docClass) {
    if (docClass == nullptr)
        return E_POINTER;
    *docClass = nullptr;
    std::lock_guard lock(mutex_);
    if (index < 0 || static_cast<std::size_t>(index) >= classes_.size())
        return E_INVALIDARG;
    *docClass = classes_[static_cast<std::size_t>(index)].Get();
    (*docClass)->AddRef();
    return S_OK;
}

HRESULT Framework::CreateObject(DWORD id, const IID* iid, void** object) {
    if (object == nullptr)
        return E_POINTER;
    *object = nullptr;
    if (iid == nullptr)
        return E_INVALIDARG;
    switch (id) {
        case kCreateMessageFactory:
            return messageFactory_->QueryInterface(*iid, object);
        case kCreateMenuCommandFactory:
            return menuCommandFactory_->QueryInterface(*iid, object);
        case kCreateCommandListFactory:
            return commandListFactory_->QueryInterface(*iid, object);
        case kCreateInnerDocument:
            return QueryNew(new (std::nothrow) InnerDocument, *iid, object);
        case kCreateInnerClassObject:
            return QueryNew(new (std::nothrow) InnerClassObject, *iid, object);
        default:
            break;
    }
    if (id == HostStateServiceObjectId(FamilyOf(kSamplingEventFamily))) {
        return hostState_->QueryInterface(*iid, object);
    }
    return CLASS_E_CLASSNOTAVAILABLE;
}

HRESULT Framework::RegisterDocumentClass(ICustomDocClass* docClass) {
    if (docClass == nullptr)
        return E_POINTER;
    std::lock_guard lock(mutex_);
    classes_.emplace_back(docClass);
    return S_OK;
}

HRESULT Framework::GetFamily(const GUID* family, WORD* number) {
    if (family == nullptr || number == nullptr)
        return E_POINTER;
    *number = FamilyOf(*family);
    return *number != 0 ? S_OK : E_OUTOFMEMORY;
}

WORD Framework::FamilyOf(const GUID& family) {
    std::lock_guard lock(mutex_);
    const auto found = std::find(families_.begin(), families_.end(), family);
    if (found != families_.end())
        return static_cast<WORD>(found - families_.begin() + 1);
    if (families_.size() >= 0xFFFF)
        return 0;  // every number is taken
    families_.push_back(family);
    return static_cast<WORD>(families_.size());
}

HRESULT Framework::Dispatch(IMessage* message, IMessageHandler* target) {
    if (message == nullptr || target == nullptr)
        return E_POINTER;
    return target->HandleMessage(message);
}

HRESULT Framework::Subscribe(IObserver* observer, MessageId id, DWORD /*reserved*/) {
    if (observer == nullptr)
        return E_POINTER;
    std::lock_guard lock(mutex_);
    for (const Subscription& s : subscriptions_) {
        if (s.observer == observer && s.id == id)
            return S_FALSE;
    }
    subscriptions_.push_back({observer, id});
    return S_OK;
}

HRESULT Framework::Unsubscribe(IObserver* observer, MessageId id) {
    std::lock_guard lock(mutex_);
    const auto before = subscriptions_.size();
    std::erase_if(subscriptions_,
                  [&](const Subscription& s) { return s.observer == observer && s.id == id; });
    return subscriptions_.size() != before ? S_OK : S_FALSE;
}

bool Framework::IsSubscribed(IObserver* observer, MessageId id) {
    std::lock_guard lock(mutex_);
    return std::any_of(subscriptions_.begin(), subscriptions_.end(),
                       [&](const Subscription& s) { return s.observer == observer && s.id == id; });
}

HRESULT Framework::Signal(IUnknown* source, MessageId id, std::intptr_t value,
                          std::intptr_t parameter) {
    std::vector<IObserver*> observers;
    {
        std::lock_guard lock(mutex_);
        for (const Subscription& s : subscriptions_) {
            if (s.id == id)
                observers.push_back(s.observer);
        }
    }
    // An observer may unregister others (or itself) while it is notified: each is checked
    // again just before its turn.
    for (IObserver* observer : observers) {
        if (IsSubscribed(observer, id))
            observer->Notify(source, id, value, parameter);
    }
    return S_OK;
}

HRESULT Framework::Unregister(IObserver* observer) {
    std::lock_guard lock(mutex_);
    std::erase_if(subscriptions_, [&](const Subscription& s) { return s.observer == observer; });
    return S_OK;
}

HRESULT Framework::SetCommandsBlocked(VARIANT_BOOL blocked) {
    hostState_->SetCommandsBlocked(blocked);
    return S_OK;
}

HRESULT Framework::Shutdown() {
    std::vector<ComPtr<ICustomDocClass>> classes;
    {
        std::lock_guard lock(mutex_);
        classes.swap(classes_);
        subscriptions_.clear();
    }
    return S_OK;  // the classes are released here, outside the lock
}

}  // namespace kyt
