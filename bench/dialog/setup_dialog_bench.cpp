// The setup dialog for a device of 8 inputs, 2 analog and 8 digital outputs, driven by a
// scripted user: opening it (construction, setup of every pane, the tabs) and pressing OK; and
// one tab switch between an output with four rules and one with one rule, with the repaint of
// what the user sees.
#include <benchmark/benchmark.h>

#include <memory>

#include "dialog/detector_dialog.h"
#include "platform/gdi/image.h"
#include "platform/ui/scripted_user.h"
#include "resources/dialog_ids.h"
#include "tests/dialog/setup_dialog_fixture.h"

namespace {

using dialog_test::SetupDialogHost;
using VavazaZavidi::DetectorDialog;
using VavazaZavidi::EventConfig;
using VavazaZavidi::Rule;
namespace Setup = VavazaZavidi::SetupDialogId;

constexpr const char* kDevice = "inputs=8, analog=2, digital=4+4";

// Output 1 on with four rules, output 2 on with one.
void ShapeConfiguration(EventConfig& config) {
    for (int index : {0, 1})
        config.Settings(index).On = true;
    for (int k = 0; k < 3; ++k)
        config.InsertRule(0, k);
    for (int k = 0; k < 4; ++k)
        config.SetRule(0, k, Rule{k, k % 2 == 0, 5.0, 20.0 * k - 30.0});
}

void BM_OpenAndPressOk(benchmark::State& state) {
    SetupDialogHost host(kDevice);
    ShapeConfiguration(host.Config());
    ui::ScriptedUser user;
    for (auto _ : state) {
        DetectorDialog dialog(nullptr, host.Limits(), host.Config(), &host.Document());
        user.OnNextDialog([](ui::WindowUser& d) { d.PressOk(); });
        if (dialog.Execute() != IDOK)
            state.SkipWithError("the dialog did not end with OK");
    }
}
BENCHMARK(BM_OpenAndPressOk)->Unit(benchmark::kMillisecond);

void BM_SwitchFourRulesToOneAndRepaint(benchmark::State& state) {
    SetupDialogHost host(kDevice);
    ShapeConfiguration(host.Config());
    ui::ScriptedUser user;
    DetectorDialog dialog(nullptr, host.Limits(), host.Config(), &host.Document());
    user.OnNextDialog([&](ui::WindowUser& d) {
        ui::ControlUser tabs = d.Control(Setup::kTabs);
        int next = tabs.Selection() == 0 ? 1 : 0;
        for (auto _ : state) {
            tabs.SelectTab(next);
            benchmark::DoNotOptimize(d.Snapshot());  // paints what waits, as the screen would
            next = 1 - next;
        }
        d.PressCancel();
    });
    dialog.Execute();
}
BENCHMARK(BM_SwitchFourRulesToOneAndRepaint)->Unit(benchmark::kMicrosecond);

}  // namespace
