// The framework fallback: what the extension does when COM does not know the host framework,
// that is, when the host has not loaded the framework library (yet).
//
// 1. When COM gives the framework class object (as IUnknown), nothing is done.
// 2. Once per process: OLE is initialised on the calling thread and uninitialised at exit.
//    A failure is raised as XTev carrying the HRESULT.
// 3. Once per process: LoadFrameworkLibrary, undone at exit (the registration revoked, the
//    library freed).
#pragma once

#include <string>

#include "platform/win_types.h"

namespace Services {

void RunFrameworkFallback();

// The framework library's file name; it lies beside the host executable.
inline constexpr char16_t kFrameworkLibraryName[] = u"libKyt.so";
// The host executable's path is read into a buffer of this many units. Linux paths are
// longer than Windows' 260: this is the system's own limit.
inline constexpr DWORD kHostPathUnits = 4096;
// The failure message is built in a buffer of this many units, terminator included.
inline constexpr std::size_t kLoadFailureUnits = 512;

// The path of the framework library beside the host executable, made canonical.
std::u16string FrameworkLibraryPath();

// The text shown when the framework library has no DllGetClassObject: "Varnis failed to load "
// and the path, cut to kLoadFailureUnits - 1 units.
std::u16string LoadFailureText(std::u16string_view path);

// Loads the framework library beside the host executable and registers its class object
// with COM for CLSID_FrameworkClassObject. A library without "DllGetClassObject" (or one that
// cannot be loaded) is reported in a message box and ends the process with exit code -1.
// A failure to create or register the class object is raised as XHResult.
void LoadFrameworkLibrary();

}  // namespace Services
