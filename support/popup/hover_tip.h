// Tev::HoverTip: the timing of a tip that comes up while the mouse rests on a window, shared by
// the error provider and the bitmap button. The window runs a timer of `tick` milliseconds while
// the mouse rests on it and hands each tick to Tick: the first tick shows the tip (a Tev::Popup)
// 3 pixels left of and 19 below the cursor; a tick that brings the time past the limit takes
// the tip down and starts the time again, and the window stops its timer. A tip shown once
// stays away until Reset (the mouse left). The error provider ticks every 50 ms, the bitmap
// button every 500 ms; both keep a tip for 5000 ms.
#pragma once

#include <memory>

#include "platform/ui/owl/window.h"
#include "support/popup/popup.h"
#include "support/string/tev_string.h"

namespace Tev {

class HoverTip {
public:
    static constexpr UINT kLimit = 5000;

    explicit HoverTip(UINT tick, UINT limit = kLimit) : tick_(tick), limit_(limit) {}

    // One tick of `owner`'s timer for a tip reading `text` (an empty text does nothing); `show`
    // false counts the time without showing the tip. False when the time ran out: the owner
    // stops its timer.
    bool Tick(owl::TWindow* owner, const String& text, bool show = true);
    // Takes the tip down; it does not come again before Reset.
    void Hide() { popup_.reset(); }
    // Takes the tip down and forgets it was shown: the next hover has its full time again.
    void Reset();

    UINT TickLength() const { return tick_; }
    Popup* Shown() const { return popup_.get(); }
    bool WasShown() const { return shown_; }
    UINT Elapsed() const { return elapsed_; }

private:
    UINT tick_;
    UINT limit_;
    UINT elapsed_ = 0;
    bool shown_ = false;
    std::unique_ptr<Popup> popup_;
};

}  // namespace Tev
