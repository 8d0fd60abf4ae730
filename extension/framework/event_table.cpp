#include "extension/framework/event_table.h"

EventTable::EventTable(std::initializer_list<EventRow> rows) : rows_(rows) {}

void EventTable::ComputeIdentifiers() const {
    // Computed on the user-interface thread at first use; the flag publishes the numbers.
    if (computed_.load(std::memory_order_acquire))
        return;
    for (EventRow& row : rows_) {
        row.id = row.computeId();
        row.end = row.computeEnd != nullptr ? row.computeEnd() : 0;
    }
    computed_.store(true, std::memory_order_release);
}

const std::vector<EventRow>& EventTable::Rows() const {
    ComputeIdentifiers();
    return rows_;
}

const EventRow* EventTable::Find(EventKind kind, MessageId id) const {
    for (const EventRow& row : Rows()) {
        if (row.kind != kind)
            continue;
        const bool matches = kind == EventKind::Message  ? (row.id & row.mask) == (id & row.mask)
                             : row.computeEnd != nullptr ? id >= row.id && id < row.end
                                                         : id == row.id;
        if (matches)
            return &row;
    }
    return nullptr;
}
