// The regional-settings query, answered from the locale that the environment names.
#include "platform/locale/get_locale_info.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/error/last_error.h"
#include "tests/helpers/decimal_comma_locale.h"
#include "tests/helpers/scoped_environment.h"

namespace {

std::u16string Wide(LCTYPE type) {
    char16_t buffer[64] = {};
    const int written = GetLocaleInfoW(LOCALE_USER_DEFAULT, type, buffer, 64);
    EXPECT_GT(written, 0) << "field " << type;
    return written > 0 ? std::u16string(buffer, written - 1) : u"<failed>";
}

std::string Narrow(LCTYPE type) {
    char buffer[64] = {};
    const int written = GetLocaleInfoA(LOCALE_USER_DEFAULT, type, buffer, 64);
    EXPECT_GT(written, 0) << "field " << type;
    return written > 0 ? std::string(buffer, written - 1) : "<failed>";
}

TEST(GetLocaleInfo, DecimalCommaLocale) {
    REQUIRE_DECIMAL_COMMA_LOCALE();
    ScopedEnvironment environment;
    environment.OnlyLang(kDecimalCommaLocale);
    EXPECT_EQ(Wide(LOCALE_SDECIMAL), u",");
    EXPECT_EQ(Narrow(LOCALE_SDECIMAL), ",");
    EXPECT_EQ(Wide(LOCALE_STHOUSAND), u".");
    EXPECT_EQ(Wide(LOCALE_SLIST), u";");
    EXPECT_EQ(Wide(LOCALE_SDATE), u".");
    EXPECT_EQ(Wide(LOCALE_STIME), u":");
    EXPECT_EQ(Wide(LOCALE_SSHORTDATE), u"dd.MM.yyyy");
    EXPECT_EQ(Wide(LOCALE_SLONGDATE), u"ddd dd MMM yyyy");
    EXPECT_EQ(Wide(LOCALE_STIMEFORMAT), u"HH:mm:ss");
    EXPECT_EQ(Wide(LOCALE_ITIME), u"1");
    EXPECT_EQ(Wide(LOCALE_ITIMEMARKPOSN), u"0");
    EXPECT_EQ(Wide(LOCALE_IDEFAULTCODEPAGE), u"65001");
}

TEST(GetLocaleInfo, PlainCLocale) {
    ScopedEnvironment environment;
    environment.OnlyLang(nullptr);
    EXPECT_EQ(Wide(LOCALE_SDECIMAL), u".");
    EXPECT_EQ(Wide(LOCALE_STHOUSAND), u"");
    EXPECT_EQ(Wide(LOCALE_SLIST), u",");
    EXPECT_EQ(Wide(LOCALE_SDATE), u"/");
    EXPECT_EQ(Wide(LOCALE_SSHORTDATE), u"MM/dd/yy");
    EXPECT_EQ(Wide(LOCALE_SLONGDATE), u"ddd MMM d yyyy");
    EXPECT_EQ(Wide(LOCALE_S1159), u"AM");
    EXPECT_EQ(Wide(LOCALE_S2359), u"PM");
    EXPECT_EQ(Wide(LOCALE_IDEFAULTCODEPAGE), u"20127");
    environment.Set("LANG", "C.UTF-8");
    EXPECT_EQ(Wide(LOCALE_IDEFAULTCODEPAGE), u"65001");
}

TEST(GetLocaleInfo, AllOverridesTheCategoryWhichOverridesLang) {
    REQUIRE_DECIMAL_COMMA_LOCALE();
    ScopedEnvironment environment;
    environment.OnlyLang("C").Set("LC_NUMERIC", kDecimalCommaLocale);
    EXPECT_EQ(Wide(LOCALE_SDECIMAL), u",");
    EXPECT_EQ(Wide(LOCALE_SSHORTDATE), u"MM/dd/yy");  // time data still from LANG
    environment.Set("LC_TIME", kDecimalCommaLocale);
    EXPECT_EQ(Wide(LOCALE_SSHORTDATE), u"dd.MM.yyyy");
    environment.Set("LC_ALL", "C");
    EXPECT_EQ(Wide(LOCALE_SDECIMAL), u".");
    EXPECT_EQ(Wide(LOCALE_SSHORTDATE), u"MM/dd/yy");
    environment.Set("LC_ALL", "");  // an empty variable counts as unset
    EXPECT_EQ(Wide(LOCALE_SDECIMAL), u",");
}

TEST(GetLocaleInfo, SizeZeroMeasuresAndAShortBufferIsLeftAlone) {
    REQUIRE_DECIMAL_COMMA_LOCALE();
    ScopedEnvironment environment;
    environment.OnlyLang(kDecimalCommaLocale);
    EXPECT_EQ(GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SSHORTDATE, nullptr, 0), 11);
    EXPECT_EQ(GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SSHORTDATE, nullptr, 0), 11);
    char16_t buffer[10] = {u'x'};
    SetLastError(0);
    EXPECT_EQ(GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SSHORTDATE, buffer, 10), 0);
    EXPECT_EQ(GetLastError(), ERROR_INSUFFICIENT_BUFFER);
    EXPECT_EQ(buffer[0], u'x');
    char16_t exact[11] = {};
    EXPECT_EQ(
        GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SSHORTDATE | LOCALE_NOUSEROVERRIDE, exact, 11),
        11);
    EXPECT_EQ(std::u16string(exact), u"dd.MM.yyyy");
}

TEST(GetLocaleInfo, UnknownLocaleFieldOrMissingLocaleFails) {
    ScopedEnvironment environment;
    environment.OnlyLang("C");
    char16_t buffer[16] = {};
    SetLastError(0);
    EXPECT_EQ(GetLocaleInfoW(0x0409, LOCALE_SDECIMAL, buffer, 16), 0);
    EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);
    EXPECT_EQ(GetLocaleInfoW(LOCALE_USER_DEFAULT, 0x7777, buffer, 16), 0);
    EXPECT_EQ(GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, buffer, -1), 0);
    EXPECT_EQ(GetLocaleInfoW(LOCALE_SYSTEM_DEFAULT, LOCALE_SDECIMAL, buffer, 16), 2);
    environment.Set("LC_NUMERIC", "xx_NOWHERE.UTF-8");
    SetLastError(0);
    EXPECT_EQ(GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, buffer, 16), 0);
    EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);
    EXPECT_EQ(GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_STIME, buffer, 16), 2);
}

}  // namespace
