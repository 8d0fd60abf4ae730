// Counts a person's clicks the way a desktop does: a press of the same button close to the last
// press, within the double-click time after it, is the next click of a series (2: the second
// press of a double click). The times are the X server's, stamped when the presses happened,
// not when this program came to read them: a program slow to read its input (a long redraw, a
// busy machine) still sees a quick double click as one, and two slow clicks as two.
#pragma once

#include <cstdint>
#include <optional>

struct SDL_SysWMmsg;

namespace screen {

// A mouse button pressed, as the X server reported it.
struct ServerPress {
    int Button = 0;          // 1 left, 2 middle, 3 right, as the screen numbers them
    std::uint32_t Time = 0;  // the server's milliseconds, which wrap after 49 days
    int X = 0, Y = 0;        // in the window
};

// The press of button 1, 2 or 3 a system message holds, or nothing (the wheel's notches are
// presses of buttons 4 to 7 and are no clicks).
std::optional<ServerPress> ButtonPressIn(const SDL_SysWMmsg& message);

class ClickCounter {
public:
    // The same limits the screen library counts with when it has no server times.
    static constexpr std::uint32_t kDoubleClickMilliseconds = 500;
    static constexpr int kDoubleClickRadius = 32;

    // The number of this press in its series of clicks, from 1.
    int Press(const ServerPress& press);

private:
    std::optional<ServerPress> last_;
    int count_ = 0;
};

}  // namespace screen
