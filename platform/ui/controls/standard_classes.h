// The standard window classes of the headless model (internal): "Button", "Static", "Edit",
// "ComboBox", "SysTabControl32", "msctls_updown32", "msctls_trackbar32" and the dialog class
// "#32770". Each keeps the state its real counterpart keeps and notifies its parent as it
// does.
#pragma once

#include "platform/ui/user_types.h"

namespace ui {

// Registers every class above; the class registry runs it on its first look-up.
void RegisterStandardClasses();

LRESULT ButtonProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT StaticProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT EditProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT ComboBoxProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT ComboListProcedure(HWND list, UINT message, WPARAM wParam, LPARAM lParam);
// Shows the dropped list of a combo box under it; its template height bounds the list.
HWND OpenComboList(HWND combo, int droppedHeight);
LRESULT TabControlProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT UpDownProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT TrackbarProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT DialogClassProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace ui
