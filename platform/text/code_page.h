// Code-page conversion as the Windows functions do it. Every narrow code page this platform
// knows is UTF-8: the process ANSI code page (CP_ACP), the calling thread's (CP_THREAD_ACP),
// the OEM code page and CP_UTF8 itself. Other code-page numbers fail with
// ERROR_INVALID_PARAMETER.
//
// Counts: a source count of -1 means a NUL-terminated source, whose terminator is converted
// and counted too; a destination size of 0 only measures. The result is the number of units
// (or bytes) written, or needed when measuring; 0 means failure, with the reason in
// GetLastError(): ERROR_INVALID_PARAMETER (a null source, a source count of 0 or below -1, a
// negative destination size, an unknown code page), ERROR_INVALID_FLAGS, ERROR_INSUFFICIENT_BUFFER
// (the destination is too small; it may hold part of the text) or ERROR_NO_UNICODE_TRANSLATION
// (ill-formed input with MB_ERR_INVALID_CHARS / WC_ERR_INVALID_CHARS).
//
// Without those flags ill-formed input is replaced by U+FFFD (platform/text/utf.h). For
// WideCharToMultiByte a given `usedDefaultChar` receives TRUE when a lone surrogate had to be
// replaced; `defaultChar` is accepted and ignored, since UTF-8 can always encode U+FFFD.
#pragma once

#include "platform/win_types.h"

inline constexpr UINT CP_ACP = 0;
inline constexpr UINT CP_OEMCP = 1;
inline constexpr UINT CP_THREAD_ACP = 3;
inline constexpr UINT CP_UTF8 = 65001;

inline constexpr DWORD MB_ERR_INVALID_CHARS = 0x08;
inline constexpr DWORD WC_ERR_INVALID_CHARS = 0x80;

// The process ANSI code page: always CP_UTF8 here.
UINT GetACP();

int MultiByteToWideChar(UINT codePage, DWORD flags, const char* multiByte, int multiByteCount,
                        LPWSTR wide, int wideCount);

int WideCharToMultiByte(UINT codePage, DWORD flags, LPCWSTR wide, int wideCount, char* multiByte,
                        int multiByteCount, const char* defaultChar, BOOL* usedDefaultChar);
