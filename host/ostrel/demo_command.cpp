#include "host/ostrel/demo_command.h"

#include <cstdlib>
#include <optional>
#include <vector>

#include "host/device/simulated_corvex.h"
#include "host/inspect/demo_user.h"
#include "host/inspect/tarvel_formats.h"
#include "host/ostrel/document_commands.h"
#include "host/ostrel/rule_warnings.h"
#include "platform/screen/screen_user.h"
#include "platform/text/utf.h"
#include "platform/ui/scripted_user.h"

namespace ostrel {
namespace {

constexpr double kTriggerVolts = 2.5;
// How long each step of the demonstration stays on the screen with --window.
constexpr unsigned kWatchedStepMilliseconds = 250;

}  // namespace

namespace {

void PrintMenuItem(OstrelHost& host, const session::MenuItem& item, const char* when,
                   std::ostream& out) {
    const session::MenuItemState state = host.Session().QueryMenuItem(item, host.Extension());
    out << "Menu item \"" << text::ToUtf8(item.text) << "\" " << when << ": "
        << (state.enabled ? "enabled" : "greyed") << ", "
        << (state.checked ? "checked" : "not checked") << "\n";
}

}  // namespace

int RunDemo(const DemoOptions& options, std::ostream& out, std::ostream& err) {
    const device::DeviceDescription description;  // the demonstration device
    out << "Demonstration: output 1 on, Input 1 above " << kTriggerVolts << " "
        << description.RangeOf(0).Unit << ", set up through the dialog\n";
    OstrelHost host(description, out);
    host.PrintSetup(out);
    host.Device().ClearRecord();
    const std::vector<session::MenuItem> items = host.Session().MenuItems();
    if (items.empty()) {
        err << "ostrel: the extension offers no menu command\n";
        return 1;
    }
    PrintMenuItem(host, items.front(), "before", out);

    std::string noDisplay;
    if (options.Window && !screen::OpenDisplay(noDisplay)) {
        err << "ostrel: demo --window: the dialog cannot be shown: " << noDisplay << "\n";
        return 2;
    }
    inspect::DemoUserSaw seen;
    std::vector<std::string> problems;
    {
        ui::ScriptedUser user;
        user.OnNextDialog([&](ui::WindowUser& dialog) {
            inspect::PlayDemoUser(dialog, u"2.5", seen, options.Snapshot);
        });
        std::optional<screen::WatchedScript> watched;
        if (options.Window)
            watched.emplace(user, kWatchedStepMilliseconds);
        host.Session().ChooseMenuItem(items.front(), host.Extension());
        problems = user.TakeProblems();
        if (user.PendingScripts() != 0)
            problems.push_back("the setup dialog did not come up");
    }
    for (const std::string& problem : problems)
        err << "ostrel: " << problem << "\n";
    if (!problems.empty())
        return 1;

    out << "The user saw the dialog \"" << text::ToUtf8(seen.caption) << "\" with the tabs";
    for (const std::u16string& tab : seen.tabs)
        out << " [" << text::ToUtf8(tab) << "]";
    out << "\n";
    for (const std::u16string& row : seen.rows)
        out << "  " << text::ToUtf8(row) << "\n";
    if (!options.Snapshot.empty())
        out << "Picture of the dialog before OK: " << options.Snapshot << "\n";
    out << "OK pressed: the configuration text message went to the document\n";
    PrintMenuItem(host, items.front(), "after", out);
    ReportRuleWarnings(host.DocumentText(), description, nullptr, false, err);
    return PrintOutcome(host, options.Hex, out, err);
}

}  // namespace ostrel
