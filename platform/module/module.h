// Modules as Windows sees them, over the dynamic loader. A module handle (HMODULE) is the
// address at which the module's image starts (its ELF header), as on Windows; the null module
// stands for the host executable.
//
// - LoadLibrary loads a shared library with dlopen and counts the load; FreeLibrary undoes one
//   load. A bare file name is looked for in the executable's folder first, as on Windows, and
//   then by the loader's own search rules. Loading a module that is already there gives the
//   same handle again.
// - GetProcAddress finds an export of exactly that module: a symbol that the loader would find
//   in one of the module's dependencies does not count.
// - GetModuleFileName gives the module's full path; for the null module and the executable it
//   is the executable's path from /proc/self/exe.
// - ModuleFromAddress (and GetModuleHandleEx with GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS) finds
//   the module whose image contains an address: how a module learns its own handle.
//
// Failures set the thread's last error (platform/error/last_error.h).
#pragma once

#include "platform/win_types.h"

// An exported function as GetProcAddress returns it; cast it to its real type to call it.
using FARPROC = void (*)();

HMODULE LoadLibraryW(LPCWSTR fileName);
HMODULE LoadLibraryA(const char* fileName);
inline HMODULE LoadLibrary(LPCWSTR fileName) {
    return LoadLibraryW(fileName);
}
inline HMODULE LoadLibrary(const char* fileName) {
    return LoadLibraryA(fileName);
}

// Undoes one LoadLibrary of the module. FALSE (ERROR_INVALID_HANDLE) for a module that was not
// loaded through LoadLibrary, or whose loads have all been undone.
BOOL FreeLibrary(HMODULE module);

// The address of the module's export `name`; null (ERROR_PROC_NOT_FOUND) when the module does
// not define it, or ERROR_MOD_NOT_FOUND when `module` is not a loaded module.
FARPROC GetProcAddress(HMODULE module, const char* name);

// Copies the module's full path into `fileName` (`size` units, terminator included) and returns
// its length. When the path does not fit, it is cut to size - 1 units and terminated, the result
// is `size` and the last error ERROR_INSUFFICIENT_BUFFER. 0 on failure.
DWORD GetModuleFileNameW(HMODULE module, LPWSTR fileName, DWORD size);
DWORD GetModuleFileNameA(HMODULE module, char* fileName, DWORD size);
inline DWORD GetModuleFileName(HMODULE module, LPWSTR fileName, DWORD size) {
    return GetModuleFileNameW(module, fileName, size);
}

// Null name: the executable. Otherwise a module that is already loaded, by the name it was
// loaded with (or its path); null (ERROR_MOD_NOT_FOUND) when there is none. Does not count a load.
HMODULE GetModuleHandleW(LPCWSTR moduleName);
inline HMODULE GetModuleHandle(LPCWSTR moduleName) {
    return GetModuleHandleW(moduleName);
}

inline constexpr DWORD GET_MODULE_HANDLE_EX_FLAG_PIN = 0x1;
inline constexpr DWORD GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT = 0x2;
inline constexpr DWORD GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS = 0x4;

// With GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS, `moduleNameOrAddress` is an address inside the
// module. Without GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT (or _PIN) a library found this
// way is counted as loaded once more, to be undone with FreeLibrary.
BOOL GetModuleHandleExW(DWORD flags, LPCWSTR moduleNameOrAddress, HMODULE* module);

// The module whose image contains `address`; null when no loaded module does.
HMODULE ModuleFromAddress(const void* address);

// The handle of the host executable (what the null module stands for).
HMODULE ExecutableModule();
