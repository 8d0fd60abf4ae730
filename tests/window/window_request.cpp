// Asks a window something as another X client, for the real-window tests:
//   window_request WINDOW_ID close          as a window manager does when its close box is
//                                           clicked (the ICCCM's WM_DELETE_WINDOW); the tests
//                                           run without a window manager to draw one
//   window_request WINDOW_ID settle SERIAL  the program behind the window answers in its window
//                                           report once it has handled every input sent before
//                                           (platform/screen/settle_request.h)
#include <X11/Xlib.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "platform/screen/settle_request.h"

namespace {

int Usage() {
    std::fprintf(stderr, "usage: window_request WINDOW_ID close | settle SERIAL\n");
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    const bool close = argc == 3 && std::strcmp(argv[2], "close") == 0;
    const bool settle = argc == 4 && std::strcmp(argv[2], "settle") == 0;
    if (!close && !settle)
        return Usage();
    Display* display = XOpenDisplay(nullptr);
    if (display == nullptr) {
        std::fprintf(stderr, "window_request: no display\n");
        return 2;
    }
    const Window window = std::strtoul(argv[1], nullptr, 0);
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.format = 32;
    if (close) {
        event.xclient.message_type = XInternAtom(display, "WM_PROTOCOLS", False);
        event.xclient.data.l[0] =
            static_cast<long>(XInternAtom(display, "WM_DELETE_WINDOW", False));
        event.xclient.data.l[1] = CurrentTime;
    } else {
        event.xclient.message_type = XInternAtom(display, screen::kSettleRequestType, False);
        event.xclient.data.l[0] = std::strtol(argv[3], nullptr, 10);
    }
    const Status sent = XSendEvent(display, window, False, NoEventMask, &event);
    // Closing the connection waits until the server has handled the request.
    XCloseDisplay(display);
    return sent != 0 ? 0 : 1;
}
