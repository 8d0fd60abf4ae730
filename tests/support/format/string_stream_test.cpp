#include <gtest/gtest.h>

#include <iomanip>

#include "support/format/o_string_stream.h"

namespace {

using Tev::OStringStream;
using Tev::String;

LONG CapacityField(const String& s) {
    return static_cast<const TevString::StringRepBase*>(s.Interface())->capacity;
}

TEST(OStringStream, WritesTextAndNumbersAsUtf16) {
    OStringStream out;
    out << L"Output " << 2 << L": " << 2.5 << L" V \u00B1 " << L"\U0001D11E";
    EXPECT_EQ(out.str(), u"Output 2: 2.5 V \u00B1 \U0001D11E");
    OStringStream strings;
    strings << std::setw(6) << String(u"ab") << String(u"|");
    EXPECT_EQ(strings.str(), u"    ab|");
}

TEST(OStringStream, StrHandsOverTheBufferAndAWriteAfterwardsCopies) {
    OStringStream out;
    out << L"first";
    const String first = out.str();
    EXPECT_EQ(first, u"first");
    EXPECT_EQ(out.str().Text(), first.Text());  // the same buffer, shared
    out << L" second";
    EXPECT_EQ(first, u"first");  // the handed-over string is not changed
    EXPECT_EQ(out.str(), u"first second");
}

TEST(OStringStream, EndsYieldsExactlyTheText) {
    OStringStream out;
    out << L"text" << std::ends;
    const String text = out.str();
    EXPECT_EQ(text, u"text");
    EXPECT_EQ(text.Length(), 4u);
    out << L"more";  // goes on after the text, over the terminator
    EXPECT_EQ(out.str(), u"textmore");
}

TEST(OStringStream, WritesAfterAnInitialTextWithoutChangingIt) {
    const String initial(u"Level ");
    OStringStream out(initial);
    out << L"(V)";
    EXPECT_EQ(out.str(), u"Level (V)");
    EXPECT_EQ(initial, u"Level ");
    OStringStream untouched(initial);
    EXPECT_EQ(untouched.str().Text(), initial.Text());  // nothing written: the same string
}

TEST(OStringStream, BufferDoublesWhenFull) {
    OStringStream out;
    out << L"12345678";  // fits the first buffer (capacity 9, terminator included)
    EXPECT_EQ(CapacityField(out.str()), 9);
    OStringStream longer;
    longer << L"123456789";
    EXPECT_EQ(CapacityField(longer.str()), 18);
    OStringStream big;
    for (int i = 0; i < 100; ++i)
        big << L"0123456789";
    EXPECT_EQ(big.str().Length(), 1000u);
    EXPECT_EQ(CapacityField(big.str()), 1152);  // 9, 18, ... 1152
}

TEST(OStringStream, WriteAfterStrDoublesWhenLittleRoomIsLeft) {
    OStringStream out;
    out << L"1234";
    String handed = out.str();  // capacity 9: 4 units free
    out << L"5";
    EXPECT_EQ(CapacityField(out.str()), 18);
    EXPECT_EQ(handed, u"1234");
}

TEST(OStringStream, TellsItsPositionInUnits) {
    OStringStream out;
    out << L"ab\U0001D11E";
    EXPECT_EQ(static_cast<long>(out.tellp()), 4);  // the pair counts two units
    out.seekp(0);
    EXPECT_TRUE(out.fail());  // the buffer cannot move
}

}  // namespace
