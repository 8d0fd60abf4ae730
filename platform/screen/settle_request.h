// A test's request that the program showing the real windows settle, sent through the X
// server as a client message to one of its windows, with a serial number (from 1 up). The X
// server keeps the order of what it delivers to a program, so the request arrives behind every
// input event the server made before it (the clicks and keys of xdotool): once the program has
// handled the request, it has handled that input too. The window report answers it
// (window_report.h).
#pragma once

#include <optional>

struct SDL_SysWMmsg;

namespace screen {

// The type of the client message, an X atom's name; its first long is the serial number.
inline constexpr char kSettleRequestType[] = "_TARVEL_SETTLE";

// The serial number of a settle request, or nothing for any other message of the system.
std::optional<long> SettleRequestIn(const SDL_SysWMmsg& message);

}  // namespace screen
