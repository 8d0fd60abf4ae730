// TDialog: a dialog built from a dialog template, either the module's template resource or a
// template given to it. Execute runs it modally (the user's part goes through the
// user-interface driver); Create makes it as a child dialog (a pane) or a modeless dialog.
//
// OK asks every child window whether the dialog may close (TWindow::CanClose): each enabled,
// visible edit with a validator checks its text, and the first that refuses reports its
// error and takes the focus. Cancel ends the dialog without asking.
#pragma once

#include "platform/ui/owl/window.h"

namespace owl {

class TDialog : public TWindow {
public:
    TDialog(TWindow* parent, int templateId, TModule* module = nullptr);
    // A template the caller holds; it must outlive the dialog's window.
    TDialog(TWindow* parent, const DialogTemplate& dialogTemplate, int templateId = 0,
            TModule* module = nullptr);

    // Runs the dialog modally and returns what it ended with (IDOK, IDCANCEL ...); throws
    // TXWindow when its template is missing or its window cannot be made.
    virtual int Execute();
    bool Create() override;
    bool IsModal() const { return modal_; }
    int GetTemplateId() const { return templateId_; }

    virtual void CmOk();
    virtual void CmCancel();
    void CloseWindow(int result = IDCANCEL) override;
    void Destroy(int result = IDCANCEL) override;

protected:
    void SetupWindow() override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    LRESULT EvCommand(UINT id, HWND control, UINT notifyCode) override;
    void EvClose() override;
    // The dialog is about to show: sets the window up. True lets the dialog manager give the
    // focus to the first control.
    virtual bool EvInitDialog(HWND focus);

private:
    static INT_PTR DialogProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    const DialogTemplate* Template() const;
    HWND Make(bool modal);

    int templateId_;
    const DialogTemplate* template_ = nullptr;  // given, or found in the module
    bool modal_ = false;
    bool defaulted_ = false;  // the message being handled went to DefaultProcessing
};

}  // namespace owl
