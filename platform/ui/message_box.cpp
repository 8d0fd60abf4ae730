// Message boxes and the process's user-interface driver.
#include "platform/ui/driver.h"
#include "platform/ui/user.h"

namespace {

// Nobody at the screen: dialogs are left to be cancelled, message boxes take their default.
class AbsentUser final : public ui::Driver {
public:
    void RunModal(HWND) override {}
    int ShowMessageBox(const ui::MessageBoxRequest& request) override {
        return ui::DefaultMessageBoxAnswer(request.flags);
    }
};

AbsentUser g_absentUser;
ui::Driver* g_driver = nullptr;

}  // namespace

namespace ui {

std::vector<int> MessageBoxButtons(UINT flags) {
    switch (flags & MB_TYPEMASK) {
        case MB_OKCANCEL:
            return {IDOK, IDCANCEL};
        case MB_ABORTRETRYIGNORE:
            return {IDABORT, IDRETRY, IDIGNORE};
        case MB_YESNOCANCEL:
            return {IDYES, IDNO, IDCANCEL};
        case MB_YESNO:
            return {IDYES, IDNO};
        case MB_RETRYCANCEL:
            return {IDRETRY, IDCANCEL};
        default:
            return {IDOK};
    }
}

int DefaultMessageBoxAnswer(UINT flags) {
    const std::vector<int> buttons = MessageBoxButtons(flags);
    std::size_t index = (flags & MB_DEFMASK) >> 8;
    if (index >= buttons.size())
        index = 0;
    return buttons[index];
}

Driver& CurrentDriver() {
    return g_driver != nullptr ? *g_driver : g_absentUser;
}

Driver* InstallDriver(Driver* driver) {
    Driver* previous = g_driver;
    g_driver = driver;
    return previous;
}

}  // namespace ui

int MessageBoxW(HWND owner, LPCWSTR text, LPCWSTR caption, UINT type) {
    if (owner != nullptr && !IsWindow(owner))
        owner = nullptr;
    ui::MessageBoxRequest request;
    request.owner = owner;
    request.text = text != nullptr ? text : u"";
    request.caption = caption != nullptr ? caption : u"Error";  // Windows' caption for none
    request.flags = type;
    request.activeWindow = GetActiveWindow();
    return ui::CurrentDriver().ShowMessageBox(request);
}
