#include "platform/ui/atl/atl_window.h"

#include <cstdio>

#include "platform/text/utf.h"

namespace ATL {
namespace {

constexpr char16_t kObjectProperty[] = u"TarvelAtlWindow";
CWindowImplBase* g_creating = nullptr;

}  // namespace

BOOL CWindow::DestroyWindow() {
    if (!::IsWindow(m_hWnd))
        return FALSE;
    const BOOL result = ::DestroyWindow(m_hWnd);
    return result;
}

std::u16string AnonymousClassName(const CWndClassInfo& info) {
    char name[64];
    std::snprintf(name, sizeof name, "ATL:%p", static_cast<const void*>(&info));
    return text::ToUtf16(name);
}

WNDPROC CWindowImplBase::GetWindowProc() {
    return &WindowProc;
}

void CWindowImplBase::OnFinalMessage(HWND) {}

HWND CWindowImplBase::CreateOfClass(CWndClassInfo& info, HWND parent, const RECT& rect,
                                    LPCWSTR name, DWORD style, DWORD exStyle) {
    if (info.registeredName.empty()) {
        info.registeredName = info.className.empty() ? AnonymousClassName(info) : info.className;
        WNDCLASSEXW windowClass;
        windowClass.lpszClassName = info.registeredName.c_str();
        windowClass.lpfnWndProc = &StartWindowProc;
        windowClass.style = info.style;
        windowClass.hbrBackground = info.background;
        RegisterClassExW(&windowClass);  // fails harmlessly when it exists
    }
    CWindowImplBase* const outer = g_creating;
    g_creating = this;
    const HWND window =
        CreateWindowExW(exStyle, info.registeredName.c_str(), name, style, rect.left, rect.top,
                        RectWidth(rect), RectHeight(rect), parent, nullptr, nullptr, nullptr);
    g_creating = outer;
    return window;
}

LRESULT CWindowImplBase::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcW(m_hWnd, message, wParam, lParam);
}

LRESULT CWindowImplBase::StartWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    CWindowImplBase* object = g_creating;
    if (object == nullptr || object->m_hWnd != nullptr) {
        return DefWindowProcW(window, message, wParam, lParam);
    }
    g_creating = nullptr;
    object->m_hWnd = window;
    SetPropW(window, kObjectProperty, object);
    SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(object->GetWindowProc()));
    return object->GetWindowProc()(window, message, wParam, lParam);
}

LRESULT CWindowImplBase::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* object = static_cast<CWindowImplBase*>(GetPropW(window, kObjectProperty));
    if (object == nullptr)
        return DefWindowProcW(window, message, wParam, lParam);
    ++object->depth_;
    LRESULT result = 0;
    const BOOL handled = object->ProcessWindowMessage(window, message, wParam, lParam, result);
    if (!handled)
        result = DefWindowProcW(window, message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        RemovePropW(window, kObjectProperty);
        object->m_hWnd = nullptr;
        object->finalWindow_ = window;
    }
    // The final message is handled once the outermost message of the window has returned, so
    // that an object that deletes itself there is not used afterwards.
    if (--object->depth_ == 0 && object->finalWindow_ != nullptr) {
        const HWND finished = object->finalWindow_;
        object->finalWindow_ = nullptr;
        object->OnFinalMessage(finished);  // may delete the object
    }
    return result;
}

}  // namespace ATL
