// LocaleInfo reads the user's settings and installs the global stream locale, which is
// process-wide: every case runs in a child process of its own, so nothing leaks into the
// other tests.
#include "support/locale/locale_info.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <locale>
#include <sstream>
#include <string>

#include "tests/helpers/decimal_comma_locale.h"
#include "tests/helpers/scoped_environment.h"

namespace {

// Runs `body` in a child process; the test fails when any expectation in the child does.
void InChildProcess(const std::function<void()>& body) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            body();
            std::exit(::testing::Test::HasFailure() ? 1 : 0);
        },
        ::testing::ExitedWithCode(0), "");
}

std::wstring WriteWide(double value) {
    std::wostringstream stream;
    stream << value;
    return stream.str();
}

TEST(LocaleInfo, DecimalCommaUserGetsCommaWithoutGrouping) {
    REQUIRE_DECIMAL_COMMA_LOCALE();
    ScopedEnvironment environment;
    environment.OnlyLang(kDecimalCommaLocale);
    InChildProcess([] {
        const LocaleInfo& info = LocaleInfo::Get();
        EXPECT_TRUE(info.IsComplete());
        EXPECT_EQ(info.GetStreamLocaleOutcome(), StreamLocaleOutcome::Installed);
        EXPECT_EQ(info.GetDecimalSeparator(), L",");
        EXPECT_EQ(info.GetDecimalSeparatorNarrow(), ",");
        EXPECT_EQ(info.GetDecimalSeparatorUtf16(), u",");
        EXPECT_EQ(info.GetThousandsSeparator(), L".");
        EXPECT_EQ(info.GetListSeparator(), L";");
        EXPECT_EQ(info.GetDateSeparator(), L".");
        EXPECT_EQ(info.GetTimeSeparator(), L":");
        EXPECT_TRUE(info.Is24HourClock());
        EXPECT_FALSE(info.IsTimeMarkerFirst());
        EXPECT_EQ(info.GetCodePage(), 65001u);
        EXPECT_TRUE(info.GetTimeFormat() == u"HH:mm:ss");
        EXPECT_TRUE(info.GetLongDateFormat() == u"ddd dd MMM yyyy");
        EXPECT_TRUE(info.GetShortDateFormat() == u"dd.MM.yyyy");

        EXPECT_EQ(WriteWide(1234.5), L"1234,5");
        EXPECT_EQ(WriteWide(1234567.0), L"1,23457e+06");
        std::wostringstream fixed;
        fixed.setf(std::ios_base::fixed);
        fixed.precision(2);
        fixed << 1234567.25 << L' ' << 1234567L;
        EXPECT_EQ(fixed.str(), L"1234567,25 1234567");

        std::wistringstream in(L"1234,5");
        double value = 0;
        in >> value;
        EXPECT_DOUBLE_EQ(value, 1234.5);

        // The C library's own numbers stay classic: the configuration text relies on it.
        EXPECT_STREQ(std::setlocale(LC_NUMERIC, nullptr), "C");
        char buffer[32];
        std::snprintf(buffer, sizeof buffer, "%g", 1234.5);
        EXPECT_STREQ(buffer, "1234.5");
        // Made once: a second use neither reads nor installs again.
        EXPECT_EQ(&LocaleInfo::Get(), &info);
    });
}

TEST(LocaleInfo, GlobalLocaleLeftAloneWhenTheRuntimeNumericLocaleIsNotC) {
    REQUIRE_DECIMAL_COMMA_LOCALE();
    ScopedEnvironment environment;
    environment.OnlyLang(kDecimalCommaLocale);
    InChildProcess([] {
        ASSERT_NE(std::setlocale(LC_NUMERIC, kDecimalCommaLocale), nullptr);
        const LocaleInfo info;
        EXPECT_TRUE(info.IsComplete());
        EXPECT_EQ(info.GetDecimalSeparator(), L",");
        EXPECT_EQ(info.GetStreamLocaleOutcome(), StreamLocaleOutcome::LeftAlone);
        EXPECT_TRUE(std::locale() == std::locale::classic());
        EXPECT_EQ(WriteWide(1234.5), L"1234.5");
    });
}

TEST(LocaleInfo, UnbuildableUserLocaleFallsBackKeepingTheUserSeparators) {
    REQUIRE_DECIMAL_COMMA_LOCALE();
    ScopedEnvironment environment;
    // The numeric and time data exist; the messages locale does not, so the user's locale as
    // a whole cannot be built.
    environment.OnlyLang(kDecimalCommaLocale).Set("LC_MESSAGES", "xx_NOWHERE.UTF-8");
    InChildProcess([] {
        const LocaleInfo info;
        EXPECT_TRUE(info.IsComplete());
        EXPECT_EQ(info.GetStreamLocaleOutcome(), StreamLocaleOutcome::InstalledFallback);
        EXPECT_EQ(WriteWide(1234.5), L"1234,5");
        std::wostringstream fixed;
        fixed.setf(std::ios_base::fixed);
        fixed.precision(1);
        fixed << 1234567.5;
        EXPECT_EQ(fixed.str(), L"1234567,5");
        EXPECT_EQ(std::use_facet<std::numpunct<wchar_t>>(std::locale()).thousands_sep(), L'.');
    });
}

TEST(LocaleInfo, FailedReadInstallsNothing) {
    ScopedEnvironment environment;
    environment.OnlyLang("C").Set("LC_TIME", "xx_NOWHERE.UTF-8");
    InChildProcess([] {
        const LocaleInfo info;
        EXPECT_FALSE(info.IsComplete());
        // The numeric settings came before the first failed read; the formats after it.
        EXPECT_EQ(info.GetDecimalSeparator(), L".");
        EXPECT_TRUE(info.GetTimeFormat().IsEmpty());
        EXPECT_EQ(info.GetStreamLocaleOutcome(), StreamLocaleOutcome::LeftAlone);
        EXPECT_TRUE(std::locale() == std::locale::classic());
    });
}

TEST(LocaleInfo, PlainCUserKeepsThePointAndLosesNothing) {
    ScopedEnvironment environment;
    environment.OnlyLang("C");
    InChildProcess([] {
        const LocaleInfo info;
        EXPECT_TRUE(info.IsComplete());
        EXPECT_EQ(info.GetStreamLocaleOutcome(), StreamLocaleOutcome::Installed);
        EXPECT_EQ(info.GetDecimalSeparator(), L".");
        EXPECT_EQ(info.GetThousandsSeparator(), L"");
        EXPECT_EQ(info.GetAmDesignator(), L"AM");
        EXPECT_EQ(info.GetPmDesignator(), L"PM");
        EXPECT_EQ(info.GetCodePage(), 20127u);
        EXPECT_TRUE(info.GetShortDateFormat() == u"MM/dd/yy");
        EXPECT_EQ(info.GetShortDateFormat().Length(), 8u);
        EXPECT_EQ(WriteWide(1234.5), L"1234.5");
    });
}

}  // namespace
