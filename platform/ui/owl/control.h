// TControl: the base of the toolkit's control wrappers. Made with a resource id, a control is
// an alias of the dialog template's control of that id, attached when its dialog is set up
// (its Attr styles are then read from the window, not applied to it). Made with a position, it
// makes its own window of the control's class.
#pragma once

#include "platform/ui/owl/window.h"

namespace owl {

class TControl : public TWindow {
public:
    TControl(TWindow* parent, int resourceId, TModule* module = nullptr);
    TControl(TWindow* parent, int id, const char16_t* title, int x, int y, int width, int height,
             TModule* module = nullptr);
};

}  // namespace owl
