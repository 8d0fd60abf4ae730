#include "support/theme/uxtheme_dll.h"

namespace TevLinkingUtils {

UxThemeDLL::UxThemeDLL() : owl::TModule(u"uxtheme.dll", true, true, false) {}

UxThemeDLL& UxThemeDLL::Instance() {
    static UxThemeDLL instance;
    return instance;
}

HTHEME UxThemeDLL::OpenThemeData(HWND window, LPCWSTR classList) {
    return Bind(open_, "OpenThemeData")(window, classList);
}

HRESULT UxThemeDLL::CloseThemeData(HTHEME theme) {
    return Bind(close_, "CloseThemeData")(theme);
}

HRESULT UxThemeDLL::DrawThemeBackground(HTHEME theme, HDC dc, int part, int state, const RECT* rect,
                                        const RECT* clip) {
    return Bind(drawBackground_, "DrawThemeBackground")(theme, dc, part, state, rect, clip);
}

HRESULT UxThemeDLL::DrawThemeText(HTHEME theme, HDC dc, int part, int state, LPCWSTR text,
                                  int count, DWORD flags, DWORD flags2, const RECT* rect) {
    return Bind(drawText_, "DrawThemeText")(theme, dc, part, state, text, count, flags, flags2,
                                            rect);
}

HRESULT UxThemeDLL::GetThemePartSize(HTHEME theme, HDC dc, int part, int state, const RECT* rect,
                                     THEMESIZE size, SIZE* out) {
    return Bind(partSize_, "GetThemePartSize")(theme, dc, part, state, rect, size, out);
}

HRESULT UxThemeDLL::GetThemeTextExtent(HTHEME theme, HDC dc, int part, int state, LPCWSTR text,
                                       int count, DWORD flags, const RECT* bounding, RECT* extent) {
    return Bind(textExtent_, "GetThemeTextExtent")(theme, dc, part, state, text, count, flags,
                                                   bounding, extent);
}

HRESULT UxThemeDLL::GetThemeBackgroundRegion(HTHEME theme, HDC dc, int part, int state,
                                             const RECT* rect, HRGN* region) {
    return Bind(backgroundRegion_, "GetThemeBackgroundRegion")(theme, dc, part, state, rect,
                                                               region);
}

BOOL UxThemeDLL::IsAppThemed() {
    return Bind(isAppThemed_, "IsAppThemed")();
}

HRESULT UxThemeDLL::DrawThemeParentBackground(HWND window, HDC dc, const RECT* rect) {
    return Bind(drawParentBackground_, "DrawThemeParentBackground")(window, dc, rect);
}

int UxThemeDLL::BoundCount() const {
    return (open_ != nullptr) + (close_ != nullptr) + (drawBackground_ != nullptr) +
           (drawText_ != nullptr) + (partSize_ != nullptr) + (textExtent_ != nullptr) +
           (backgroundRegion_ != nullptr) + (isAppThemed_ != nullptr) +
           (drawParentBackground_ != nullptr);
}

}  // namespace TevLinkingUtils
