// Types of the visual-styles library's interface.
#pragma once

#include "platform/com/hresult.h"
#include "platform/ui/user_types.h"

struct HTHEME__;
using HTHEME = HTHEME__*;

enum THEMESIZE { TS_MIN = 0, TS_TRUE = 1, TS_DRAW = 2 };

// The entry points as they are bound by name from the loaded library.
using OpenThemeDataFunction = HTHEME (*)(HWND, LPCWSTR);
using CloseThemeDataFunction = HRESULT (*)(HTHEME);
using DrawThemeBackgroundFunction = HRESULT (*)(HTHEME, HDC, int, int, const RECT*, const RECT*);
using DrawThemeTextFunction = HRESULT (*)(HTHEME, HDC, int, int, LPCWSTR, int, DWORD, DWORD,
                                          const RECT*);
using GetThemePartSizeFunction = HRESULT (*)(HTHEME, HDC, int, int, const RECT*, THEMESIZE, SIZE*);
using GetThemeTextExtentFunction = HRESULT (*)(HTHEME, HDC, int, int, LPCWSTR, int, DWORD,
                                               const RECT*, RECT*);
using GetThemeBackgroundRegionFunction = HRESULT (*)(HTHEME, HDC, int, int, const RECT*, HRGN*);
using IsAppThemedFunction = BOOL (*)();
using DrawThemeParentBackgroundFunction = HRESULT (*)(HWND, HDC, const RECT*);
