#include "platform/ui/owl/edit.h"

namespace owl {

TEdit::TEdit(TWindow* parent, int resourceId, UINT textLimit, TModule* module)
    : TStatic(parent, resourceId, textLimit, module) {}

TEdit::TEdit(TWindow* parent, int id, const char16_t* text, int x, int y, int width, int height,
             UINT textLimit, TModule* module)
    : TStatic(parent, id, text, x, y, width, height, textLimit, module) {
    Attr.Style |= WS_TABSTOP | WS_BORDER | ES_AUTOHSCROLL;
}

TEdit::~TEdit() = default;

void TEdit::SetValidator(TValidator* validator) {
    validator_.reset(validator);
}

void TEdit::SetupWindow() {
    TStatic::SetupWindow();
    if (textLimit_ != 0)
        LimitText(textLimit_ - 1);
}

bool TEdit::IsValid(bool reportError) {
    if (validator_ == nullptr)
        return true;
    const tstring text = GetText();
    return reportError ? validator_->Valid(text.c_str(), this) : validator_->IsValid(text.c_str());
}

void TEdit::ValidatorError() {
    if (validator_ != nullptr)
        validator_->Error(this);
}

bool TEdit::CanClose() {
    if (!TStatic::CanClose())
        return false;
    // Only what the user can see and change is checked.
    if (validator_ == nullptr || !IsWindowEnabled() || !IsWindowVisible())
        return true;
    if (IsValid(true))
        return true;
    SetFocus();
    return false;
}

UINT TEdit::Transfer(void* buffer, TTransferDirection direction) {
    if (validator_ == nullptr || !validator_->HasOption(voTransfer))
        return 0;
    tstring text = GetText();
    const UINT size = validator_->Transfer(text, buffer, direction);
    if (direction == tdSetData && size != 0)
        SetText(text.c_str());
    return size;
}

void TEdit::GetSelection(int& start, int& end) const {
    DWORD from = 0;
    DWORD to = 0;
    SendMessage(EM_GETSEL, reinterpret_cast<WPARAM>(&from), reinterpret_cast<LPARAM>(&to));
    start = static_cast<int>(from);
    end = static_cast<int>(to);
}

void TEdit::SetSelection(int start, int end) {
    SendMessage(EM_SETSEL, static_cast<WPARAM>(start), end);
}

bool TEdit::IsModified() const {
    return SendMessage(EM_GETMODIFY) != 0;
}
void TEdit::ClearModify() {
    SendMessage(EM_SETMODIFY, FALSE);
}
void TEdit::Insert(const char16_t* text) {
    SendMessage(EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(text));
}
void TEdit::LimitText(UINT characters) {
    SendMessage(EM_LIMITTEXT, characters);
}

void TEdit::EvChar(UINT key, UINT, UINT) {
    if (validator_ == nullptr || key == VK_BACK || key < 0x20) {
        DefaultProcessing();
        return;
    }
    const tstring before = GetText();
    int start = 0;
    int end = 0;
    GetSelection(start, end);
    const bool modified = IsModified();
    DefaultProcessing();
    tstring after = GetText();
    if (after == before || validator_->IsValidInput(after, false))
        return;
    // The character makes the text unacceptable: take it back.
    SetText(before.c_str());
    SetSelection(start, end);
    SendMessage(EM_SETMODIFY, modified ? TRUE : FALSE);
    MessageBeep(0);
}

}  // namespace owl
