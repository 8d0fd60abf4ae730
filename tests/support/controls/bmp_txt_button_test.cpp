// The bitmap-and-text button through a dialog that a scripted user drives: tooltip timing,
// clicks, themed and classic painting, the caption without its ampersand, and the disabled
// glyph drawn through the colour matrix.
#include <gtest/gtest.h>

#include "platform/gdi/glyphs.h"
#include "platform/gdi/image.h"
#include "platform/theme/theme_service.h"
#include "platform/ui/headless.h"
#include "platform/ui/owl/dialog.h"
#include "platform/ui/scripted_user.h"
#include "support/controls/bmp_txt_button.h"

namespace {

using TevControls::TBmpTxtButton;

constexpr DWORD kChild = WS_CHILD | WS_VISIBLE;
const DialogItemTemplate kItems[] = {
    {u"Button", u"&Help", 9, 8, 8, 40, 14, kChild | BS_PUSHBUTTON | BS_BITMAP | WS_TABSTOP, 0},
    {u"Button", u"", 10, 60, 8, 20, 14, kChild | BS_PUSHBUTTON | WS_TABSTOP, 0},
    {u"Edit", u"", 11, 90, 8, 40, 14, kChild | WS_BORDER | WS_TABSTOP, 0},
    {u"Button", u"Cancel", IDCANCEL, 140, 8, 40, 14, kChild | WS_TABSTOP, 0},
};
const DialogTemplate kTemplate{
    WS_POPUP | WS_CAPTION, 0, 0, 0, 200, 40, u"Buttons", u"MS Shell Dlg", 8, kItems,
    std::size(kItems)};

class ButtonDialog : public owl::TDialog {
public:
    ButtonDialog()
        : owl::TDialog(nullptr, kTemplate),
          help(this, 9, nullptr, Tev::String(u"Get dialog help")),
          silent(this, 10, nullptr, Tev::String()) {
        OnCommand(9, [this] { ++helps; });
    }
    TBmpTxtButton help;
    TBmpTxtButton silent;
    int helps = 0;
};

class Buttons : public ::testing::Test {
protected:
    void SetUp() override {
        theme::SetMode(theme::Mode::Unthemed);
        theme::ClearCalls();
    }
    void TearDown() override { theme::SetMode(theme::Mode::Unthemed); }
    // Runs the dialog with `script`.
    template <class Script>
    void Run(Script script) {
        user.OnNextDialog([&](ui::WindowUser& d) {
            script(d);
            d.PressEscape();
        });
        dialog.Execute();
    }
    ui::ScriptedUser user;
    ButtonDialog dialog;
};

TEST_F(Buttons, TheTipComesAfterHalfASecondAndGoesFiveSecondsAfterTheFirstTick) {
    Run([&](ui::WindowUser& d) {
        d.Control(9).Hover();
        user.Wait(499);
        EXPECT_EQ(dialog.help.Tooltip(), nullptr);
        user.Wait(1);
        ASSERT_NE(dialog.help.Tooltip(), nullptr);
        EXPECT_EQ(dialog.help.Tooltip()->Text(), Tev::String(u"Get dialog help"));
        EXPECT_TRUE(dialog.help.Tooltip()->IsWindowVisible());
        user.Wait(4999);
        EXPECT_NE(dialog.help.Tooltip(), nullptr);
        user.Wait(1);
        EXPECT_EQ(dialog.help.Tooltip(), nullptr) << "5000 ms after the first tick";
        d.Control(9).MoveMouseTo(3, 3);  // moving on does not bring it back in this hover
        user.Wait(1000);
        EXPECT_EQ(dialog.help.Tooltip(), nullptr);
    });
}

TEST_F(Buttons, AClickTakesTheTipAwayAndNoneComesUntilTheMouseLeavesAndReturns) {
    Run([&](ui::WindowUser& d) {
        ui::ControlUser help = d.Control(9);
        help.Hover();
        user.Wait(500);
        ASSERT_NE(dialog.help.Tooltip(), nullptr);
        help.Click();
        EXPECT_EQ(dialog.helps, 1);
        EXPECT_EQ(dialog.help.Tooltip(), nullptr);
        EXPECT_TRUE(dialog.help.HoverSuppressed());
        help.MoveMouseTo(5, 5);
        user.Wait(2000);
        EXPECT_EQ(dialog.help.Tooltip(), nullptr) << "not after a click";
        help.MoveMouseAway();
        help.Hover();
        user.Wait(500);
        EXPECT_NE(dialog.help.Tooltip(), nullptr) << "back after leaving and returning";
    });
}

TEST_F(Buttons, AKeyTakesTheTipAwayAndAnEmptyTipStartsNoTimer) {
    Run([&](ui::WindowUser& d) {
        d.Control(9).Hover();
        user.Wait(500);
        ASSERT_NE(dialog.help.Tooltip(), nullptr);
        d.Control(9).PressKey(VK_SHIFT);
        EXPECT_EQ(dialog.help.Tooltip(), nullptr);
        d.Control(10).Hover();
        EXPECT_FALSE(ui::HasTimer(d.Control(10).Handle(), TBmpTxtButton::kTooltipTimer));
        user.Wait(1000);
        EXPECT_EQ(dialog.silent.Tooltip(), nullptr);
    });
}

TEST_F(Buttons, LeavingBeforeTheFirstTickShowsNoTip) {
    Run([&](ui::WindowUser& d) {
        d.Control(9).Hover();
        user.Wait(300);
        d.Control(9).MoveMouseAway();
        user.Wait(1000);
        EXPECT_EQ(dialog.help.Tooltip(), nullptr);
    });
}

TEST_F(Buttons, TheCaptionIsDrawnWithoutItsAmpersandAndWithoutAnUnderline) {
    Run([&](ui::WindowUser& d) {
        d.Control(11).Focus();  // neither focused nor default: the face shows only the text
        const gdi::Image button = d.Control(9).Snapshot();
        // "Help": four glyphs, centred in the face inside the 2-pixel classic border.
        const RECT ink = button.BoundsOf(GetSysColor(COLOR_BTNTEXT));
        ASSERT_FALSE(ink.right <= ink.left);
        const int width = RectWidth(ink);
        EXPECT_LE(width, 4 * 6);
        EXPECT_GT(width, 3 * 6);
        // The text's cell row starts at the face's middle less half a line.
        const int top = (button.height - 13) / 2;
        const int left = (button.width - 4 * 6) / 2;
        for (int i = 0; i < 4; ++i) {
            const char16_t c = u"Help"[i];
            for (int row = 0; row < 13; ++row) {
                for (int column = 0; column < 6; ++column) {
                    const bool ink = gdi::GlyphPixel(c, column, row, 6, 13);
                    EXPECT_EQ(
                        button.At(left + i * 6 + column, top + row) == GetSysColor(COLOR_BTNTEXT),
                        ink);
                }
            }
        }
        int underline = 0;
        for (int x = left; x < left + 6; ++x) {
            underline += button.At(x, top + gdi::UnderlineRow(13)) == GetSysColor(COLOR_BTNTEXT);
        }
        EXPECT_LT(underline, 6) << "no underline under the H";
    });
}

// A 3 × 1 glyph: light grey (the background), black, white.
HBITMAP ThreePixelGlyph() {
    const HBITMAP glyph = CreateBitmap(3, 1, 1, 32, nullptr);
    const HDC dc = CreateCompatibleDC(nullptr);
    const HGDIOBJ old = SelectObject(dc, glyph);
    SetPixel(dc, 0, 0, RGB(192, 192, 192));
    SetPixel(dc, 1, 0, RGB(0, 0, 0));
    SetPixel(dc, 2, 0, RGB(255, 255, 255));
    SelectObject(dc, old);
    DeleteDC(dc);
    return glyph;
}

TEST_F(Buttons, ADisabledGlyphGoesThroughTheColourMatrix) {
    const HBITMAP glyph = ThreePixelGlyph();
    dialog.silent.SetGlyph(glyph);
    DeleteObject(glyph);
    Run([&](ui::WindowUser& d) {
        ui::ControlUser silent = d.Control(10);
        const gdi::Image enabled = silent.Snapshot();
        const int y = enabled.height / 2;
        const int x = (enabled.width - 3) / 2;
        EXPECT_EQ(enabled.At(x, y), GetSysColor(COLOR_3DFACE)) << "the key colour is left out";
        EXPECT_EQ(enabled.At(x + 1, y), RGB(0, 0, 0));
        EnableWindow(silent.Handle(), FALSE);
        const gdi::Image disabled = silent.Snapshot();
        EXPECT_EQ(disabled.At(x, y), GetSysColor(COLOR_3DFACE)) << "light grey is remapped away";
        EXPECT_EQ(disabled.At(x + 1, y), RGB(102, 102, 102));
        EXPECT_EQ(disabled.At(x + 2, y), RGB(255, 255, 255));
    });
}

TEST(DisabledGlyphMatrix, HoldsTheLightBlueGreyWeights) {
    float m[5][5];
    TBmpTxtButton::DisabledGlyphMatrix(m);
    EXPECT_NEAR(m[0][0], 0.2228831f, 1e-6);
    EXPECT_NEAR(m[1][2], 0.2462646f, 1e-6);
    EXPECT_EQ(m[3][3], 1.0f);
    EXPECT_EQ(m[4][0], 0.4f);
    EXPECT_EQ(m[4][3], 0.0f);
    EXPECT_EQ(m[0][3], 0.0f) << "alpha passes through";
}

TEST_F(Buttons, ThemedPaintingUsesThePartStateOfTheButton) {
    theme::SetMode(theme::Mode::Themed);
    Run([&](ui::WindowUser& d) {
        ui::ControlUser help = d.Control(9);
        theme::ClearCalls();
        help.Hover();
        help.PressMouse();
        const gdi::Image pressed = help.Snapshot();
        int state = 0;
        for (const theme::Call& call : theme::Calls()) {
            if (call.function == "DrawThemeBackground" && call.themeClass == u"BUTTON") {
                state = call.state;
            }
        }
        help.ReleaseMouse();
        EXPECT_EQ(state, 3) << "pressed";
        EXPECT_EQ(pressed.At(2, 2), theme::PartColour(u"BUTTON", 1, 3));
        EXPECT_FALSE(dialog.help.IsThemeOff());
        EXPECT_EQ(theme::OpenHandleCount(), 0u) << "the paint's theme is closed after it";
        EnableWindow(help.Handle(), FALSE);
        EXPECT_EQ(help.Snapshot().At(2, 2), theme::PartColour(u"BUTTON", 1, 4));
    });
}

TEST_F(Buttons, AThemeThatFailsToOpenLeavesTheButtonClassicUntilTheThemeChanges) {
    theme::SetMode(theme::Mode::Failing);
    Run([&](ui::WindowUser& d) {
        d.Control(11).Focus();
        const gdi::Image classic = d.Control(9).Snapshot();
        EXPECT_TRUE(dialog.help.IsThemeOff());
        EXPECT_EQ(classic.At(0, 0), GetSysColor(COLOR_3DLIGHT)) << "the raised classic border";
        theme::SetMode(theme::Mode::Themed);  // every window hears WM_THEMECHANGED
        EXPECT_FALSE(dialog.help.IsThemeOff());
        EXPECT_EQ(d.Control(9).Snapshot().At(2, 2), theme::PartColour(u"BUTTON", 1, 1));
    });
}

TEST_F(Buttons, ToggleButtonsFlipAndTabLeavesAMark) {
    dialog.help.SetToggleMode(1);
    Run([&](ui::WindowUser& d) {
        d.Control(9).Click();
        EXPECT_EQ(dialog.help.ToggleState(), 1);
        EXPECT_TRUE(dialog.help.IsSet(owl::TGlyphButton::biPushed)) << "a toggle stays down";
        d.Control(9).Click();
        EXPECT_EQ(dialog.help.ToggleState(), 0);
        EXPECT_EQ(dialog.helps, 2);
        d.Control(10).Focus();
        EXPECT_TRUE(dialog.silent.IsSet(owl::TGlyphButton::biDefault)) << "focused push button";
        ui::KeyUp(VK_TAB);  // as after tabbing onto it
        EXPECT_FALSE(dialog.silent.IsSet(owl::TGlyphButton::biDefault));
    });
}

}  // namespace
