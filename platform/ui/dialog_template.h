// Dialog templates as C++ data. A module registers each template as its RT_DIALOG resource
// (the resource's data is a DialogTemplate); the dialog manager builds the dialog window and
// one child window per item from it. Positions and sizes are in dialog units.
//
// Dialog units convert to pixels with the base units of the template's font: for
// "MS Shell Dlg" 8 point these are 6 pixels across and 13 pixels down, so that
//   pixels x = MulDiv(units x, 6, 4)   and   pixels y = MulDiv(units y, 13, 8).
#pragma once

#include <cstddef>

#include "platform/ui/user_types.h"

struct DialogItemTemplate {
    const char16_t* className = u"Static";  // "Button", "Edit", "Static", "ComboBox", ...
    const char16_t* text = u"";
    int id = 0;
    short x = 0;
    short y = 0;
    short cx = 0;
    short cy = 0;
    // Full window style; a child's WS_CHILD is added by the dialog manager.
    DWORD style = 0;
    DWORD exStyle = 0;
};

struct DialogTemplate {
    DWORD style = 0;
    DWORD exStyle = 0;
    short x = 0;
    short y = 0;
    short cx = 0;  // client width in dialog units
    short cy = 0;  // client height in dialog units
    const char16_t* caption = u"";
    const char16_t* fontFace = u"MS Shell Dlg";
    WORD pointSize = 8;
    const DialogItemTemplate* items = nullptr;
    std::size_t itemCount = 0;
};

// Base units of "MS Shell Dlg" 8 point, in pixels per 4 horizontal and 8 vertical dialog units.
inline constexpr int kDialogBaseUnitX = 6;
inline constexpr int kDialogBaseUnitY = 13;
