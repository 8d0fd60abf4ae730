#include "support/popup/hover_tip.h"

#include "platform/ui/user.h"

namespace Tev {

bool HoverTip::Tick(owl::TWindow* owner, const String& text, bool show) {
    if (text.IsEmpty())
        return true;
    elapsed_ += tick_;
    if (elapsed_ > limit_) {
        elapsed_ = 0;
        Hide();
        return false;
    }
    if (show && !shown_) {
        shown_ = true;
        POINT cursor;
        GetCursorPos(&cursor);
        popup_ = std::make_unique<Popup>(owner, POINT{cursor.x - 3, cursor.y + 19}, text);
    }
    return true;
}

void HoverTip::Reset() {
    Hide();
    shown_ = false;
    elapsed_ = 0;
}

}  // namespace Tev
