// Menu commands: a document class's command list holds its commands, which the host shows in
// its menus and runs through the class's (or the active document's) command handler.
#pragma once

#include <cstdint>

#include "host/api/framework_ids.h"
#include "host/api/tev_string_forward.h"
#include "platform/com/unknown.h"

// The host's view of one menu item while it asks for the item's state.
struct ICommandState : IUnknown {
    static constexpr IID kIid = MakeGuid("{812082B7-B7F0-11D3-80C8-005004AD3C53}");

    virtual HRESULT Unused3() { return E_NOTIMPL; }
    virtual HRESULT Enable(VARIANT_BOOL enabled) = 0;
    // Sets the bits of `mask` in the check state to those of `value`.
    virtual HRESULT SetCheck(LONG value, LONG mask) = 0;

protected:
    ~ICommandState() = default;
};

// Handler results: 0 when a row ran, 1 when there is none.
inline constexpr HRESULT kCommandHandled = 0;
inline constexpr HRESULT kCommandNotHandled = 1;

struct IKYTCommandHandler : IUnknown {
    static constexpr IID kIid = MakeGuid("{812082B5-B7F0-11D3-80C8-005004AD3C53}");

    virtual HRESULT ExecuteCommand(MessageId id) = 0;
    virtual HRESULT UpdateCommand(MessageId id, ICommandState* state) = 0;
    // Runs the first row of `kind` matching `id` with the two values.
    virtual HRESULT HandleCommand(MessageId id, LONG kind, std::intptr_t value1,
                                  std::intptr_t value2) = 0;

protected:
    ~IKYTCommandHandler() = default;
};

// One menu command.
struct IKYTCommand : IUnknown {
    static constexpr IID kIid = MakeGuid("{812082B2-B7F0-11D3-80C8-005004AD3C53}");

    // The command's code within its class's family.
    virtual HRESULT GetCode(DWORD* code) = 0;
    // The module whose string table holds the text, and the text's id.
    virtual HRESULT GetText(HINSTANCE* module, UINT* textId) = 0;
    // The menu path ("Setup|&Name^GROUP"), with a reference for the caller.
    virtual HRESULT GetMenuPath(ITevString** path) = 0;
    virtual HRESULT GetFlags(LONG* flags) = 0;

protected:
    ~IKYTCommand() = default;
};

struct ICommandList : IUnknown {
    static constexpr IID kIid = MakeGuid("{812082B3-B7F0-11D3-80C8-005004AD3C53}");

    // Appends a command; the list holds a reference. E_POINTER for null.
    virtual HRESULT Add(IKYTCommand* command) = 0;
    virtual HRESULT GetCount(LONG* count) = 0;
    virtual HRESULT GetItem(LONG index, IKYTCommand** command) = 0;
    // The class the list belongs to and the handler that runs its commands (with a reference).
    virtual HRESULT GetOwner(GUID* classId, IKYTCommandHandler** handler) = 0;

protected:
    ~ICommandList() = default;
};

struct ICommandListFactory : IUnknown {
    static constexpr IID kIid = MakeGuid("{812082B6-B7F0-11D3-80C8-005004AD3C53}");

    virtual HRESULT Unused3() { return E_NOTIMPL; }
    virtual HRESULT Unused4() { return E_NOTIMPL; }
    virtual HRESULT Unused5() { return E_NOTIMPL; }
    virtual HRESULT Unused6() { return E_NOTIMPL; }
    // A new command list of class `classId` run by `handler` (held with a reference);
    // `hostArgument` is what the host passed to the class's Initialise.
    virtual HRESULT CreateCommandList(const GUID* classId, IKYTCommandHandler* handler,
                                      IUnknown* hostArgument, ICommandList** list) = 0;

protected:
    ~ICommandListFactory() = default;
};

struct IMenuCommandFactory : IUnknown {
    static constexpr IID kIid = MakeGuid("{812082B1-B7F0-11D3-80C8-005004AD3C53}");

    virtual HRESULT Unused3() { return E_NOTIMPL; }
    virtual HRESULT Unused4() { return E_NOTIMPL; }
    virtual HRESULT Unused5() { return E_NOTIMPL; }
    virtual HRESULT Unused6() { return E_NOTIMPL; }
    virtual HRESULT Unused7() { return E_NOTIMPL; }
    // A new menu command with one reference for the caller: code `code`, text `textId` from
    // the string table of `module`, shown at `menuPath`. The reserved values are 0.
    virtual HRESULT CreateMenuCommand(DWORD code, HINSTANCE module, UINT textId,
                                      ITevString* menuPath, LONG reserved1, LONG reserved2,
                                      LONG reserved3, LONG flags, LONG reserved4, LONG reserved5,
                                      IKYTCommand** command) = 0;

protected:
    ~IMenuCommandFactory() = default;
};
