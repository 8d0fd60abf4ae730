// DetectorDialog: the modal setup dialog. One tab per output of its own copy of the
// configuration; below the tabs the on/off pane, up to four rule rows and the output settings
// pane always show the output whose tab is selected. Values move between the panes and the
// copy on a tab switch and on OK; after OK the caller takes the copy, after Cancel the
// caller's configuration stays untouched.
//
// The panes find the dialog through their parent window and use the services below. The
// dialog asks the document it was opened for through SetupDocument only.
#pragma once

#include <array>
#include <cstdint>
#include <memory>

#include "config/event_config.h"
#include "dialog/dialog_base.h"
#include "dialog/pane_owner.h"
#include "dialog/setup_document.h"
#include "dialog/tab_page_brushes.h"
#include "host/api/timing_limits.h"
#include "platform/ui/owl/controls.h"
#include "support/string/tev_string.h"

namespace TevControls {
class TBmpTxtButton;
}

namespace VavazaZavidi {

class OnOffPane;
class RulePane;
class SettingsPane;

class DetectorDialog : public Tev::DialogBase, public PaneOwner {
public:
    static constexpr int kMaxRows = EventConfig::kMaxRules;
    // The marker at the end of the label of a tab whose output is on: a blank and a bullet.
    static constexpr const char16_t* kOnMarker = u" \u2022";

    // `document` (the extension's Doc) may be null: no device name, no input ranges, no help.
    // `limits` must outlive the dialog.
    DetectorDialog(owl::TWindow* parent, const TimingLimits& limits, const EventConfig& config,
                   SetupDocument* document);
    ~DetectorDialog() override;

    // The output whose tab is selected (process-wide, it outlives the dialog): the tab the
    // next dialog opens on when that output still exists.
    static unsigned LastSelectedOutput();

    // --- Services of the panes (PaneOwner)
    std::int32_t GetCurrentOutput() const override {
        return static_cast<std::int32_t>(currentOutput_);
    }
    EventConfig& GetConfig() override { return config_; }
    void SaveRules() override;
    void LoadRules() override;
    void AddRule(int row) override;
    void UpdateRuleButtons() override;
    void MarkTab(std::int32_t index, bool on) override;
    void EnableRules(bool on) override;
    void ShowRuleVerb(bool goes) override;
    void GetInputRange(std::int32_t input, Tev::String& range, Tev::String& unit) override;
    bool IsThemed() const override { return themed_; }
    HBRUSH GetTabBackgroundBrush() const override { return tabBrushes_.Current(); }
    HWND GetTabControlWindow() const override;
    OnOffPane& GetOnOffPane() override { return *onOff_; }
    SettingsPane& GetSettingsPane() override { return *settings_; }

    const EventConfig& GetConfig() const { return config_; }
    const TimingLimits& Limits() const { return limits_; }
    int VisibleRows() const { return visibleRows_; }

    RulePane& GetRulePane(int row) { return *rows_.at(static_cast<std::size_t>(row)); }

    // Stores the panes' settings into the current output's record.
    void SaveSettings();

protected:
    void SetupWindow() override;
    void CmOk() override;
    void EvSysColorChange() override;
    void EvThemeChanged() override;

private:
    void TabChanged();
    void CmHelp();
    void ShowOutput(unsigned index);
    // Grows (rows > 0) or shrinks the dialog by whole rows.
    void ResizeForRules(int rows);
    static bool EvaluateThemed();
    // After the shown page passed its check: the first output that is on and whose stored
    // values the page's checks would refuse, shown and checked as the user would see it.
    bool CheckOtherOutputs();
    owl::TRect PlaceholderRect(int id) const;
    int RowHeight() const;

    const TimingLimits& limits_;
    SetupDocument* document_;
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
    TabPageBrushes tabBrushes_;
    bool themed_ = false;
};

}  // namespace VavazaZavidi
