// The edit error provider and the balloon help: the tooltip on its 50 ms timer, no timer for
// an empty message, the balloon with its options, icon and anchor, and the balloon's own
// defaults, layout and closing.
#include <gtest/gtest.h>

#include "platform/theme/theme_service.h"
#include "platform/ui/headless.h"
#include "platform/ui/owl/window.h"
#include "support/popup/balloon_help.h"
#include "support/popup/error_provider.h"

namespace {

// A plain top-level window to put providers on.
class Host : public owl::TWindow {
public:
    Host() : owl::TWindow(nullptr, u"host") {
        Attr.Style = WS_POPUP | WS_VISIBLE;
        Attr.X = 100;
        Attr.Y = 100;
        Attr.W = 300;
        Attr.H = 200;
    }
};

class Providers : public ::testing::Test {
protected:
    void SetUp() override {
        host.Create();
        ui::MouseMove(POINT{0, 0});
    }
    void Hover(const Tev::ErrorProvider& provider, int dx = 8, int dy = 8) {
        const owl::TRect r = provider.GetWindowRect();
        ui::MouseMove(POINT{r.left + dx, r.top + dy});
    }
    Host host;
};

TEST_F(Providers, SetErrorReplacesTheTextsAndShowsOrHides) {
    Tev::ErrorProvider provider(&host, Tev::ErrorProvider::kTooltipOnHover, 10, 10);
    provider.Create();
    EXPECT_FALSE(provider.IsWindowVisible());
    provider.SetError(true, Tev::String(u"Invalid"), Tev::String(u"Between 0 and 95"));
    EXPECT_TRUE(provider.IsWindowVisible());
    EXPECT_EQ(provider.Message(), Tev::String(u"Between 0 and 95"));
    provider.SetError(false, Tev::String(), Tev::String());
    EXPECT_FALSE(provider.IsWindowVisible());
    EXPECT_TRUE(provider.Title().IsEmpty());
}

TEST_F(Providers, ATooltipComesOnTheFirstTickAndGoesAfterFiveSeconds) {
    Tev::ErrorProvider provider(&host, Tev::ErrorProvider::kTooltipOnHover, 10, 10);
    provider.Create();
    provider.SetError(true, Tev::String(u"Invalid"), Tev::String(u"Between 0 and 95"));
    Hover(provider);
    EXPECT_TRUE(ui::HasTimer(provider.GetHandle(), Tev::ErrorProvider::kTooltipTimer));
    EXPECT_EQ(provider.Tooltip(), nullptr);
    ui::AdvanceClock(50);
    ASSERT_NE(provider.Tooltip(), nullptr);
    POINT cursor;
    GetCursorPos(&cursor);
    EXPECT_EQ(provider.Tooltip()->Anchor(), (POINT{cursor.x - 3 + 2, cursor.y + 19 + 2}));
    EXPECT_EQ(provider.Tooltip()->Text(), Tev::String(u"Between 0 and 95"));
    ui::AdvanceClock(4950);
    EXPECT_NE(provider.Tooltip(), nullptr) << "5000 ms is not past the limit";
    ui::AdvanceClock(50);
    EXPECT_EQ(provider.Tooltip(), nullptr);
    EXPECT_FALSE(ui::HasTimer(provider.GetHandle(), Tev::ErrorProvider::kTooltipTimer));
}

TEST_F(Providers, LeavingTakesTheTooltipAway) {
    Tev::ErrorProvider provider(&host, Tev::ErrorProvider::kTooltipOnHover, 10, 10);
    provider.Create();
    provider.SetError(true, Tev::String(u"Invalid"), Tev::String(u"Between 0 and 95"));
    Hover(provider);
    ui::AdvanceClock(100);
    ASSERT_NE(provider.Tooltip(), nullptr);
    ui::MouseMove(POINT{250, 250});
    EXPECT_EQ(provider.Tooltip(), nullptr);
    EXPECT_FALSE(provider.TooltipShown());
    EXPECT_EQ(provider.TooltipElapsed(), 0u);
}

TEST_F(Providers, AnEmptyMessageStartsNoTimer) {
    Tev::ErrorProvider provider(&host, Tev::ErrorProvider::kTooltipOnHover, 10, 10);
    provider.Create();
    provider.SetError(true, Tev::String(u"Invalid"), Tev::String());
    Hover(provider);
    ui::MouseDown(ui::MouseButton::Left);
    ui::MouseUp(ui::MouseButton::Left);
    EXPECT_EQ(ui::ActiveTimerCount(provider.GetHandle()), 0u);
    ui::AdvanceClock(1000);
    EXPECT_EQ(provider.Tooltip(), nullptr);
}

TEST_F(Providers, TheBalloonCarriesTheErrorTheIconAndTheAnchor) {
    Tev::ErrorProvider provider(&host, Tev::ErrorProvider::kBalloonOnHover, 10, 10);
    provider.Create();
    provider.SetError(true, Tev::String(u"Invalid"), Tev::String(u"Between 0 and 95"));
    Hover(provider);
    WTL::CBalloonHelp* balloon = provider.Balloon();
    ASSERT_NE(balloon, nullptr);
    EXPECT_EQ(balloon->Options(), 0x87E38u);
    EXPECT_EQ(balloon->Title(), Tev::String(u"Invalid"));
    EXPECT_EQ(balloon->Content(), Tev::String(u"Between 0 and 95"));
    EXPECT_EQ(balloon->Icon(), LoadIconW(nullptr, 32515));
    EXPECT_EQ(balloon->MouseMoveTolerance(), 3);
    EXPECT_EQ(balloon->AnchorRect(), provider.GetWindowRect());
    EXPECT_EQ(GetCapture(), balloon->m_hWnd);
    Hover(provider, 9, 9);  // within 3 pixels: the same balloon
    EXPECT_EQ(provider.Balloon(), balloon);
    ui::MouseMove(POINT{250, 250});  // out of the anchor rectangle: it closes itself
    EXPECT_EQ(provider.Balloon(), nullptr);
    EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(Providers, TheExtraTextAndTheInformationIconFollowTheirOptions) {
    Tev::ErrorProvider provider(&host,
                                Tev::ErrorProvider::kBalloonOnHover |
                                    Tev::ErrorProvider::kInformationIcon |
                                    Tev::ErrorProvider::kExtraText,
                                10, 10);
    provider.Create();
    provider.SetExtraText(Tev::String(u"More help"));
    provider.SetError(true, Tev::String(u"Note"), Tev::String(u"Text"));
    Hover(provider);
    ASSERT_NE(provider.Balloon(), nullptr);
    EXPECT_EQ(provider.Balloon()->Options(), Tev::ErrorProvider::kBalloonOptionsWithExtra);
    EXPECT_EQ(provider.Balloon()->Link(), Tev::String(u"More help"));
    EXPECT_EQ(provider.Balloon()->Icon(), LoadIconW(nullptr, 32516));
}

TEST(Balloon, StartsWithItsDocumentedDefaults) {
    WTL::CBalloonHelp balloon;
    EXPECT_EQ(balloon.Options(), 3u);
    EXPECT_EQ(balloon.MouseMoveTolerance(), 3);
    EXPECT_EQ(balloon.TextColour(), 0x80000017u);
    EXPECT_EQ(balloon.BackgroundColour(), 0x80000018u);
    EXPECT_EQ(balloon.LayoutFlags(), DT_EDITCONTROL | DT_NOCLIP | DT_WORDBREAK | DT_CENTER);
    EXPECT_EQ(balloon.CloseBoxSize(), (SIZE{14, 14}));
    EXPECT_EQ(balloon.Icon(), nullptr);
    EXPECT_EQ(WTL::CBalloonHelp::GetWndClassInfo().className, u"XPBalloonHelp");
    ATL::CWndClassInfo anonymous;
    const std::u16string name = ATL::AnonymousClassName(anonymous);
    EXPECT_EQ(name.substr(0, 4), u"ATL:");
    EXPECT_GT(name.size(), 5u);
}

TEST(Balloon, FadesInOnlyWhenTheSystemAnimatesTooltipsAndCleansUp) {
    ui::MouseMove(POINT{400, 400});
    const int animations = ui::AnimationCount();
    auto* balloon = new WTL::CBalloonHelp;
    ASSERT_TRUE(balloon->Create(nullptr, u"Title", u"Text", nullptr, 0x1000 | 0x4, nullptr, 300));
    EXPECT_EQ(ui::AnimationCount(), animations + 1);
    EXPECT_TRUE(IsWindowVisible(balloon->m_hWnd));
    const HWND window = balloon->m_hWnd;
    EXPECT_EQ(GetWindowLongPtrW(window, GWL_EXSTYLE), WS_EX_TOOLWINDOW | WS_EX_TOPMOST);
    EXPECT_TRUE(ui::HasTimer(window, 1));
    ui::AdvanceClock(300);  // the time-out closes it; it deletes itself
    EXPECT_FALSE(IsWindow(window));

    ui::SetTooltipEffects(true, false);
    WTL::CBalloonHelp plain;
    ASSERT_TRUE(plain.Create(nullptr, u"Title", u"Text", nullptr, 0));
    EXPECT_EQ(ui::AnimationCount(), animations + 2) << "fading out, not in";
    EXPECT_EQ(GetWindowLongPtrW(plain.m_hWnd, GWL_EXSTYLE), WS_EX_TOOLWINDOW);
    ui::SetTooltipEffects(true, true);
    WTL::CBalloonHelp delayed;
    ASSERT_TRUE(delayed.Create(nullptr, u"Title", u"Text", nullptr, 0x8000));
    EXPECT_FALSE(IsWindowVisible(delayed.m_hWnd));
    delayed.DestroyWindow();
    plain.DestroyWindow();
}

TEST(Balloon, ContentIsTitleAndTextEightPixelsApart) {
    WTL::CBalloonHelp balloon;
    ui::MouseMove(POINT{400, 400});
    ASSERT_TRUE(balloon.Create(nullptr, u"Hi", u"Some text", nullptr, 0x8000));
    const HDC dc = GetDC(balloon.m_hWnd);
    const SIZE size = balloon.CalcContentSize(dc);
    ReleaseDC(balloon.m_hWnd, dc);
    EXPECT_EQ(size.cy, 14 + 8 + 13) << "the close box is the title row's tallest part";
    EXPECT_EQ(size.cx, 9 * 6) << "the text is wider than title and close box";
    balloon.SetMaxWidth(30);
    const HDC again = GetDC(balloon.m_hWnd);
    EXPECT_EQ(balloon.CalcContentSize(again).cx, 30);
    ReleaseDC(balloon.m_hWnd, again);
    balloon.DestroyWindow();
}

TEST(Balloon, TheMouseMayMoveWithinTheToleranceOrTheAnchor) {
    WTL::CBalloonHelp balloon;
    ui::MouseMove(POINT{400, 400});
    ASSERT_TRUE(balloon.Create(nullptr, u"T", u"x", nullptr, 0x8000));
    EXPECT_TRUE(balloon.IsMouseInAllowedArea(POINT{403, 397}));
    EXPECT_FALSE(balloon.IsMouseInAllowedArea(POINT{404, 400}));
    balloon.Create(nullptr, u"T", u"x", nullptr, 0x8000 | 0x80000);
    balloon.SetAnchorRect(RECT{0, 0, 100, 100});
    EXPECT_TRUE(balloon.IsMouseInAllowedArea(POINT{50, 50}));
    EXPECT_FALSE(balloon.IsMouseInAllowedArea(POINT{403, 397}));
    balloon.DestroyWindow();
}

}  // namespace
