// Observer events: an observer subscribes to event identifiers with the host's observer
// registry and is notified when the host signals them.
#pragma once

#include <cstdint>

#include "host/api/framework_ids.h"
#include "platform/com/unknown.h"

struct IObserverRegistry;

struct IObserver : IUnknown {
    static constexpr IID kIid = MakeGuid("{F7D6C0D2-331F-11D1-8CEC-00C0D1570D74}");

    // The host hands over its observer service; the observer subscribes to its events there.
    virtual HRESULT Connect(IObserverRegistry* service) = 0;
    // Event `id` from `source`; `value` and `parameter` are the event's two values.
    virtual HRESULT Notify(IUnknown* source, MessageId id, std::intptr_t value,
                           std::intptr_t parameter) = 0;

protected:
    ~IObserver() = default;
};

struct IObserverRegistry : IUnknown {
    static constexpr IID kIid = MakeGuid("{2B389B80-64B6-11D3-80B1-005004AD3C53}");

    virtual HRESULT Unused3() { return E_NOTIMPL; }
    virtual HRESULT Unused4() { return E_NOTIMPL; }
    virtual HRESULT Unused5() { return E_NOTIMPL; }
    // Delivers event `id` to `observer` from now on; the observer is not counted (it unregisters
    // itself before it goes). `reserved` is 0.
    virtual HRESULT Subscribe(IObserver* observer, MessageId id, DWORD reserved) = 0;
    // Stops delivering event `id` to `observer`; S_FALSE when it was not subscribed.
    virtual HRESULT Unsubscribe(IObserver* observer, MessageId id) = 0;
    // Signals event `id`: every observer subscribed to it is notified, in order of subscription.
    virtual HRESULT Signal(IUnknown* source, MessageId id, std::intptr_t value,
                           std::intptr_t parameter) = 0;
    virtual HRESULT Unused9() { return E_NOTIMPL; }
    // Removes every subscription of `observer`.
    virtual HRESULT Unregister(IObserver* observer) = 0;

protected:
    ~IObserverRegistry() = default;
};
