// ThemeData: the theme handle of one window and theme class, opened on first use through
// UxThemeDLL. Failures become XTev errors (code 0xA0048210) with fixed messages:
//   opening   "Could not open theme data for the given class: <class>."
//   closing   "Failed to close theme data."
//   drawing   "Error calling UxThemeDLL::<function>()." (and, at the balloon body's call
//             site, "Error calling UxThemeDLL::DrawThemeBackground()" without the full stop)
#pragma once

#include "platform/theme/uxtheme_types.h"
#include "support/string/tev_string.h"

namespace Tev {

// The two messages of the background drawing's two call sites.
inline constexpr char16_t kDrawThemeBackgroundFailed[] =
    u"Error calling UxThemeDLL::DrawThemeBackground()";
inline constexpr char16_t kDrawThemeBackgroundFailedStop[] =
    u"Error calling UxThemeDLL::DrawThemeBackground().";

class ThemeData {
public:
    ThemeData(HWND window, const String& themeClass);
    // Closes a handle still open, quietly.
    ~ThemeData();
    ThemeData(const ThemeData&) = delete;
    ThemeData& operator=(const ThemeData&) = delete;

    // The handle, opened on first use.
    HTHEME Open();
    void Close();
    bool IsOpen() const { return handle_ != nullptr; }
    const String& ThemeClass() const { return themeClass_; }

    void DrawBackground(HDC dc, int part, int state, const RECT& rect, const RECT* clip = nullptr,
                        const char16_t* failure = kDrawThemeBackgroundFailedStop);
    HRGN BackgroundRegion(HDC dc, int part, int state, const RECT& rect);
    SIZE PartSize(HDC dc, int part, int state, const RECT* rect, THEMESIZE size);
    RECT TextExtent(HDC dc, int part, int state, const String& text, DWORD flags,
                    const RECT* bounding);
    void DrawText(HDC dc, int part, int state, const String& text, DWORD flags, const RECT& rect);

private:
    HWND window_;
    String themeClass_;
    HTHEME handle_ = nullptr;
};

}  // namespace Tev
