// Writes a picture of the setup dialog as a user meets it: a device of 8 inputs, 2 analog and
// 8 digital outputs (or the device described); output 1 on, with a fixed-width pulse and two
// conditions.
//   dialog_snapshot FILE.png [DEVICE]      DEVICE as ostrel's --device, e.g. "range=50 kPa"
#include <cstdio>
#include <exception>
#include <string>

#include "dialog/detector_dialog.h"
#include "platform/gdi/png.h"
#include "platform/theme/theme_service.h"
#include "platform/ui/scripted_user.h"
#include "tests/dialog/setup_dialog_fixture.h"

int main(int argc, char** argv) {
    if (argc != 2 && argc != 3) {
        std::fprintf(stderr, "usage: dialog_snapshot FILE.png [DEVICE]\n");
        return 2;
    }
    try {
        theme::SetMode(theme::Mode::Themed);
        dialog_test::SetupDialogHost host(argc == 3 ? argv[2] : "inputs=8, analog=2, digital=4+4");
        VavazaZavidi::EventConfig& config = host.Config();
        VavazaZavidi::OutputSettings& settings = config.Settings(0);
        settings.On = true;
        settings.LimitedDuration = true;
        settings.RetriggerHoldoff = true;
        settings.PulseDuration = 0.01;
        settings.PulseDelay = 0.002;
        settings.RetriggerHoldoffTime = 0.5;
        config.InsertRule(0, 0);
        config.SetRule(0, 0, VavazaZavidi::Rule{0, true, 5.0, 25.0});
        config.SetRule(0, 1, VavazaZavidi::Rule{2, false, 10.0, -40.0});

        ui::ScriptedUser user;
        VavazaZavidi::DetectorDialog dialog(nullptr, host.Limits(), config, &host.Document());
        std::string error;
        user.OnNextDialog([&](ui::WindowUser& d) {
            try {
                gdi::WritePng(d.Snapshot(), argv[1]);
            } catch (const std::exception& e) {
                error = e.what();
            }
            d.PressCancel();
        });
        dialog.Execute();
        if (!error.empty()) {
            std::fprintf(stderr, "dialog_snapshot: %s\n", error.c_str());
            return 1;
        }
    } catch (const std::exception& e) {
        std::fprintf(stderr, "dialog_snapshot: %s\n", e.what());
        return 1;
    }
    return 0;
}
