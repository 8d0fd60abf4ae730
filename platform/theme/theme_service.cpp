#include "platform/theme/theme_service.h"

#include <algorithm>
#include <map>
#include <set>

#include "platform/com/hresult.h"
#include "platform/gdi/gdi.h"
#include "platform/text/ascii_case.h"
#include "platform/ui/headless.h"
#include "platform/ui/user.h"

namespace theme {
namespace {

struct Handle {
    HWND window = nullptr;
    std::u16string themeClass;
};

struct State {
    Mode mode = Mode::Unthemed;
    bool systemHasStyles = true;
    std::set<std::string, std::less<>> failing;
    std::vector<Call> calls;
    std::map<std::uintptr_t, Handle> handles;
    std::uintptr_t next = 0x5000;
};

State& Service() {
    static State state;
    return state;
}

std::u16string UpperCase(std::u16string_view text) {
    std::u16string out(text);
    std::transform(out.begin(), out.end(), out.begin(), text::AsciiToUpper);
    return out;
}

const Handle* Lookup(HTHEME theme) {
    const auto found = Service().handles.find(reinterpret_cast<std::uintptr_t>(theme));
    return found == Service().handles.end() ? nullptr : &found->second;
}

bool Fails(std::string_view function) {
    return Service().mode == Mode::Failing || Service().failing.count(function) > 0;
}

HRESULT Record(std::string function, HTHEME theme, int part, int state, const RECT* rect,
               HRESULT result) {
    Call call;
    call.function = std::move(function);
    if (const Handle* h = Lookup(theme))
        call.themeClass = h->themeClass;
    call.part = part;
    call.state = state;
    if (rect != nullptr)
        call.rect = *rect;
    call.result = result;
    Service().calls.push_back(std::move(call));
    return result;
}

// The check every drawing call makes before it draws.
HRESULT Check(std::string_view function, HTHEME theme) {
    if (Fails(function))
        return E_FAIL;
    if (Lookup(theme) == nullptr)
        return E_HANDLE;
    return S_OK;
}

COLORREF Scale(COLORREF c, int percent) {
    return RGB(GetRValue(c) * percent / 100, GetGValue(c) * percent / 100,
               GetBValue(c) * percent / 100);
}

}  // namespace

namespace {

void TellThemeChanged(HWND window) {
    SendMessageW(window, WM_THEMECHANGED, 0, 0);
    for (HWND child = GetWindow(window, GW_CHILD); child != nullptr;
         child = GetWindow(child, GW_HWNDNEXT)) {
        TellThemeChanged(child);
    }
}

}  // namespace

void SetMode(Mode mode) {
    const bool changed = Service().mode != mode;
    Service().mode = mode;
    if (!changed)
        return;
    // Every window hears of the change, as when the user switches styles on Windows.
    for (HWND top : ui::TopLevelWindows()) {
        if (!IsWindow(top))
            continue;
        TellThemeChanged(top);
        RedrawWindow(top, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
    }
}

Mode CurrentMode() {
    return Service().mode;
}
void SetSystemHasVisualStyles(bool has) {
    Service().systemHasStyles = has;
}
bool SystemHasVisualStyles() {
    return Service().systemHasStyles;
}

void FailFunction(std::string_view name, bool fail) {
    if (fail) {
        Service().failing.emplace(name);
    } else {
        const auto found = Service().failing.find(name);
        if (found != Service().failing.end())
            Service().failing.erase(found);
    }
}

void ClearFailures() {
    Service().failing.clear();
}
const std::vector<Call>& Calls() {
    return Service().calls;
}
void ClearCalls() {
    Service().calls.clear();
}
std::size_t OpenHandleCount() {
    return Service().handles.size();
}

COLORREF PartColour(std::u16string_view themeClass, int part, int state) {
    const std::u16string name = UpperCase(themeClass);
    if (name == u"BUTTON" && part == 1) {
        switch (state) {
            case 2:
                return RGB(190, 230, 253);  // hot (focused)
            case 3:
                return RGB(196, 229, 246);  // pressed
            case 4:
                return RGB(244, 244, 244);  // disabled
            case 5:
                return RGB(215, 235, 250);  // default
            default:
                return RGB(225, 225, 225);
        }
    }
    if (name == u"TOOLTIP")
        return RGB(250, 250, 255);
    if (name == u"TAB")
        return RGB(252, 252, 252);
    // Any other part: a colour of its own, from its class, part and state.
    unsigned h = 2166136261u;
    for (char16_t c : name)
        h = (h ^ c) * 16777619u;
    h = (h ^ static_cast<unsigned>(part)) * 16777619u;
    h = (h ^ static_cast<unsigned>(state)) * 16777619u;
    return RGB(160 + static_cast<int>(h % 90), 160 + static_cast<int>((h >> 8) % 90),
               160 + static_cast<int>((h >> 16) % 90));
}

COLORREF OutlineColour(std::u16string_view themeClass, int part, int state) {
    return Scale(PartColour(themeClass, part, state), 60);
}

bool ActiveBodyColour(const char16_t* themeClass, COLORREF* colour) {
    if (Service().mode != Mode::Themed || colour == nullptr)
        return false;
    *colour = PartColour(themeClass, 10, 0);
    return true;
}

HTHEME OpenThemeData(HWND window, LPCWSTR classList) {
    std::u16string wanted = classList != nullptr ? std::u16string(classList) : std::u16string();
    // Of a list "A;B" the first class is used.
    wanted = wanted.substr(0, wanted.find(u';'));
    HTHEME theme = nullptr;
    const bool opens = Service().mode == Mode::Themed && Service().systemHasStyles &&
                       !Fails("OpenThemeData") && !wanted.empty();
    if (opens) {
        const std::uintptr_t id = Service().next;
        Service().next += 4;
        Service().handles[id] = Handle{window, wanted};
        theme = reinterpret_cast<HTHEME>(id);
    }
    Call call;
    call.function = "OpenThemeData";
    call.themeClass = wanted;
    call.result = theme != nullptr ? S_OK : E_FAIL;
    Service().calls.push_back(call);
    return theme;
}

HRESULT CloseThemeData(HTHEME theme) {
    if (Fails("CloseThemeData"))
        return Record("CloseThemeData", theme, 0, 0, nullptr, E_FAIL);
    const HRESULT result = Lookup(theme) != nullptr ? S_OK : E_HANDLE;
    Record("CloseThemeData", theme, 0, 0, nullptr, result);
    Service().handles.erase(reinterpret_cast<std::uintptr_t>(theme));
    return result;
}

HRESULT DrawThemeBackground(HTHEME theme, HDC dc, int part, int state, const RECT* rect,
                            const RECT* clip) {
    HRESULT result = Check("DrawThemeBackground", theme);
    if (SUCCEEDED(result) && rect == nullptr)
        result = E_POINTER;
    if (SUCCEEDED(result)) {
        const std::u16string& name = Lookup(theme)->themeClass;
        const int saved = SaveDC(dc);
        if (clip != nullptr)
            IntersectClipRect(dc, clip->left, clip->top, clip->right, clip->bottom);
        const HBRUSH outline = CreateSolidBrush(OutlineColour(name, part, state));
        const HBRUSH fill = CreateSolidBrush(PartColour(name, part, state));
        FillRect(dc, rect, outline);
        RECT inner = *rect;
        InflateRect(&inner, -1, -1);
        FillRect(dc, &inner, fill);
        DeleteObject(outline);
        DeleteObject(fill);
        RestoreDC(dc, saved);
    }
    return Record("DrawThemeBackground", theme, part, state, rect, result);
}

HRESULT DrawThemeText(HTHEME theme, HDC dc, int part, int state, LPCWSTR text, int count,
                      DWORD flags, DWORD, const RECT* rect) {
    HRESULT result = Check("DrawThemeText", theme);
    if (SUCCEEDED(result) && rect == nullptr)
        result = E_POINTER;
    if (SUCCEEDED(result)) {
        const int saved = SaveDC(dc);
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, state == 4 ? GetSysColor(COLOR_GRAYTEXT) : RGB(0, 0, 0));
        RECT r = *rect;
        DrawTextW(dc, text, count, &r, flags);
        RestoreDC(dc, saved);
    }
    return Record("DrawThemeText", theme, part, state, rect, result);
}

HRESULT GetThemePartSize(HTHEME theme, HDC, int part, int state, const RECT* rect, THEMESIZE,
                         SIZE* out) {
    HRESULT result = Check("GetThemePartSize", theme);
    if (SUCCEEDED(result) && out == nullptr)
        result = E_POINTER;
    if (SUCCEEDED(result)) {
        *out = rect != nullptr ? SIZE{RectWidth(*rect), RectHeight(*rect)} : SIZE{13, 13};
    }
    return Record("GetThemePartSize", theme, part, state, rect, result);
}

HRESULT GetThemeTextExtent(HTHEME theme, HDC dc, int part, int state, LPCWSTR text, int count,
                           DWORD flags, const RECT* bounding, RECT* extent) {
    HRESULT result = Check("GetThemeTextExtent", theme);
    if (SUCCEEDED(result) && extent == nullptr)
        result = E_POINTER;
    if (SUCCEEDED(result)) {
        RECT r = bounding != nullptr ? *bounding : RECT{0, 0, 0, 0};
        DrawTextW(dc, text, count, &r, flags | DT_CALCRECT);
        *extent = r;
    }
    return Record("GetThemeTextExtent", theme, part, state, bounding, result);
}

HRESULT GetThemeBackgroundRegion(HTHEME theme, HDC, int part, int state, const RECT* rect,
                                 HRGN* region) {
    HRESULT result = Check("GetThemeBackgroundRegion", theme);
    if (SUCCEEDED(result) && (rect == nullptr || region == nullptr))
        result = E_POINTER;
    if (SUCCEEDED(result))
        *region = CreateRectRgn(rect->left, rect->top, rect->right, rect->bottom);
    return Record("GetThemeBackgroundRegion", theme, part, state, rect, result);
}

BOOL IsAppThemed() {
    const bool themed = Service().mode != Mode::Unthemed && Service().systemHasStyles;
    Call call;
    call.function = "IsAppThemed";
    call.result = themed ? S_OK : S_FALSE;
    Service().calls.push_back(call);
    return themed ? TRUE : FALSE;
}

BOOL IsThemeActive() {
    return Service().mode != Mode::Unthemed && Service().systemHasStyles ? TRUE : FALSE;
}

HRESULT DrawThemeParentBackground(HWND window, HDC dc, const RECT* rect) {
    HRESULT result = Fails("DrawThemeParentBackground") ? E_FAIL : S_OK;
    const HWND parent = GetParent(window);
    if (SUCCEEDED(result) && parent != nullptr) {
        // The parent paints its background and client area under the child, shifted so that
        // the child's origin lies on the parent's matching point.
        POINT origin{0, 0};
        MapWindowPoints(window, parent, &origin, 1);
        const int saved = SaveDC(dc);
        if (rect != nullptr)
            IntersectClipRect(dc, rect->left, rect->top, rect->right, rect->bottom);
        OffsetViewportOrgEx(dc, -origin.x, -origin.y, nullptr);
        SendMessageW(parent, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
        SendMessageW(parent, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
        RestoreDC(dc, saved);
    }
    Call call;
    call.function = "DrawThemeParentBackground";
    if (rect != nullptr)
        call.rect = *rect;
    call.result = result;
    Service().calls.push_back(call);
    return result;
}

}  // namespace theme
