#include "host/files/temporaries.h"

#include <limits.h>
#include <signal.h>
#include <unistd.h>

#include <atomic>
#include <cstring>
#include <mutex>

namespace files {

namespace {

// A fixed list that a signal handler may read: no allocation, no lock. A slot is free, being
// filled, or holds a path to remove.
enum SlotState : int { kFree, kFilling, kArmed };

struct Slot {
    std::atomic<int> State{kFree};
    char Path[PATH_MAX];
};

constexpr int kSlots = 64;
Slot g_slots[kSlots];

constexpr int kRemovingSignals[] = {SIGHUP, SIGINT, SIGTERM, SIGPIPE};

void RemoveAndEnd(int signal) {
    for (Slot& slot : g_slots) {
        if (slot.State.load() == kArmed)
            ::unlink(slot.Path);
    }
    // The handler was reset to the default when it ran: the signal ends the process once this
    // handler returns, with the status a shell expects of it.
    ::raise(signal);
}

void Install() {
    for (const int signal : kRemovingSignals) {
        struct sigaction old {};
        if (::sigaction(signal, nullptr, &old) != 0 || old.sa_handler != SIG_DFL)
            continue;
        struct sigaction removing {};
        removing.sa_handler = &RemoveAndEnd;
        removing.sa_flags = SA_RESETHAND;
        sigemptyset(&removing.sa_mask);
        for (const int other : kRemovingSignals)
            sigaddset(&removing.sa_mask, other);
        ::sigaction(signal, &removing, nullptr);
    }
    struct sigaction old {};
    if (::sigaction(SIGXFSZ, nullptr, &old) == 0 && old.sa_handler == SIG_DFL)
        ::signal(SIGXFSZ, SIG_IGN);
}

}  // namespace

void RemoveTemporariesOnSignals() {
    static std::once_flag installed;
    std::call_once(installed, &Install);
}

TemporaryRegistration::TemporaryRegistration(const std::string& path) : slot_(-1) {
    if (path.size() >= PATH_MAX)
        return;
    for (int i = 0; i < kSlots; ++i) {
        int free = kFree;
        if (g_slots[i].State.compare_exchange_strong(free, kFilling)) {
            std::memcpy(g_slots[i].Path, path.c_str(), path.size() + 1);
            g_slots[i].State.store(kArmed);
            slot_ = i;
            return;
        }
    }
}

TemporaryRegistration::~TemporaryRegistration() {
    if (slot_ >= 0)
        g_slots[slot_].State.store(kFree);
}

}  // namespace files
