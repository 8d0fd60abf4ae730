// DetectorDialog: the modal setup dialog. One tab per output of its own copy of the
// configuration; below the tabs the on/off pane, up to four rule rows and the output settings
// pane always show the output whose tab is selected. Values move between the panes and the
// copy on a tab switch and on OK; after OK the caller takes the copy, after Cancel the
// caller's configuration stays untouched.
//
// The panes find the dialog through their parent window and use the services below.
#pragma once

#include <array>
#include <memory>

#include "config/event_config.h"
#include "dialog/dialog_base.h"
#include "host/api/timing_limits.h"
#include "platform/ui/owl/controls.h"
#include "support/string/tev_string.h"

namespace TevControls {
class TBmpTxtButton;
}

namespace VavazaZavidi {

class Doc;
class OnOffPane;
class RulePane;
class SettingsPane;

class DetectorDialog : public Tev::DialogBase {
public:
    static constexpr int kMaxRows = EventConfig::kMaxRules;
    // The marker at the end of the label of a tab whose output is on: a blank and a bullet.
    static constexpr const char16_t* kOnMarker = u" \u2022";

    // `document` may be null (no device name, no input ranges); `limits` must outlive the
    // dialog.
    DetectorDialog(owl::TWindow* parent, const TimingLimits& limits, const EventConfig& config,
                   Doc* document);
    ~DetectorDialog() override;

    // The output whose tab is selected (process-wide, it outlives the dialog): the tab the
    // next dialog opens on when that output still exists.
    static unsigned LastSelectedOutput();

    // --- Services of the panes
    unsigned CurrentOutput() const { return currentOutput_; }
    EventConfig& Configuration() { return config_; }
    const EventConfig& Configuration() const { return config_; }
    const TimingLimits& Limits() const { return limits_; }
    int VisibleRows() const { return visibleRows_; }

    // Writes every visible rule row into the copy.
    void SaveRules();
    // Reloads the rows of the current output and shows as many rows as it has rules.
    void LoadRules();
    // Inserts a default rule after rule `row` of the current output (the copy's errors pass).
    void AddRule(int row);
    // Enables every visible row's add and remove buttons as the rule count and On allow.
    void UpdateRuleButtons();
    // Adds (on) or removes the marker at the end of tab `index`'s label.
    void MarkTab(int index, bool on);
    // Enables or disables the condition controls of all four rows.
    void EnableRules(bool on);
    // "goes" in every row when `fixedWidth`, "is" otherwise.
    void ShowRuleVerb(bool fixedWidth);
    // The full-scale range and unit texts of input `input` as the host describes it; both
    // empty when the host tells nothing.
    void GetInputRange(int input, Tev::String& range, Tev::String& unit) const;

    // Painting of the panes on the tab page.
    bool IsThemed() const { return themed_; }
    HBRUSH TabBackgroundBrush() const { return tabBrush_; }
    owl::TTabControl& TabControl() { return *tabs_; }
    // The answer to a pane's colour request for `control` (the pane itself for its background):
    // when themed, a transparent text background and the tab background brush aligned with the
    // tab control; null when not themed (the library's defaults apply).
    HBRUSH PaneControlColor(HDC dc, HWND control) const;

    // --- Parts, for the panes and for whoever inspects the dialog
    OnOffPane& OnOff() { return *onOff_; }
    RulePane& Row(int row) { return *rows_.at(static_cast<std::size_t>(row)); }
    SettingsPane& Settings() { return *settings_; }

    // Stores the panes' settings into the current output's record.
    void SaveSettings();

protected:
    void SetupWindow() override;
    void CleanupWindow() override;
    void CmOk() override;
    void EvSysColorChange() override;

private:
    void TabChanged();
    void CmHelp();
    void ShowOutput(unsigned index);
    // Grows (rows > 0) or shrinks the dialog by whole rows.
    void ResizeForRules(int rows);
    void RebuildTabBrush();
    static bool EvaluateThemed();
    // After the shown page passed its check: the first output that is on and whose stored
    // values the page's checks would refuse, shown and checked as the user would see it.
    bool CheckOtherOutputs();
    owl::TRect PlaceholderRect(int id) const;
    int RowHeight() const;

    const TimingLimits& limits_;
    Doc* document_;
    EventConfig config_;
    std::unique_ptr<owl::TTabControl> tabs_;
    std::unique_ptr<OnOffPane> onOff_;
    std::array<std::unique_ptr<RulePane>, kMaxRows> rows_;
    std::unique_ptr<SettingsPane> settings_;
    std::unique_ptr<owl::TButton> ok_;
    std::unique_ptr<owl::TButton> cancel_;
    std::unique_ptr<TevControls::TBmpTxtButton> help_;
    unsigned currentOutput_ = 0;
    int visibleRows_ = 1;
    HBRUSH tabBrush_ = nullptr;
    bool themed_ = false;
};

}  // namespace VavazaZavidi
