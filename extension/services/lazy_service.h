// One lazily obtained service pointer and the critical section that guards its first use.
// The pointer is tested before and after entering the section; the section is created with the
// object and deleted at process exit.
#pragma once

#include <atomic>

#include "platform/sync/critical_section.h"
#include "platform/win_types.h"

template <class Interface>
class LazyService {
public:
    // `obtain` returns the service with one reference, or null.
    using Obtain = Interface* (*)();

    explicit LazyService(Obtain obtain) : obtain_(obtain) {
        InitializeCriticalSectionAndSpinCount(&section_, 4000);
    }
    ~LazyService() { DeleteCriticalSection(&section_); }
    LazyService(const LazyService&) = delete;
    LazyService& operator=(const LazyService&) = delete;

    Interface* Get() {
        if (Interface* service = pointer_.load(std::memory_order_acquire))
            return service;
        CriticalSectionLock lock(&section_);
        Interface* service = pointer_.load(std::memory_order_relaxed);
        if (service == nullptr) {
            service = obtain_();
            // Held without a reference for the life of the process: the framework keeps it.
            if (service != nullptr)
                service->Release();
            pointer_.store(service, std::memory_order_release);
        }
        return service;
    }

private:
    Obtain obtain_;
    std::atomic<Interface*> pointer_{nullptr};
    CRITICAL_SECTION section_;
};
