// RulePane: one condition row of the setup dialog, "When [Input 1] goes [above] <level>
// Hysteresis: [5] %", followed by a remove (minus) and an add (plus) button. The dialog owns
// four rows; row i always shows rule i of the output being edited (GetRule / SetRule of the
// configuration copy), and only as many rows as the output has rules are visible.
//
// - LoadRule shows the rule: the input's range and unit from the dialog, the input, above or
//   below, the level (LevelGroup) and the hysteresis as a whole number (fraction dropped).
// - SaveRule writes the row back: Input is the selected entry (-1 when none), Above is
//   "above" selected, Level the level group's percentage, Hysteresis the text's leading whole
//   number (0 when none).
// - Choosing another input stores it at once and reloads the row from the stored rule, so the
//   stored level shows in the new input's unit; edits made in the row since are dropped.
// - Add stores the visible rows, inserts a default rule after this one and reloads the rows;
//   remove stores them, deletes this row's rule and reloads.
#pragma once

#include "dialog/level_group.h"
#include "dialog/pane_base.h"
#include "dialog/validating_edit.h"
#include "platform/ui/owl/controls.h"
#include "platform/ui/owl/gdi_objects.h"

namespace VavazaZavidi {

struct Rule;

class RulePane : public PaneBase {
public:
    static constexpr LONG kMaxHysteresis = 95;

    // The owning dialog is the parent, which must be a PaneOwner (std::invalid_argument).
    RulePane(owl::TWindow* parent, owl::TModule* module, int row);

    // Fills the input list with "Input 1" to "Input N" and selects the first.
    void FillInputs(int count);
    void LoadRule();
    void SaveRule();

    // The verb label: "goes" or "is".
    void ShowVerb(bool goes);
    // Enables or disables the row's condition controls and labels (not its buttons).
    void EnableRow(bool on);
    // Enables the add and remove buttons as told, without the default-button look.
    void EnableButtons(bool add, bool remove);
    // Repaints the row and every label, the slider and both buttons.
    void Repaint();

    int GetRow() const { return row_; }
    LevelGroup& Level() { return level_; }

protected:
    void SetupWindow() override;

private:
    void AddClicked();
    void RemoveClicked();
    void InputChanged();
    void ShowRule(const Rule& rule);

    owl::TButton add_;
    owl::TBitmap addGlyph_;
    owl::TButton remove_;
    owl::TBitmap removeGlyph_;
    owl::TComboBox input_;
    owl::TComboBox direction_;
    LevelGroup level_;
    Tev::IntEdit hysteresis_;
    int row_;
};

}  // namespace VavazaZavidi
