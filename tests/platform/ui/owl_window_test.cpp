// The toolkit's window objects on their own: windows they make and set up, children made with
// them, response handlers ahead of the Ev... operations, objects that outlive their windows,
// closing that children may refuse, and the control wrappers' state before and after the
// window exists.
#include <gtest/gtest.h>

#include "platform/module/resource.h"
#include "platform/ui/headless.h"
#include "platform/ui/owl/owl.h"
#include "platform/ui/scripted_user.h"

namespace {

using namespace owl;

class Frame : public TWindow {
public:
    Frame() : TWindow(nullptr, u"Frame") {
        Attr.Style = WS_POPUP | WS_VISIBLE;
        Attr.W = 300;
        Attr.H = 200;
    }
    int setups = 0;
    int cleanups = 0;
    int timers = 0;
    bool mayClose = true;

protected:
    void SetupWindow() override {
        TWindow::SetupWindow();
        ++setups;
    }
    void CleanupWindow() override { ++cleanups; }
    void EvTimer(UINT) override { ++timers; }
    bool CanClose() override { return mayClose && TWindow::CanClose(); }
};

class Refusing : public TWindow {
public:
    explicit Refusing(TWindow* parent) : TWindow(parent) {
        Attr.W = 10;
        Attr.H = 10;
    }
    bool refuse = false;
    bool CanClose() override { return !refuse; }
};

TEST(ToolkitWindows, AWindowMadeByTheToolkitIsSetUpOnceWithItsChildren) {
    Frame frame;
    Refusing child(&frame);
    EXPECT_EQ(frame.GetHandle(), nullptr);
    frame.Create();
    ASSERT_NE(frame.GetHandle(), nullptr);
    EXPECT_EQ(frame.setups, 1);
    ASSERT_NE(child.GetHandle(), nullptr) << "auto-created with its parent";
    EXPECT_EQ(GetParent(child.GetHandle()), frame.GetHandle());
    EXPECT_EQ(TWindow::GetWindowPtr(child.GetHandle()), &child);
    EXPECT_EQ(frame.GetWindowText(), u"Frame");
    frame.Create();
    EXPECT_EQ(frame.setups, 1) << "making it again changes nothing";
}

TEST(ToolkitWindows, HandlersComeBeforeTheEvOperationsAndCanDefer) {
    Frame frame;
    frame.Create();
    int seen = 0;
    frame.OnMessage(WM_TIMER, [&](WPARAM, LPARAM) {
        ++seen;
        return frame.DefaultProcessing();
    });
    frame.SetTimer(3, 100);
    ui::AdvanceClock(100);
    EXPECT_EQ(seen, 1);
    EXPECT_EQ(frame.timers, 0) << "the handler replaced EvTimer";
    EXPECT_EQ(frame.HandleMessage(WM_GETTEXTLENGTH), 5) << "left to the window's class";
}

TEST(ToolkitWindows, AnObjectOutlivesItsWindowAndAWindowItsObject) {
    Frame frame;
    frame.Create();
    const HWND window = frame.GetHandle();
    DestroyWindow(window);
    EXPECT_EQ(frame.GetHandle(), nullptr);
    EXPECT_EQ(frame.cleanups, 1);
    frame.Create();
    EXPECT_NE(frame.GetHandle(), nullptr) << "a new window for the same object";
    HWND second = nullptr;
    {
        Frame gone;
        gone.Create();
        second = gone.GetHandle();
    }
    EXPECT_FALSE(IsWindow(second)) << "the object takes its window with it";
}

TEST(ToolkitWindows, ClosingAsksTheWindowAndItsChildren) {
    Frame frame;
    Refusing child(&frame);
    frame.Create();
    child.refuse = true;
    frame.CloseWindow();
    EXPECT_NE(frame.GetHandle(), nullptr);
    child.refuse = false;
    frame.mayClose = false;
    PostMessageW(frame.GetHandle(), WM_CLOSE, 0, 0);
    ui::PumpMessages();
    EXPECT_NE(frame.GetHandle(), nullptr);
    frame.mayClose = true;
    frame.CloseWindow();
    EXPECT_EQ(frame.GetHandle(), nullptr);
    EXPECT_EQ(child.GetHandle(), nullptr);
}

TEST(ToolkitWindows, AForeignWindowCanParentToolkitWindowsWithoutBeingTakenOver) {
    const HWND host = CreateWindowExW(0, u"Static", u"host", WS_POPUP | WS_VISIBLE, 0, 0, 400, 300,
                                      nullptr, nullptr, nullptr, nullptr);
    {
        TWindow alias(host);
        EXPECT_EQ(alias.GetHandle(), host);
        Refusing child(&alias);
        child.Create();
        EXPECT_EQ(GetParent(child.GetHandle()), host);
        EXPECT_EQ(TWindow::GetWindowPtr(host), nullptr) << "not subclassed";
    }
    EXPECT_TRUE(IsWindow(host)) << "an alias leaves its window alone";
    DestroyWindow(host);
}

TEST(ToolkitWindows, MessageBoxesNameTheApplication) {
    ui::ScriptedUser user;
    Frame frame;
    frame.Create();
    frame.MessageBox(u"text");
    EXPECT_EQ(user.LastMessageBox().caption, u"") << "no application";
    {
        TApplication application(u"Ostrel");
        EXPECT_EQ(frame.GetApplication(), &application);
        frame.MessageBox(u"text", nullptr, MB_YESNO);
        EXPECT_EQ(user.LastMessageBox().caption, u"Ostrel");
        EXPECT_EQ(user.LastMessageBox().owner, frame.GetHandle());
        TApplication inner(u"Inner", 0x0407);
        EXPECT_EQ(OWLGetAppDictionary().GetApplication(), &inner);
    }
    EXPECT_EQ(OWLGetAppDictionary().GetApplication(), nullptr);
}

const DialogItemTemplate kItems[] = {
    {WC_TABCONTROLW, u"", 201, 5, 5, 200, 100, WS_CHILD | WS_VISIBLE, 0},
    {UPDOWN_CLASSW, u"", 208, 210, 5, 10, 14, WS_CHILD | WS_VISIBLE, 0},
    {TRACKBAR_CLASSW, u"", 205, 5, 110, 110, 20, WS_CHILD | WS_VISIBLE | TBS_AUTOTICKS, 0},
    {u"ComboBox", u"", 206, 130, 110, 40, 60, WS_CHILD | WS_VISIBLE | CBS_DROPDOWNLIST, 0},
    {u"Edit", u"", 207, 180, 110, 40, 14, WS_CHILD | WS_VISIBLE | WS_BORDER, 0},
};
const DialogTemplate kTemplate{
    WS_POPUP | WS_CAPTION, 0, 0, 0, 240, 140, u"Wrappers", u"MS Shell Dlg", 8, kItems,
    std::size(kItems)};

TEST(ToolkitWrappers, KeepWhatTheyAreToldBeforeTheirWindowsExist) {
    ui::ScriptedUser user;
    TDialog dialog(nullptr, kTemplate);
    TTabControl tabs(&dialog, 201);
    TUpDown arrows(&dialog, 208);
    THSlider slider(&dialog, 205);
    TComboBox list(&dialog, 206);
    TEdit edit(&dialog, 207, 6);
    arrows.SetRange(-100, 100);  // before the window: applied when it is set up
    arrows.SetPos(25);
    user.OnNextDialog([&](ui::WindowUser& d) {
        int low = 0;
        int high = 0;
        arrows.GetRange(low, high);
        EXPECT_EQ(low, -100);
        EXPECT_EQ(high, 100);
        EXPECT_EQ(arrows.GetPos(), 25);
        EXPECT_EQ(tabs.Add(std::u16string(200, u'x').c_str()), 0);
        EXPECT_EQ(tabs.GetItemText(0, 128).size(), 128u) << "read up to 128 characters";
        EXPECT_TRUE(tabs.SetItemText(0, u"Analog Output 1 \u2022"));
        EXPECT_EQ(tabs.GetItemText(0), u"Analog Output 1 \u2022");
        EXPECT_EQ(tabs.SetMinTabWidth(0), 42) << "the previous minimum";
        slider.SetRange(-100, 100);
        slider.SetRuler(10);
        slider.SetPosition(-33);
        int minimum = 0;
        int maximum = 0;
        slider.GetRange(minimum, maximum);
        EXPECT_EQ(maximum, 100);
        EXPECT_EQ(slider.GetPosition(), -33);
        EXPECT_EQ(slider.GetTickCount(), 21);
        list.AddString(u"above");
        list.AddString(u"below");
        EXPECT_EQ(list.SetSelString(u"BEL"), 1) << "a prefix, ignoring case";
        EXPECT_EQ(list.GetSelString(), u"below");
        list.ClearList();
        EXPECT_EQ(list.GetSelIndex(), -1);
        d.Control(207).Type(u"1234567");
        EXPECT_EQ(edit.GetText(), u"12345") << "a limit of 6 counts the terminator";
        d.PressEscape();
    });
    dialog.Execute();
}

TEST(ToolkitModules, ATemplateIsFoundInTheLanguageAsked) {
    DialogTemplate german = kTemplate;
    german.caption = u"Deutsch";
    const ResourceEntry entries[] = {
        {ResourceName(ResourceType::kDialog), ResourceName(401), kLanguageEnglishUs, &kTemplate,
         sizeof kTemplate},
        {ResourceName(ResourceType::kDialog), ResourceName(401), 0x0407, &german, sizeof german},
        {ResourceName(ResourceType::kDialog), ResourceName(402), kLanguageEnglishUs, "short", 6},
    };
    ModuleResources registration(nullptr, entries);
    TModule executable(u"", static_cast<HINSTANCE>(nullptr));
    EXPECT_EQ(std::u16string_view(executable.FindDialogTemplate(401, 0x0407)->caption), u"Deutsch");
    EXPECT_EQ(std::u16string_view(executable.FindDialogTemplate(401)->caption), u"Wrappers");
    EXPECT_EQ(executable.FindDialogTemplate(402), nullptr) << "not a template's size";
    EXPECT_EQ(executable.FindDialogTemplate(403), nullptr);
}

}  // namespace
