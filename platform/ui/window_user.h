// Acting as the user on windows and reading what the user sees. A WindowUser stands for a
// dialog (or any window) and hands out ControlUsers for its controls; every action goes
// through the input the system would deliver (mouse moves, button presses, typed
// characters, keys), so controls and their parents react as they would to a person.
//
//   ui::WindowUser dialog(handle);
//   dialog.Control(220).Type(u"75");           // click into the edit, replace its text
//   dialog.Control(220).Leave();               // Tab to the next control
//   dialog.Control(206).Select(u"any");        // pick an entry of a drop-down list
//   dialog.Find(201).SelectTab(3);             // click the fourth tab
//   dialog.PressOk();                          // click the OK button
//   EXPECT_EQ(dialog.Control(220).Text(), u"75");
//
//   dialog.Find(201).SelectTab(u"Analog 2");  // click the tab with this label
//
// A control reads as a person sees it: inside a hidden or disabled pane it is hidden or
// disabled too. Actions a person could not do (typing into a hidden or disabled control,
// clicking a hidden control) throw std::logic_error; a control, entry or tab that does not
// exist throws std::out_of_range. Both messages name the control and end with a dump of the
// window's controls (DescribeWindowTree), so a failing test shows what was there.
#pragma once

#include <initializer_list>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/gdi/image.h"
#include "platform/ui/user_types.h"

namespace ui {

class ControlUser {
public:
    explicit ControlUser(HWND control);

    HWND Handle() const { return control_; }
    int Id() const;
    std::u16string ClassName() const;

    // What the user sees.
    std::u16string Text() const;
    bool IsVisible() const;      // the control and every window above it are visible
    bool IsEnabled() const;      // the control and every pane above it are enabled
    bool IsSelfEnabled() const;  // the control's own enabled state, whatever its panes'
    bool IsUsable() const;       // visible and enabled: a person could act on it
    bool HasFocus() const;
    bool IsChecked() const;
    bool IsPressed() const;  // a button drawn pushed in
    bool IsDefault() const;  // a push button drawn as the default
    RECT ScreenRect() const;
    RECT RectIn(HWND reference) const;          // in the client coordinates of `reference`
    std::vector<std::u16string> Items() const;  // combo box entries
    int Selection() const;                      // combo box selection or selected tab; -1 none
    std::u16string SelectedText() const;
    std::vector<std::u16string> TabLabels() const;
    int Position() const;               // slider or up-down position
    std::pair<int, int> Range() const;  // slider or up-down minimum and maximum
    int PageSize() const;
    int TickCount() const;
    gdi::Image Snapshot() const;

    // Acting.
    void Click();  // move onto the middle, press and release the left button
    void DoubleClick();
    void Hover();                    // move the mouse onto the middle
    void MoveMouseTo(int x, int y);  // a point in the control's client coordinates
    void PressMouse();               // left button down where the mouse is
    void ReleaseMouse();
    void MoveMouseAway();                      // off every window
    void Focus();                              // give it the focus, as tabbing to it would
    void Type(std::u16string_view text);       // click in, select everything, type
    void TypeAtEnd(std::u16string_view text);  // click in, type after the text
    void Leave();                              // Tab on to the next control
    void PressKey(UINT virtualKey);            // a key with the focus on this control
    void Select(int index);                    // pick a combo box entry
    void Select(std::u16string_view entry);
    void SelectTab(int index);  // click a tab
    void SelectTab(std::u16string_view label);
    void DragSliderTo(int position);  // drag the thumb, then arrow keys to the exact spot
    void ClickUpArrow();              // up-down arrows
    void ClickDownArrow();

private:
    void RequireVisible(const char* action) const;
    void RequireUsable(const char* action) const;
    void ClickAt(POINT screenPoint);
    [[noreturn]] void Refuse(const std::string& action, const std::string& why) const;
    [[noreturn]] void Missing(const std::string& what) const;

    HWND control_;
};

class WindowUser {
public:
    explicit WindowUser(HWND window);

    HWND Handle() const { return window_; }
    bool IsOpen() const;  // exists, and a dialog has not been ended
    std::u16string Caption() const;
    RECT ScreenRect() const;
    SIZE ClientSize() const;
    int TemplateId() const;

    // A direct child with the id.
    ControlUser Control(int id) const;
    // The n-th window with the id anywhere below, in tab (z) order, child dialogs included.
    ControlUser Find(int id, int occurrence = 0) const;
    bool Has(int id) const;
    // The n-th child dialog built from the template, anywhere below.
    WindowUser ChildDialog(int templateId, int occurrence = 0) const;
    std::vector<WindowUser> ChildDialogs() const;
    // The control that has the focus, when it lies in this window.
    ControlUser Focused() const;
    bool HasFocusInside() const;

    void PressOk();      // click the OK button (id 1)
    void PressCancel();  // click the Cancel button (id 2)
    void PressEnter();
    void PressEscape();
    void PressKey(UINT virtualKey);
    void Close();  // the close box
    gdi::Image Snapshot() const;

private:
    HWND window_;
};

// Names for control ids in the driver's messages and dumps ("IDC_LEVEL" for 212). Tests
// register the names of the ids they use, once (registering again is harmless); IDOK and
// IDCANCEL are known. An id named twice (ids repeat across panes) shows both names.
void NameControlIds(std::initializer_list<std::pair<int, std::string_view>> names);
std::string ControlIdName(int id);  // "" for an id without a name

// One line for a control: class, id and its name, text.
std::string DescribeControl(HWND control);
// A readable dump of a window and every window below it, one line a window indented by its
// depth, in tab (z) order: class, id and its name, text (a tab control's labels, the
// selected one starred; a child dialog's template), rectangle in its parent's client
// coordinates, and its own shown/hidden and enabled/disabled state.
std::string DescribeWindowTree(HWND window);

}  // namespace ui
