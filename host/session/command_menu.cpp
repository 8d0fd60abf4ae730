#include "host/session/command_menu.h"

#include "support/resource/load_string.h"
#include "support/string/tev_string.h"

namespace session {

HRESULT CommandState::Enable(VARIANT_BOOL enabled) {
    enabled_ = enabled != 0;
    return S_OK;
}

HRESULT CommandState::SetCheck(LONG value, LONG mask) {
    check_ = (check_ & ~mask) | (value & mask);
    return S_OK;
}

HRESULT CommandMenu::AddCommandList(ICommandList* list) {
    if (list == nullptr)
        return E_POINTER;
    lists_.emplace_back(list);
    return S_OK;
}

std::vector<MenuItem> CommandMenu::Items(
    const std::function<MessageId(const GUID& classId)>& familyBase) const {
    std::vector<MenuItem> items;
    for (const auto& list : lists_) {
        GUID classId{};
        ComPtr<IKYTCommandHandler> handler;
        list->GetOwner(&classId, handler.OutParam());
        LONG count = 0;
        list->GetCount(&count);
        for (LONG i = 0; i < count; ++i) {
            ComPtr<IKYTCommand> command;
            if (FAILED(list->GetItem(i, command.OutParam())))
                continue;
            DWORD code = 0;
            HINSTANCE module = nullptr;
            UINT textId = 0;
            Tev::String path;
            command->GetCode(&code);
            command->GetText(&module, &textId);
            command->GetMenuPath(path.OutParam());
            const Tev::String text = Tev::LoadResourceText(module, textId);
            items.push_back({std::u16string(path.View()), std::u16string(text.View()),
                             familyBase(classId) + code, handler});
        }
    }
    return items;
}

}  // namespace session
