#include "dialog/dialog_base.h"

#include <string>

#include "platform/ui/owl/application.h"
#include "resources/resource_module.h"
#include "support/popup/host_visibility.h"

namespace Tev {

namespace {

owl::TModule& ModuleOr(owl::TModule* module) {
    return module != nullptr ? *module : *DialogBase::ExtensionModule();
}

}  // namespace

owl::TModule* DialogBase::ExtensionModule() {
    // The module whose image holds the resources: the extension when the host loaded it, the
    // program itself when the extension's code is linked into one.
    static owl::TModule resources(u"Tarvel", VavazaZavidi::SetupDialogResourceModule());
    return &resources;
}

LANGID DialogBase::ChosenLanguage(owl::TWindow* parent) {
    if (parent != nullptr) {
        if (owl::TApplication* application = parent->GetApplication())
            return application->GetLangId();
    }
    LANGID language = 0;
    if (IHostApplication* host = CurrentHostApplication()) {
        if (FAILED(host->GetUserInterfaceLanguage(&language)))
            language = 0;
    }
    return language;
}

const DialogTemplate& DialogBase::FindTemplate(owl::TModule& module, int templateId,
                                               LANGID language) {
    const DialogTemplate* found =
        language != 0 ? module.FindDialogTemplate(templateId, language) : nullptr;
    if (found == nullptr)
        found = module.FindDialogTemplate(templateId);
    if (found == nullptr) {
        throw owl::TXWindow("dialog template " + std::to_string(templateId) +
                            " is missing from the module's resources");
    }
    return *found;
}

DialogBase::DialogBase(owl::TWindow* parent, int templateId, owl::TModule* module)
    : owl::TDialog(parent, FindTemplate(ModuleOr(module), templateId, ChosenLanguage(parent)),
                   templateId, &ModuleOr(module)) {}

}  // namespace Tev
