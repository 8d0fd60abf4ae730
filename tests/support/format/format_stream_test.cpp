#include <gtest/gtest.h>

#include <locale>
#include <sstream>
#include <string>

#include "support/format/format_stream.h"

namespace {

using Tev::OFormatStringStream;
using Tev::String;

template <class... Args>
String Format(const char16_t* format, const Args&... args) {
    OFormatStringStream out{String(format)};
    ((void)(out << args), ...);
    return out.str();
}

TEST(FormatStream, FillsPlaceholdersFromTheInsertedValues) {
    EXPECT_EQ(Format(u"Analog Output %1", 1), u"Analog Output 1");
    EXPECT_EQ(Format(u"Level (%1)", L"V"), u"Level (V)");
    EXPECT_EQ(Format(u"Tarvel - %1", String(u"Corvex 16")), u"Tarvel - Corvex 16");
    EXPECT_EQ(Format(u"Input %1", u"\u00E9\U0001D11E"), u"Input \u00E9\U0001D11E");
    EXPECT_EQ(Format(u"%1 and %2", 1.0 / 3, 2L), u"0.333333 and 2");
}

TEST(FormatStream, ArgumentsGoWhereTheirNumberIs) {
    EXPECT_EQ(Format(u"%2 of %1", L"a", L"b"), u"b of a");
    EXPECT_TRUE(Format(u"%2 of %1", L"a").IsEmpty());  // waits for the highest number
    EXPECT_EQ(Format(u"%1 %3", L"a", L"dropped", L"c"), u"a c");
    EXPECT_EQ(Format(u"%1", L"a", L"too many"), u"a");
}

TEST(FormatStream, DoubledPercentSigns) {
    EXPECT_EQ(Format(u"100%% of %1", L"x"), u"100% of x");
    EXPECT_EQ(Format(u"100%%"), u"100%%");  // no placeholder: written unchanged
    EXPECT_EQ(Format(u"%1 is 50%%", 7), u"7 is 50%");
    EXPECT_EQ(Format(u"%%%1%%", 7), u"%7%");
}

TEST(FormatStream, BackslashEndsAPlaceholder) {
    EXPECT_EQ(Format(u"%1\\0", 5), u"50");
    EXPECT_EQ(Format(u"%1\\\\", 5), u"5\\");  // only one backslash belongs to the placeholder
}

TEST(FormatStream, RepeatedNumberFillsOnlyItsLastOccurrence) {
    EXPECT_EQ(Format(u"[%1] [%1]", L"x"), u"[] [x]");
}

TEST(FormatStream, PercentSignsThatAreNoPlaceholderStayLiteral) {
    EXPECT_EQ(Format(u"%0 and %x and %", 1), u"%0 and %x and %");
    EXPECT_EQ(Format(u"%-1 %1", L"a"), u"%-1 a");
    EXPECT_EQ(Format(u"% 1|", L"a"), u"a|");  // read as wcstol reads numbers
}

TEST(FormatStream, NumbersAboveTwentyStayLiteral) {
    EXPECT_EQ(
        Format(u"%20/%21", 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20),
        u"20/%21");
    EXPECT_EQ(Format(u"%99999999999999999999999 %1", L"a"), u"%99999999999999999999999 a");
}

TEST(FormatStream, OccurrencesAfterTheTwentiethStayLiteral) {
    std::u16string format;
    for (int i = 0; i < 21; ++i)
        format += u"%1,";
    const String result = Format(format.c_str(), L"x");
    // Twenty placeholders, only the last of which gets the argument, then the literal 21st.
    EXPECT_EQ(result, String(std::u16string(19, u',') + u"x,%1,"));
}

TEST(FormatStream, FailedFormatGivesEmptyText) {
    EXPECT_TRUE(Format(u"", 1, 2).IsEmpty());
}

TEST(FormatStream, WritesToAnyWideStreamBuffer) {
    std::wstringbuf buffer;
    Tev::OFormatStream out(String(u"%1 \U0001D11E %2"), &buffer);
    EXPECT_EQ(out.ArgumentsExpected(), 2);
    out << 1;
    EXPECT_TRUE(buffer.str().empty());
    out << L"b";
    EXPECT_EQ(buffer.str(), L"1 \U0001D11E b");
    out << L"ignored";
    EXPECT_EQ(buffer.str(), L"1 \U0001D11E b");
}

// A decimal comma, as a user's regional settings may give.
struct CommaPunct : std::numpunct<wchar_t> {
    wchar_t do_decimal_point() const override { return L','; }
};

TEST(FormatStream, NumbersUseTheGlobalLocaleOfItsConstruction) {
    const std::locale previous =
        std::locale::global(std::locale(std::locale::classic(), new CommaPunct));
    OFormatStringStream comma(String(u"%1"));
    std::locale::global(previous);
    OFormatStringStream classic(String(u"%1"));
    comma << 2.5;
    classic << 2.5;
    EXPECT_EQ(comma.str(), u"2,5");
    EXPECT_EQ(classic.str(), u"2.5");
}

}  // namespace
