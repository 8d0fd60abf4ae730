// The visual-styles service: the answers a test chooses, and what it draws and records.
#include <gtest/gtest.h>

#include "platform/gdi/gdi.h"
#include "platform/gdi/image.h"
#include "platform/theme/theme_service.h"
#include "platform/ui/user.h"
#include "tests/platform/gdi/memory_canvas.h"

namespace {

class ThemeService : public ::testing::Test {
protected:
    void SetUp() override {
        theme::ClearFailures();
        theme::ClearCalls();
    }
    void TearDown() override {
        theme::SetMode(theme::Mode::Unthemed);
        theme::ClearFailures();
    }
};

TEST_F(ThemeService, UnthemedGivesNoHandleAndSaysSo) {
    theme::SetMode(theme::Mode::Unthemed);
    EXPECT_FALSE(theme::IsAppThemed());
    EXPECT_EQ(theme::OpenThemeData(nullptr, u"BUTTON"), nullptr);
    EXPECT_EQ(theme::DrawThemeBackground(nullptr, nullptr, 1, 1, nullptr, nullptr), E_HANDLE);
}

TEST_F(ThemeService, ThemedDrawsPartsInTheirColoursAndRecordsTheCalls) {
    theme::SetMode(theme::Mode::Themed);
    EXPECT_TRUE(theme::IsAppThemed());
    const HTHEME handle = theme::OpenThemeData(nullptr, u"Button;Toolbar");
    ASSERT_NE(handle, nullptr);
    const gdi_test::Canvas canvas(10, 10);
    RECT r{0, 0, 10, 10};
    EXPECT_EQ(theme::DrawThemeBackground(handle, canvas.Dc(), 1, 3, &r, nullptr), S_OK);
    const gdi::Image image = canvas.Image();
    EXPECT_EQ(image.At(5, 5), theme::PartColour(u"BUTTON", 1, 3));
    EXPECT_EQ(image.At(0, 5), theme::OutlineColour(u"BUTTON", 1, 3));
    EXPECT_NE(theme::PartColour(u"BUTTON", 1, 3), theme::PartColour(u"BUTTON", 1, 4));
    ASSERT_GE(theme::Calls().size(), 2u);
    const theme::Call& draw = theme::Calls().back();
    EXPECT_EQ(draw.function, "DrawThemeBackground");
    EXPECT_EQ(draw.themeClass, u"Button") << "the first class of the list";
    EXPECT_EQ(draw.state, 3);
    EXPECT_EQ(theme::CloseThemeData(handle), S_OK);
    EXPECT_EQ(theme::CloseThemeData(handle), E_HANDLE);
    EXPECT_EQ(theme::OpenHandleCount(), 0u);
}

TEST_F(ThemeService, FailingModeAndSingleFailuresAnswerEFail) {
    theme::SetMode(theme::Mode::Failing);
    EXPECT_TRUE(theme::IsAppThemed()) << "styles are on; only their use fails";
    EXPECT_EQ(theme::OpenThemeData(nullptr, u"BUTTON"), nullptr);
    theme::SetMode(theme::Mode::Themed);
    const HTHEME handle = theme::OpenThemeData(nullptr, u"TOOLTIP");
    theme::FailFunction("DrawThemeText");
    RECT r{0, 0, 5, 5};
    EXPECT_EQ(theme::DrawThemeText(handle, nullptr, 1, 1, u"x", 1, 0, 0, &r), E_FAIL);
    SIZE size{};
    EXPECT_EQ(theme::GetThemePartSize(handle, nullptr, 1, 1, &r, TS_TRUE, &size), S_OK);
    theme::FailFunction("DrawThemeText", false);
    EXPECT_NE(theme::DrawThemeText(handle, nullptr, 1, 1, u"x", 1, 0, 0, &r), E_FAIL);
    theme::CloseThemeData(handle);
}

TEST_F(ThemeService, ASystemWithoutVisualStylesIsNeverThemed) {
    theme::SetMode(theme::Mode::Themed);
    theme::SetSystemHasVisualStyles(false);
    EXPECT_FALSE(theme::IsAppThemed());
    EXPECT_EQ(theme::OpenThemeData(nullptr, u"BUTTON"), nullptr);
    theme::SetSystemHasVisualStyles(true);
}

TEST_F(ThemeService, SwitchingStylesTellsEveryWindow) {
    int changes = 0;
    static int* counter = nullptr;
    counter = &changes;
    WNDCLASSEXW c;
    c.lpszClassName = u"TarvelThemeListener";
    c.lpfnWndProc = [](HWND w, UINT m, WPARAM wp, LPARAM lp) -> LRESULT {
        if (m == WM_THEMECHANGED)
            ++*counter;
        return DefWindowProcW(w, m, wp, lp);
    };
    RegisterClassExW(&c);
    const HWND top = CreateWindowExW(0, u"TarvelThemeListener", u"", WS_POPUP, 0, 0, 10, 10,
                                     nullptr, nullptr, nullptr, nullptr);
    CreateWindowExW(0, u"TarvelThemeListener", u"", WS_CHILD, 0, 0, 1, 1, top, nullptr, nullptr,
                    nullptr);
    theme::SetMode(theme::Mode::Themed);
    EXPECT_EQ(changes, 2);
    theme::SetMode(theme::Mode::Themed);
    EXPECT_EQ(changes, 2) << "no change, no message";
    DestroyWindow(top);
}

}  // namespace
