#include "platform/screen/screen_user.h"

#include <SDL.h>

#include <algorithm>
#include <cstdlib>
#include <exception>
#include <optional>
#include <utility>

#include "platform/screen/click_counter.h"
#include "platform/screen/key_translation.h"
#include "platform/screen/screen_window.h"
#include "platform/screen/settle_request.h"
#include "platform/screen/window_report.h"
#include "platform/text/utf.h"
#include "platform/ui/headless.h"
#include "platform/ui/user.h"

namespace screen {
namespace {

// How long the screen waits for the person before it lets the clock run and looks for
// changes again: short enough that a tooltip's timer is on time to the eye.
constexpr Uint32 kWaitMilliseconds = 15;
// How often it looks for the person's input meanwhile.
constexpr Uint32 kPollMilliseconds = 2;

// Somewhere no window of the toolkit is: where the mouse goes when it leaves a real window.
constexpr POINT kNowhere{-32000, -32000};

// Lets the toolkit's clock follow the real one from the moment it is made.
class RealClock {
public:
    RealClock() : last_(SDL_GetTicks64()) {}
    void Catch() {
        const Uint64 now = SDL_GetTicks64();
        if (now > last_)
            ui::AdvanceClock(static_cast<DWORD>(now - last_));
        last_ = now;
    }

private:
    Uint64 last_;
};

ui::MouseButton ButtonOf(Uint8 button) {
    switch (button) {
        case SDL_BUTTON_RIGHT:
            return ui::MouseButton::Right;
        case SDL_BUTTON_MIDDLE:
            return ui::MouseButton::Middle;
        default:
            return ui::MouseButton::Left;
    }
}

// The next event, or false after `timeout` milliseconds without one. It polls rather than
// letting SDL wait: SDL 2.26 wakes a waiting loop by sending an event to the window over a
// second X connection, and when the window is destroyed meanwhile the X library's error
// handler ends the whole process.
bool NextEvent(SDL_Event& event, Uint32 timeout) {
    const Uint64 until = SDL_GetTicks64() + timeout;
    for (;;) {
        if (SDL_PollEvent(&event) != 0)
            return true;
        if (SDL_GetTicks64() >= until)
            return false;
        SDL_Delay(kPollMilliseconds);
    }
}

bool DialogEnded(HWND dialog) {
    return !IsWindow(dialog) || ui::IsDialogEnded(dialog);
}

}  // namespace

bool OpenDisplay(std::string& why) {
    if (SDL_WasInit(SDL_INIT_VIDEO) != 0)
        return true;
    const auto named = [](const char* variable) {
        const char* value = std::getenv(variable);
        return value != nullptr && *value != '\0';
    };
    const bool x11 = named("DISPLAY");
    if (!x11 && !named("WAYLAND_DISPLAY")) {
        why = "no display (DISPLAY is not set)";
        return false;
    }
    const std::string display =
        x11 ? "DISPLAY=" + std::string(std::getenv("DISPLAY"))
            : "WAYLAND_DISPLAY=" + std::string(std::getenv("WAYLAND_DISPLAY"));
    // The display named, and no other: when it cannot be reached SDL would otherwise fall back
    // to drawing off-screen, where nobody sees the dialog and nobody ever closes it.
    if (!named("SDL_VIDEODRIVER"))
        SDL_SetHint(SDL_HINT_VIDEODRIVER, x11 ? "x11" : "wayland");
    // Ctrl+C in the terminal ends the program as usual.
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    // The window shows the toolkit's pixels one for one, straight from memory: no graphics
    // driver to start (a software one takes a quarter of a second) for a picture this small.
    SDL_SetHint(SDL_HINT_VIDEO_X11_NET_WM_BYPASS_COMPOSITOR, "0");
    SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
        why = display + " cannot be reached (" + SDL_GetError() + ")";
        return false;
    }
    const std::string driver = SDL_GetCurrentVideoDriver();
    if (driver != "x11" && driver != "wayland") {
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
        why = "the video driver \"" + driver + "\" shows nothing on a display";
        return false;
    }
    std::atexit([] { SDL_Quit(); });
    return true;
}

std::unique_ptr<ScreenUser> ScreenUser::IfDisplay(std::string& why) {
    if (!OpenDisplay(why))
        return nullptr;
    return std::unique_ptr<ScreenUser>(new ScreenUser());
}

ScreenUser::ScreenUser() : report_(WindowReport::FromEnvironment()) {
    // The system's messages bring the server's time of each press (to count clicks by) and a
    // test's settle requests.
    SDL_EventState(SDL_SYSWMEVENT, SDL_ENABLE);
}

ScreenUser::~ScreenUser() = default;

void ScreenUser::RunModal(HWND dialog) {
    ui::PumpMessages();
    ScreenIsWindow screen(dialog);
    std::optional<ScreenWindow> shownWindow;
    try {
        shownWindow.emplace(dialog);
    } catch (const std::exception& error) {
        // Nobody can act on a dialog that cannot be shown: it ends with Cancel.
        problem_ = error.what();
        return;
    }
    ScreenWindow& window = *shownWindow;
    ++windowsShown_;
    open_.push_back(&window);
    // The window is open while this runs, whichever way it ends (an exception included); the
    // window below it (the dialog under a message box) then has the keyboard again.
    struct Opened {
        std::vector<ScreenWindow*>& open;
        ~Opened() {
            open.pop_back();
            if (open.empty())
                SDL_StopTextInput();
            else
                open.back()->TakeInputFocus();
        }
    } opened{open_};
    SDL_StartTextInput();
    RealClock clock;
    if (report_)
        report_->Write(open_, true);
    while (!DialogEnded(dialog)) {
        SDL_Event event;
        if (NextEvent(event, kWaitMilliseconds)) {
            do {
                Handle(event, window);
            } while (!DialogEnded(dialog) && SDL_PollEvent(&event) != 0);
        }
        if (DialogEnded(dialog))
            break;
        clock.Catch();
        ui::PumpMessages();
        // The windows below a message box stay up to date too (a button let go, say).
        bool shown = false;
        for (ScreenWindow* open : open_)
            shown = open->Present() || shown;
        screen.Follow();
        if (report_)
            report_->AfterPass(open_, shown);
    }
}

int ScreenUser::ShowMessageBox(const ui::MessageBoxRequest& request) {
    return ui::RunMessageBoxDialog(request);
}

void ScreenUser::Handle(const SDL_Event& event, ScreenWindow& current) {
    const auto inCurrent = [&](Uint32 windowId) { return windowId == current.Id(); };
    switch (event.type) {
        case SDL_WINDOWEVENT: {
            if (event.window.event == SDL_WINDOWEVENT_EXPOSED) {
                // The screen lost a frame: any open window shows its own again.
                for (ScreenWindow* window : open_) {
                    if (window->Id() == event.window.windowID)
                        window->Present(true);
                }
            } else if (inCurrent(event.window.windowID)) {
                if (event.window.event == SDL_WINDOWEVENT_CLOSE) {
                    PostMessageW(current.Top(), WM_CLOSE, 0, 0);
                    ui::PumpMessages();
                } else if (event.window.event == SDL_WINDOWEVENT_LEAVE) {
                    ui::MouseMove(kNowhere);
                }
            }
            return;
        }
        case SDL_QUIT:
            PostMessageW(current.Top(), WM_CLOSE, 0, 0);
            ui::PumpMessages();
            return;
        case SDL_SYSWMEVENT:
            if (const auto press = ButtonPressIn(*event.syswm.msg))
                serverPress_ = press;  // the button event made of it follows
            else if (const auto serial = SettleRequestIn(*event.syswm.msg); serial && report_)
                report_->NoteSettleRequest(*serial);
            return;
        default:
            break;
    }
    if (report_)
        report_->NoteInput();
    switch (event.type) {
        case SDL_MOUSEMOTION:
            if (inCurrent(event.motion.windowID))
                ui::MouseMove(current.ToScreen(event.motion.x, event.motion.y));
            break;
        case SDL_MOUSEBUTTONDOWN: {
            // Clicks are counted by the server's times where the system told them.
            const std::optional<ServerPress> press = std::exchange(serverPress_, std::nullopt);
            if (inCurrent(event.button.windowID)) {
                ui::MouseMove(current.ToScreen(event.button.x, event.button.y));
                const int clicks = press && press->Button == event.button.button
                                       ? clicks_.Press(*press)
                                       : event.button.clicks;
                ui::MouseDown(ButtonOf(event.button.button), clicks % 2 == 0);
            }
            break;
        }
        case SDL_MOUSEWHEEL:
            if (inCurrent(event.wheel.windowID) && event.wheel.y != 0) {
                const int notches = event.wheel.direction == SDL_MOUSEWHEEL_FLIPPED ? -event.wheel.y
                                                                                    : event.wheel.y;
                ui::MouseWheel(notches * WHEEL_DELTA);
            }
            break;
        case SDL_MOUSEBUTTONUP:
            if (inCurrent(event.button.windowID)) {
                ui::MouseMove(current.ToScreen(event.button.x, event.button.y));
                ui::MouseUp(ButtonOf(event.button.button));
            }
            break;
        case SDL_KEYDOWN: {
            if (!inCurrent(event.key.windowID))
                break;
            const UINT key = VirtualKeyOf(event.key.keysym.sym);
            if ((event.key.keysym.mod & KMOD_ALT) != 0) {
                if (key >= 'A' && key <= 'Z')
                    ui::PressAltKey(static_cast<char16_t>(key));
                else if (key == VK_UP || key == VK_DOWN)
                    ui::PressSystemKey(key);
                break;
            }
            if (key == 0)
                break;
            if (IsDialogKey(key)) {
                ui::PressKey(key);
                break;
            }
            ui::KeyDown(key);
            if (const char16_t typed = ControlCharacterOf(key); typed != 0)
                ui::Character(typed);
            break;
        }
        case SDL_KEYUP: {
            const UINT key = VirtualKeyOf(event.key.keysym.sym);
            if (inCurrent(event.key.windowID) && key != 0 && !IsDialogKey(key) &&
                (event.key.keysym.mod & KMOD_ALT) == 0) {
                ui::KeyUp(key);
            }
            break;
        }
        case SDL_TEXTINPUT:
            if (inCurrent(event.text.windowID)) {
                for (char16_t typed : text::ToUtf16(event.text.text))
                    ui::Character(typed);
            }
            break;
        default:
            break;
    }
}

WatchedScript::WatchedScript(ui::Driver& script, unsigned pauseMilliseconds)
    : script_(script), previous_(ui::InstallDriver(this)), pause_(pauseMilliseconds) {}

WatchedScript::~WatchedScript() {
    ui::InstallDriver(previous_);
}

void WatchedScript::RunModal(HWND dialog) {
    ui::PumpMessages();
    ScreenIsWindow screen(dialog);
    ScreenWindow window(dialog);
    bool presenting = false;
    const auto show = [&] {
        if (presenting || !window.Present())
            return;
        presenting = true;
        // The step stays on the screen for a moment; the window keeps answering meanwhile.
        const Uint64 until = SDL_GetTicks64() + pause_;
        for (Uint64 now = SDL_GetTicks64(); now < until; now = SDL_GetTicks64()) {
            SDL_Event event;
            if (NextEvent(event, static_cast<Uint32>(until - now)) &&
                event.type == SDL_WINDOWEVENT && event.window.event == SDL_WINDOWEVENT_EXPOSED) {
                window.Present(true);
            }
        }
        presenting = false;
    };
    ui::PumpObserver previous = ui::SetPumpObserver(show);
    try {
        script_.RunModal(dialog);
    } catch (...) {
        ui::SetPumpObserver(std::move(previous));
        throw;
    }
    ui::SetPumpObserver(std::move(previous));
}

int WatchedScript::ShowMessageBox(const ui::MessageBoxRequest& request) {
    return script_.ShowMessageBox(request);
}

}  // namespace screen
