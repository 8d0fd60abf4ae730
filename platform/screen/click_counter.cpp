#include "platform/screen/click_counter.h"

#include <SDL.h>
#include <SDL_syswm.h>

#include <cstdlib>

namespace screen {

std::optional<ServerPress> ButtonPressIn(const SDL_SysWMmsg& message) {
#if defined(SDL_VIDEO_DRIVER_X11)
    if (message.subsystem != SDL_SYSWM_X11)
        return std::nullopt;
    const XEvent& event = message.msg.x11.event;
    if (event.type != ButtonPress || event.xbutton.button < Button1 ||
        event.xbutton.button > Button3)
        return std::nullopt;
    return ServerPress{static_cast<int>(event.xbutton.button),
                       static_cast<std::uint32_t>(event.xbutton.time), event.xbutton.x,
                       event.xbutton.y};
#else
    (void)message;
    return std::nullopt;
#endif
}

int ClickCounter::Press(const ServerPress& press) {
    // Unsigned subtraction measures the time across the server clock's wrap.
    const bool continues = last_ && last_->Button == press.Button &&
                           press.Time - last_->Time <= kDoubleClickMilliseconds &&
                           std::abs(press.X - last_->X) <= kDoubleClickRadius &&
                           std::abs(press.Y - last_->Y) <= kDoubleClickRadius;
    count_ = continues ? count_ + 1 : 1;
    last_ = press;
    return count_;
}

}  // namespace screen
