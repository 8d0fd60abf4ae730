// TabPageBrushes: pictures of a tab control, as pattern brushes that the panes on its page
// paint their backgrounds with when visual styles are on.
//
// The setup dialog grows and shrinks its tab control by whole rule rows on tab switches, and
// the control's page looks the same whenever it has a size again, so each size is drawn once
// and its picture kept for the next time. A picture holds the colours and the theme it was
// drawn with: after a colour change every picture is drawn again (Redraw); after a theme
// change the kept ones are not used again (Outdate), while the current one stays in use
// until the next Update. The brushes belong to this object; Current stays valid until the
// next Update, Redraw or the end of this object.
#pragma once

#include <map>
#include <utility>

#include "platform/win_types.h"

namespace VavazaZavidi {

class TabPageBrushes {
public:
    TabPageBrushes() = default;
    ~TabPageBrushes();
    TabPageBrushes(const TabPageBrushes&) = delete;
    TabPageBrushes& operator=(const TabPageBrushes&) = delete;

    // The brush the panes paint with; null before the first Update.
    HBRUSH Current() const { return current_; }
    // Makes the picture of `tabs` at its present size the current one: the kept one, or one
    // drawn now (WM_PRINT).
    void Update(HWND tabs);
    // The colours changed: forgets every picture and draws the present one.
    void Redraw(HWND tabs);
    // The theme changed: no kept picture is used again.
    void Outdate();

private:
    void Forget();

    std::map<std::pair<int, int>, HBRUSH> kept_;  // by the control's width and height
    HBRUSH current_ = nullptr;
    HBRUSH outdated_ = nullptr;  // current_ after Outdate, no longer in kept_
};

}  // namespace VavazaZavidi
