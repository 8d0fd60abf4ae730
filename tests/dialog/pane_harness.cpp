#include "tests/dialog/pane_harness.h"

#include "host/device/simulated_corvex.h"
#include "platform/ui/common_controls.h"

using device::DeviceDescription;
using device::SimulatedCorvex;

namespace PaneTest {
namespace {

using namespace VavazaZavidi;

constexpr DWORD kShown = WS_CHILD | WS_VISIBLE;
const DialogItemTemplate kItems[] = {
    {WC_TABCONTROLW, u"", PaneHarness::kTabs, 7, 7, 486, 392, kShown},
    {u"Button", u"OK", IDOK, 387, 405, 50, 14, kShown | WS_TABSTOP | BS_DEFPUSHBUTTON, 0},
    {u"Button", u"Cancel", IDCANCEL, 442, 405, 50, 14, kShown | WS_TABSTOP, 0},
};
const DialogTemplate kTemplate{WS_POPUP | WS_CAPTION | DS_MODALFRAME | DS_SHELLFONT,
                               0,
                               0,
                               0,
                               499,
                               426,
                               u"Panes",
                               u"MS Shell Dlg",
                               8,
                               kItems,
                               std::size(kItems)};

// Where the panes go, in dialog units: the on/off pane, rule row 0 (one row height apart from
// the next) and the settings pane under the fourth row.
constexpr int kLeft = 16;
constexpr int kOnOffTop = 28;
constexpr int kRowTop = 60;
constexpr int kRowHeight = 60;
constexpr int kSettingsTop = kRowTop + 4 * kRowHeight + 1;

owl::TRect Place(owl::TWindow& dialog, int top, int height) {
    RECT units{kLeft, top, kLeft + 469, top + height};
    MapDialogRect(dialog.GetHandle(), &units);
    return owl::TRect(units);
}

}  // namespace

EventConfig DeviceConfig(int inputs, int analogOutputs, std::vector<int> digitalGroups) {
    DeviceDescription description;
    description.Inputs = inputs;
    description.AnalogOutputs = analogOutputs;
    description.DigitalGroups = std::move(digitalGroups);
    const auto corvex = SimulatedCorvex::Create(description);
    EventConfig config;
    config.LoadFromDevice(corvex.Get());
    return config;
}

TimingLimits Limits(double maxDelay, double maxHoldoff) {
    TimingLimits limits{};
    limits.Size = TimingLimits::kSize;
    limits.MaxPulseDelay = maxDelay;
    limits.MaxHoldoff = maxHoldoff;
    return limits;
}

PaneHarness::PaneHarness(const EventConfig& copy, const TimingLimits& limits)
    : owl::TDialog(nullptr, kTemplate), config(copy) {
    onOff_ = std::make_unique<OnOffPane>(this, nullptr, *this);
    for (int row = 0; row < 4; ++row)
        rows_[static_cast<std::size_t>(row)] = std::make_unique<RulePane>(this, nullptr, row);
    settings_ = std::make_unique<SettingsPane>(this, nullptr, limits, *this);
}

PaneHarness::~PaneHarness() = default;

void PaneHarness::SetupWindow() {
    owl::TDialog::SetupWindow();
    onOff_->Create();
    onOff_->MoveWindow(Place(*this, kOnOffTop, 31));
    for (int row = 0; row < 4; ++row) {
        RulePane& pane = Row(row);
        pane.Create();
        pane.FillInputs(config.GetInputCount());
        pane.MoveWindow(Place(*this, kRowTop + row * kRowHeight, kRowHeight));
    }
    settings_->Create();
    settings_->MoveWindow(Place(*this, kSettingsTop, 90));
    if (config.GetCount() > 0)
        ShowOutput(0);
}

void PaneHarness::ShowOutput(std::int32_t index) {
    current_ = index;
    settings_->LoadSettings(config.Settings(index));
    LoadRules();
}

void PaneHarness::SwitchTo(std::int32_t index) {
    StoreSettings();
    SaveRules();
    ShowOutput(index);
}

void PaneHarness::StoreSettings() {
    OutputSettings settings;
    settings_->StoreSettings(settings);
    config.Settings(current_) = settings;
}

void PaneHarness::SaveRules() {
    for (int row = 0; row < visibleRows_; ++row)
        Row(row).SaveRule();
}

void PaneHarness::LoadRules() {
    visibleRows_ = config.GetRuleCount(current_);
    for (int row = 0; row < 4; ++row) {
        if (row < visibleRows_)
            Row(row).LoadRule();
        Row(row).ShowWindow(row < visibleRows_ ? SW_SHOW : SW_HIDE);
    }
    UpdateRuleButtons();
}

void PaneHarness::AddRule(int row) {
    config.InsertRule(current_, row);
}

void PaneHarness::UpdateRuleButtons() {
    const bool on = onOff_->IsOn();
    const int count = config.GetRuleCount(current_);
    for (int row = 0; row < visibleRows_; ++row)
        Row(row).EnableButtons(on && count < 4, on && count > 1);
}

void PaneHarness::MarkTab(std::int32_t index, bool on) {
    marks.emplace_back(index, on);
}

void PaneHarness::EnableRules(bool on) {
    for (int row = 0; row < 4; ++row)
        Row(row).EnableRow(on);
}

void PaneHarness::ShowRuleVerb(bool goes) {
    verbs.push_back(goes);
    for (int row = 0; row < 4; ++row)
        Row(row).ShowVerb(goes);
}

void PaneHarness::GetInputRange(std::int32_t input, Tev::String& range, Tev::String& unit) {
    const auto found = ranges.find(input);
    range = found != ranges.end() ? Tev::String(found->second.first) : Tev::String();
    unit = found != ranges.end() ? Tev::String(found->second.second) : Tev::String();
}

}  // namespace PaneTest
