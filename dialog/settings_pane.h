// SettingsPane: the "Output settings" group at the bottom of the tab page: a fixed-width
// pulse and its width, a delay, a limited number of pulses, and a hold-off after each pulse start
// (all times in seconds). It loads and stores the on/off pane's two controls with its own and
// owns the enabling rules that tie the page to the output's On setting:
// - output off: every control of the page except the on/off pane's check box and list is
//   disabled, the rule rows included;
// - output on: the width edit and the hold-off controls follow "Fixed width pulse:", the
//   number-of-pulses edit follows "Limited number of pulses:", the delay is always enabled,
//   and the rule rows' verb reads "goes" with a fixed width and "is" without.
// The hold-off is tied to the fixed width: storing writes RetriggerHoldoff equal
// to LimitedDuration.
#pragma once

#include "config/output_settings.h"
#include "dialog/pane_base.h"
#include "dialog/validating_edit.h"
#include "host/api/timing_limits.h"
#include "platform/ui/owl/controls.h"

namespace VavazaZavidi {

class SettingsPane : public PaneBase {
public:
    static constexpr double kMaxPulseWidth = 60;  // seconds
    static constexpr LONG kMaxPulseCount = 30000;

    // The delay and hold-off limits are read from `limits` once, here.
    SettingsPane(owl::TWindow* parent, owl::TModule* module, const TimingLimits& limits,
                 PaneOwner& owner);

    // Shows `settings` in this pane and the on/off pane and applies the enabling rules.
    void LoadSettings(const OutputSettings& settings);
    // Fills all nine members from this pane and the on/off pane.
    void StoreSettings(OutputSettings& settings) const;
    // The enabling rule for the whole page.
    void EnableAll(bool on);

private:
    void FixedWidthClicked();
    void LimitedCountClicked();
    void ShowFixedWidth(bool fixed);

    owl::TCheckBox fixedWidth_;
    Tev::DoubleEdit width_;
    owl::TStatic delayLabel_;
    Tev::DoubleEdit delay_;
    owl::TCheckBox limitedCount_;
    Tev::IntEdit pulseCount_;
    owl::TStatic holdoffLabel_;
    Tev::DoubleEdit holdoff_;
};

}  // namespace VavazaZavidi
