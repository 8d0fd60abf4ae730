// The wide time facet: times with ':' whatever the locale; dates from the named locale.
#include "support/locale/time_get.h"

#include <gtest/gtest.h>

#include <iomanip>
#include <sstream>

#include "tests/helpers/decimal_comma_locale.h"

namespace {

struct Parsed {
    bool ok;
    std::tm time;
};

Parsed Parse(const char* localeName, const wchar_t* text, const wchar_t* format) {
    std::wistringstream stream(text);
    stream.imbue(std::locale(std::locale::classic(), new Tev::time_getEx(localeName)));
    std::tm time{};
    time.tm_hour = time.tm_min = time.tm_sec = -1;
    stream >> std::get_time(&time, format);
    return {!stream.fail(), time};
}

TEST(TimeGetEx, TimesAreHoursMinutesAndOptionalSecondsWithColons) {
    const Parsed full = Parse("C", L"09:05:30", L"%X");
    ASSERT_TRUE(full.ok);
    EXPECT_EQ(full.time.tm_hour, 9);
    EXPECT_EQ(full.time.tm_min, 5);
    EXPECT_EQ(full.time.tm_sec, 30);

    const Parsed short_ = Parse("C", L"23:59", L"%T");
    ASSERT_TRUE(short_.ok);
    EXPECT_EQ(short_.time.tm_hour, 23);
    EXPECT_EQ(short_.time.tm_min, 59);
    EXPECT_EQ(short_.time.tm_sec, 0);

    const Parsed inText = Parse("C", L"at 7:08 sharp", L"at %X sharp");
    ASSERT_TRUE(inText.ok);
    EXPECT_EQ(inText.time.tm_hour, 7);
    EXPECT_EQ(inText.time.tm_min, 8);
}

TEST(TimeGetEx, OutOfRangeOrOtherSeparatorsFail) {
    for (const wchar_t* text : {L"24:00", L"12:60", L"12:00:61", L"9.05", L"9", L":05", L""}) {
        EXPECT_FALSE(Parse("C", text, L"%X").ok) << text;
    }
}

TEST(TimeGetEx, TheNamedLocaleTimeFormatDoesNotMatter) {
    REQUIRE_DECIMAL_COMMA_LOCALE();
    const Parsed parsed = Parse(kDecimalCommaLocale, L"18:45", L"%X");
    ASSERT_TRUE(parsed.ok);
    EXPECT_EQ(parsed.time.tm_hour, 18);
}

TEST(TimeGetEx, DatesUseTheNamedLocalesNames) {
    REQUIRE_DECIMAL_COMMA_LOCALE();
    const Parsed parsed = Parse(kDecimalCommaLocale, L"31 Dez 2024", L"%d %b %Y");
    ASSERT_TRUE(parsed.ok);
    EXPECT_EQ(parsed.time.tm_mday, 31);
    EXPECT_EQ(parsed.time.tm_mon, 11);
    EXPECT_EQ(parsed.time.tm_year, 124);
}

TEST(TimeGetEx, ReplacesTheStandardTimeFacet) {
    const std::locale locale(std::locale::classic(), new Tev::time_getEx("C"));
    const auto& facet = std::use_facet<std::time_get<wchar_t>>(locale);
    EXPECT_NE(dynamic_cast<const Tev::time_getEx*>(&facet), nullptr);

    std::wistringstream stream(L"6:07");
    std::ios_base::iostate state = std::ios_base::goodbit;
    std::tm time{};
    facet.get_time(std::istreambuf_iterator<wchar_t>(stream), std::istreambuf_iterator<wchar_t>(),
                   stream, state, &time);
    EXPECT_EQ(state & std::ios_base::failbit, 0);
    EXPECT_EQ(time.tm_hour, 6);
    EXPECT_EQ(time.tm_min, 7);
}

}  // namespace
