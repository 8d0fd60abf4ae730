// The ids of the module's dialog templates and bitmaps, and of the controls of the setup
// dialog's main template. The panes' controls are named in resources/pane_ids.h.
#pragma once

#include "platform/win_types.h"

namespace VavazaZavidi {

namespace TemplateId {
inline constexpr UINT kSetupDialog = 201;   // the tabbed setup dialog
inline constexpr UINT kSettingsPane = 205;  // "Output settings" group under the rule rows
inline constexpr UINT kRulePane = 208;      // one condition row
inline constexpr UINT kOnOffPane = 209;     // "Generate output when ... all/any ..."
}  // namespace TemplateId

namespace BitmapId {
inline constexpr UINT kAddRule = 208;     // 7 x 7 monochrome plus
inline constexpr UINT kRemoveRule = 209;  // 7 x 7 monochrome minus
inline constexpr UINT kHelp = 210;        // the help button's glyph
}  // namespace BitmapId

// Controls of the setup dialog's template.
namespace SetupDialogId {
inline constexpr int kOk = 1;               // default push button "OK"
inline constexpr int kCancel = 2;           // push button "Cancel"
inline constexpr int kHelp = 9;             // bitmap push button
inline constexpr int kTabs = 201;           // one tab per output
inline constexpr int kOnOffPlace = 227;     // hidden: where the on/off pane goes
inline constexpr int kRuleRowPlace = 248;   // hidden: rule row 0; its height is one row's
inline constexpr int kSettingsPlace = 249;  // hidden: where the settings pane goes
}  // namespace SetupDialogId

}  // namespace VavazaZavidi
