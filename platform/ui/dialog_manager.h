// The dialog manager's view of the windows in a dialog (internal to the platform runtime): the
// dialog that holds a window, which windows are push buttons, and which of them looks like the
// default button. The focus, the keyboard and the dialog class use it alike.
#pragma once

#include "platform/ui/user_types.h"

namespace ui {

// The deepest dialog above a window (child dialogs included), or null.
HWND DialogAbove(HWND window);
// The top-level dialog that holds a window, or null.
HWND TopDialogOf(HWND window);

// Moves the default-button look onto the focused push button, or back onto the dialog's
// default button when the focus is elsewhere.
void CheckDefaultButton(HWND dialog, HWND focus);

bool IsPushButton(HWND window);

}  // namespace ui
