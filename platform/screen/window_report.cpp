#include "platform/screen/window_report.h"

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "platform/gdi/png.h"
#include "platform/screen/screen_window.h"
#include "platform/text/utf.h"
#include "platform/ui/common_controls.h"
#include "platform/ui/headless.h"
#include "platform/ui/user.h"
#include "platform/ui/window_user.h"

namespace screen {
namespace {

long long RealTimeNs() {
    return std::chrono::duration_cast<std::chrono::nanoseconds>(
               std::chrono::system_clock::now().time_since_epoch())
        .count();
}

long long SteadyNs() {
    return std::chrono::duration_cast<std::chrono::nanoseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

// What a control shows besides its text, a line for each: the keyboard focus, a check box's
// tick, a push button drawn as the default, a slider's or an up-down's position, the selected
// tab or entry.
void DescribeState(const ui::ControlUser& control, std::ostream& out) {
    const std::u16string className = control.ClassName();
    const auto state = [&](const char* what, long value) {
        out << "state\t" << control.Id() << "\t" << what << "\t" << value << "\n";
    };
    if (control.HasFocus())
        state("focus", 1);
    const auto style = static_cast<DWORD>(GetWindowLongPtrW(control.Handle(), GWL_STYLE));
    if (className == u"Button") {
        const DWORD type = style & BS_TYPEMASK;
        if (type == BS_PUSHBUTTON || type == BS_DEFPUSHBUTTON)
            state("default", control.IsDefault() ? 1 : 0);
        else if (type != BS_GROUPBOX)
            state("checked", control.IsChecked() ? 1 : 0);
    } else if (className == TRACKBAR_CLASSW || className == UPDOWN_CLASSW) {
        state("position", control.Position());
    } else if (className == WC_TABCONTROLW || className == u"ComboBox") {
        state("selected", control.Selection());
    }
}

// One line per visible control below `parent`, with its state, tabs and entries.
void DescribeControls(HWND top, HWND parent, std::ostream& out) {
    for (HWND child = GetWindow(parent, GW_CHILD); child != nullptr;
         child = GetWindow(child, GW_HWNDNEXT)) {
        const ui::ControlUser control(child);
        if (!control.IsVisible())
            continue;
        const RECT r = control.RectIn(top);
        const std::u16string className = control.ClassName();
        out << "control\t" << control.Id() << "\t" << text::ToUtf8(className) << "\t" << r.left
            << "\t" << r.top << "\t" << r.right << "\t" << r.bottom << "\t"
            << (control.IsUsable() ? 1 : 0) << "\t" << text::ToUtf8(control.Text()) << "\n";
        DescribeState(control, out);
        if (className == WC_TABCONTROLW) {
            const std::vector<std::u16string> labels = control.TabLabels();
            for (std::size_t i = 0; i < labels.size(); ++i) {
                RECT tab{};
                if (SendMessageW(child, TCM_GETITEMRECT, i, reinterpret_cast<LPARAM>(&tab)) == 0)
                    continue;
                MapWindowPoints(child, top, reinterpret_cast<POINT*>(&tab), 2);
                out << "tab\t" << control.Id() << "\t" << i << "\t" << tab.left << "\t" << tab.top
                    << "\t" << tab.right << "\t" << tab.bottom << "\t" << text::ToUtf8(labels[i])
                    << "\n";
            }
        }
        DescribeControls(top, child, out);
    }
}

// The pop-ups shown over the window and the entries of a dropped list, in its coordinates.
void DescribePopups(HWND top, std::ostream& out) {
    for (HWND popup : ui::TopLevelWindows()) {
        if (popup == top)
            break;
        const auto style = static_cast<DWORD>(GetWindowLongPtrW(popup, GWL_STYLE));
        if (!IsWindowVisible(popup) || (style & WS_CAPTION) == WS_CAPTION)
            continue;
        const ui::ControlUser shown(popup);
        const RECT place = shown.RectIn(top);
        out << "popup\t" << text::ToUtf8(shown.ClassName()) << "\t" << place.left << "\t"
            << place.top << "\t" << place.right << "\t" << place.bottom << "\n";
        if (shown.ClassName() != u"ComboLBox")
            continue;
        const auto count = static_cast<int>(SendMessageW(popup, LB_GETCOUNT, 0, 0));
        for (int i = 0; i < count; ++i) {
            RECT entry{};
            SendMessageW(popup, LB_GETITEMRECT, static_cast<WPARAM>(i),
                         reinterpret_cast<LPARAM>(&entry));
            MapWindowPoints(popup, top, reinterpret_cast<POINT*>(&entry), 2);
            const auto length = SendMessageW(popup, LB_GETTEXTLEN, static_cast<WPARAM>(i), 0);
            std::u16string text(static_cast<std::size_t>(std::max<LRESULT>(length, 0)) + 1, u'\0');
            SendMessageW(popup, LB_GETTEXT, static_cast<WPARAM>(i),
                         reinterpret_cast<LPARAM>(text.data()));
            text.resize(static_cast<std::size_t>(std::max<LRESULT>(length, 0)));
            out << "entry\t" << i << "\t" << entry.left << "\t" << entry.top << "\t" << entry.right
                << "\t" << entry.bottom << "\t" << text::ToUtf8(text) << "\n";
        }
    }
}

}  // namespace

std::unique_ptr<WindowReport> WindowReport::FromEnvironment() {
    const char* folder = std::getenv("TARVEL_SCREEN_REPORT");
    if (folder == nullptr || *folder == '\0')
        return nullptr;
    return std::make_unique<WindowReport>(folder);
}

WindowReport::WindowReport(std::string folder) : folder_(std::move(folder)) {
    std::filesystem::create_directories(folder_);
}

void WindowReport::NoteInput() {
    inputAtNs_ = SteadyNs();
}

void WindowReport::NoteSettleRequest(long serial) {
    settleRequested_ = serial;
}

void WindowReport::AfterPass(const std::vector<ScreenWindow*>& open, bool shown) {
    // Windows open and close innermost first, and each that opens is described at once.
    if (shown || open.size() != described_) {
        Write(open, shown);
    } else if (settleRequested_ != settled_) {
        settled_ = settleRequested_;
        timersWhenSettled_ = ui::TimerCount();
        Write(open, false);
    }
}

void WindowReport::Write(const std::vector<ScreenWindow*>& open, bool shown) {
    if (shown) {
        if (firstFrameAtNs_ == 0)
            firstFrameAtNs_ = RealTimeNs();
        if (inputAtNs_ != 0) {
            inputToFrameUs_ = (SteadyNs() - inputAtNs_) / 1000;
            inputAtNs_ = 0;
        }
    }
    described_ = open.size();
    std::ostringstream out;
    for (const ScreenWindow* window : open) {
        const HWND top = window->Top();
        if (!IsWindow(top))
            continue;
        const ui::ControlUser self(top);
        out << "window\t" << window->NativeId() << "\t" << window->FramesShown() << "\t"
            << window->Frame().width << "\t" << window->Frame().height << "\t"
            << text::ToUtf8(self.Text()) << "\n";
        DescribeControls(top, top, out);
        DescribePopups(top, out);
        if (shown) {
            const std::string picture =
                folder_ + "/window-" + std::to_string(window->NativeId()) + ".png";
            gdi::WritePng(window->Frame(), picture + ".new");
            std::filesystem::rename(picture + ".new", picture);
        }
    }
    out << "timing\tfirst-frame-at-ns\t" << firstFrameAtNs_ << "\n";
    if (inputToFrameUs_ >= 0)
        out << "timing\tinput-to-frame-us\t" << inputToFrameUs_ << "\n";
    if (settled_ != 0)
        out << "settled\t" << settled_ << "\t" << timersWhenSettled_ << "\n";
    const std::string file = folder_ + "/windows.txt";
    {
        std::ofstream text(file + ".new", std::ios::trunc);
        text << out.str();
    }
    std::filesystem::rename(file + ".new", file);
}

}  // namespace screen
