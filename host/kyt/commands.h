// Menu commands, command lists and their factories.
#pragma once

#include <vector>

#include "host/api/commands.h"
#include "platform/com/com_object.h"
#include "platform/com/com_ptr.h"

namespace kyt {

class MenuCommand final : public ComObject<IKYTCommand> {
public:
    // The menu path is held with a reference.
    MenuCommand(DWORD code, HINSTANCE module, UINT textId, ITevString* menuPath, LONG flags);
    ~MenuCommand() override;

    HRESULT GetCode(DWORD* code) override;
    HRESULT GetText(HINSTANCE* module, UINT* textId) override;
    HRESULT GetMenuPath(ITevString** path) override;
    HRESULT GetFlags(LONG* flags) override;

private:
    DWORD code_;
    HINSTANCE module_;
    UINT textId_;
    ITevString* menuPath_;
    LONG flags_;
};

// A class's commands. The handler that runs them is not counted: the document class owns
// the list and is its handler, and a count would keep both alive for ever.
class CommandList final : public ComObject<ICommandList> {
public:
    CommandList(const GUID& classId, IKYTCommandHandler* handler);

    HRESULT Add(IKYTCommand* command) override;
    HRESULT GetCount(LONG* count) override;
    HRESULT GetItem(LONG index, IKYTCommand** command) override;
    HRESULT GetOwner(GUID* classId, IKYTCommandHandler** handler) override;

private:
    GUID classId_;
    IKYTCommandHandler* handler_;
    std::vector<ComPtr<IKYTCommand>> commands_;
};

class CommandListFactory final : public ComObject<ICommandListFactory> {
public:
    // The new list is also handed to the host when `hostArgument` offers ICommandListHost.
    HRESULT CreateCommandList(const GUID* classId, IKYTCommandHandler* handler,
                              IUnknown* hostArgument, ICommandList** list) override;
};

class MenuCommandFactory final : public ComObject<IMenuCommandFactory> {
public:
    HRESULT CreateMenuCommand(DWORD code, HINSTANCE module, UINT textId, ITevString* menuPath,
                              LONG reserved1, LONG reserved2, LONG reserved3, LONG flags,
                              LONG reserved4, LONG reserved5, IKYTCommand** command) override;
};

}  // namespace kyt
