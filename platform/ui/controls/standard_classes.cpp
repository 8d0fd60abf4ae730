#include "platform/ui/controls/standard_classes.h"

#include "platform/gdi/gdi.h"
#include "platform/ui/common_controls.h"
#include "platform/ui/user_constants.h"
#include "platform/ui/window_classes.h"

namespace ui {

namespace {

// The standard classes come with the window system: they offer themselves to the class
// registry when the platform runtime loads.
const struct StandardClassesOffer {
    StandardClassesOffer() { ProvideStandardClasses(&RegisterStandardClasses); }
} kOffer;

}  // namespace

void RegisterStandardClasses() {
    const auto add = [](const char16_t* name, WNDPROC procedure, UINT style = 0) {
        WindowClass c;
        c.name = name;
        c.procedure = procedure;
        c.style = style;
        AddClass(c);
    };
    add(u"Button", ButtonProcedure, CS_DBLCLKS);
    add(u"Static", StaticProcedure);
    add(u"Edit", EditProcedure, CS_DBLCLKS);
    add(u"ComboBox", ComboBoxProcedure, CS_DBLCLKS);
    add(u"ComboLBox", ComboListProcedure);
    add(WC_TABCONTROLW, TabControlProcedure, CS_DBLCLKS);
    add(UPDOWN_CLASSW, UpDownProcedure);
    add(TRACKBAR_CLASSW, TrackbarProcedure);
    add(u"#32770", DialogClassProcedure, CS_DBLCLKS);
}

}  // namespace ui
