// The visual-styles service of the platform runtime. The loadable stand-in for the
// visual-styles library (the module "uxtheme.dll", see platform/theme/CMakeLists.txt)
// exports the library's functions by their names and forwards each to the function of the
// same name here. A test chooses the answers:
//   theme::SetMode(theme::Mode::Themed)     styles on; everything succeeds and draws
//   theme::SetMode(theme::Mode::Unthemed)   styles off; IsAppThemed is false, OpenThemeData
//                                           gives no handle (the default)
//   theme::SetMode(theme::Mode::Failing)    styles on, but OpenThemeData gives no handle and
//                                           every call fails with E_FAIL
//   theme::FailFunction("DrawThemeText")    that one function fails from now on
// and reads what was asked of it through theme::Calls().
//
// Drawing: a part is filled with theme::PartColour(class, part, state) inside a one-pixel
// outline of theme::OutlineColour(class, part, state); theme text is drawn like DrawTextW
// in black (grey for a disabled state 4).
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/theme/uxtheme_types.h"

namespace theme {

enum class Mode { Themed, Unthemed, Failing };

void SetMode(Mode mode);
Mode CurrentMode();
// Whether the system has visual styles at all (a Windows XP or later system). True unless
// a test says otherwise.
void SetSystemHasVisualStyles(bool has);
bool SystemHasVisualStyles();

void FailFunction(std::string_view name, bool fail = true);
void ClearFailures();

struct Call {
    std::string function;
    std::u16string themeClass;  // of the handle used, or the class asked for
    int part = 0;
    int state = 0;
    RECT rect;
    HRESULT result = 0;
};
const std::vector<Call>& Calls();
void ClearCalls();
std::size_t OpenHandleCount();

COLORREF PartColour(std::u16string_view themeClass, int part, int state);
COLORREF OutlineColour(std::u16string_view themeClass, int part, int state);

// For the common controls: the colour the theme paints a control class's body with, when
// styles are on and working.
bool ActiveBodyColour(const char16_t* themeClass, COLORREF* colour);

// The library's functions.
HTHEME OpenThemeData(HWND window, LPCWSTR classList);
HRESULT CloseThemeData(HTHEME theme);
HRESULT DrawThemeBackground(HTHEME theme, HDC dc, int part, int state, const RECT* rect,
                            const RECT* clip);
HRESULT DrawThemeText(HTHEME theme, HDC dc, int part, int state, LPCWSTR text, int count,
                      DWORD flags, DWORD flags2, const RECT* rect);
HRESULT GetThemePartSize(HTHEME theme, HDC dc, int part, int state, const RECT* rect,
                         THEMESIZE size, SIZE* out);
HRESULT GetThemeTextExtent(HTHEME theme, HDC dc, int part, int state, LPCWSTR text, int count,
                           DWORD flags, const RECT* bounding, RECT* extent);
HRESULT GetThemeBackgroundRegion(HTHEME theme, HDC dc, int part, int state, const RECT* rect,
                                 HRGN* region);
BOOL IsAppThemed();
BOOL IsThemeActive();
HRESULT DrawThemeParentBackground(HWND window, HDC dc, const RECT* rect);

}  // namespace theme
