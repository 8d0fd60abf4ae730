#include "dialog/pane_base.h"

#include <stdexcept>

#include "resources/pane_resources.h"

namespace VavazaZavidi {
namespace {

// The colour request of labels and check boxes, as the toolkit numbers the requests.
constexpr UINT kStaticColours = WM_CTLCOLORSTATIC - WM_CTLCOLORMSGBOX;

// The panes' templates live beside the module's other resources; asking for their module
// links them in.
owl::TModule* WithPaneResources(owl::TModule* module) {
    (void)PaneResourceModule();
    return module;
}

}  // namespace

PaneBase::PaneBase(owl::TWindow* parent, int templateId, owl::TModule* module, PaneOwner& owner)
    : Tev::DialogBase(parent, templateId, WithPaneResources(module)), owner_(owner) {}

PaneOwner& PaneBase::OwnerOf(owl::TWindow* parent) {
    auto* owner = dynamic_cast<PaneOwner*>(parent);
    if (owner == nullptr)
        throw std::invalid_argument("a rule row's parent must be the dialog that owns it");
    return *owner;
}

HBRUSH PaneBase::TabPageBrush(HDC dc, HWND control) const {
    const HBRUSH brush = owner_.GetTabBackgroundBrush();
    const HWND tabs = owner_.GetTabControlWindow();
    if (!owner_.IsThemed() || brush == nullptr || tabs == nullptr)
        return nullptr;
    SetBkMode(dc, TRANSPARENT);
    RECT place;
    ::GetWindowRect(control, &place);
    ::MapWindowPoints(nullptr, tabs, reinterpret_cast<POINT*>(&place), 2);
    SetBrushOrgEx(dc, -place.left, -place.top, nullptr);
    return brush;
}

HBRUSH PaneBase::EvCtlColor(HDC dc, HWND control, UINT controlType) {
    if (controlType == kStaticColours) {
        if (const HBRUSH brush = TabPageBrush(dc, control))
            return brush;
    }
    return Tev::DialogBase::EvCtlColor(dc, control, controlType);
}

bool PaneBase::EvEraseBkgnd(HDC dc) {
    if (const HBRUSH brush = TabPageBrush(dc, GetHandle())) {
        const RECT client = GetClientRect();
        FillRect(dc, &client, brush);
        return true;
    }
    return Tev::DialogBase::EvEraseBkgnd(dc);
}

void PaneBase::EnableControl(int id, bool on) const {
    if (const HWND control = GetDlgItem(id))
        ::EnableWindow(control, on ? TRUE : FALSE);
}

void PaneBase::RepaintControl(int id) const {
    if (const HWND control = GetDlgItem(id))
        ::InvalidateRect(control, nullptr, TRUE);
}

}  // namespace VavazaZavidi
