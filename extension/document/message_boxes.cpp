#include "extension/document/message_boxes.h"

#include <map>
#include <mutex>

#include "extension/services/framework_services.h"
#include "extension/services/module_object.h"
#include "platform/ui/user.h"
#include "resources/string_ids.h"
#include "support/format/word_wrap.h"
#include "support/resource/load_string.h"

namespace VavazaZavidi {

namespace {

constexpr int kMessageWrapWidth = 70;

}  // namespace

HWND HostMainWindow() {
    HWND window = nullptr;
    if (IHostApplication* application = Services::HostApplication()) {
        application->GetMainWindow(&window);
    }
    return window;
}

int ShowHostMessage(const Tev::String& text, const Tev::String& caption, UINT flags) {
    return MessageBoxW(HostMainWindow(), text.Text(), caption.Text(), flags);
}

const Tev::String& ProcessString(UINT id) {
    static std::mutex mutex;
    static std::map<UINT, Tev::String> loaded;  // kept until the module unloads
    std::lock_guard lock(mutex);
    auto found = loaded.find(id);
    if (found == loaded.end()) {
        found = loaded.emplace(id, Tev::LoadString(Services::ModuleInstance(), id)).first;
    }
    return found->second;
}

void ShowInternalError() {
    Tev::String text = ProcessString(StringId::kInternalError);
    Tev::WordWrap(text, kMessageWrapWidth);
    ShowHostMessage(text, ProcessString(StringId::kInternalErrorCaption), MB_ICONERROR);
}

}  // namespace VavazaZavidi
