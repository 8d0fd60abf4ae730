// A top-level test window that records the notifications its children send it and can be
// told how to answer some of them.
#pragma once

#include <functional>
#include <map>
#include <vector>

#include "platform/ui/common_controls.h"
#include "platform/ui/user.h"

namespace ui_test {

struct Received {
    UINT message = 0;
    int id = 0;        // control id of WM_COMMAND / WM_NOTIFY
    UINT code = 0;     // notification code, or the scroll code of WM_HSCROLL / WM_VSCROLL
    int position = 0;  // the scroll position, or an up-down's iPos
    int delta = 0;     // an up-down's iDelta
    HWND from = nullptr;
};

class RecordingWindow {
public:
    RecordingWindow(int x = 100, int y = 100, int width = 400, int height = 300);
    ~RecordingWindow();
    RecordingWindow(const RecordingWindow&) = delete;
    RecordingWindow& operator=(const RecordingWindow&) = delete;

    HWND Handle() const { return window_; }
    HWND AddChild(const char16_t* className, const char16_t* text, DWORD style, int id, int x,
                  int y, int width, int height, DWORD exStyle = 0);

    std::vector<Received> received;
    // What to answer a WM_NOTIFY of the code with (0 when none is given).
    std::map<UINT, LRESULT> notifyAnswers;
    // The brush to answer colour requests with (0: the default colours).
    HBRUSH colourAnswer = nullptr;
    std::vector<HWND> colourRequests;
    std::function<void(UINT, WPARAM, LPARAM)> onMessage;

    std::vector<Received> Of(UINT message) const;
    void Clear() { received.clear(); }

private:
    static LRESULT Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    HWND window_ = nullptr;
};

}  // namespace ui_test
