// What the headless window model offers beyond the Windows functions: the virtual clock that
// drives timers, the message pump, the input that the system would deliver (mouse and keys),
// the screen's monitors and a few diagnostics that tests read (paint counts, beeps).
// The user-interface driver (platform/ui/driver.h) builds its user actions on these.
#pragma once

#include <cstddef>
#include <functional>
#include <vector>

#include "platform/ui/user_types.h"

namespace ui {

// The virtual clock, in milliseconds since the process started; GetTickCount reads it.
DWORD Now();
// Moves the clock forward, delivering every timer tick that falls due on the way, in order
// of time, each followed by a pump. A timer whose interval elapses k times gets k ticks.
void AdvanceClock(DWORD milliseconds);

// Delivers the posted messages, then paints every visible window that waits for painting.
void PumpMessages();
// Called at the end of every pump (empty: nobody); returns the observer it replaces. A screen
// that shows a script playing uses it to present each step as it happens.
using PumpObserver = std::function<void()>;
PumpObserver SetPumpObserver(PumpObserver observer);

// Diagnostics.
int PaintCount(HWND window);  // WM_PAINT handled through BeginPaint so far
bool NeedsPaint(HWND window);
int BeepCount();       // MessageBeep calls (rejected keystrokes and the like)
int AnimationCount();  // AnimateWindow calls
// Grows whenever something a person could see may have changed (a window invalidated, shown,
// hidden, moved, destroyed or drawn on): a screen presents a new frame only when it grew.
unsigned long ScreenGeneration();
int TemplateIdOf(HWND window);  // resource id of the template a dialog was built from, or 0
std::size_t CountWindowsOfClass(const char16_t* className);
std::vector<HWND> TopLevelWindows();  // from the top of the z-order down
std::size_t ActiveTimerCount(HWND window);
std::size_t TimerCount();  // every timer still set, of any window or none
bool HasTimer(HWND window, UINT_PTR id);

// The screen. One monitor of 1920 × 1080 pixels with a work area of 1920 × 1040 (a task bar
// at the bottom) until a test says otherwise.
struct Monitor {
    RECT area;
    RECT workArea;
};
void SetMonitors(const std::vector<Monitor>& monitors);
std::vector<Monitor> Monitors();
// The system's tooltip animation and fade settings (both on by default).
void SetTooltipEffects(bool animation, bool fade);

// Input as the system delivers it. Mouse messages go to the window that holds the capture,
// else to the visible, enabled window under the cursor (static texts let clicks through);
// a window that asked for WM_MOUSELEAVE gets it when the cursor leaves it.
enum class MouseButton { Left, Right, Middle };
void MouseMove(POINT screenPoint);
// The second press of a double click comes as WM_xBUTTONDBLCLK to a window whose class asks
// for double clicks (CS_DBLCLKS), as a plain press to others.
void MouseDown(MouseButton button, bool secondClick = false);
void MouseUp(MouseButton button);
void MouseDoubleClick(MouseButton button);  // press, release, second press, release
// The wheel turned by `delta` (WHEEL_DELTA a notch, forward positive): WM_MOUSEWHEEL to the
// window that holds the capture, else to the one under the cursor (as on a Linux desktop); a
// child that does not take it hands it to its parent.
void MouseWheel(int delta);
// Keys go to the focused window; while Shift is down (KeyDown(VK_SHIFT) until its KeyUp) Tab
// goes to the previous control. PressKey does what a dialog does with Tab (next control),
// Enter (the default button) and Escape (Cancel) when the focused control does not want them,
// and sends WM_KEYDOWN, WM_CHAR (for characters) and WM_KEYUP otherwise.
void KeyDown(UINT virtualKey);
void KeyUp(UINT virtualKey);
void Character(char16_t character);
void PressKey(UINT virtualKey);
// Alt with a letter: the dialog's visible, enabled control whose text marks the letter with
// "&" is clicked (buttons and check boxes) or, for a label, the control after it gets the
// focus. Without such a control the system beeps and it answers false.
bool PressAltKey(char16_t letter);
// Alt with a key that marks no letter (Alt+Up, Alt+Down): WM_SYSKEYDOWN and WM_SYSKEYUP to
// the focused window.
void PressSystemKey(UINT virtualKey);

}  // namespace ui

namespace ui {

// Shows a dialog made with CreateDialogIndirectParamW as a modal dialog: disables its owner,
// runs the user's part through the driver, ends it with Cancel when the user leaves it open,
// destroys it and returns its result. This is the modal loop of DialogBoxIndirectParamW and
// of the toolkit's TDialog::Execute.
INT_PTR RunModalDialog(HWND dialog, HWND owner);
// Whether EndDialog was called for the dialog (or it no longer exists).
bool IsDialogEnded(HWND dialog);
// Notes which template resource a dialog was built from (see TemplateIdOf).
void RecordTemplateId(HWND dialog, int templateId);
// Whether a dialog procedure answers the message with its own return value (the colour
// requests and WM_INITDIALOG) rather than through DWLP_MSGRESULT.
bool DialogProcedureAnswersDirectly(UINT message);

}  // namespace ui

namespace ui {

// What the dropped list of a combo box (its "ComboLBox" pop-up) sends the box when the user
// clicks its entry wParam: the box drops down if it is closed, selects the entry, and
// notifies CBN_SELCHANGE, CBN_SELENDOK and CBN_CLOSEUP.
inline constexpr UINT WM_USER_PICKS_ENTRY = 0x7F01;

}  // namespace ui
