#include "platform/ui/owl/controls.h"

namespace owl {

TControl::TControl(TWindow* parent, int resourceId, TModule* module)
    : TWindow(parent, nullptr, module) {
    Attr.Id = resourceId;
    SetFlag(wfAlias);
}

TControl::TControl(TWindow* parent, int id, const char16_t* title, int x, int y, int width,
                   int height, TModule* module)
    : TWindow(parent, title, module) {
    Attr.Id = id;
    Attr.X = x;
    Attr.Y = y;
    Attr.W = width;
    Attr.H = height;
    Attr.Style = WS_CHILD | WS_VISIBLE | WS_TABSTOP;
}

TStatic::TStatic(TWindow* parent, int resourceId, UINT textLimit, TModule* module)
    : TControl(parent, resourceId, module), textLimit_(textLimit) {}

TStatic::TStatic(TWindow* parent, int id, const char16_t* title, int x, int y, int width,
                 int height, UINT textLimit, TModule* module)
    : TControl(parent, id, title, x, y, width, height, module), textLimit_(textLimit) {
    Attr.Style &= ~WS_TABSTOP;
}

TButton::TButton(TWindow* parent, int resourceId, TModule* module)
    : TControl(parent, resourceId, module) {}

TButton::TButton(TWindow* parent, int id, const char16_t* text, int x, int y, int width, int height,
                 bool isDefault, TModule* module)
    : TControl(parent, id, text, x, y, width, height, module) {
    Attr.Style |= isDefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON;
}

void TButton::SetButtonStyle(DWORD style, bool redraw) {
    SendMessage(BM_SETSTYLE, style, redraw ? TRUE : FALSE);
}

TCheckBox::TCheckBox(TWindow* parent, int resourceId, TModule* module)
    : TButton(parent, resourceId, module) {}

TCheckBox::TCheckBox(TWindow* parent, int id, const char16_t* text, int x, int y, int width,
                     int height, TModule* module)
    : TButton(parent, id, text, x, y, width, height, false, module) {
    Attr.Style = (Attr.Style & ~BS_TYPEMASK) | BS_AUTOCHECKBOX;
}

TComboBox::TComboBox(TWindow* parent, int resourceId, UINT, TModule* module)
    : TControl(parent, resourceId, module) {}

int TComboBox::AddString(const char16_t* text) {
    return static_cast<int>(SendMessage(CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text)));
}
int TComboBox::InsertString(const char16_t* text, int index) {
    return static_cast<int>(
        SendMessage(CB_INSERTSTRING, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text)));
}
int TComboBox::DeleteString(int index) {
    return static_cast<int>(SendMessage(CB_DELETESTRING, static_cast<WPARAM>(index)));
}
void TComboBox::ClearList() {
    SendMessage(CB_RESETCONTENT);
}
int TComboBox::GetCount() const {
    return static_cast<int>(SendMessage(CB_GETCOUNT));
}
int TComboBox::GetSelIndex() const {
    return static_cast<int>(SendMessage(CB_GETCURSEL));
}
int TComboBox::SetSelIndex(int index) {
    return static_cast<int>(SendMessage(CB_SETCURSEL, static_cast<WPARAM>(index)));
}
tstring TComboBox::GetString(int index) const {
    const auto length = SendMessage(CB_GETLBTEXTLEN, static_cast<WPARAM>(index));
    if (length < 0)
        return {};
    tstring text(static_cast<std::size_t>(length) + 1, u'\0');
    SendMessage(CB_GETLBTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<std::size_t>(length));
    return text;
}
tstring TComboBox::GetSelString() const {
    return GetString(GetSelIndex());
}
int TComboBox::FindString(const char16_t* text, int startIndex) const {
    return static_cast<int>(SendMessage(CB_FINDSTRING, static_cast<WPARAM>(startIndex),
                                        reinterpret_cast<LPARAM>(text)));
}
int TComboBox::SetSelString(const char16_t* text, int startIndex) {
    return static_cast<int>(SendMessage(CB_SELECTSTRING, static_cast<WPARAM>(startIndex),
                                        reinterpret_cast<LPARAM>(text)));
}
LPARAM TComboBox::GetItemData(int index) const {
    return SendMessage(CB_GETITEMDATA, static_cast<WPARAM>(index));
}
int TComboBox::SetItemData(int index, LPARAM data) {
    return static_cast<int>(SendMessage(CB_SETITEMDATA, static_cast<WPARAM>(index), data));
}

TTabControl::TTabControl(TWindow* parent, int resourceId, TModule* module)
    : TControl(parent, resourceId, module) {}

int TTabControl::Add(const char16_t* label, LPARAM param) {
    return Insert(label, GetCount(), param);
}

int TTabControl::Insert(const char16_t* label, int index, LPARAM param) {
    TCITEMW item;
    item.mask = TCIF_TEXT | TCIF_PARAM;
    item.pszText = const_cast<LPWSTR>(label);
    item.lParam = param;
    return static_cast<int>(
        SendMessage(TCM_INSERTITEMW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item)));
}

bool TTabControl::Delete(int index) {
    return SendMessage(TCM_DELETEITEM, static_cast<WPARAM>(index)) != 0;
}
bool TTabControl::DeleteAll() {
    return SendMessage(TCM_DELETEALLITEMS) != 0;
}
int TTabControl::GetCount() const {
    return static_cast<int>(SendMessage(TCM_GETITEMCOUNT));
}
int TTabControl::GetSel() const {
    return static_cast<int>(SendMessage(TCM_GETCURSEL));
}
int TTabControl::SetSel(int index) {
    return static_cast<int>(SendMessage(TCM_SETCURSEL, static_cast<WPARAM>(index)));
}

tstring TTabControl::GetItemText(int index, int maxChars) const {
    tstring buffer(static_cast<std::size_t>(maxChars > 0 ? maxChars : 1) + 1, u'\0');
    TCITEMW item;
    item.mask = TCIF_TEXT;
    item.pszText = buffer.data();
    item.cchTextMax = maxChars + 1;
    if (SendMessage(TCM_GETITEMW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item)) ==
        0) {
        return {};
    }
    return tstring(buffer.c_str());
}

bool TTabControl::SetItemText(int index, const char16_t* label) {
    TCITEMW item;
    item.mask = TCIF_TEXT;
    item.pszText = const_cast<LPWSTR>(label);
    return SendMessage(TCM_SETITEMW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item)) !=
           0;
}

LPARAM TTabControl::GetItemParam(int index) const {
    TCITEMW item;
    item.mask = TCIF_PARAM;
    SendMessage(TCM_GETITEMW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
    return item.lParam;
}

int TTabControl::SetMinTabWidth(int width) {
    return static_cast<int>(SendMessage(TCM_SETMINTABWIDTH, 0, width));
}

TRect TTabControl::GetItemRect(int index) const {
    TRect r;
    SendMessage(TCM_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&r));
    return r;
}

void TTabControl::AdjustRect(bool larger, TRect& rect) const {
    SendMessage(TCM_ADJUSTRECT, larger ? TRUE : FALSE, reinterpret_cast<LPARAM>(&rect));
}

TUpDown::TUpDown(TWindow* parent, int resourceId, TWindow* buddy, TModule* module)
    : TControl(parent, resourceId, module), buddy_(buddy) {}

void TUpDown::SetupWindow() {
    TControl::SetupWindow();
    if (buddy_ != nullptr && buddy_->GetHandle() != nullptr)
        SetBuddy(buddy_->GetHandle());
    if (rangeSet_) {
        SetRange(lower_, upper_);
        SetPos(position_);
    }
}

void TUpDown::SetRange(int lower, int upper) {
    lower_ = lower;
    upper_ = upper;
    rangeSet_ = true;
    if (GetHandle() != nullptr)
        SendMessage(UDM_SETRANGE32, static_cast<WPARAM>(lower), upper);
}

void TUpDown::GetRange(int& lower, int& upper) const {
    SendMessage(UDM_GETRANGE32, reinterpret_cast<WPARAM>(&lower), reinterpret_cast<LPARAM>(&upper));
}

int TUpDown::SetPos(int position) {
    position_ = position;
    return static_cast<int>(SendMessage(UDM_SETPOS32, 0, position));
}

int TUpDown::GetPos() const {
    return static_cast<int>(SendMessage(UDM_GETPOS32, 0, 0));
}

HWND TUpDown::SetBuddy(HWND buddy) {
    return reinterpret_cast<HWND>(SendMessage(UDM_SETBUDDY, reinterpret_cast<WPARAM>(buddy)));
}

HWND TUpDown::GetBuddy() const {
    return reinterpret_cast<HWND>(SendMessage(UDM_GETBUDDY));
}

void TUpDown::SetPageStep(int step) {
    SendMessage(UDM_SETPAGESTEP, static_cast<WPARAM>(step));
}

THSlider::THSlider(TWindow* parent, int resourceId, TModule* module)
    : TControl(parent, resourceId, module) {}

void THSlider::SetRange(int minimum, int maximum, bool redraw) {
    SendMessage(TBM_SETRANGEMIN, FALSE, minimum);
    SendMessage(TBM_SETRANGEMAX, redraw ? TRUE : FALSE, maximum);
}

void THSlider::GetRange(int& minimum, int& maximum) const {
    minimum = static_cast<int>(SendMessage(TBM_GETRANGEMIN));
    maximum = static_cast<int>(SendMessage(TBM_GETRANGEMAX));
}

void THSlider::SetPosition(int position, bool redraw) {
    SendMessage(TBM_SETPOS, redraw ? TRUE : FALSE, position);
}

int THSlider::GetPosition() const {
    return static_cast<int>(SendMessage(TBM_GETPOS));
}

void THSlider::SetRuler(int tickGap, bool) {
    SendMessage(TBM_SETTICFREQ, static_cast<WPARAM>(tickGap), 0);
}

void THSlider::SetPageSize(int pageSize) {
    SendMessage(TBM_SETPAGESIZE, 0, pageSize);
}
int THSlider::GetPageSize() const {
    return static_cast<int>(SendMessage(TBM_GETPAGESIZE));
}
int THSlider::GetTickCount() const {
    return static_cast<int>(SendMessage(TBM_GETNUMTICS));
}

}  // namespace owl
