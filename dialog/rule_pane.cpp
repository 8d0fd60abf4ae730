#include "dialog/rule_pane.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "config/event_config.h"
#include "config/rule.h"
#include "dialog/pane_texts.h"
#include "resources/dialog_ids.h"
#include "resources/pane_ids.h"
#include "resources/pane_resources.h"
#include "resources/string_ids.h"

namespace VavazaZavidi {
namespace {

using namespace RulePaneId;

constexpr int kAboveEntry = 0;
constexpr int kBelowEntry = 1;

// The row's labels, which it enables and repaints without keeping wrappers for them.
constexpr int kLabels[] = {kVerb, kWhen, kHysteresisLabel, kPercent, kZero};

HBITMAP LoadGlyph(UINT id) {
    return LoadBitmapW(PaneResourceModule(), MAKEINTRESOURCEW(static_cast<WORD>(id)));
}

// A stored hysteresis as the whole number the row shows: the fraction dropped.
long WholeHysteresis(double hysteresis) {
    if (!std::isfinite(hysteresis))
        return 0;
    constexpr double kLimit = std::numeric_limits<std::int32_t>::max();
    return static_cast<long>(std::trunc(std::clamp(hysteresis, -kLimit, kLimit)));
}

void RemoveDefaultLook(owl::TButton& button) {
    const DWORD style = button.GetStyle() & 0xFFFFu;
    if ((style & BS_TYPEMASK) == BS_DEFPUSHBUTTON)
        button.SetButtonStyle((style & ~BS_TYPEMASK) | BS_PUSHBUTTON, true);
}

}  // namespace

RulePane::RulePane(owl::TWindow* parent, owl::TModule* module, int row)
    : PaneBase(parent, TemplateId::kRulePane, module, OwnerOf(parent)),
      add_(this, kAdd, module),
      addGlyph_(LoadGlyph(BitmapId::kAddRule), true),
      remove_(this, kRemove, module),
      removeGlyph_(LoadGlyph(BitmapId::kRemoveRule), true),
      input_(this, kInput, 0, module),
      direction_(this, kDirection, 0, module),
      level_(this, module),
      hysteresis_(this, kHysteresis, kMaxHysteresis, module),
      row_(row) {
    OnCommand(kAdd, [this] { AddClicked(); });
    OnCommand(kRemove, [this] { RemoveClicked(); });
    OnChildNotify(kInput, CBN_SELCHANGE, [this] { InputChanged(); });
    OnChildNotify(kLevelEdit, EN_KILLFOCUS, [this] { level_.LevelEditLostFocus(); });
    OnMessage(WM_HSCROLL, [this](WPARAM, LPARAM) {
        DefaultProcessing();
        level_.SliderScrolled();
        return LRESULT{0};
    });
    OnNotify(kLevelUpDown, UDN_DELTAPOS, [this](NMHDR& header) {
        const auto& change = reinterpret_cast<const NMUPDOWN&>(header);
        return level_.UpDownChanging(change.iPos, change.iDelta);
    });
}

void RulePane::SetupWindow() {
    PaneBase::SetupWindow();
    direction_.AddString(PaneText(StringId::kAbove).Text());
    direction_.AddString(PaneText(StringId::kBelow).Text());
    direction_.SetSelIndex(kAboveEntry);
    add_.SendMessage(BM_SETIMAGE, IMAGE_BITMAP,
                     reinterpret_cast<LPARAM>(static_cast<HBITMAP>(addGlyph_)));
    remove_.SendMessage(BM_SETIMAGE, IMAGE_BITMAP,
                        reinterpret_cast<LPARAM>(static_cast<HBITMAP>(removeGlyph_)));
}

void RulePane::FillInputs(int count) {
    for (int i = 1; i <= count; ++i)
        input_.AddString(FormatPaneText(StringId::kInputNumbered, i).Text());
    input_.SetSelIndex(0);
}

void RulePane::LoadRule() {
    Rule rule;
    Owner().GetConfig().GetRule(Owner().GetCurrentOutput(), row_, rule);
    ShowRule(rule);
}

void RulePane::ShowRule(const Rule& rule) {
    Tev::String range;
    Tev::String unit;
    Owner().GetInputRange(rule.Input, range, unit);
    level_.ApplyRange(range, unit);
    input_.SetSelIndex(rule.Input);
    direction_.SetSelIndex(rule.Above ? kAboveEntry : kBelowEntry);
    level_.ShowLevel(rule.Level);
    hysteresis_.SetValue(WholeHysteresis(rule.Hysteresis));
}

void RulePane::SaveRule() {
    Rule rule;
    rule.Input = input_.GetSelIndex();
    rule.Above = direction_.GetSelIndex() == kAboveEntry;
    rule.Level = level_.LevelPercent();
    rule.Hysteresis = static_cast<double>(hysteresis_.GetValue());
    Owner().GetConfig().SetRule(Owner().GetCurrentOutput(), row_, rule);
}

void RulePane::InputChanged() {
    EventConfig& config = Owner().GetConfig();
    const std::int32_t output = Owner().GetCurrentOutput();
    Rule rule;
    config.GetRule(output, row_, rule);
    rule.Input = input_.GetSelIndex();
    config.SetRule(output, row_, rule);
    ShowRule(rule);
}

void RulePane::AddClicked() {
    Owner().SaveRules();
    Owner().AddRule(row_);
    Owner().LoadRules();
}

void RulePane::RemoveClicked() {
    Owner().SaveRules();
    Owner().GetConfig().DeleteRule(Owner().GetCurrentOutput(), row_);
    Owner().LoadRules();
}

void RulePane::ShowVerb(bool goes) {
    SetDlgItemTextW(GetHandle(), kVerb,
                    PaneText(goes ? StringId::kVerbGoes : StringId::kVerbIs).Text());
}

void RulePane::EnableRow(bool on) {
    input_.EnableWindow(on);
    direction_.EnableWindow(on);
    level_.Enable(on);
    hysteresis_.EnableWindow(on);
    for (const int label : kLabels)
        EnableControl(label, on);
}

void RulePane::EnableButtons(bool add, bool remove) {
    for (owl::TButton* button : {&add_, &remove_})
        RemoveDefaultLook(*button);
    add_.EnableWindow(add);
    remove_.EnableWindow(remove);
    add_.Invalidate();
    remove_.Invalidate();
}

void RulePane::Repaint() {
    Invalidate();
    level_.Repaint();
    add_.Invalidate();
    remove_.Invalidate();
    for (const int label : kLabels)
        RepaintControl(label);
}

}  // namespace VavazaZavidi
