// OnOffPane: the top strip of the tab page, "Generate output when [all|any] of the following
// conditions are met:". The check box is the output's On setting, the list its All setting;
// the settings pane loads and stores both (SettingsPane::LoadSettings, StoreSettings).
//
// Ticking or unticking the check box marks or unmarks the output's tab at once, enables or
// disables the whole page (SettingsPane::EnableAll) and updates the rule rows' add and remove
// buttons. The new On value reaches the configuration only when the dialog stores the page.
#pragma once

#include "dialog/pane_base.h"
#include "platform/ui/owl/controls.h"

namespace VavazaZavidi {

class OnOffPane : public PaneBase {
public:
    OnOffPane(owl::TWindow* parent, owl::TModule* module, PaneOwner& owner);

    // Shows On in the check box and All as "all" (true) or "any".
    void ShowOnOff(bool on, bool all);
    // The check box is ticked.
    bool IsOn() const;
    // The list shows "all" (its first entry).
    bool IsAll() const;

protected:
    void SetupWindow() override;

private:
    void CheckBoxClicked();

    owl::TCheckBox checkBox_;
    owl::TComboBox combination_;
};

}  // namespace VavazaZavidi
