// Tooltip windows: size from the measured text, kept on screen, shown only while the host
// application is visible, and painted in the tooltip colours.
#include <gtest/gtest.h>

#include "platform/com/com_ptr.h"
#include "platform/gdi/glyphs.h"
#include "platform/gdi/image.h"
#include "platform/ui/headless.h"
#include "platform/ui/owl/window.h"
#include "platform/ui/window_surface.h"
#include "support/popup/host_visibility.h"
#include "support/popup/popup.h"
#include "tests/support/popup/fake_host.h"

namespace {

using popup_test::FakeHost;

class Popups : public ::testing::Test {
protected:
    void SetUp() override {
        saved = ui::Monitors();
        ui::SetMonitors({ui::Monitor{RECT{0, 0, 1024, 768}, RECT{0, 0, 1024, 728}}});
    }
    void TearDown() override {
        ui::SetMonitors(saved);
        Tev::SetHostApplicationSource(nullptr);
    }
    std::vector<ui::Monitor> saved;
};

TEST_F(Popups, ASizeFromTheMeasuredTextBesideThePoint) {
    Tev::Popup tip(nullptr, POINT{100, 200}, Tev::String(u"Get dialog help"));
    ASSERT_NE(tip.GetHandle(), nullptr);
    EXPECT_EQ(tip.GetWindowRect(), owl::TRect(102, 202, 102 + 15 * 6 + 5, 202 + 13 + 2));
    EXPECT_EQ(tip.GetStyle() & 0xFFFF0000u, WS_POPUP | WS_DISABLED | WS_BORDER | WS_VISIBLE)
        << "a disabled bordered pop-up without a caption";
    EXPECT_TRUE(tip.IsWindowVisible());
    EXPECT_NE(GetActiveWindow(), tip.GetHandle()) << "shown without taking the activation";
}

TEST_F(Popups, ATipThatWouldCrossTheRightEdgeEndsTenPixelsInside) {
    Tev::Popup tip(nullptr, POINT{1000, 100}, Tev::String(u"Get dialog help"));
    const owl::TRect r = tip.GetWindowRect();
    EXPECT_EQ(r.right, 1024 - 10);
    EXPECT_EQ(r.Width(), 95);
    EXPECT_EQ(r.top, 102);
}

TEST_F(Popups, ATipNearTheBottomGoesAboveThePointThreePixelsClear) {
    Tev::Popup tip(nullptr, POINT{100, 720}, Tev::String(u"Get dialog help"));
    const owl::TRect r = tip.GetWindowRect();
    EXPECT_EQ(r.bottom, 722 - 3) << "the anchor is the point plus 2";
    EXPECT_EQ(r.Height(), 15);
    Tev::Popup fits(nullptr, POINT{100, 710}, Tev::String(u"x"));
    EXPECT_EQ(fits.GetWindowRect().top, 712) << "712 + 15 ends at the work area's bottom";
}

TEST_F(Popups, ALongTipWrapsInsideThreeHundredPixels) {
    // Twelve words of four letters: ten fit in 300 pixels (49 characters), two go below.
    std::u16string words;
    for (int i = 0; i < 12; ++i)
        words += i == 0 ? u"word" : u" word";
    Tev::Popup tip(nullptr, POINT{10, 10}, Tev::String(words.c_str()));
    const owl::TRect r = tip.GetWindowRect();
    EXPECT_EQ(r.Width(), 49 * 6 + 5);
    EXPECT_EQ(r.Height(), 2 * 13 + 2);
}

TEST_F(Popups, AHiddenHostShowsNoPopUp) {
    ComPtr<FakeHost> host(new FakeHost);
    Tev::SetHostApplicationSource([&] { return static_cast<IHostApplication*>(host.Get()); });
    host->settings->visible = 0;
    Tev::Popup hidden(nullptr, POINT{10, 10}, Tev::String(u"Get dialog help"));
    EXPECT_NE(hidden.GetHandle(), nullptr) << "made, but not shown";
    EXPECT_FALSE(hidden.IsWindowVisible());
    EXPECT_EQ(host->settings->lastKey, u"tev\\application\\visible");
    host->settings->visible = 1;
    Tev::Popup shown(nullptr, POINT{10, 10}, Tev::String(u"Get dialog help"));
    EXPECT_TRUE(shown.IsWindowVisible());
}

TEST_F(Popups, VisibilityIsAssumedWheneverTheHostCannotSay) {
    EXPECT_TRUE(Tev::ReadApplicationVisible(nullptr));
    ComPtr<FakeHost> host(new FakeHost);
    host->settings->known = false;
    EXPECT_TRUE(Tev::ReadApplicationVisible(host.Get())) << "the preset answer";
    host->settings->known = true;
    host->settings->visible = 0;
    host->settings->fail = true;
    EXPECT_TRUE(Tev::ReadApplicationVisible(host.Get()));
    host->hasSettings = false;
    EXPECT_TRUE(Tev::ReadApplicationVisible(host.Get()));
    host->hasSettings = true;
    host->settings->fail = false;
    EXPECT_FALSE(Tev::ReadApplicationVisible(host.Get()));
    EXPECT_EQ(host->settings->ReferenceCount(), 1) << "the settings' reference is given back";
}

TEST_F(Popups, TheTextIsPaintedOnPaleYellowOneMorePixelIn) {
    Tev::Popup tip(nullptr, POINT{10, 10}, Tev::String(u"A"));
    const gdi::Image image = ui::Snapshot(tip.GetHandle());
    EXPECT_EQ(image.At(0, 0), GetSysColor(COLOR_WINDOWFRAME)) << "the border";
    EXPECT_EQ(image.At(image.width - 2, 1), Tev::kTipBackground);
    // The client area starts at (1, 1); the text one pixel further right.
    for (int row = 0; row < 13; ++row) {
        for (int column = 0; column < 6; ++column) {
            const bool ink = gdi::GlyphPixel(u'A', column, row, 6, 13);
            EXPECT_EQ(image.At(2 + column, 1 + row) == RGB(0, 0, 0), ink);
        }
    }
}

}  // namespace
