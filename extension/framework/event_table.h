// EventTable: the static routing table of a framework class. Each row names a kind (command,
// command state, observer event, message), an identifier and the member function that handles
// it. Identifiers depend on family numbers that the host assigns at run time, so a row stores a
// function that computes its identifier; the first lookup computes every row's identifier, and
// later lookups compare plain numbers.
//
//   const EventTable& Doc::Events() {
//       static const EventTable table{
//           ObserverRow<Doc, &Doc::ApplyOrStop>(&ComputeMessageId<kDeviceEventFamily, 15>),
//           MessageRow<Doc, &Doc::OnConfigText>(&ComputeMessageId<kDocumentClassId, 2>),
//       };
//       return table;
//   }
#pragma once

#include <atomic>
#include <cstdint>
#include <initializer_list>
#include <type_traits>
#include <vector>

#include "host/api/commands.h"
#include "host/api/framework_ids.h"

class KYTEventHandlerBase;
struct ITevString;

enum class EventKind : LONG {
    CommandExecute = 2,
    CommandState = 3,
    ObserverEvent = 4,
    Message = 5,
};

// Calls a row's handler on `handler` (the object's event-handler base) with the row kind's
// values: nothing for a command; the ICommandState* for a command state; the event's
// parameter for an observer event; the message's string argument (ITevString*) for a message.
// Returns the handler's result as a number (true 1, false 0, nothing 0).
using EventHandlerCall = std::intptr_t (*)(KYTEventHandlerBase& handler, std::intptr_t value1,
                                           std::intptr_t value2);

struct EventRow {
    EventKind kind;
    MessageId (*computeId)();
    // Range rows match identifiers from id up to (not including) the end's; null otherwise.
    MessageId (*computeEnd)();
    MessageId mask;  // message rows compare the identifier under this mask
    EventHandlerCall call;
    MessageId id = 0;   // computed on first lookup
    MessageId end = 0;  // likewise, for range rows
};

class EventTable {
public:
    EventTable(std::initializer_list<EventRow> rows);
    EventTable(const EventTable&) = delete;
    EventTable& operator=(const EventTable&) = delete;

    // The first row of `kind` matching `id`, in table order; null when there is none.
    const EventRow* Find(EventKind kind, MessageId id) const;
    // The rows, with their identifiers computed.
    const std::vector<EventRow>& Rows() const;

private:
    void ComputeIdentifiers() const;

    mutable std::vector<EventRow> rows_;
    mutable std::atomic<bool> computed_{false};
};

namespace event_table_detail {

template <class Result>
std::intptr_t AsNumber(Result result) {
    if constexpr (std::is_same_v<Result, bool>) {
        return result ? 1 : 0;
    } else {
        return static_cast<std::intptr_t>(result);
    }
}

// Calls `Handler` on the Owner behind `base` with what the row kind provides.
template <class Owner, auto Handler, class Argument>
std::intptr_t Call(KYTEventHandlerBase& base, std::intptr_t value1, std::intptr_t /*value2*/) {
    Owner& owner = static_cast<Owner&>(base);
    constexpr bool kTakesArgument = std::is_invocable_v<decltype(Handler), Owner&, Argument>;
    using Result =
        std::conditional_t<kTakesArgument, std::invoke_result<decltype(Handler), Owner&, Argument>,
                           std::invoke_result<decltype(Handler), Owner&>>;
    using R = typename Result::type;
    auto invoke = [&] {
        if constexpr (kTakesArgument) {
            if constexpr (std::is_pointer_v<Argument>) {
                return (owner.*Handler)(reinterpret_cast<Argument>(value1));
            } else {
                return (owner.*Handler)(static_cast<Argument>(value1));
            }
        } else {
            return (owner.*Handler)();
        }
    };
    if constexpr (std::is_void_v<R>) {
        invoke();
        return 0;
    } else {
        return AsNumber(invoke());
    }
}

}  // namespace event_table_detail

// Kind 2: a command of the menu; the handler takes nothing.
template <class Owner, auto Handler>
EventRow CommandRow(MessageId (*id)()) {
    return {EventKind::CommandExecute, id, nullptr, 0xFFFFFFFF,
            &event_table_detail::Call<Owner, Handler, std::intptr_t>};
}

// Kind 2 for the identifiers from `id` up to (not including) `end`.
template <class Owner, auto Handler>
EventRow CommandRangeRow(MessageId (*id)(), MessageId (*end)()) {
    return {EventKind::CommandExecute, id, end, 0xFFFFFFFF,
            &event_table_detail::Call<Owner, Handler, std::intptr_t>};
}

// Kind 3: the state of a command; the handler takes the host's ICommandState*.
template <class Owner, auto Handler>
EventRow CommandStateRow(MessageId (*id)()) {
    return {EventKind::CommandState, id, nullptr, 0xFFFFFFFF,
            &event_table_detail::Call<Owner, Handler, ICommandState*>};
}

// Kind 4: an observer event; the handler takes nothing or the event's byte parameter.
template <class Owner, auto Handler>
EventRow ObserverRow(MessageId (*id)()) {
    return {EventKind::ObserverEvent, id, nullptr, 0xFFFFFFFF,
            &event_table_detail::Call<Owner, Handler, BYTE>};
}

// Kind 5: a message, matched under `mask`; the handler takes nothing or the message's string
// argument.
template <class Owner, auto Handler>
EventRow MessageRow(MessageId (*id)(), MessageId mask = 0xFFFFFFFF) {
    return {EventKind::Message, id, nullptr, mask,
            &event_table_detail::Call<Owner, Handler, ITevString*>};
}
