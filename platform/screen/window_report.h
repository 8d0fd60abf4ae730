// A description of the real windows on the screen, for tests that act as a person with real
// input events: where each visible control, tab and dropped list entry is, in the real
// window's own coordinates, and the frame it shows as a PNG picture. Written after every frame,
// when a window closes and when a settle request is answered, into the folder that
// TARVEL_SCREEN_REPORT names (nothing is written without it):
//   windows.txt              one block per open window, the innermost last (below)
//   window-<native id>.png   the frame that window shows now
//
//   window <native id> <frames shown> <width> <height> <caption>
//   control <id> <class> <left> <top> <right> <bottom> <usable 0|1> <text>
//   state <id> focus|checked|default|position|selected <value>   (after its control's line)
//   tab <control id> <index> <left> <top> <right> <bottom> <label>
//   popup <class> <left> <top> <right> <bottom>                  (shown over the window)
//   entry <index> <left> <top> <right> <bottom> <text>          (a dropped list's entries)
//   timing first-frame-at-ns <n> | input-to-frame-us <n>
//   settled <serial> <timers>
// Fields are separated by tabs; the text is the rest of the line.
//
// The frame reaches the screen before the report that names it is written: a test that
// compares the screen with the report asks the program to settle first (settle_request.h).
// The last request answered is the `settled` line: every input sent before it has been
// handled, and the frames it brought are on the screen and described here, no more being
// due; `timers` is the number of timers still set (0: nothing more will be drawn until the
// next input).
#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <vector>

namespace screen {

class ScreenWindow;

class WindowReport {
public:
    // The report the environment asks for, or null.
    static std::unique_ptr<WindowReport> FromEnvironment();
    explicit WindowReport(std::string folder);

    // Notes that input reached the toolkit now; the next frame shown measures from it.
    void NoteInput();
    // Describes the open windows; `shown` is whether a new frame just went to the screen.
    void Write(const std::vector<ScreenWindow*>& open, bool shown);

    // Notes a test's request to settle; it is answered after the first pass that shows nothing.
    void NoteSettleRequest(long serial);
    // After a pass over the open windows: describes them when it showed a new frame or a
    // window closed since they were last described, or else answers the settle requests so
    // far, when there are any.
    void AfterPass(const std::vector<ScreenWindow*>& open, bool shown);

private:
    std::string folder_;
    std::size_t described_ = 0;  // the windows open when the report was last written
    long settleRequested_ = 0;
    long settled_ = 0;
    std::size_t timersWhenSettled_ = 0;
    long long firstFrameAtNs_ = 0;
    long long inputAtNs_ = 0;
    long long inputToFrameUs_ = -1;
};

}  // namespace screen
