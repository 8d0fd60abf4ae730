#include "platform/screen/screen_window.h"
#include "platform/ui/window_surface.h"

#include <SDL.h>
#include <SDL_syswm.h>

#include <algorithm>
#include <stdexcept>
#include <string>

#include "platform/gdi/gdi.h"
#include "platform/text/utf.h"
#include "platform/ui/headless.h"
#include "platform/ui/user.h"
#include "platform/ui/window_user.h"

namespace screen {

RECT ClientAreaOnScreen(HWND window) {
    RECT client{};
    GetClientRect(window, &client);
    POINT origin{0, 0};
    ClientToScreen(window, &origin);
    OffsetRect(&client, origin.x, origin.y);
    return client;
}

namespace {

// Copies `source` into `target` with its top-left corner at `at`, clipped to the target.
void Blit(const gdi::Image& source, gdi::Image& target, POINT at) {
    for (int y = std::max(0, -at.y); y < source.height && y + at.y < target.height; ++y) {
        const int first = std::max(0, -at.x);
        const int last = std::min(source.width, target.width - at.x);
        if (first >= last)
            continue;
        const auto from = source.pixels.begin() + y * source.width;
        std::copy(from + first, from + last,
                  target.pixels.begin() + (y + at.y) * target.width + at.x + first);
    }
}

}  // namespace

gdi::Image ComposeClientArea(HWND top) {
    const gdi::Image whole = ui::Snapshot(top);
    RECT frame{};
    GetWindowRect(top, &frame);
    const RECT client = ClientAreaOnScreen(top);
    RECT inside = client;
    OffsetRect(&inside, -frame.left, -frame.top);
    gdi::Image image = whole.Crop(inside);
    // The pop-ups above the window, from the lowest up; windows with a caption of their own
    // (another dialog, a message box) get a real window of their own instead.
    const std::vector<HWND> tops = ui::TopLevelWindows();
    const auto self = std::find(tops.begin(), tops.end(), top);
    for (auto it = std::make_reverse_iterator(self); it != tops.rend(); ++it) {
        const HWND popup = *it;
        const auto style = static_cast<DWORD>(GetWindowLongPtrW(popup, GWL_STYLE));
        if (!IsWindowVisible(popup) || (style & WS_CAPTION) == WS_CAPTION)
            continue;
        RECT place{};
        GetWindowRect(popup, &place);
        Blit(ui::Snapshot(popup), image, POINT{place.left - client.left, place.top - client.top});
    }
    return image;
}

ScreenIsWindow::ScreenIsWindow(HWND top) : top_(top), saved_(ui::Monitors()) {
    Follow();
}

ScreenIsWindow::~ScreenIsWindow() {
    ui::SetMonitors(saved_);
}

void ScreenIsWindow::Follow() {
    if (!IsWindow(top_))
        return;
    const RECT client = ClientAreaOnScreen(top_);
    if (client == current_)
        return;
    current_ = client;
    ui::SetMonitors({ui::Monitor{client, client}});
}

ScreenWindow::ScreenWindow(HWND top) : top_(top) {
    frame_ = ComposeClientArea(top_);
    window_ =
        SDL_CreateWindow(text::ToUtf8(ui::ControlUser(top_).Text()).c_str(), SDL_WINDOWPOS_CENTERED,
                         SDL_WINDOWPOS_CENTERED, std::max(frame_.width, 1),
                         std::max(frame_.height, 1), SDL_WINDOW_SHOWN);
    if (window_ == nullptr)
        throw std::runtime_error(std::string("cannot open a window: ") + SDL_GetError());
    generation_ = ui::ScreenGeneration();
    Show();
}

ScreenWindow::~ScreenWindow() {
    SDL_DestroyWindow(window_);
}

std::uint32_t ScreenWindow::Id() const {
    return SDL_GetWindowID(window_);
}

unsigned long ScreenWindow::NativeId() const {
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (SDL_GetWindowWMInfo(window_, &info) != SDL_TRUE)
        return 0;
#if defined(SDL_VIDEO_DRIVER_X11)
    if (info.subsystem == SDL_SYSWM_X11)
        return static_cast<unsigned long>(info.info.x11.window);
#endif
    return 0;
}

bool ScreenWindow::Present(bool force) {
    if (!IsWindow(top_))
        return false;
    if (!force && ui::ScreenGeneration() == generation_)
        return false;
    generation_ = ui::ScreenGeneration();
    gdi::Image next = ComposeClientArea(top_);
    // Composing pumps, which may have changed the screen again; that shows next time.
    if (!force && next.width == frame_.width && next.height == frame_.height &&
        next.pixels == frame_.pixels) {
        return false;
    }
    if (next.width != frame_.width || next.height != frame_.height)
        SDL_SetWindowSize(window_, std::max(next.width, 1), std::max(next.height, 1));
    frame_ = std::move(next);
    Show();
    return true;
}

void ScreenWindow::Show() {
    SDL_Surface* surface = SDL_GetWindowSurface(window_);
    if (surface == nullptr || frame_.width == 0 || frame_.height == 0)
        return;
    const int width = std::min(frame_.width, surface->w);
    const int height = std::min(frame_.height, surface->h);
    SDL_ConvertPixels(width, height, SDL_PIXELFORMAT_ARGB8888, frame_.pixels.data(),
                      frame_.width * 4, surface->format->format, surface->pixels, surface->pitch);
    SDL_UpdateWindowSurface(window_);
    ++frames_;
}

void ScreenWindow::TakeInputFocus() {
    SDL_RaiseWindow(window_);
    SDL_SetWindowInputFocus(window_);
}

POINT ScreenWindow::ToScreen(int x, int y) const {
    POINT point{x, y};
    ClientToScreen(top_, &point);
    return point;
}

}  // namespace screen
