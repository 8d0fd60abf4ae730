// A part of an aggregated inner object: an interface whose IUnknown operations go to the
// controlling outer object, as COM aggregation requires. The owner keeps the current outer
// object in one place; until an outer object is set it is the owner's own IUnknown.
#pragma once

#include "platform/com/unknown.h"

template <class Interface>
class AggregatedPart : public Interface {
public:
    explicit AggregatedPart(IUnknown* const* outer) : outer_(outer) {}
    AggregatedPart(const AggregatedPart&) = delete;
    AggregatedPart& operator=(const AggregatedPart&) = delete;

    HRESULT QueryInterface(REFIID iid, void** object) override {
        return (*outer_)->QueryInterface(iid, object);
    }
    ULONG AddRef() override { return (*outer_)->AddRef(); }
    ULONG Release() override { return (*outer_)->Release(); }

private:
    IUnknown* const* outer_;
};
