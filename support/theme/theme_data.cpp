#include "support/theme/theme_data.h"

#include "support/string/xtev.h"
#include "support/theme/uxtheme_dll.h"

namespace Tev {
namespace {

[[noreturn]] void Fail(const String& message) {
    throw XTev(kXTevGeneral, message);
}

void Check(HRESULT result, const char16_t* message) {
    if (FAILED(result))
        Fail(String(message));
}

}  // namespace

ThemeData::ThemeData(HWND window, const String& themeClass)
    : window_(window), themeClass_(themeClass) {}

ThemeData::~ThemeData() {
    if (handle_ != nullptr)
        TevLinkingUtils::UxThemeDLL::Instance().CloseThemeData(handle_);
}

HTHEME ThemeData::Open() {
    if (handle_ != nullptr)
        return handle_;
    handle_ = TevLinkingUtils::UxThemeDLL::Instance().OpenThemeData(window_, themeClass_.Text());
    if (handle_ == nullptr) {
        String message(u"Could not open theme data for the given class: ");
        message += themeClass_;
        message += u".";
        Fail(message);
    }
    return handle_;
}

void ThemeData::Close() {
    const HTHEME handle = handle_;
    handle_ = nullptr;
    Check(TevLinkingUtils::UxThemeDLL::Instance().CloseThemeData(handle),
          u"Failed to close theme data.");
}

void ThemeData::DrawBackground(HDC dc, int part, int state, const RECT& rect, const RECT* clip,
                               const char16_t* failure) {
    Check(TevLinkingUtils::UxThemeDLL::Instance().DrawThemeBackground(Open(), dc, part, state,
                                                                      &rect, clip),
          failure);
}

HRGN ThemeData::BackgroundRegion(HDC dc, int part, int state, const RECT& rect) {
    HRGN region = nullptr;
    Check(TevLinkingUtils::UxThemeDLL::Instance().GetThemeBackgroundRegion(Open(), dc, part, state,
                                                                           &rect, &region),
          u"Error calling UxThemeDLL::GetThemeBackgroundRegion().");
    return region;
}

SIZE ThemeData::PartSize(HDC dc, int part, int state, const RECT* rect, THEMESIZE size) {
    SIZE out{};
    Check(TevLinkingUtils::UxThemeDLL::Instance().GetThemePartSize(Open(), dc, part, state, rect,
                                                                   size, &out),
          u"Error calling UxThemeDLL::GetThemePartSize().");
    return out;
}

RECT ThemeData::TextExtent(HDC dc, int part, int state, const String& text, DWORD flags,
                           const RECT* bounding) {
    RECT extent{};
    Check(TevLinkingUtils::UxThemeDLL::Instance().GetThemeTextExtent(
              Open(), dc, part, state, text.Text(), static_cast<int>(text.Length()), flags,
              bounding, &extent),
          u"Error calling UxThemeDLL::GetThemeTextExtent().");
    return extent;
}

void ThemeData::DrawText(HDC dc, int part, int state, const String& text, DWORD flags,
                         const RECT& rect) {
    Check(
        TevLinkingUtils::UxThemeDLL::Instance().DrawThemeText(
            Open(), dc, part, state, text.Text(), static_cast<int>(text.Length()), flags, 0, &rect),
        u"Error calling UxThemeDLL::DrawThemeText().");
}

}  // namespace Tev
