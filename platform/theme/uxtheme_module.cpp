// The loadable stand-in for the visual-styles library. It is built as "uxtheme.dll" (with the
// spelling "UxTheme.dll" beside it, as Windows file names ignore case) in the folder of the
// programs and libraries, where LoadLibrary finds it. Each export is the library's function
// of that name and forwards to the platform runtime's theme service, whose answers a test
// sets (platform/theme/theme_service.h).
#include "platform/theme/theme_service.h"

extern "C" {

HTHEME OpenThemeData(HWND window, LPCWSTR classList) {
    return theme::OpenThemeData(window, classList);
}

HRESULT CloseThemeData(HTHEME handle) {
    return theme::CloseThemeData(handle);
}

HRESULT DrawThemeBackground(HTHEME handle, HDC dc, int part, int state, const RECT* rect,
                            const RECT* clip) {
    return theme::DrawThemeBackground(handle, dc, part, state, rect, clip);
}

HRESULT DrawThemeText(HTHEME handle, HDC dc, int part, int state, LPCWSTR text, int count,
                      DWORD flags, DWORD flags2, const RECT* rect) {
    return theme::DrawThemeText(handle, dc, part, state, text, count, flags, flags2, rect);
}

HRESULT GetThemePartSize(HTHEME handle, HDC dc, int part, int state, const RECT* rect,
                         THEMESIZE size, SIZE* out) {
    return theme::GetThemePartSize(handle, dc, part, state, rect, size, out);
}

HRESULT GetThemeTextExtent(HTHEME handle, HDC dc, int part, int state, LPCWSTR text, int count,
                           DWORD flags, const RECT* bounding, RECT* extent) {
    return theme::GetThemeTextExtent(handle, dc, part, state, text, count, flags, bounding, extent);
}

HRESULT GetThemeBackgroundRegion(HTHEME handle, HDC dc, int part, int state, const RECT* rect,
                                 HRGN* region) {
    return theme::GetThemeBackgroundRegion(handle, dc, part, state, rect, region);
}

BOOL IsAppThemed() {
    return theme::IsAppThemed();
}

BOOL IsThemeActive() {
    return theme::IsThemeActive();
}

HRESULT DrawThemeParentBackground(HWND window, HDC dc, const RECT* rect) {
    return theme::DrawThemeParentBackground(window, dc, rect);
}

}  // extern "C"
