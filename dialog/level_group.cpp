#include "dialog/level_group.h"

#include <initializer_list>

#include "dialog/pane_texts.h"
#include "dialog/range_validators.h"
#include "resources/pane_ids.h"
#include "resources/string_ids.h"

namespace VavazaZavidi {
namespace {

constexpr int kTickGap = 10;
constexpr int kPageSize = 10;

}  // namespace

LevelEdit::LevelEdit(owl::TWindow* parent, int id, owl::TModule* module)
    : Tev::DoubleEdit(parent, id, module) {}

LevelSlider::LevelSlider(owl::TWindow* parent, int id, owl::TModule* module)
    : owl::THSlider(parent, id, module) {}

// The up-down finds the edit as its automatic buddy (the template's style); naming it again
// here would make it take the edit's room a second time.
LevelGroup::LevelGroup(owl::TWindow* pane, owl::TModule* module)
    : edit_(pane, RulePaneId::kLevelEdit, module),
      upDown_(pane, RulePaneId::kLevelUpDown, nullptr, module),
      slider_(pane, RulePaneId::kLevelSlider, module),
      label_(pane, RulePaneId::kLevelLabel, 0, module),
      lowRange_(pane, RulePaneId::kLowRange, 0, module),
      highRange_(pane, RulePaneId::kHighRange, 0, module) {}

void LevelGroup::ApplyRange(const Tev::String& range, const Tev::String& unit) {
    scale_ = LevelScale::FromRangeText(range.View());
    label_.SetText(
        FormatPaneText(StringId::kLevelWithUnit, scale_.InPercent() ? Tev::String(u"%") : unit)
            .Text());

    const double maximum = scale_.Maximum();
    if (auto* validator = dynamic_cast<Tev::FltRangeValidator*>(edit_.GetValidator())) {
        validator->SetMin(-maximum);
        validator->SetMax(maximum);
    } else {
        edit_.SetValidator(new Tev::FltRangeValidator(-maximum, maximum));
    }

    upDown_.SetRange(LevelScale::kLowest, LevelScale::kHighest);
    upDown_.SetPageStep(kPageSize);  // PgUp and PgDn in the edit, as on the slider
    slider_.SetRange(LevelScale::kLowest, LevelScale::kHighest, true);
    slider_.SetRuler(kTickGap);
    slider_.SetPageSize(kPageSize);

    if (scale_.InPercent()) {
        lowRange_.SetText(u"-100");
        highRange_.SetText(u"100");
    } else {
        lowRange_.SetText((Tev::String(u"-") + range).Text());
        highRange_.SetText(range.Text());
    }
}

void LevelGroup::ShowLevel(double percent) {
    edit_.SetValue(scale_.ToShown(percent));
    ShowPosition(LevelScale::Position(percent), true, true);
}

double LevelGroup::LevelPercent() const {
    return scale_.ToPercent(edit_.GetValue());
}

void LevelGroup::LevelEditLostFocus() {
    double percent = LevelPercent();
    if (percent > LevelScale::kHighest) {
        edit_.SetValue(scale_.ToShown(LevelScale::kHighest));
        percent = LevelScale::kHighest;
    } else if (percent < LevelScale::kLowest) {
        edit_.SetValue(scale_.ToShown(LevelScale::kLowest));
        percent = LevelScale::kLowest;
    }
    ShowPosition(LevelScale::Position(percent), true, true);
}

void LevelGroup::SliderScrolled() {
    const int position = slider_.GetPosition();
    edit_.SetValue(scale_.ToShown(position));
    ShowPosition(position, false, true);
}

LRESULT LevelGroup::UpDownChanging(int position, int delta) {
    long long next = static_cast<long long>(position) + delta;
    if (delta > 0 && next > LevelScale::kHighest)
        next = LevelScale::kHighest;
    if (delta < 0 && next < LevelScale::kLowest)
        next = LevelScale::kLowest;
    if (next >= LevelScale::kLowest && next <= LevelScale::kHighest) {
        const int shown = static_cast<int>(next);
        upDown_.SetPos(shown);
        edit_.SetValue(scale_.ToShown(shown));
        slider_.SetPosition(shown);
    }
    return 1;
}

void LevelGroup::ShowPosition(int position, bool inSlider, bool inUpDown) {
    if (inSlider)
        slider_.SetPosition(position);
    if (inUpDown)
        upDown_.SetPos(position);
}

void LevelGroup::Enable(bool on) {
    for (owl::TWindow* control : std::initializer_list<owl::TWindow*>{
             &edit_, &upDown_, &slider_, &label_, &lowRange_, &highRange_}) {
        control->EnableWindow(on);
    }
}

void LevelGroup::Repaint() {
    for (owl::TWindow* control :
         std::initializer_list<owl::TWindow*>{&slider_, &label_, &lowRange_, &highRange_}) {
        control->Invalidate();
    }
}

}  // namespace VavazaZavidi
