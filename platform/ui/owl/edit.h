// TEdit: the edit control with a text limit and an optional validator. The validator filters
// typed characters (a character that makes the text invalid input is taken back with a beep)
// and, when the dialog is asked to close, checks the whole text: an enabled, visible edit
// whose text is not valid reports the validator's error, takes the focus and keeps the
// dialog open. Hidden and disabled edits are not checked.
#pragma once

#include <memory>

#include "platform/ui/owl/controls.h"
#include "platform/ui/owl/validators.h"

namespace owl {

class TEdit : public TStatic {
public:
    // `textLimit` counts the terminator: the user can type textLimit - 1 characters (0: the
    // control's own limit).
    TEdit(TWindow* parent, int resourceId, UINT textLimit = 0, TModule* module = nullptr);
    TEdit(TWindow* parent, int id, const char16_t* text, int x, int y, int width, int height,
          UINT textLimit = 0, TModule* module = nullptr);
    ~TEdit() override;

    // Takes the validator over (deleting the one it had); null removes it.
    void SetValidator(TValidator* validator);
    TValidator* GetValidator() const { return validator_.get(); }
    // Whether the text satisfies the validator; with `reportError`, an invalid text is
    // reported through the validator's Error.
    bool IsValid(bool reportError = false);
    void ValidatorError();
    bool CanClose() override;
    // Moves the value between the text and `buffer` through the validator (see
    // TValidator::Transfer); 0 without a transferring validator.
    UINT Transfer(void* buffer, TTransferDirection direction);

    void GetSelection(int& start, int& end) const;
    void SetSelection(int start, int end);
    bool IsModified() const;
    void ClearModify();
    void Insert(const char16_t* text);
    void LimitText(UINT characters);

protected:
    const char16_t* GetClassName() const override { return u"Edit"; }
    void SetupWindow() override;
    void EvChar(UINT key, UINT repeatCount, UINT flags) override;

private:
    std::unique_ptr<TValidator> validator_;
};

}  // namespace owl
