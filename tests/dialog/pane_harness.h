// A plain dialog that hosts the setup dialog's panes the way the setup dialog does, so that the
// panes can be driven without it: the on/off pane on top, four rule rows one row height apart
// (as many shown as the current output has rules) and the settings pane below them, over a
// tab control whose page they paint on. It keeps what the panes asked of it (tab marks, verbs).
#pragma once

#include <array>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "config/event_config.h"
#include "dialog/on_off_pane.h"
#include "dialog/pane_owner.h"
#include "dialog/rule_pane.h"
#include "dialog/settings_pane.h"
#include "host/api/timing_limits.h"
#include "platform/ui/owl/dialog.h"

namespace PaneTest {

using VavazaZavidi::EventConfig;

// A configuration as the setup command makes it: the device's outputs, one default rule each.
EventConfig DeviceConfig(int inputs, int analogOutputs = 2, std::vector<int> digitalGroups = {4});

TimingLimits Limits(double maxDelay = 10, double maxHoldoff = 10);

class PaneHarness : public owl::TDialog, public VavazaZavidi::PaneOwner {
public:
    static constexpr int kTabs = 201;

    PaneHarness(const EventConfig& config, const TimingLimits& limits);
    ~PaneHarness() override;

    // --- What the panes ask
    std::int32_t GetCurrentOutput() const override { return current_; }
    EventConfig& GetConfig() override { return config; }
    void SaveRules() override;
    void LoadRules() override;
    void AddRule(int row) override;
    void UpdateRuleButtons() override;
    void MarkTab(std::int32_t index, bool on) override;
    void EnableRules(bool on) override;
    void ShowRuleVerb(bool goes) override;
    void GetInputRange(std::int32_t input, Tev::String& range, Tev::String& unit) override;
    bool IsThemed() const override { return themed; }
    HBRUSH GetTabBackgroundBrush() const override { return tabBrush; }
    HWND GetTabControlWindow() const override { return GetDlgItem(kTabs); }
    VavazaZavidi::OnOffPane& GetOnOffPane() override { return *onOff_; }
    VavazaZavidi::SettingsPane& GetSettingsPane() override { return *settings_; }

    // --- What the setup dialog would do
    // Stores the page into the current output and shows output `index` (a tab switch).
    void SwitchTo(std::int32_t index);
    void StoreSettings();

    VavazaZavidi::RulePane& Row(int row) { return *rows_.at(static_cast<std::size_t>(row)); }
    int VisibleRows() const { return visibleRows_; }

    EventConfig config;
    // Range and unit texts by input; inputs not in the map have none.
    std::map<std::int32_t, std::pair<std::u16string, std::u16string>> ranges;
    std::vector<std::pair<std::int32_t, bool>> marks;  // MarkTab calls
    std::vector<bool> verbs;                           // ShowRuleVerb calls
    bool themed = false;
    HBRUSH tabBrush = nullptr;

protected:
    void SetupWindow() override;

private:
    void ShowOutput(std::int32_t index);

    std::unique_ptr<VavazaZavidi::OnOffPane> onOff_;
    std::array<std::unique_ptr<VavazaZavidi::RulePane>, 4> rows_;
    std::unique_ptr<VavazaZavidi::SettingsPane> settings_;
    std::int32_t current_ = 0;
    int visibleRows_ = 0;
};

}  // namespace PaneTest
