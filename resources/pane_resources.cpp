// The dialog templates of the setup dialog's panes (the on/off pane, a rule row, the output
// settings pane) and the rule rows' plus and minus glyphs, registered for the module this
// file is linked into when the module loads.
#include "resources/pane_resources.h"

#include <cstdint>
#include <iterator>

#include "platform/module/resource.h"
#include "platform/ui/common_controls.h"
#include "platform/ui/dialog_template.h"
#include "resources/dialog_ids.h"
#include "resources/pane_ids.h"

namespace {

using namespace VavazaZavidi;

// A pane is a child dialog that the tab order enters.
constexpr DWORD kPaneStyle = WS_CHILD | WS_VISIBLE | DS_CONTROL | DS_SHELLFONT;

constexpr DWORD kShown = WS_CHILD | WS_VISIBLE;
constexpr DWORD kLabel = kShown | SS_LEFT;
constexpr DWORD kCentredLabel = kShown | SS_CENTER;
constexpr DWORD kSeparatorLine = kShown | SS_ETCHEDFRAME;
constexpr DWORD kCheckBox = kShown | BS_AUTOCHECKBOX | WS_TABSTOP;
constexpr DWORD kDropDownList = kShown | CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP;
constexpr DWORD kEdit = kShown | WS_BORDER | WS_TABSTOP;
constexpr DWORD kGlyphButton = kShown | BS_PUSHBUTTON | BS_BITMAP | BS_CENTER | WS_TABSTOP;

// The labels' and check boxes' widths fit their texts on one line in the toolkit's fixed font,
// 6 pixels a character (a dialog unit across is 1.5 pixels; a check box's square and gap take
// 16 pixels before its text); the controls to their right sit where those widths leave room.
//
// Template 209: "Generate output when [all] of the following conditions are met:".
constexpr DialogItemTemplate kOnOffItems[] = {
    {u"Button", u"Generate output when", OnOffPaneId::kGenerate, 15, 9, 92, 12, kCheckBox, 0},
    {u"ComboBox", u"", OnOffPaneId::kCombination, 111, 9, 30, 60, kDropDownList, 0},
    {u"Static", u"of the following conditions are met:", OnOffPaneId::kConditions, 146, 9, 144, 12,
     kLabel, 0},
};

// Template 208: one condition row. The up-down follows the level edit, its automatic buddy.
// The level label holds "Level (" with a unit of up to 6 characters, the range labels below
// the slider's ends a range of up to 6 characters with its sign, centred where they were.
constexpr DialogItemTemplate kRuleItems[] = {
    {u"Static", u"", RulePaneId::kSeparator, 7, 0, 454, 1, kSeparatorLine, 0},
    {u"Static", u"When", RulePaneId::kWhen, 15, 23, 20, 12, kLabel, 0},
    {u"ComboBox", u"", RulePaneId::kInput, 37, 23, 46, 256, kDropDownList, 0},
    {u"Static", u"goes", RulePaneId::kVerb, 86, 23, 16, 12, kCentredLabel, 0},
    {u"ComboBox", u"", RulePaneId::kDirection, 104, 23, 41, 256, kDropDownList, 0},
    {u"Static", u"Level (V)", RulePaneId::kLevelLabel, 158, 12, 56, 8, kLabel, 0},
    {TRACKBAR_CLASSW, u"", RulePaneId::kLevelSlider, 163, 23, 110, 20,
     kShown | TBS_AUTOTICKS | WS_TABSTOP, 0},
    {u"Edit", u"", RulePaneId::kLevelEdit, 273, 23, 43, 14, kEdit | ES_AUTOHSCROLL, 0},
    {UPDOWN_CLASSW, u"", RulePaneId::kLevelUpDown, 306, 23, 10, 13,
     kShown | UDS_ARROWKEYS | UDS_HOTTRACK | UDS_ALIGNRIGHT | UDS_AUTOBUDDY, 0},
    {u"Static", u"Hysteresis:", RulePaneId::kHysteresisLabel, 330, 24, 44, 12, kLabel, 0},
    {u"Edit", u"", RulePaneId::kHysteresis, 376, 23, 22, 14, kEdit, 0},
    {u"Static", u"%", RulePaneId::kPercent, 402, 24, 8, 12, kLabel, 0},
    {u"Button", u"", RulePaneId::kRemove, 437, 24, 12, 12, kGlyphButton, WS_EX_STATICEDGE},
    {u"Button", u"", RulePaneId::kAdd, 449, 24, 12, 12, kGlyphButton, WS_EX_STATICEDGE},
    {u"Static", u"-10", RulePaneId::kLowRange, 158, 44, 28, 8, kCentredLabel, 0},
    {u"Static", u"0", RulePaneId::kZero, 217, 44, 8, 8, kLabel, 0},
    {u"Static", u"10", RulePaneId::kHighRange, 250, 44, 28, 8, kCentredLabel, 0},
};

// Template 205: the "Output settings" group.
constexpr DialogItemTemplate kSettingsItems[] = {
    {u"Static", u"", SettingsPaneId::kSeparator, 7, 0, 454, 1, kSeparatorLine, 0},
    {u"Button", u"Output settings", SettingsPaneId::kGroup, 9, 8, 451, 76, kShown | BS_GROUPBOX, 0},
    {u"Button", u"Fixed width pulse:", SettingsPaneId::kFixedWidth, 19, 24, 100, 10, kCheckBox,
     WS_EX_TRANSPARENT},
    {u"Edit", u"", SettingsPaneId::kWidth, 134, 22, 40, 14, kEdit, 0},
    {u"Static", u"s", SettingsPaneId::kWidthUnit, 180, 24, 10, 8, kLabel, 0},
    {u"Static", u"Delay pulse for:", SettingsPaneId::kDelayLabel, 30, 44, 88, 10, kLabel,
     WS_EX_TRANSPARENT},
    {u"Edit", u"", SettingsPaneId::kDelay, 134, 42, 40, 14, kEdit, 0},
    {u"Static", u"s", SettingsPaneId::kDelayUnit, 180, 44, 10, 8, kLabel, 0},
    {u"Button", u"Limited number of pulses:", SettingsPaneId::kLimitedCount, 19, 64, 112, 10,
     kCheckBox, 0},
    {u"Edit", u"", SettingsPaneId::kPulseCount, 134, 62, 40, 14, kEdit, 0},
    {u"Static", u"Wait after pulse start:", SettingsPaneId::kHoldoffLabel, 201, 24, 92, 10, kLabel,
     WS_EX_TRANSPARENT},
    {u"Edit", u"", SettingsPaneId::kHoldoff, 297, 21, 40, 14, kEdit, 0},
    {u"Static", u"s", SettingsPaneId::kHoldoffUnit, 343, 24, 10, 8, kLabel, 0},
};

constexpr DialogTemplate Pane(short height, const DialogItemTemplate* items, std::size_t count) {
    return DialogTemplate{kPaneStyle, 0, 0, 0, 469, height, u"", u"MS Shell Dlg", 8, items, count};
}

constexpr DialogTemplate kOnOffPane = Pane(31, kOnOffItems, std::size(kOnOffItems));
constexpr DialogTemplate kRulePane = Pane(60, kRuleItems, std::size(kRuleItems));
constexpr DialogTemplate kSettingsPane = Pane(90, kSettingsItems, std::size(kSettingsItems));

// 7 × 7 monochrome glyphs as packed device-independent bitmaps: the header, colour 0 black
// and colour 1 white, then the rows from the bottom up, each padded to four bytes. A row byte
// holds the seven pixels from its top bit down; a clear bit is black.

#define TARVEL_GLYPH_HEADER                                                                        \
    40, 0, 0, 0, 7, 0, 0, 0, 7, 0, 0, 0, 1, 0, 1, 0, 0, 0, 0, 0, 28, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, \
        0, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 255, 255, 255, 0

constexpr std::uint8_t kBlank = 0xFE;   // seven white pixels
constexpr std::uint8_t kCentre = 0xEE;  // white with the middle pixel black
constexpr std::uint8_t kBar = 0x00;     // seven black pixels

constexpr std::uint8_t kPlusGlyph[] = {
    TARVEL_GLYPH_HEADER,
    kCentre,
    0,
    0,
    0,
    kCentre,
    0,
    0,
    0,
    kCentre,
    0,
    0,
    0,  // rows 6, 5, 4
    kBar,
    0,
    0,
    0,  // row 3
    kCentre,
    0,
    0,
    0,
    kCentre,
    0,
    0,
    0,
    kCentre,
    0,
    0,
    0,  // rows 2, 1, 0
};

constexpr std::uint8_t kMinusGlyph[] = {
    TARVEL_GLYPH_HEADER,
    kBlank,
    0,
    0,
    0,
    kBlank,
    0,
    0,
    0,
    kBlank,
    0,
    0,
    0,  // rows 6, 5, 4
    kBar,
    0,
    0,
    0,  // row 3
    kBlank,
    0,
    0,
    0,
    kBlank,
    0,
    0,
    0,
    kBlank,
    0,
    0,
    0,  // rows 2, 1, 0
};

#undef TARVEL_GLYPH_HEADER

static_assert(sizeof kPlusGlyph == 40 + 8 + 7 * 4);

ResourceEntry Dialog(UINT id, const DialogTemplate& dialogTemplate) {
    return ResourceEntry{ResourceType::kDialog, static_cast<WORD>(id), kLanguageEnglishUs,
                         &dialogTemplate, sizeof(DialogTemplate)};
}

ResourceEntry Bitmap(UINT id, const std::uint8_t* data, std::size_t size) {
    return ResourceEntry{ResourceType::kBitmap, static_cast<WORD>(id), kLanguageEnglishUs, data,
                         static_cast<DWORD>(size)};
}

// Made on first use, so that a caller during the module's static initialisation finds them.
const ModuleResources& Registration() {
    static const ResourceEntry entries[] = {
        Dialog(TemplateId::kOnOffPane, kOnOffPane),
        Dialog(TemplateId::kRulePane, kRulePane),
        Dialog(TemplateId::kSettingsPane, kSettingsPane),
        Bitmap(BitmapId::kAddRule, kPlusGlyph, sizeof kPlusGlyph),
        Bitmap(BitmapId::kRemoveRule, kMinusGlyph, sizeof kMinusGlyph),
    };
    static const ModuleResources registration(entries);
    return registration;
}

// Registers the resources when the module loads, whether or not anything has asked yet.
[[maybe_unused]] const ModuleResources& kRegisteredAtLoad = Registration();

}  // namespace

HMODULE VavazaZavidi::PaneResourceModule() {
    return Registration().Module();
}
