// Theme access through the loaded visual-styles library: binding by name on first use, the
// answers the theme service is set to, and the XTev messages of each failure.
#include <gtest/gtest.h>

#include "platform/gdi/gdi.h"
#include "platform/theme/theme_service.h"
#include "platform/ui/user.h"
#include "support/string/xtev.h"
#include "support/theme/theme_data.h"
#include "support/theme/uxtheme_dll.h"
#include "tests/platform/gdi/memory_canvas.h"

namespace {

using TevLinkingUtils::UxThemeDLL;

class ThemeAccess : public ::testing::Test {
protected:
    void SetUp() override {
        theme::ClearFailures();
        theme::SetMode(theme::Mode::Themed);
    }
    void TearDown() override {
        theme::ClearFailures();
        theme::SetMode(theme::Mode::Unthemed);
    }
};

// Expects `action` to throw XTev 0xA0048210 with `message`.
template <class Action>
void ExpectFailure(Action action, const char16_t* message) {
    try {
        action();
        ADD_FAILURE() << "no XTev";
    } catch (const XTev& error) {
        EXPECT_EQ(error.Code(), 0xA0048210u);
        EXPECT_EQ(error.Message(), Tev::String(message));
    }
}

TEST_F(ThemeAccess, TheLibraryLoadsOnceAndBindsEachFunctionOnItsFirstCall) {
    UxThemeDLL& library = UxThemeDLL::Instance();
    EXPECT_EQ(&library, &UxThemeDLL::Instance());
    EXPECT_NE(library.GetHandle(), nullptr);
    EXPECT_EQ(library.GetName(), u"uxtheme.dll");
    EXPECT_FALSE(library.IsInList());
    const int bound = library.BoundCount();
    EXPECT_TRUE(library.IsAppThemed());
    theme::SetMode(theme::Mode::Unthemed);
    EXPECT_FALSE(library.IsAppThemed()) << "answers as the service is set";
    EXPECT_LE(library.BoundCount(), bound + 1);
    EXPECT_GE(library.BoundCount(), 1);
}

TEST_F(ThemeAccess, BothSpellingsOfTheLibraryLoad) {
    const HMODULE lower = LoadLibraryW(u"uxtheme.dll");
    const HMODULE mixed = LoadLibraryW(u"UxTheme.dll");
    ASSERT_NE(lower, nullptr);
    ASSERT_NE(mixed, nullptr);
    EXPECT_NE(GetProcAddress(mixed, "IsAppThemed"), nullptr);
    FreeLibrary(mixed);
    FreeLibrary(lower);
}

TEST_F(ThemeAccess, ThemeDataOpensLazilyDrawsAndCloses) {
    const gdi_test::Canvas canvas(20, 20);
    const HDC dc = canvas.Dc();
    SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
    {
        Tev::ThemeData data(nullptr, Tev::String(u"TOOLTIP"));
        EXPECT_FALSE(data.IsOpen());
        const RECT r{0, 0, 20, 20};
        data.DrawBackground(dc, 1, 1, r);
        EXPECT_TRUE(data.IsOpen());
        EXPECT_EQ(GetPixel(dc, 10, 10), theme::PartColour(u"TOOLTIP", 1, 1));
        EXPECT_EQ(data.PartSize(dc, 1, 1, &r, TS_TRUE).cx, 20);
        const RECT extent = data.TextExtent(dc, 1, 1, Tev::String(u"Help"), 0, nullptr);
        EXPECT_EQ(extent.right - extent.left, 24);
        data.Close();
        EXPECT_FALSE(data.IsOpen());
        data.Open();
    }
    EXPECT_EQ(theme::OpenHandleCount(), 0u) << "a handle left open is closed at the end";
}

TEST_F(ThemeAccess, EveryFailureHasItsOwnMessage) {
    theme::SetMode(theme::Mode::Failing);
    Tev::ThemeData failing(nullptr, Tev::String(u"TOOLTIP"));
    ExpectFailure([&] { failing.Open(); },
                  u"Could not open theme data for the given class: TOOLTIP.");
    theme::SetMode(theme::Mode::Themed);
    Tev::ThemeData data(nullptr, Tev::String(u"TEXTSTYLE"));
    const RECT r{0, 0, 5, 5};
    theme::FailFunction("DrawThemeBackground");
    ExpectFailure([&] { data.DrawBackground(nullptr, 1, 1, r); },
                  u"Error calling UxThemeDLL::DrawThemeBackground().");
    ExpectFailure(
        [&] { data.DrawBackground(nullptr, 1, 1, r, nullptr, Tev::kDrawThemeBackgroundFailed); },
        u"Error calling UxThemeDLL::DrawThemeBackground()");
    theme::FailFunction("GetThemeBackgroundRegion");
    ExpectFailure([&] { data.BackgroundRegion(nullptr, 1, 1, r); },
                  u"Error calling UxThemeDLL::GetThemeBackgroundRegion().");
    theme::FailFunction("GetThemePartSize");
    ExpectFailure([&] { data.PartSize(nullptr, 1, 1, &r, TS_TRUE); },
                  u"Error calling UxThemeDLL::GetThemePartSize().");
    theme::FailFunction("GetThemeTextExtent");
    ExpectFailure([&] { data.TextExtent(nullptr, 1, 1, Tev::String(u"x"), 0, &r); },
                  u"Error calling UxThemeDLL::GetThemeTextExtent().");
    theme::FailFunction("DrawThemeText");
    ExpectFailure([&] { data.DrawText(nullptr, 1, 1, Tev::String(u"x"), 0, r); },
                  u"Error calling UxThemeDLL::DrawThemeText().");
    theme::FailFunction("CloseThemeData");
    ExpectFailure([&] { data.Close(); }, u"Failed to close theme data.");
}

}  // namespace
