// The user-interface driver: whoever acts as the user of this process. Every modal dialog
// runs its user's part through the driver, and every message box asks the driver for the
// button the user chooses. Tests and the host's scripted mode install a ScriptedUser
// (platform/ui/scripted_user.h); a real-window backend would implement the same interface.
// Without an installed driver nobody is at the screen: modal dialogs end with Cancel and
// message boxes answer with their default button.
#pragma once

#include <string>
#include <vector>

#include "platform/ui/user_types.h"

namespace ui {

struct MessageBoxRequest {
    HWND owner = nullptr;
    std::u16string text;
    std::u16string caption;
    UINT flags = 0;
    HWND activeWindow = nullptr;  // the active window when the box came up
};

// The buttons a message box with these flags offers, in order (IDOK, IDCANCEL ...).
std::vector<int> MessageBoxButtons(UINT flags);
// The button that Enter would press: the first, or the one MB_DEFBUTTON2/3 names.
int DefaultMessageBoxAnswer(UINT flags);

// Shows the message box as a modal dialog of the toolkit (its icon, text and buttons), run by
// the current driver like any dialog, and returns the button chosen; a box left open takes
// its default answer. For drivers that put message boxes on a real screen.
int RunMessageBoxDialog(const MessageBoxRequest& request);

class Driver {
public:
    virtual ~Driver() = default;

    // Acts as the user on a modal dialog that has just been shown; returns when the user is
    // done. A dialog still open afterwards is ended with Cancel by its runner.
    virtual void RunModal(HWND dialog) = 0;

    // Shows a message box and returns the button the user chose.
    virtual int ShowMessageBox(const MessageBoxRequest& request) = 0;

protected:
    Driver() = default;
    Driver(const Driver&) = delete;
    Driver& operator=(const Driver&) = delete;
};

// The process's driver; the absent user when none is installed.
Driver& CurrentDriver();
// Installs a driver (null: the absent user again) and returns the one it replaces.
Driver* InstallDriver(Driver* driver);

}  // namespace ui
