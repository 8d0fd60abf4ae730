#include "platform/ui/owl/dialog.h"

#include "platform/ui/headless.h"

namespace owl {
namespace {

TDialog* g_creatingDialog = nullptr;

}  // namespace

TDialog::TDialog(TWindow* parent, int templateId, TModule* module)
    : TWindow(parent, nullptr, module), templateId_(templateId) {
    DisableAutoCreate();  // dialogs are made when asked, not with their parent
}

TDialog::TDialog(TWindow* parent, const DialogTemplate& dialogTemplate, int templateId,
                 TModule* module)
    : TWindow(parent, nullptr, module), templateId_(templateId), template_(&dialogTemplate) {
    DisableAutoCreate();
}

const DialogTemplate* TDialog::Template() const {
    if (template_ != nullptr)
        return template_;
    if (module_ == nullptr)
        return nullptr;
    return module_->FindDialogTemplate(templateId_);
}

HWND TDialog::Make(bool modal) {
    const DialogTemplate* found = Template();
    if (found == nullptr) {
        throw TXWindow("dialog template " + std::to_string(templateId_) + " not found");
    }
    DialogTemplate shown = *found;
    if (modal)
        shown.style &= ~WS_VISIBLE;
    modal_ = modal;
    TDialog* const outer = g_creatingDialog;
    g_creatingDialog = this;
    HWND window = nullptr;
    try {
        window = CreateDialogIndirectParamW(module_ != nullptr ? module_->GetHandle() : nullptr,
                                            &shown, GetParentH(), &DialogProcedure,
                                            reinterpret_cast<LPARAM>(this));
    } catch (...) {
        g_creatingDialog = outer;
        if (GetHandle() != nullptr)
            DestroyWindow(GetHandle());
        modal_ = false;
        throw;
    }
    g_creatingDialog = outer;
    if (window == nullptr) {
        modal_ = false;
        throw TXWindow("dialog " + std::to_string(templateId_) + " could not be made");
    }
    ui::RecordTemplateId(window, templateId_);
    return window;
}

int TDialog::Execute() {
    const HWND window = Make(true);
    const INT_PTR result = ui::RunModalDialog(window, GetParentH());
    modal_ = false;
    return static_cast<int>(result);
}

bool TDialog::Create() {
    if (GetHandle() != nullptr)
        return true;
    Make(false);
    return true;
}

void TDialog::SetupWindow() {
    TWindow::SetupWindow();
}

bool TDialog::EvInitDialog(HWND) {
    SetupWindow();
    SetFlag(wfFullyCreated);
    return true;
}

void TDialog::CmOk() {
    CloseWindow(IDOK);
}
void TDialog::CmCancel() {
    Destroy(IDCANCEL);
}

void TDialog::CloseWindow(int result) {
    if (CanClose())
        Destroy(result);
}

void TDialog::Destroy(int result) {
    if (GetHandle() == nullptr)
        return;
    if (modal_) {
        EndDialog(GetHandle(), result);
    } else {
        TWindow::Destroy(result);
    }
}

LRESULT TDialog::EvCommand(UINT id, HWND control, UINT notifyCode) {
    // The response handlers first; OK and Cancel otherwise end the dialog.
    defaulted_ = false;
    const LRESULT result = TWindow::EvCommand(id, control, notifyCode);
    if (!defaulted_ || notifyCode != BN_CLICKED)
        return result;
    if (id == IDOK) {
        defaulted_ = false;
        CmOk();
        return 0;
    }
    if (id == IDCANCEL) {
        defaulted_ = false;
        CmCancel();
        return 0;
    }
    return result;
}

void TDialog::EvClose() {
    DefaultProcessing();
}

LRESULT TDialog::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG)
        return EvInitDialog(reinterpret_cast<HWND>(wParam)) ? TRUE : FALSE;
    return TWindow::WindowProc(message, wParam, lParam);
}

LRESULT TDialog::DefWindowProc(UINT, WPARAM, LPARAM) {
    // A dialog's default processing is the dialog manager's, which runs once the dialog
    // procedure says it did not handle the message.
    defaulted_ = true;
    return 0;
}

INT_PTR TDialog::DialogProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* dialog = static_cast<TDialog*>(GetWindowPtr(window));
    if (dialog == nullptr && g_creatingDialog != nullptr &&
        g_creatingDialog->GetHandle() == nullptr) {
        dialog = g_creatingDialog;
        dialog->SetHandle(window, false);
    }
    if (dialog == nullptr)
        return FALSE;
    const bool outerDefaulted = dialog->defaulted_;
    dialog->defaulted_ = false;
    const LRESULT result = dialog->Receive(message, wParam, lParam);
    const bool defaulted = dialog->defaulted_;
    dialog->defaulted_ = outerDefaulted;
    if (message == WM_NCDESTROY)
        return FALSE;
    if (defaulted && message != WM_INITDIALOG)
        return FALSE;
    if (ui::DialogProcedureAnswersDirectly(message))
        return result;
    SetWindowLongPtrW(window, DWLP_MSGRESULT, result);
    return TRUE;
}

}  // namespace owl
