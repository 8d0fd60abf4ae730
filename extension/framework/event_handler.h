// The framework's event routing: KYTEventHandlerBase runs the rows of a class's EventTable for
// commands, observer events and messages; KYTEventHandlerT<N> is the class's command-handler
// interface (IKYTCommandHandler) over it.
#pragma once

#include <cstdint>

#include "extension/framework/event_table.h"
#include "host/api/commands.h"
#include "host/api/message.h"
#include "host/api/observer.h"

class KYTEventHandlerBase {
public:
    explicit KYTEventHandlerBase(const EventTable& table);
    // Removes the observer's registration when it has connected.
    virtual ~KYTEventHandlerBase();
    KYTEventHandlerBase(const KYTEventHandlerBase&) = delete;
    KYTEventHandlerBase& operator=(const KYTEventHandlerBase&) = delete;

    // Runs the first row of `kind` matching `id` with the two values: kCommandHandled, or
    // kCommandNotHandled when there is none.
    HRESULT RunCommand(MessageId id, EventKind kind, std::intptr_t value1, std::intptr_t value2);
    // Execute: the first command row.
    HRESULT ExecuteFromTable(MessageId id);
    // Update: the first command-state row; without one, a command row enables the item.
    HRESULT UpdateFromTable(MessageId id, ICommandState* state);

    // Connect: the service goes to the inner object's observer first; then `self` subscribes
    // to the identifier of every observer-event row, in table order.
    HRESULT ConnectObserver(IObserver* self, IObserver* inner, IObserverRegistry* service);
    // Notify: the inner object's observer hears the event first; then the first observer-event
    // row with that identifier runs with the event's parameter.
    HRESULT NotifyObserver(IObserver* inner, IUnknown* source, MessageId id, std::intptr_t value,
                           std::intptr_t parameter);

    // The own table's part of handling a message: the first message row matching the
    // message's identifier runs, with the message's flags kept in the state word meanwhile.
    // The message counts as handled when the row's handler returns 0.
    bool HandleFromTable(IMessage* message);

    // The flags of the message being handled (0 outside a message).
    DWORD StateWord() const { return stateWord_; }

private:
    const EventTable& table_;
    DWORD stateWord_ = 0;
    IObserver* connected_ = nullptr;  // the observer that subscribed, for its unregistration
};

template <int Id>
class KYTEventHandlerT : public IKYTCommandHandler {
public:
    HRESULT ExecuteCommand(MessageId id) override { return EventHandlers().ExecuteFromTable(id); }
    HRESULT UpdateCommand(MessageId id, ICommandState* state) override {
        return EventHandlers().UpdateFromTable(id, state);
    }
    HRESULT HandleCommand(MessageId id, LONG kind, std::intptr_t value1,
                          std::intptr_t value2) override {
        return EventHandlers().RunCommand(id, static_cast<EventKind>(kind), value1, value2);
    }

protected:
    KYTEventHandlerT() = default;
    ~KYTEventHandlerT() = default;

    // The object's event-handler base.
    virtual KYTEventHandlerBase& EventHandlers() = 0;
};
