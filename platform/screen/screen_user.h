// The user-interface driver for a person at a real screen: each modal dialog and message box
// of the toolkit opens in a real window of its own (SDL), which shows what the toolkit painted
// and hands the person's mouse and keyboard to the toolkit as the system's input. The
// toolkit does the rest exactly as it does for a script: focus, tab order, default button,
// Escape, Alt with a marked letter, the edits' filters. The close box is Cancel; timers run
// on the real clock while a window is shown.
//
//   if (auto person = screen::ScreenUser::IfDisplay(why)) { ... person->RunModal(dialog) ... }
//
// TARVEL_SCREEN_REPORT names a folder where each shown frame is described for the tests that
// act as the person (platform/screen/window_report.h).
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/screen/click_counter.h"
#include "platform/ui/driver.h"

union SDL_Event;

namespace screen {

class ScreenWindow;
class WindowReport;

// Starts the screen's video; false with the reason when there is no display to show on.
bool OpenDisplay(std::string& why);

class ScreenUser final : public ui::Driver {
public:
    // A person at the display, or null (with the reason) when there is none.
    static std::unique_ptr<ScreenUser> IfDisplay(std::string& why);
    ~ScreenUser() override;

    void RunModal(HWND dialog) override;
    int ShowMessageBox(const ui::MessageBoxRequest& request) override;

    int WindowsShown() const { return windowsShown_; }
    // Why a dialog could not be shown (it was cancelled then), or empty.
    const std::string& Problem() const { return problem_; }

private:
    ScreenUser();
    void Handle(const SDL_Event& event, ScreenWindow& current);

    std::vector<ScreenWindow*> open_;  // the modal windows shown, the innermost last
    std::unique_ptr<WindowReport> report_;
    ClickCounter clicks_;
    std::optional<ServerPress> serverPress_;  // the last press the server told of
    int windowsShown_ = 0;
    std::string problem_;
};

// Shows a scripted user at work: each modal dialog the script plays on opens in a real
// window, and every step of the script (each change of what a person would see) is shown for
// `pause` milliseconds. Installed over the script's driver while it lives.
class WatchedScript final : public ui::Driver {
public:
    WatchedScript(ui::Driver& script, unsigned pauseMilliseconds);
    ~WatchedScript() override;

    void RunModal(HWND dialog) override;
    int ShowMessageBox(const ui::MessageBoxRequest& request) override;

private:
    ui::Driver& script_;
    ui::Driver* previous_;
    unsigned pause_;
};

}  // namespace screen
