#include "tests/platform/ui/recording_window.h"

#include "platform/gdi/gdi.h"

namespace ui_test {
namespace {

constexpr char16_t kClass[] = u"TarvelRecordingWindow";
constexpr char16_t kSelf[] = u"RecordingWindow";

void Register() {
    static const bool done = [] {
        WNDCLASSEXW c;
        c.lpszClassName = kClass;
        c.lpfnWndProc = [](HWND w, UINT m, WPARAM wp, LPARAM lp) -> LRESULT {
            return DefWindowProcW(w, m, wp, lp);
        };
        RegisterClassExW(&c);
        return true;
    }();
    (void)done;
}

}  // namespace

RecordingWindow::RecordingWindow(int x, int y, int width, int height) {
    Register();
    window_ = CreateWindowExW(0, kClass, u"Recorder", WS_POPUP | WS_VISIBLE, x, y, width, height,
                              nullptr, nullptr, nullptr, nullptr);
    SetPropW(window_, kSelf, this);
    SetWindowLongPtrW(window_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Procedure));
}

RecordingWindow::~RecordingWindow() {
    if (IsWindow(window_))
        DestroyWindow(window_);
}

HWND RecordingWindow::AddChild(const char16_t* className, const char16_t* text, DWORD style, int id,
                               int x, int y, int width, int height, DWORD exStyle) {
    return CreateWindowExW(exStyle, className, text, WS_CHILD | WS_VISIBLE | style, x, y, width,
                           height, window_, reinterpret_cast<HMENU>(static_cast<std::intptr_t>(id)),
                           nullptr, nullptr);
}

std::vector<Received> RecordingWindow::Of(UINT message) const {
    std::vector<Received> out;
    for (const Received& r : received) {
        if (r.message == message)
            out.push_back(r);
    }
    return out;
}

LRESULT RecordingWindow::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = static_cast<RecordingWindow*>(GetPropW(window, kSelf));
    if (self == nullptr)
        return DefWindowProcW(window, message, wParam, lParam);
    if (self->onMessage)
        self->onMessage(message, wParam, lParam);
    switch (message) {
        case WM_COMMAND:
            self->received.push_back(Received{message, LOWORD(wParam), HIWORD(wParam), 0, 0,
                                              reinterpret_cast<HWND>(lParam)});
            return 0;
        case WM_NOTIFY: {
            const auto* header = reinterpret_cast<const NMHDR*>(lParam);
            Received r{message,         static_cast<int>(header->idFrom), header->code, 0, 0,
                       header->hwndFrom};
            if (header->code == UDN_DELTAPOS) {
                const auto* change = reinterpret_cast<const NMUPDOWN*>(lParam);
                r.position = change->iPos;
                r.delta = change->iDelta;
            }
            self->received.push_back(r);
            const auto answer = self->notifyAnswers.find(header->code);
            return answer == self->notifyAnswers.end() ? 0 : answer->second;
        }
        case WM_HSCROLL:
        case WM_VSCROLL:
            self->received.push_back(Received{
                message, GetDlgCtrlID(reinterpret_cast<HWND>(lParam)), LOWORD(wParam),
                static_cast<std::int16_t>(HIWORD(wParam)), 0, reinterpret_cast<HWND>(lParam)});
            return 0;
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORBTN:
            self->colourRequests.push_back(reinterpret_cast<HWND>(lParam));
            if (self->colourAnswer != nullptr) {
                SetBkMode(reinterpret_cast<HDC>(wParam), TRANSPARENT);
                return reinterpret_cast<LRESULT>(self->colourAnswer);
            }
            return DefWindowProcW(window, message, wParam, lParam);
        case WM_NCDESTROY:
            RemovePropW(window, kSelf);
            return 0;
        default:
            return DefWindowProcW(window, message, wParam, lParam);
    }
}

}  // namespace ui_test
