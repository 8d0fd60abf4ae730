#include "platform/screen/settle_request.h"

#include <SDL.h>
#include <SDL_syswm.h>

namespace screen {

std::optional<long> SettleRequestIn(const SDL_SysWMmsg& message) {
#if defined(SDL_VIDEO_DRIVER_X11)
    if (message.subsystem != SDL_SYSWM_X11)
        return std::nullopt;
    const XEvent& event = message.msg.x11.event;
    if (event.type != ClientMessage || event.xclient.format != 32)
        return std::nullopt;
    // The type exists on the server once a test has sent a request; until then no message is
    // one, and the name is looked up again with the next.
    static Atom type = None;
    if (type == None)
        type = XInternAtom(event.xclient.display, kSettleRequestType, True);
    if (type == None || event.xclient.message_type != type)
        return std::nullopt;
    return event.xclient.data.l[0];
#else
    (void)message;
    return std::nullopt;
#endif
}

}  // namespace screen
