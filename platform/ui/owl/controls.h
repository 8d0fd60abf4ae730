// The toolkit's wrappers of the standard controls: static texts, buttons and check boxes,
// drop-down lists, the tab control, the up-down control and the horizontal slider.
#pragma once

#include <string>

#include "platform/ui/common_controls.h"
#include "platform/ui/owl/control.h"

namespace owl {

class TStatic : public TControl {
public:
    // `textLimit` counts the terminator, as the library's text buffers do (0: no limit).
    TStatic(TWindow* parent, int resourceId, UINT textLimit = 0, TModule* module = nullptr);
    TStatic(TWindow* parent, int id, const char16_t* title, int x, int y, int width, int height,
            UINT textLimit = 0, TModule* module = nullptr);

    void SetText(const char16_t* text) { SetWindowText(text); }
    tstring GetText() const { return GetWindowText(); }
    void Clear() { SetText(u""); }
    UINT GetTextLimit() const { return textLimit_; }

protected:
    const char16_t* GetClassName() const override { return u"Static"; }
    UINT textLimit_;
};

class TButton : public TControl {
public:
    TButton(TWindow* parent, int resourceId, TModule* module = nullptr);
    TButton(TWindow* parent, int id, const char16_t* text, int x, int y, int width, int height,
            bool isDefault = false, TModule* module = nullptr);

    // BM_SETSTYLE: the button's style word (BS_PUSHBUTTON, BS_DEFPUSHBUTTON ...).
    void SetButtonStyle(DWORD style, bool redraw);
    void Click() { SendMessage(BM_CLICK); }
    UINT GetState() const { return static_cast<UINT>(SendMessage(BM_GETSTATE)); }
    void SetState(bool pushed) { SendMessage(BM_SETSTATE, pushed ? TRUE : FALSE); }

protected:
    const char16_t* GetClassName() const override { return u"Button"; }
};

class TCheckBox : public TButton {
public:
    TCheckBox(TWindow* parent, int resourceId, TModule* module = nullptr);
    TCheckBox(TWindow* parent, int id, const char16_t* text, int x, int y, int width, int height,
              TModule* module = nullptr);

    UINT GetCheck() const { return static_cast<UINT>(SendMessage(BM_GETCHECK)); }
    void SetCheck(UINT check) { SendMessage(BM_SETCHECK, check); }
    void Check() { SetCheck(BST_CHECKED); }
    void Uncheck() { SetCheck(BST_UNCHECKED); }
    void Toggle() { SetCheck(IsChecked() ? BST_UNCHECKED : BST_CHECKED); }
    bool IsChecked() const { return GetCheck() == BST_CHECKED; }
};

class TComboBox : public TControl {
public:
    TComboBox(TWindow* parent, int resourceId, UINT textLimit = 0, TModule* module = nullptr);

    int AddString(const char16_t* text);
    int InsertString(const char16_t* text, int index);
    int DeleteString(int index);
    void ClearList();
    int GetCount() const;
    int GetSelIndex() const;
    int SetSelIndex(int index);
    tstring GetString(int index) const;
    tstring GetSelString() const;
    int FindString(const char16_t* text, int startIndex = -1) const;
    int SetSelString(const char16_t* text, int startIndex = -1);
    LPARAM GetItemData(int index) const;
    int SetItemData(int index, LPARAM data);

protected:
    const char16_t* GetClassName() const override { return u"ComboBox"; }
};

class TTabControl : public TControl {
public:
    TTabControl(TWindow* parent, int resourceId, TModule* module = nullptr);

    // Adds a tab at the end; returns its index.
    int Add(const char16_t* label, LPARAM param = 0);
    int Insert(const char16_t* label, int index, LPARAM param = 0);
    bool Delete(int index);
    bool DeleteAll();
    int GetCount() const;
    int GetSel() const;
    int SetSel(int index);  // does not notify; returns the previous selection
    // The label of a tab, at most `maxChars` characters.
    tstring GetItemText(int index, int maxChars = 256) const;
    bool SetItemText(int index, const char16_t* label);
    LPARAM GetItemParam(int index) const;
    int SetMinTabWidth(int width);
    TRect GetItemRect(int index) const;
    // The page rectangle for a window rectangle (or the reverse with `larger`).
    void AdjustRect(bool larger, TRect& rect) const;

protected:
    const char16_t* GetClassName() const override { return WC_TABCONTROLW; }
};

class TUpDown : public TControl {
public:
    TUpDown(TWindow* parent, int resourceId, TWindow* buddy = nullptr, TModule* module = nullptr);

    void SetRange(int lower, int upper);
    void GetRange(int& lower, int& upper) const;
    int SetPos(int position);  // returns the previous position
    int GetPos() const;
    HWND SetBuddy(HWND buddy);
    HWND GetBuddy() const;
    // The step of PgUp and PgDn in the buddy, with the arrow-keys style (0: none).
    void SetPageStep(int step);

protected:
    const char16_t* GetClassName() const override { return UPDOWN_CLASSW; }
    void SetupWindow() override;

private:
    TWindow* buddy_;
    int lower_ = 100;
    int upper_ = 0;
    int position_ = 0;
    bool rangeSet_ = false;
};

// The horizontal slider (the trackbar control). It moves its thumb itself when the user drags
// or clicks it and then tells its parent with WM_HSCROLL; the parent reads GetPosition().
class THSlider : public TControl {
public:
    THSlider(TWindow* parent, int resourceId, TModule* module = nullptr);

    void SetRange(int minimum, int maximum, bool redraw = true);
    void GetRange(int& minimum, int& maximum) const;
    void SetPosition(int position, bool redraw = true);
    int GetPosition() const;
    // A tick every `tickGap` positions.
    void SetRuler(int tickGap, bool snap = false);
    void SetPageSize(int pageSize);
    int GetPageSize() const;
    int GetTickCount() const;

protected:
    const char16_t* GetClassName() const override { return TRACKBAR_CLASSW; }
};

}  // namespace owl
