#include "host/kyt/inner_objects.h"

namespace kyt {

HRESULT InnerDocument::Initialise(ICustomDocClass* docClass, IUnknown* hostDocument,
                                  IUnknown* outer, LONG /*reserved*/) {
    docClass_ = docClass;
    hostDocument_ = hostDocument;
    SetOuter(outer);
    return S_OK;
}

IUnknown* InnerDocument::FindPart(REFIID iid) {
    if (iid == IHostStorage::kIid)
        return &storage_;
    if (iid == IObserver::kIid)
        return &observer_;
    if (iid == IMessageHandler::kIid || iid == ISimpleMessageHandler::kIid) {
        return &messageHandler_;
    }
    return nullptr;
}

HRESULT InnerClassObject::Initialise(IInnerClassObject** self, IUnknown* outer, LONG /*reserved*/) {
    // `self` is where the outer class keeps this object; it must already hold it.
    if (self != nullptr && *self != this)
        return E_INVALIDARG;
    SetOuter(outer);
    return S_OK;
}

IUnknown* InnerClassObject::FindPart(REFIID iid) {
    if (iid == IClassCommands::kIid)
        return &classCommands_;
    if (iid == IKYTCommandHandler::kIid)
        return &commandHandler_;
    if (iid == IObserver::kIid)
        return &observer_;
    if (iid == IMessageHandler::kIid || iid == ISimpleMessageHandler::kIid) {
        return &messageHandler_;
    }
    return nullptr;
}

}  // namespace kyt
