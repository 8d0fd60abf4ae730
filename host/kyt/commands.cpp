#include "host/kyt/commands.h"

#include <new>

#include "host/api/framework_host.h"
#include "host/kyt/as_unknown.h"

namespace kyt {

MenuCommand::MenuCommand(DWORD code, HINSTANCE module, UINT textId, ITevString* menuPath,
                         LONG flags)
    : code_(code), module_(module), textId_(textId), menuPath_(AddRefed(menuPath)), flags_(flags) {}

MenuCommand::~MenuCommand() {
    ReleaseIfAny(menuPath_);
}

HRESULT MenuCommand::GetCode(DWORD* code) {
    if (code == nullptr)
        return E_POINTER;
    *code = code_;
    return S_OK;
}

HRESULT MenuCommand::GetText(HINSTANCE* module, UINT* textId) {
    if (module == nullptr || textId == nullptr)
        return E_POINTER;
    *module = module_;
    *textId = textId_;
    return S_OK;
}

HRESULT MenuCommand::GetMenuPath(ITevString** path) {
    if (path == nullptr)
        return E_POINTER;
    *path = AddRefed(menuPath_);
    return S_OK;
}

HRESULT MenuCommand::GetFlags(LONG* flags) {
    if (flags == nullptr)
        return E_POINTER;
    *flags = flags_;
    return S_OK;
}

CommandList::CommandList(const GUID& classId, IKYTCommandHandler* handler)
    : classId_(classId), handler_(handler) {
    commands_.reserve(8);
}

HRESULT CommandList::Add(IKYTCommand* command) {
    if (command == nullptr)
        return E_POINTER;
    commands_.emplace_back(command);
    return S_OK;
}

HRESULT CommandList::GetCount(LONG* count) {
    if (count == nullptr)
        return E_POINTER;
    *count = static_cast<LONG>(commands_.size());
    return S_OK;
}

HRESULT CommandList::GetItem(LONG index, IKYTCommand** command) {
    if (command == nullptr)
        return E_POINTER;
    *command = nullptr;
    if (index < 0 || static_cast<std::size_t>(index) >= commands_.size())
        return E_INVALIDARG;
    *command = commands_[static_cast<std::size_t>(index)].Get();
    (*command)->AddRef();
    return S_OK;
}

HRESULT CommandList::GetOwner(GUID* classId, IKYTCommandHandler** handler) {
    if (classId == nullptr || handler == nullptr)
        return E_POINTER;
    *classId = classId_;
    *handler = handler_;
    if (handler_ != nullptr)
        handler_->AddRef();
    return S_OK;
}

HRESULT CommandListFactory::CreateCommandList(const GUID* classId, IKYTCommandHandler* handler,
                                              IUnknown* hostArgument, ICommandList** list) {
    if (list == nullptr)
        return E_POINTER;
    *list = nullptr;
    if (classId == nullptr)
        return E_INVALIDARG;
    auto* created = new (std::nothrow) CommandList(*classId, handler);
    if (created == nullptr)
        return E_OUTOFMEMORY;
    created->AddRef();
    if (auto host = ComPtr<ICommandListHost>::QueryFrom(hostArgument)) {
        host->AddCommandList(created);
    }
    *list = created;
    return S_OK;
}

HRESULT MenuCommandFactory::CreateMenuCommand(DWORD code, HINSTANCE module, UINT textId,
                                              ITevString* menuPath, LONG /*reserved1*/,
                                              LONG /*reserved2*/, LONG /*reserved3*/, LONG flags,
                                              LONG /*reserved4*/, LONG /*reserved5*/,
                                              IKYTCommand** command) {
    if (command == nullptr)
        return E_POINTER;
    *command = nullptr;
    auto* created = new (std::nothrow) MenuCommand(code, module, textId, menuPath, flags);
    if (created == nullptr)
        return E_OUTOFMEMORY;
    created->AddRef();
    *command = created;
    return S_OK;
}

}  // namespace kyt
