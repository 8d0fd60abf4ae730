#include "dialog/on_off_pane.h"

#include "dialog/pane_texts.h"
#include "dialog/settings_pane.h"
#include "resources/dialog_ids.h"
#include "resources/pane_ids.h"
#include "resources/string_ids.h"

namespace VavazaZavidi {
namespace {

constexpr int kAllEntry = 0;
constexpr int kAnyEntry = 1;

}  // namespace

OnOffPane::OnOffPane(owl::TWindow* parent, owl::TModule* module, PaneOwner& owner)
    : PaneBase(parent, TemplateId::kOnOffPane, module, owner),
      checkBox_(this, OnOffPaneId::kGenerate, module),
      combination_(this, OnOffPaneId::kCombination, 0, module) {
    OnCommand(OnOffPaneId::kGenerate, [this] { CheckBoxClicked(); });
}

void OnOffPane::SetupWindow() {
    checkBox_.SetBkgndColor(owl::TColor::Transparent);
    PaneBase::SetupWindow();
    combination_.AddString(PaneText(StringId::kAll).Text());
    combination_.AddString(PaneText(StringId::kAny).Text());
    combination_.SetSelIndex(kAllEntry);
}

void OnOffPane::ShowOnOff(bool on, bool all) {
    checkBox_.SetCheck(on ? BST_CHECKED : BST_UNCHECKED);
    combination_.SetSelIndex(all ? kAllEntry : kAnyEntry);
}

bool OnOffPane::IsOn() const {
    return checkBox_.IsChecked();
}

bool OnOffPane::IsAll() const {
    return combination_.GetSelIndex() == kAllEntry;
}

void OnOffPane::CheckBoxClicked() {
    const bool on = IsOn();
    Owner().MarkTab(Owner().GetCurrentOutput(), on);
    Owner().GetSettingsPane().EnableAll(on);
    Owner().UpdateRuleButtons();
}

}  // namespace VavazaZavidi
