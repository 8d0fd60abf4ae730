#include "dialog/settings_pane.h"

#include <initializer_list>

#include "dialog/on_off_pane.h"
#include "resources/dialog_ids.h"
#include "resources/pane_ids.h"

namespace VavazaZavidi {

using namespace SettingsPaneId;

SettingsPane::SettingsPane(owl::TWindow* parent, owl::TModule* module, const TimingLimits& limits,
                           PaneOwner& owner)
    : PaneBase(parent, TemplateId::kSettingsPane, module, owner),
      fixedWidth_(this, kFixedWidth, module),
      width_(this, kWidth, 0, kMaxPulseWidth, module),
      delayLabel_(this, kDelayLabel, 0, module),
      delay_(this, kDelay, 0, limits.MaxPulseDelay, module),
      limitedCount_(this, kLimitedCount, module),
      pulseCount_(this, kPulseCount, kMaxPulseCount, module),
      holdoffLabel_(this, kHoldoffLabel, 0, module),
      holdoff_(this, kHoldoff, 0, limits.MaxHoldoff, module) {
    OnCommand(kFixedWidth, [this] { FixedWidthClicked(); });
    OnCommand(kLimitedCount, [this] { LimitedCountClicked(); });
}

void SettingsPane::LoadSettings(const OutputSettings& settings) {
    Owner().GetOnOffPane().ShowOnOff(settings.On, settings.All);

    fixedWidth_.SetCheck(settings.LimitedDuration ? BST_CHECKED : BST_UNCHECKED);
    width_.SetValue(settings.PulseDuration);
    delay_.SetValue(settings.PulseDelay);
    limitedCount_.SetCheck(settings.LimitedNumPulses ? BST_CHECKED : BST_UNCHECKED);
    pulseCount_.SetValue(settings.PulseNumLimit);
    holdoffLabel_.EnableWindow(settings.RetriggerHoldoff);
    holdoff_.SetValue(settings.RetriggerHoldoffTime);

    ShowFixedWidth(settings.LimitedDuration);
    EnableAll(settings.On);
}

void SettingsPane::StoreSettings(OutputSettings& settings) const {
    const OnOffPane& onOff = Owner().GetOnOffPane();
    settings.On = onOff.IsOn();
    settings.All = onOff.IsAll();
    settings.LimitedDuration = fixedWidth_.IsChecked();
    settings.PulseDuration = width_.GetValue();
    settings.PulseDelay = delay_.GetValue();
    settings.LimitedNumPulses = limitedCount_.IsChecked();
    settings.PulseNumLimit = static_cast<std::int32_t>(pulseCount_.GetValue());
    settings.RetriggerHoldoff = settings.LimitedDuration;
    settings.RetriggerHoldoffTime = holdoff_.GetValue();
}

void SettingsPane::EnableAll(bool on) {
    for (owl::TWindow* control : std::initializer_list<owl::TWindow*>{
             &limitedCount_, &fixedWidth_, &pulseCount_, &holdoffLabel_, &holdoff_, &delayLabel_,
             &delay_, &width_}) {
        control->EnableWindow(on);
    }
    for (const int unit : {kWidthUnit, kDelayUnit, kHoldoffUnit})
        EnableControl(unit, on);
    Owner().EnableRules(on);
    if (on) {
        ShowFixedWidth(fixedWidth_.IsChecked());
        pulseCount_.EnableWindow(limitedCount_.IsChecked());
    }
}

void SettingsPane::FixedWidthClicked() {
    ShowFixedWidth(fixedWidth_.IsChecked());
}

void SettingsPane::LimitedCountClicked() {
    pulseCount_.EnableWindow(limitedCount_.IsChecked());
}

void SettingsPane::ShowFixedWidth(bool fixed) {
    width_.EnableWindow(fixed);
    holdoffLabel_.EnableWindow(fixed);
    holdoff_.EnableWindow(fixed);
    Owner().ShowRuleVerb(fixed);
}

}  // namespace VavazaZavidi
