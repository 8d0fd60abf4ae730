#include "host/inspect/demo_user.h"

#include "platform/gdi/png.h"
#include "resources/dialog_ids.h"
#include "resources/pane_ids.h"

namespace inspect {

namespace {

namespace Setup = VavazaZavidi::SetupDialogId;
namespace OnOff = VavazaZavidi::OnOffPaneId;
namespace Row = VavazaZavidi::RulePaneId;
namespace Template = VavazaZavidi::TemplateId;

constexpr int kMaxRows = 4;

// "When Input 1 goes above 2.5 (Level (V)), hysteresis 5 %"
std::u16string RowSentence(const ui::WindowUser& row) {
    return u"When " + row.Control(Row::kInput).SelectedText() + u" " +
           row.Control(Row::kVerb).Text() + u" " + row.Control(Row::kDirection).SelectedText() +
           u" " + row.Control(Row::kLevelEdit).Text() + u" (" +
           row.Control(Row::kLevelLabel).Text() + u"), hysteresis " +
           row.Control(Row::kHysteresis).Text() + u" %";
}

}  // namespace

void PlayDemoUser(ui::WindowUser& dialog, std::u16string_view level, DemoUserSaw& seen,
                  const std::string& snapshot) {
    dialog.Control(Setup::kTabs).SelectTab(0);
    ui::ControlUser generate = dialog.ChildDialog(Template::kOnOffPane).Control(OnOff::kGenerate);
    if (!generate.IsChecked())
        generate.Click();
    ui::WindowUser row = dialog.ChildDialog(Template::kRulePane, 0);
    row.Control(Row::kInput).Select(u"Input 1");
    row.Control(Row::kDirection).Select(u"above");
    row.Control(Row::kLevelEdit).Type(level);
    row.Control(Row::kLevelEdit).Leave();

    seen.caption = dialog.Caption();
    seen.tabs = dialog.Control(Setup::kTabs).TabLabels();
    for (int r = 0; r < kMaxRows; ++r) {
        const ui::WindowUser shown = dialog.ChildDialog(Template::kRulePane, r);
        if (shown.Find(Row::kInput).IsVisible())
            seen.rows.push_back(RowSentence(shown));
    }
    if (!snapshot.empty())
        gdi::WritePng(dialog.Snapshot(), snapshot);
    dialog.PressOk();
}

}  // namespace inspect
