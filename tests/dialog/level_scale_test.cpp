// The level scale: which range texts give a range and which leave the scale in percent, and
// the conversions both ways.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <limits>
#include <locale>
#include <string>

#include "dialog/level_scale.h"
#include "tests/helpers/decimal_comma_locale.h"

namespace {

using VavazaZavidi::LevelScale;

struct RangeCase {
    std::u16string text;
    double maximum;  // 100 in percent
    bool percent;
};

TEST(LevelScale, TheRangeIsTheLeadingDecimalNumberOfTheText) {
    const RangeCase cases[] = {
        {u"10", 10, false},
        {u"2.5", 2.5, false},
        {u"2.5mV", 2.5, false},
        {u"0.001", 0.001, false},
        {u"10.", 10, false},
        {u".5", 0.5, false},
        {u"1e3", 1, false},
        {u"2,5", 2, false},
        {u"100 V", 100, false},
        {u"", 100, true},
        {u"0", 100, true},
        {u"0.0", 100, true},
        {u"-5", 100, true},
        {u"V", 100, true},
        {u" 10", 100, true},
        {u".", 100, true},
        {u"inf", 100, true},
        {u"nan", 100, true},
        {std::u16string(400, u'9'), 100, true},
    };
    for (const RangeCase& c : cases) {
        SCOPED_TRACE(std::string(c.text.begin(), c.text.end()));
        const LevelScale scale = LevelScale::FromRangeText(c.text);
        EXPECT_EQ(scale.InPercent(), c.percent);
        EXPECT_EQ(scale.Maximum(), c.maximum);
    }
}

TEST(LevelScale, ReadsTheRangeInTheClassicLocaleWhateverTheUsersSettings) {
    REQUIRE_DECIMAL_COMMA_LOCALE();
    // The locale is process-wide: set it in a child process.
    EXPECT_EXIT(
        {
            std::locale::global(std::locale(kDecimalCommaLocale));
            setlocale(LC_ALL, kDecimalCommaLocale);
            const bool classic = LevelScale::FromRangeText(u"2.5").Maximum() == 2.5 &&
                                 LevelScale::FromRangeText(u"2,5").Maximum() == 2;
            std::exit(classic ? 0 : 1);
        },
        ::testing::ExitedWithCode(0), "");
}

TEST(LevelScale, ConvertsBetweenPercentAndTheShownLevel) {
    const LevelScale volts = LevelScale::FromRangeText(u"10");
    EXPECT_EQ(volts.ToShown(25), 2.5);
    EXPECT_EQ(volts.ToShown(-100), -10);
    EXPECT_DOUBLE_EQ(volts.ToPercent(-3.33), -33.3);
    EXPECT_EQ(volts.ToPercent(12), 120) << "not clamped";
    const LevelScale millivolts = LevelScale::FromRangeText(u"2.5");
    EXPECT_EQ(millivolts.ToShown(50), 1.25);
    EXPECT_DOUBLE_EQ(millivolts.ToPercent(2.2), 88);
    const LevelScale percent;
    EXPECT_EQ(percent.ToShown(33.3), 33.3);
    EXPECT_EQ(percent.ToPercent(-42.5), -42.5);
}

TEST(LevelScale, PositionsDropTheFractionAndStayOnTheScale) {
    EXPECT_EQ(LevelScale::Position(33.9), 33);
    EXPECT_EQ(LevelScale::Position(-33.9), -33);
    EXPECT_EQ(LevelScale::Position(-0.5), 0);
    EXPECT_EQ(LevelScale::Position(150), 100);
    EXPECT_EQ(LevelScale::Position(-1e300), -100);
    EXPECT_EQ(LevelScale::Position(std::numeric_limits<double>::infinity()), 100);
    EXPECT_EQ(LevelScale::Position(std::nan("")), 0);
}

}  // namespace
