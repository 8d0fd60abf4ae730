#include "dialog/detector_dialog.h"

#include <cmath>
#include <string>

#include "dialog/on_off_pane.h"
#include "dialog/pane_texts.h"
#include "dialog/rule_pane.h"
#include "dialog/settings_pane.h"
#include "platform/gdi/gdi.h"
#include "platform/module/module.h"
#include "platform/theme/uxtheme_types.h"
#include "resources/dialog_ids.h"
#include "resources/string_ids.h"
#include "support/controls/bmp_txt_button.h"
#include "support/format/format_stream.h"
#include "support/xml/fxml_reader.h"

namespace VavazaZavidi {

namespace {

// The output whose tab was selected last, for the next opening of the dialog in this process.
unsigned g_lastSelectedOutput = 0;

const wchar_t kPhysicalGain[] = L"PhysicalGainIndex";

// The level a row's edit accepts, in percent of the input's range, either sign.
constexpr double kMaxLevel = 100;

bool Within(double value, double minimum, double maximum) {
    return value >= minimum && value <= maximum;  // false for NaN
}

}  // namespace

DetectorDialog::DetectorDialog(owl::TWindow* parent, const TimingLimits& limits,
                               const EventConfig& config, SetupDocument* document)
    : Tev::DialogBase(parent, static_cast<int>(TemplateId::kSetupDialog)),
      limits_(limits),
      document_(document),
      config_(config) {
    tabs_ = std::make_unique<owl::TTabControl>(this, SetupDialogId::kTabs, GetModule());
    onOff_ = std::make_unique<OnOffPane>(this, GetModule(), *this);
    for (int row = 0; row < kMaxRows; ++row)
        rows_[static_cast<std::size_t>(row)] = std::make_unique<RulePane>(this, GetModule(), row);
    settings_ = std::make_unique<SettingsPane>(this, GetModule(), limits_, *this);
    ok_ = std::make_unique<owl::TButton>(this, SetupDialogId::kOk, GetModule());
    cancel_ = std::make_unique<owl::TButton>(this, SetupDialogId::kCancel, GetModule());
    help_ = std::make_unique<TevControls::TBmpTxtButton>(this, SetupDialogId::kHelp, GetModule(),
                                                         PaneText(StringId::kHelpButtonTip));

    OnNotify(SetupDialogId::kTabs, TCN_SELCHANGE, [this](NMHDR&) {
        TabChanged();
        return LRESULT{0};
    });
    OnCommand(SetupDialogId::kHelp, [this] { CmHelp(); });
}

DetectorDialog::~DetectorDialog() = default;

unsigned DetectorDialog::LastSelectedOutput() {
    return g_lastSelectedOutput;
}

// --- Setting up

void DetectorDialog::SetupWindow() {
    Tev::DialogBase::SetupWindow();

    Tev::String name;
    if (document_ != nullptr && document_->GetDeviceName(name) && !name.IsEmpty()) {
        Tev::OFormatStringStream caption(PaneText(StringId::kDialogCaptionWithDevice));
        caption << name;
        SetCaption(caption.str().Text());
    }

    themed_ = EvaluateThemed();
    tabs_->SetMinTabWidth(0);

    const int outputs = config_.GetCount();
    for (int index = 0; index < outputs; ++index) {
        tabs_->Add(config_.GetName(index).c_str());
        MarkTab(index, config_.Settings(index).On);
    }

    onOff_->Create();
    onOff_->MoveWindow(PlaceholderRect(SetupDialogId::kOnOffPlace));

    const owl::TRect row0 = PlaceholderRect(SetupDialogId::kRuleRowPlace);
    for (int row = 0; row < kMaxRows; ++row) {
        RulePane& pane = GetRulePane(row);
        pane.Create();
        pane.FillInputs(config_.GetInputCount());
        owl::TRect place = row0;
        place.Offset(0, row * row0.Height());
        pane.MoveWindow(place);
        pane.ShowWindow(row < visibleRows_ ? SW_SHOW : SW_HIDE);
    }

    settings_->Create();
    settings_->MoveWindow(PlaceholderRect(SetupDialogId::kSettingsPlace));

    const unsigned shown =
        g_lastSelectedOutput < static_cast<unsigned>(outputs) ? g_lastSelectedOutput : 0;
    currentOutput_ = shown;
    g_lastSelectedOutput = shown;
    if (outputs > 0) {
        settings_->LoadSettings(config_.Settings(static_cast<std::int32_t>(shown)));
        LoadRules();
        tabs_->SetSel(static_cast<int>(shown));
        settings_->LoadSettings(config_.Settings(static_cast<std::int32_t>(shown)));
    }
    // The page's picture at the size the rows gave the tab control (drawn by ResizeForRules
    // when they changed it); nothing is painted before this.
    tabBrushes_.Update(tabs_->GetHandle());

    help_->SetGlyph(static_cast<int>(BitmapId::kHelp), GetModule());
    help_->Invalidate();

    constexpr UINT kKeepPlace = SWP_NOMOVE | SWP_NOSIZE;
    settings_->SetWindowPos(HWND_TOP, 0, 0, 0, 0, kKeepPlace);
    for (int row = kMaxRows - 1; row >= 0; --row)
        GetRulePane(row).SetWindowPos(HWND_TOP, 0, 0, 0, 0, kKeepPlace);
    onOff_->SetWindowPos(HWND_TOP, 0, 0, 0, 0, kKeepPlace);
}

owl::TRect DetectorDialog::PlaceholderRect(int id) const {
    const HWND placeholder = GetDlgItem(id);
    RECT rect{};
    ::GetWindowRect(placeholder, &rect);
    ::MapWindowPoints(nullptr, GetHandle(), reinterpret_cast<POINT*>(&rect), 2);
    return owl::TRect(rect);
}

int DetectorDialog::RowHeight() const {
    return PlaceholderRect(SetupDialogId::kRuleRowPlace).Height();
}

bool DetectorDialog::EvaluateThemed() {
    // The visual-styles library is asked only for its answer and let go again. Its file is
    // named in lower case, as file names are told apart by case on this system.
    bool themed = false;
    if (HMODULE library = LoadLibraryW(u"uxtheme.dll")) {
        if (auto isAppThemed =
                reinterpret_cast<IsAppThemedFunction>(GetProcAddress(library, "IsAppThemed"))) {
            themed = isAppThemed() != FALSE;
        }
        FreeLibrary(library);
    }
    return themed;
}

HWND DetectorDialog::GetTabControlWindow() const {
    return tabs_->GetHandle();
}

void DetectorDialog::EvSysColorChange() {
    Tev::DialogBase::EvSysColorChange();
    themed_ = EvaluateThemed();
    // The page's pictures change with the colours: the panes paint with a new one.
    tabBrushes_.Redraw(tabs_->GetHandle());
    RedrawWindow(RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

void DetectorDialog::EvThemeChanged() {
    Tev::DialogBase::EvThemeChanged();
    // The picture in use stays until the next resize or colour change.
    tabBrushes_.Outdate();
}

// --- Tabs

void DetectorDialog::TabChanged() {
    SaveSettings();
    SaveRules();
    const int selected = tabs_->GetSel();
    if (selected < 0)
        return;
    ShowOutput(static_cast<unsigned>(selected));
}

void DetectorDialog::ShowOutput(unsigned index) {
    currentOutput_ = index;
    settings_->LoadSettings(config_.Settings(static_cast<std::int32_t>(index)));
    LoadRules();
    g_lastSelectedOutput = index;
}

void DetectorDialog::MarkTab(std::int32_t index, bool on) {
    if (index < 0 || index >= config_.GetCount() || index >= tabs_->GetCount())
        return;
    const std::u16string_view marker(kOnMarker);
    const owl::tstring label = tabs_->GetItemText(index, 128);
    const bool marked = label.size() >= marker.size() &&
                        std::u16string_view(label).substr(label.size() - marker.size()) == marker;
    owl::tstring changed = label;
    if (on && !marked)
        changed += marker;
    if (!on && marked)
        changed.erase(label.size() - marker.size());
    if (changed != label)
        tabs_->SetItemText(index, changed.c_str());
}

// --- Settings and rules

void DetectorDialog::SaveSettings() {
    if (config_.GetCount() == 0)
        return;
    OutputSettings settings;
    settings_->StoreSettings(settings);
    config_.Settings(static_cast<std::int32_t>(currentOutput_)) = settings;
}

void DetectorDialog::SaveRules() {
    if (config_.GetCount() == 0)
        return;
    // An output given without rules still shows one row; it has no rule to write into.
    const int rules = config_.GetRuleCount(static_cast<std::int32_t>(currentOutput_));
    for (int row = 0; row < visibleRows_ && row < rules; ++row)
        GetRulePane(row).SaveRule();
}

void DetectorDialog::LoadRules() {
    const int count = config_.GetRuleCount(static_cast<std::int32_t>(currentOutput_));
    for (int row = 0; row < count && row < kMaxRows; ++row)
        GetRulePane(row).LoadRule();
    if (count != visibleRows_)
        ResizeForRules(count - visibleRows_);
    UpdateRuleButtons();
}

void DetectorDialog::AddRule(int row) {
    config_.InsertRule(static_cast<std::int32_t>(currentOutput_), row);
}

void DetectorDialog::UpdateRuleButtons() {
    const bool on = onOff_->IsOn();
    const int count = config_.GetCount() == 0
                          ? 0
                          : config_.GetRuleCount(static_cast<std::int32_t>(currentOutput_));
    for (int row = 0; row < visibleRows_; ++row)
        GetRulePane(row).EnableButtons(count < kMaxRows && on, count > 1 && on);
}

void DetectorDialog::ResizeForRules(int rows) {
    if (rows == 0 || visibleRows_ + rows < 1 || visibleRows_ + rows > kMaxRows)
        return;
    const int move = rows * RowHeight();

    owl::TRect dialog = GetWindowRect();
    MoveWindow(dialog.left, dialog.top, dialog.Width(), dialog.Height() + move, true);
    auto placeOf = [this](const owl::TWindow& window) {
        const owl::TRect rect = window.GetWindowRect();
        owl::TPoint topLeft = rect.TopLeft();
        ScreenToClient(topLeft);
        return owl::TRect(topLeft, rect.Size());
    };
    const owl::TRect tabs = placeOf(*tabs_);
    tabs_->MoveWindow(tabs.left, tabs.top, tabs.Width(), tabs.Height() + move, true);
    tabBrushes_.Update(tabs_->GetHandle());

    auto moveDown = [&](owl::TWindow& window) {
        const owl::TRect rect = placeOf(window);
        window.MoveWindow(rect.left, rect.top + move, rect.Width(), rect.Height(), true);
    };
    moveDown(*settings_);
    moveDown(*ok_);
    moveDown(*cancel_);
    moveDown(*help_);

    if (rows < 0) {
        for (int row = visibleRows_ - 1; row >= visibleRows_ + rows; --row)
            GetRulePane(row).ShowWindow(SW_HIDE);
    } else {
        for (int row = visibleRows_; row < visibleRows_ + rows; ++row)
            GetRulePane(row).ShowWindow(SW_SHOW);
    }

    for (int row = 0; row < kMaxRows; ++row)
        GetRulePane(row).Repaint();
    onOff_->Invalidate();
    settings_->RedrawWindow(RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
    visibleRows_ += rows;
}

void DetectorDialog::EnableRules(bool on) {
    for (int row = 0; row < kMaxRows; ++row)
        GetRulePane(row).EnableRow(on);
}

void DetectorDialog::ShowRuleVerb(bool goes) {
    for (int row = 0; row < kMaxRows; ++row)
        GetRulePane(row).ShowVerb(goes);
}

void DetectorDialog::GetInputRange(std::int32_t input, Tev::String& range, Tev::String& unit) {
    range.Clear();
    unit.Clear();
    Tev::String description;
    if (document_ == nullptr || !document_->GetInputDescription(input, description))
        return;
    FXMLReader reader;
    const std::unique_ptr<FXMLElement> root = reader.Parse(description.ToWide());
    if (root == nullptr)
        return;
    const FXMLElement* gain = root->FindChild(kPhysicalGain);
    if (gain == nullptr)
        return;
    const std::wstring content = gain->GetText();
    const std::size_t blank = content.find(L' ');
    if (blank == std::wstring::npos) {
        range = Tev::String::FromWide(content);
        unit = range;
        return;
    }
    range = Tev::String::FromWide(std::wstring_view(content).substr(0, blank));
    unit = Tev::String::FromWide(std::wstring_view(content).substr(blank + 1));
}

// --- Buttons

void DetectorDialog::CmOk() {
    SaveSettings();
    SaveRules();
    if (!CanClose() || !CheckOtherOutputs())
        return;
    Destroy(IDOK);
}

bool DetectorDialog::CheckOtherOutputs() {
    const auto refused = [this](std::int32_t index) {
        const OutputSettings& s = config_.Settings(index);
        if (!s.On)
            return false;  // its edits are disabled, and disabled edits are not checked
        if (s.LimitedDuration && (!Within(s.PulseDuration, 0, SettingsPane::kMaxPulseWidth) ||
                                  !Within(s.RetriggerHoldoffTime, 0, limits_.MaxHoldoff))) {
            return true;
        }
        if (!Within(s.PulseDelay, 0, limits_.MaxPulseDelay))
            return true;
        if (s.LimitedNumPulses && !Within(s.PulseNumLimit, 0, SettingsPane::kMaxPulseCount))
            return true;
        for (const Rule& rule : config_.GetOutput(index).Rules) {
            if (!Within(rule.Hysteresis, 0, RulePane::kMaxHysteresis) ||
                !Within(rule.Level, -kMaxLevel, kMaxLevel)) {
                return true;
            }
        }
        return false;
    };
    for (std::int32_t index = 0; index < config_.GetCount(); ++index) {
        if (static_cast<unsigned>(index) == currentOutput_ || !refused(index))
            continue;
        // Shown as the user would find it: its tab selected, then the page's own check.
        tabs_->SetSel(index);
        TabChanged();
        if (!CanClose())
            return false;
    }
    return true;
}

void DetectorDialog::CmHelp() {
    if (document_ != nullptr)
        document_->ShowHelp(Tev::String(u"tvl_setup"), Tev::String(u"TarvelHelp"));
}

}  // namespace VavazaZavidi
