// The behaviour the framework's inner document and class objects give their outer objects:
// they observe nothing, handle no message and run no command, so that everything the outer
// object does not handle itself ends quietly.
#pragma once

#include "host/api/commands.h"
#include "host/api/host_storage.h"
#include "host/api/message_handler.h"
#include "host/api/observer.h"
#include "host/kyt/aggregated_part.h"

namespace kyt {

class InnerObserver final : public AggregatedPart<IObserver> {
public:
    using AggregatedPart::AggregatedPart;
    HRESULT Connect(IObserverRegistry*) override { return S_OK; }
    HRESULT Notify(IUnknown*, MessageId, std::intptr_t, std::intptr_t) override { return S_OK; }
};

class InnerMessageHandler final : public AggregatedPart<IMessageHandler> {
public:
    using AggregatedPart::AggregatedPart;
    HRESULT HandleMessage(IMessage*) override { return kMessageNotHandled; }
    HRESULT AddChild(IMessageHandler*) override { return E_NOTIMPL; }
    HRESULT RemoveChild(IMessageHandler*) override { return E_NOTIMPL; }
    HRESULT SetParent(IMessageHandler*) override { return E_NOTIMPL; }
    HRESULT GetParent(IMessageHandler** target) override {
        if (target != nullptr)
            *target = nullptr;
        return E_NOTIMPL;
    }
    HRESULT AcceptsMessage(IMessage*) override { return S_OK; }
};

class InnerCommandHandler final : public AggregatedPart<IKYTCommandHandler> {
public:
    using AggregatedPart::AggregatedPart;
    HRESULT ExecuteCommand(MessageId) override { return kCommandNotHandled; }
    HRESULT UpdateCommand(MessageId, ICommandState*) override { return kCommandNotHandled; }
    HRESULT HandleCommand(MessageId, LONG, std::intptr_t, std::intptr_t) override {
        return kCommandNotHandled;
    }
};

// An interface without operations of its own: only its identity counts.
template <class Interface>
class IdentityPart final : public AggregatedPart<Interface> {
public:
    using AggregatedPart<Interface>::AggregatedPart;
};

}  // namespace kyt
