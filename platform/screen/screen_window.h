// A real window on the screen that presents one top-level window of the toolkit: its client
// area (the window manager gives the real window its frame, caption and close box), with the
// caption-less pop-ups above it composed over it (a dropped list, tooltips, balloons). It
// only shows pixels and maps points; everything a control does happens in the toolkit.
#pragma once

#include <cstdint>

#include <vector>

#include "platform/gdi/image.h"
#include "platform/ui/headless.h"
#include "platform/win_types.h"

struct SDL_Window;

namespace screen {

class ScreenWindow {
public:
    // Opens the real window, titled with the toolkit window's caption and sized to its client
    // area, and shows the first frame. Throws std::runtime_error when it cannot be made.
    explicit ScreenWindow(HWND top);
    ~ScreenWindow();
    ScreenWindow(const ScreenWindow&) = delete;
    ScreenWindow& operator=(const ScreenWindow&) = delete;

    HWND Top() const { return top_; }
    std::uint32_t Id() const;        // the window id in the screen's events
    unsigned long NativeId() const;  // the X11 window, or 0 on another video driver
    unsigned long FramesShown() const { return frames_; }
    const gdi::Image& Frame() const { return frame_; }  // the frame on the screen now

    // Shows a new frame when something a person could see changed since the last one;
    // returns whether it did. `force` shows the frame again (the screen lost it).
    bool Present(bool force = false);

    // Raises the window and gives it the keyboard, also where no window manager would (the
    // window that had it, a message box's, is closing).
    void TakeInputFocus();

    // A point of the real window's client area in the toolkit's screen coordinates.
    POINT ToScreen(int x, int y) const;

private:
    void Show();

    HWND top_;
    SDL_Window* window_ = nullptr;
    gdi::Image frame_;
    unsigned long generation_ = 0;
    unsigned long frames_ = 0;
};

// The toolkit window's client area as a person sees it: its own pixels with the visible
// caption-less pop-ups above it composed over them.
gdi::Image ComposeClientArea(HWND top);

// The toolkit window's client area in the toolkit's screen coordinates.
RECT ClientAreaOnScreen(HWND top);

// While it lives, the toolkit's screen is the client area of the window shown (its only
// monitor, work area and all): pop-ups that keep to the screen's work area (tooltips,
// balloons, dropped lists) then open inside the real window, where the person sees them,
// instead of being cut off at its edge.
class ScreenIsWindow {
public:
    explicit ScreenIsWindow(HWND top);
    ~ScreenIsWindow();
    ScreenIsWindow(const ScreenIsWindow&) = delete;
    ScreenIsWindow& operator=(const ScreenIsWindow&) = delete;

    // Follows the window when it moved or changed its size.
    void Follow();

private:
    HWND top_;
    std::vector<ui::Monitor> saved_;
    RECT current_{};
};

}  // namespace screen
