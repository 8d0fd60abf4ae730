// The common ground of the setup dialog's panes: a child dialog built from one of the
// module's pane templates, with the owning dialog it serves, painted on the tab page.
//
// Painting: while visual styles are on, a pane answers the colour requests of its labels and
// check boxes with a transparent text background and the tab page's background brush, its
// origin aligned with the tab control, and erases its own background with that brush, so
// that the tab page shows through; otherwise the library's default colours apply.
#pragma once

#include "dialog/dialog_base.h"
#include "dialog/pane_owner.h"

namespace VavazaZavidi {

class PaneBase : public Tev::DialogBase {
public:
    PaneBase(owl::TWindow* parent, int templateId, owl::TModule* module, PaneOwner& owner);

    PaneOwner& Owner() const { return owner_; }
    // The owner that is `parent` itself; std::invalid_argument when it is none.
    static PaneOwner& OwnerOf(owl::TWindow* parent);

    // The tab page's brush for `control` (a child, or the pane itself) drawn into `dc`, the
    // brush origin set to match the tab control; null when visual styles are off.
    HBRUSH TabPageBrush(HDC dc, HWND control) const;

protected:
    HBRUSH EvCtlColor(HDC dc, HWND control, UINT controlType) override;
    bool EvEraseBkgnd(HDC dc) override;

    // Enables or disables the pane's control `id` (a label the pane keeps no wrapper for).
    void EnableControl(int id, bool on) const;
    // Repaints the pane's control `id`.
    void RepaintControl(int id) const;

private:
    PaneOwner& owner_;
};

}  // namespace VavazaZavidi
