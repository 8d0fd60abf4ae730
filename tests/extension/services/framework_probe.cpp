// framework_probe: asks for the framework's document-class registry as the extension does, in
// a process where no framework is registered, so that the framework fallback loads libKyt.so
// from this program's folder. Every message box is printed to stderr as
// "caption|text|flags" and answered with its default button. Prints "registry" or "none".
#include <cstdio>
#include <string>

#include "extension/services/framework_services.h"
#include "platform/text/utf.h"
#include "platform/ui/driver.h"

namespace {

class PrintingUser final : public ui::Driver {
public:
    void RunModal(HWND) override {}
    int ShowMessageBox(const ui::MessageBoxRequest& request) override {
        std::fprintf(stderr, "%s|%s|%u\n", text::ToUtf8(request.caption).c_str(),
                     text::ToUtf8(request.text).c_str(), request.flags);
        std::fflush(stderr);
        return ui::DefaultMessageBoxAnswer(request.flags);
    }
};

}  // namespace

int main() {
    PrintingUser user;
    ui::InstallDriver(&user);
    IDocClassRegistry* registry = Services::DocClassRegistry();
    std::printf("%s\n", registry != nullptr ? "registry" : "none");
    ui::InstallDriver(nullptr);
    return 0;
}
