// The process's table of class objects, as COM keeps it: a server registers the class object
// of a class identifier with CoRegisterClassObject and gets a cookie; any code in the process
// asks for it with CoGetClassObject; CoRevokeClassObject withdraws it.
//
// The table is one per process (it lives in the platform runtime). There is no system
// registry behind it: a class nobody registered is answered with REGDB_E_CLASSNOTREG, as
// Windows answers a class that is not registered anywhere. Lookups and registrations need COM
// to be initialised (OleInitialize) on some thread of the process, as with Windows' implicit
// multithreaded apartment; otherwise they give CO_E_NOTINITIALIZED.
#pragma once

#include "platform/com/unknown.h"

// Execution contexts (CLSCTX). A lookup finds a registration whose context shares one of
// these with the requested context.
inline constexpr DWORD CLSCTX_INPROC_SERVER = 0x1;
inline constexpr DWORD CLSCTX_INPROC_HANDLER = 0x2;
inline constexpr DWORD CLSCTX_LOCAL_SERVER = 0x4;
inline constexpr DWORD CLSCTX_REMOTE_SERVER = 0x10;
inline constexpr DWORD CLSCTX_INPROC = CLSCTX_INPROC_SERVER | CLSCTX_INPROC_HANDLER;
inline constexpr DWORD CLSCTX_SERVER =
    CLSCTX_INPROC_SERVER | CLSCTX_LOCAL_SERVER | CLSCTX_REMOTE_SERVER;
inline constexpr DWORD CLSCTX_ALL = CLSCTX_INPROC_HANDLER | CLSCTX_SERVER;  // 23

// Registration flags (REGCLS).
inline constexpr DWORD REGCLS_SINGLEUSE = 0;  // hidden after the first successful lookup
inline constexpr DWORD REGCLS_MULTIPLEUSE = 1;
inline constexpr DWORD REGCLS_MULTI_SEPARATE = 2;

inline constexpr HRESULT CO_E_OBJISREG = MakeHResult(0x800401FC);

// Registers `object` (one reference is taken and held until the registration is revoked) as
// the class object of `clsid` for `context`. A multiple-use registration for the local server
// also serves in-process lookups. E_INVALIDARG for a null object or cookie pointer, a context
// without any of the four server kinds or unknown flags; CO_E_OBJISREG when the class already
// has a visible registration for an overlapping context. The cookie is never 0.
HRESULT CoRegisterClassObject(REFCLSID clsid, IUnknown* object, DWORD context, DWORD flags,
                              DWORD* cookie);

// Withdraws a registration and releases its reference; CO_E_OBJNOTREG for a cookie that is
// not (or no longer) registered.
HRESULT CoRevokeClassObject(DWORD cookie);

// Queries the class object registered for `clsid` and `context` for `iid`. The result carries
// one reference. E_INVALIDARG for a null result pointer or a context without any of the four
// server kinds; REGDB_E_CLASSNOTREG when no registration matches; otherwise the class object's
// own QueryInterface result. The result pointer is null on every failure. `serverInfo` (the
// remote machine) is not used.
HRESULT CoGetClassObject(REFCLSID clsid, DWORD context, void* serverInfo, REFIID iid,
                         void** object);
