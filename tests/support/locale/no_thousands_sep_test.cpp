// Number punctuation without digit grouping, on streams imbued by hand (the global locale
// stays untouched here).
#include "support/locale/no_thousands_sep.h"

#include <gtest/gtest.h>

#include <iomanip>
#include <sstream>
#include <stdexcept>

#include "tests/helpers/decimal_comma_locale.h"

namespace {

template <typename Facet>
std::locale With(Facet* facet) {
    return std::locale(std::locale::classic(), facet);
}

std::wstring WriteWide(const std::locale& locale, double value, int decimals) {
    std::wostringstream stream;
    stream.imbue(locale);
    stream << std::fixed << std::setprecision(decimals) << value;
    return stream.str();
}

TEST(NoThousandsSep, DecimalCommaLocaleWithoutGrouping) {
    REQUIRE_DECIMAL_COMMA_LOCALE();
    // The named locale alone groups digits; the facet keeps its decimal comma but no groups.
    EXPECT_EQ(WriteWide(std::locale(kDecimalCommaLocale), 1234567.5, 1), L"1.234.567,5");
    const std::locale wide = With(new NoThousandsSep<wchar_t>(kDecimalCommaLocale));
    EXPECT_EQ(WriteWide(wide, 1234567.5, 1), L"1234567,5");
    EXPECT_EQ(WriteWide(wide, -1234.5, 2), L"-1234,50");

    std::ostringstream narrow;
    narrow.imbue(With(new NoThousandsSep<char>(kDecimalCommaLocale)));
    narrow << 1234.5 << ' ' << 1234567;
    EXPECT_EQ(narrow.str(), "1234,5 1234567");
}

TEST(NoThousandsSep, ReadingAcceptsTheUngroupedForm) {
    REQUIRE_DECIMAL_COMMA_LOCALE();
    const std::locale wide = With(new NoThousandsSep<wchar_t>(kDecimalCommaLocale));
    std::wistringstream plain(L"1234,5");
    plain.imbue(wide);
    double value = 0;
    plain >> value;
    EXPECT_FALSE(plain.fail());
    EXPECT_DOUBLE_EQ(value, 1234.5);

    // A group separator ends the number: it is not a digit-group mark here.
    std::wistringstream grouped(L"1.234,5");
    grouped.imbue(wide);
    grouped >> value;
    EXPECT_DOUBLE_EQ(value, 1.0);
}

TEST(NoThousandsSep, MissingLocaleThrowsRuntimeError) {
    EXPECT_THROW(NoThousandsSep<wchar_t>("xx_NOWHERE.UTF-8"), std::runtime_error);
    EXPECT_THROW(NoThousandsSep<char>("xx_NOWHERE.UTF-8"), std::runtime_error);
}

TEST(CRTBugUserRadixNoThousandsSep, GivenSeparatorsReplaceTheNamedLocales) {
    const std::locale wide = With(new CRTBug_UserRadix_NoThousandsSep<wchar_t>("C", L',', L'.'));
    EXPECT_EQ(WriteWide(wide, 1234567.5, 1), L"1234567,5");
    EXPECT_EQ(std::use_facet<std::numpunct<wchar_t>>(wide).thousands_sep(), L'.');
    EXPECT_EQ(std::use_facet<std::numpunct<wchar_t>>(wide).grouping(), "");

    std::wistringstream in(L"0,25");
    in.imbue(wide);
    double value = 0;
    in >> value;
    EXPECT_DOUBLE_EQ(value, 0.25);
}

}  // namespace
