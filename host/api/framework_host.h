// The host application's side of the framework library: operations the host uses to run the
// framework, which extensions never call.
#pragma once

#include "host/api/tev_string_forward.h"
#include "platform/com/unknown.h"
#include "platform/module/resource.h"

struct ICommandList;

// Offered by the framework class object.
struct IFrameworkHost : IUnknown {
    static constexpr IID kIid = MakeGuid("{818DA441-8037-11D3-80BC-005004AD3C53}");

    // Sets the host state flag that disables extension commands.
    virtual HRESULT SetCommandsBlocked(VARIANT_BOOL blocked) = 0;
    // Lets go of everything the framework holds (registered classes, subscriptions), before
    // the host unloads its extensions.
    virtual HRESULT Shutdown() = 0;

protected:
    ~IFrameworkHost() = default;
};

// Offered by the host application object.
struct IHostApplicationSetup : IUnknown {
    static constexpr IID kIid = MakeGuid("{70380573-34EA-11D3-8099-005004AD3C53}");

    virtual HRESULT SetMainWindow(HWND window) = 0;
    virtual HRESULT SetUserInterfaceLanguage(LANGID language) = 0;
    virtual HRESULT SetBool(LPCOLESTR key, BYTE value) = 0;
    // How many help requests arrived, and the last one's context and file (with references;
    // none before the first request).
    virtual HRESULT GetHelpRequests(LONG* count, ITevString** context, ITevString** file) = 0;

protected:
    ~IHostApplicationSetup() = default;
};

// What the host passes to a document class's Initialise: the command lists made for the class
// are handed to it, so that the host can show and run their commands.
struct ICommandListHost : IUnknown {
    static constexpr IID kIid = MakeGuid("{812082B8-B7F0-11D3-80C8-005004AD3C53}");

    virtual HRESULT AddCommandList(ICommandList* list) = 0;

protected:
    ~ICommandListHost() = default;
};
