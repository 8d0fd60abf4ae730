// TevLinkingUtils::UxThemeDLL: late-bound access to the visual-styles library "uxtheme.dll",
// so that the program also loads where the library is missing. One process-wide instance is
// made on first use (loading the library; it must load) and lives until the program ends.
// Each function is bound by name on its first call and reused afterwards.
#pragma once

#include <memory>

#include "platform/theme/uxtheme_types.h"
#include "platform/ui/owl/module.h"

namespace TevLinkingUtils {

class UxThemeDLL : public owl::TModule {
public:
    // The instance; throws owl::TXInvalidModule when the library cannot be loaded.
    static UxThemeDLL& Instance();

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
    HRESULT DrawThemeParentBackground(HWND window, HDC dc, const RECT* rect);

    // How many functions have been bound so far (each once).
    int BoundCount() const;

private:
    UxThemeDLL();

    template <class Result, class... Args>
    using Proc = std::unique_ptr<owl::TModuleProc<Result, Args...>>;

    template <class Result, class... Args>
    owl::TModuleProc<Result, Args...>& Bind(Proc<Result, Args...>& proc, const char* name) {
        if (proc == nullptr)
            proc = std::make_unique<owl::TModuleProc<Result, Args...>>(*this, name);
        return *proc;
    }

    Proc<HTHEME, HWND, LPCWSTR> open_;
    Proc<HRESULT, HTHEME> close_;
    Proc<HRESULT, HTHEME, HDC, int, int, const RECT*, const RECT*> drawBackground_;
    Proc<HRESULT, HTHEME, HDC, int, int, LPCWSTR, int, DWORD, DWORD, const RECT*> drawText_;
    Proc<HRESULT, HTHEME, HDC, int, int, const RECT*, THEMESIZE, SIZE*> partSize_;
    Proc<HRESULT, HTHEME, HDC, int, int, LPCWSTR, int, DWORD, const RECT*, RECT*> textExtent_;
    Proc<HRESULT, HTHEME, HDC, int, int, const RECT*, HRGN*> backgroundRegion_;
    Proc<BOOL> isAppThemed_;
    Proc<HRESULT, HWND, HDC, const RECT*> drawParentBackground_;
};

}  // namespace TevLinkingUtils
