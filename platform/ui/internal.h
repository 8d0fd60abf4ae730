// Helpers shared by the parts of the window model (internal to the platform runtime).
#pragma once

#include "platform/ui/user_types.h"

namespace ui {

// Queues a message for the next pump (PostMessageW after its checks).
void Post(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Forgets the timers, the activation and the mouse tracking of a window being destroyed.
void KillTimersOf(HWND window);
void ForgetActiveWindow(HWND window);
void ForgetMouseWindow(HWND window);

// Sends WM_PAINT to every visible window that waits for it, parents before children.
void PaintPending();

// The non-client frame of a window, drawn on a context whose origin is the window's corner.
void DrawFrame(HWND window, HDC dc);
bool HasFrame(HWND window);

// Whether the window is a dialog (of the dialog class).
bool IsDialogWindow(HWND window);

}  // namespace ui
