// Tev::DialogBase: a dialog built from a template of a module, in a chosen language. The
// module is the one given or, without one, the extension's own module. The language is that of
// the parent window's application when the parent has one, otherwise the user-interface
// language the host application reports (Tev::CurrentHostApplication); a template missing in
// that language is taken in the module's default language, so that a host running in another
// language still shows a dialog. Everything else is the library dialog's.
#pragma once

#include "platform/module/resource.h"
#include "platform/ui/owl/dialog.h"

namespace Tev {

class DialogBase : public owl::TDialog {
public:
    // Throws owl::TXWindow naming the template when the module has no template `templateId`.
    DialogBase(owl::TWindow* parent, int templateId, owl::TModule* module = nullptr);

    // The module the extension's resources come from.
    static owl::TModule* ExtensionModule();
    // The language templates are loaded in for a dialog with this parent (0: the default search).
    static LANGID ChosenLanguage(owl::TWindow* parent);
    // The template `templateId` of `module` in `language`, or in the default language.
    static const DialogTemplate& FindTemplate(owl::TModule& module, int templateId,
                                              LANGID language);
};

}  // namespace Tev
