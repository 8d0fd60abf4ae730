// The virtual clock, timers, posted messages and the message pump.
#include <algorithm>
#include <deque>
#include <vector>

#include "platform/ui/headless.h"
#include "platform/ui/internal.h"
#include "platform/ui/user.h"
#include "platform/ui/window_table.h"

namespace {

struct Timer {
    HWND window = nullptr;
    UINT_PTR id = 0;
    UINT interval = 0;
    std::uint64_t due = 0;
    TIMERPROC procedure = nullptr;
    std::uint64_t serial = 0;  // tells a re-armed timer from the one being delivered
};

struct PostedMessage {
    HWND window;
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
};

std::uint64_t g_now = 0;
std::uint64_t g_serial = 0;
UINT_PTR g_nextThreadTimer = 0x7FFF;
std::vector<Timer>& Timers() {
    static std::vector<Timer> timers;
    return timers;
}
std::deque<PostedMessage>& Queue() {
    static std::deque<PostedMessage> queue;
    return queue;
}

constexpr UINT kMinimumInterval = 10;  // USER_TIMER_MINIMUM

std::vector<Timer>::iterator FindTimer(HWND window, UINT_PTR id) {
    return std::find_if(Timers().begin(), Timers().end(),
                        [&](const Timer& t) { return t.window == window && t.id == id; });
}

void DeliverPosted() {
    // Messages posted while delivering are delivered in the same pump.
    while (!Queue().empty()) {
        const PostedMessage posted = Queue().front();
        Queue().pop_front();
        if (posted.window == nullptr || IsWindow(posted.window)) {
            SendMessageW(posted.window, posted.message, posted.wParam, posted.lParam);
        }
    }
}

}  // namespace

UINT_PTR SetTimer(HWND window, UINT_PTR id, UINT milliseconds, TIMERPROC procedure) {
    if (window != nullptr && !IsWindow(window))
        return 0;
    if (window == nullptr)
        id = ++g_nextThreadTimer;
    const UINT interval = std::max(milliseconds, kMinimumInterval);
    const auto found = FindTimer(window, id);
    Timer timer{window, id, interval, g_now + interval, procedure, ++g_serial};
    if (found != Timers().end()) {
        *found = timer;
    } else {
        Timers().push_back(timer);
    }
    return window == nullptr ? id : (id == 0 ? 1 : id);
}

BOOL KillTimer(HWND window, UINT_PTR id) {
    const auto found = FindTimer(window, id);
    if (found == Timers().end())
        return FALSE;
    Timers().erase(found);
    return TRUE;
}

DWORD GetTickCount() {
    return static_cast<DWORD>(g_now);
}

namespace ui {

void KillTimersOf(HWND window) {
    auto& timers = Timers();
    timers.erase(std::remove_if(timers.begin(), timers.end(),
                                [&](const Timer& t) { return t.window == window; }),
                 timers.end());
}

void Post(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    Queue().push_back(PostedMessage{window, message, wParam, lParam});
}

}  // namespace ui

namespace ui {

DWORD Now() {
    return static_cast<DWORD>(g_now);
}

void AdvanceClock(DWORD milliseconds) {
    const std::uint64_t target = g_now + milliseconds;
    PumpMessages();
    for (;;) {
        auto& timers = Timers();
        const auto next =
            std::min_element(timers.begin(), timers.end(), [](const Timer& a, const Timer& b) {
                return a.due < b.due || (a.due == b.due && a.serial < b.serial);
            });
        if (next == timers.end() || next->due > target)
            break;
        g_now = next->due;
        next->due += next->interval;
        const Timer tick = *next;
        if (tick.procedure != nullptr) {
            tick.procedure(tick.window, WM_TIMER, tick.id, static_cast<DWORD>(g_now));
        } else {
            SendMessageW(tick.window, WM_TIMER, tick.id, reinterpret_cast<LPARAM>(tick.procedure));
        }
        PumpMessages();
    }
    g_now = target;
}

namespace {

PumpObserver& ThePumpObserver() {
    static PumpObserver observer;
    return observer;
}

}  // namespace

void PumpMessages() {
    DeliverPosted();
    ui::PaintPending();
    DeliverPosted();
    if (PumpObserver& observer = ThePumpObserver())
        observer();
}

PumpObserver SetPumpObserver(PumpObserver observer) {
    std::swap(ThePumpObserver(), observer);
    return observer;
}

std::size_t ActiveTimerCount(HWND window) {
    return static_cast<std::size_t>(std::count_if(
        Timers().begin(), Timers().end(), [&](const Timer& t) { return t.window == window; }));
}

std::size_t TimerCount() {
    return Timers().size();
}

bool HasTimer(HWND window, UINT_PTR id) {
    return FindTimer(window, id) != Timers().end();
}

}  // namespace ui
