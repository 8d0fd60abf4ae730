// The level controls of a rule row: the level edit with its up-down, the slider, the level
// label above them ("Level (V)") and the range labels below the slider ("-10", "10").
//
// The rule stores its level as a percentage of the input's full-scale range; the edit shows
// it in the input's unit (LevelScale), the slider and the up-down show whole percentages from
// -100 to 100. The three controls follow each other:
// - the edit losing the focus pulls a level beyond the range back to ±R and moves the slider
//   and the up-down to the percentage, fraction dropped;
// - the slider moved shows its position in the edit and the up-down;
// - an up-down arrow steps the position by one within -100 to 100 (the group applies the
//   step itself) and shows it in the edit and the slider; so do Up and Down in the edit, and
//   PgUp and PgDn step by the slider's page of 10.
// Without a usable range from the host the group works in percent: "Level (%)", "-100" and
// "100", and the edit shows the stored percentage.
#pragma once

#include "dialog/level_scale.h"
#include "dialog/validating_edit.h"
#include "platform/ui/owl/controls.h"
#include "support/string/tev_string.h"

namespace VavazaZavidi {

// The level edit: real numbers with 9 significant digits; its range validator comes with the
// first range applied.
class LevelEdit : public Tev::DoubleEdit {
public:
    LevelEdit(owl::TWindow* parent, int id, owl::TModule* module = nullptr);
};

// The level slider: the library's horizontal slider with its default thumb.
class LevelSlider : public owl::THSlider {
public:
    LevelSlider(owl::TWindow* parent, int id, owl::TModule* module = nullptr);
};

class LevelGroup {
public:
    // Binds the group to the level controls of `pane`, a rule row made from its template.
    explicit LevelGroup(owl::TWindow* pane, owl::TModule* module = nullptr);

    // Sets the labels, the edit's validator (-R to R) and the ranges of slider and up-down
    // for an input's range and unit texts.
    void ApplyRange(const Tev::String& range, const Tev::String& unit);
    // Shows a stored percentage in all three controls.
    void ShowLevel(double percent);
    // The edit's value as a percentage of the range, unclamped.
    double LevelPercent() const;

    // The notifications of the controls, passed on by the rule row.
    void LevelEditLostFocus();
    void SliderScrolled();
    // Applies the up-down's step (current position, step) itself; the answer to the
    // notification is always non-zero, so that the control does not apply it again.
    LRESULT UpDownChanging(int position, int delta);

    // Enables or disables the edit, the up-down, the slider and the three labels.
    void Enable(bool on);
    // Repaints the slider and the labels.
    void Repaint();

    const LevelScale& Scale() const { return scale_; }
    LevelEdit& Edit() { return edit_; }
    owl::TUpDown& UpDown() { return upDown_; }
    LevelSlider& Slider() { return slider_; }

private:
    void ShowPosition(int position, bool inSlider, bool inUpDown);

    LevelEdit edit_;
    owl::TUpDown upDown_;
    LevelSlider slider_;
    owl::TStatic label_;
    owl::TStatic lowRange_;
    owl::TStatic highRange_;
    LevelScale scale_;
};

}  // namespace VavazaZavidi
