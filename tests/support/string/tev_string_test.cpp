#include <gtest/gtest.h>

#include <string>

#include "support/string/tev_string.h"

namespace {

using Tev::String;

const TevString::StringRepBase* RepOf(const String& s) {
    return static_cast<const TevString::StringRepBase*>(s.Interface());
}
LONG CapacityField(const String& s) {
    return RepOf(s)->capacity;
}
LONG LengthField(const String& s) {
    return RepOf(s)->length;
}
LONG CountOf(const String& s) {
    return RepOf(s)->referenceCount;
}

bool SharedEmptyIsUntouched() {
    const TevString::StringRepBase* empty = TevString::SharedEmptyRep();
    const char16_t* units = const_cast<TevString::StringRepBase*>(empty)->Characters();
    for (int i = 0; i < 9; ++i) {
        if (units[i] != 0)
            return false;
    }
    return empty->length == 1 && empty->capacity == 9;
}

TEST(TevStringConstruction, EmptyStringsShareTheEmptyRepresentation) {
    const String none;
    const String fromNull(static_cast<const char16_t*>(nullptr));
    const String fromEmpty(u"");
    const String fromNarrow("");
    const String fromNothing(u"abc", 0);
    for (const String* s : {&none, &fromNull, &fromEmpty, &fromNarrow, &fromNothing}) {
        EXPECT_EQ(s->Text(), none.Text());
        EXPECT_EQ(LengthField(*s), 1);
        EXPECT_EQ(CapacityField(*s), 9);
        EXPECT_TRUE(s->IsEmpty());
        EXPECT_EQ(s->Length(), 0u);
        EXPECT_EQ(s->Text()[0], u'\0');
    }
    EXPECT_TRUE(SharedEmptyIsUntouched());
}

TEST(TevStringConstruction, CapacityIsLengthPlusTerminatorButAtLeastEight) {
    EXPECT_EQ(CapacityField(String(u"abc")), 8);
    EXPECT_EQ(LengthField(String(u"abc")), 4);
    EXPECT_EQ(CapacityField(String(u"abcdefghij")), 11);
    EXPECT_EQ(String(u"abcdefghij").Length(), 10u);
}

TEST(TevStringConstruction, CountedTextStopsAtNulAndRefusesNegativeCounts) {
    EXPECT_EQ(String(u"abcdef", 3), u"abc");
    EXPECT_EQ(String(u"ab\0cd", 5), u"ab");
    EXPECT_EQ(String(u"ab", 100), u"ab");  // reads no further than the NUL
    EXPECT_TRUE(String(static_cast<const char16_t*>(nullptr), 4).IsEmpty());
    try {
        String bad(u"abc", -1);
        FAIL() << "a negative count was accepted";
    } catch (const xmsg& error) {
        EXPECT_STREQ(error.what(), "Tev::String size too big");
    }
}

TEST(TevStringConstruction, NarrowTextIsUtf8BothWays) {
    const String text(
        "Stra\xC3\x9F"
        "e \xE2\x82\xAC");
    EXPECT_EQ(text, u"Stra\u00DFe \u20AC");
    EXPECT_EQ(CapacityField(text), 9);  // exactly the measured size, terminator included
    EXPECT_STREQ(text.Narrow(),
                 "Stra\xC3\x9F"
                 "e \xE2\x82\xAC");
    EXPECT_EQ(String(std::string("a\0b", 3)).Length(), 3u);  // a view keeps its NULs
    EXPECT_EQ(String::FromWide(L"x\U0001D11Ey"), u"x\U0001D11Ey");
    EXPECT_EQ(String(u"\U0001D11E").ToWide(), L"\U0001D11E");
}

TEST(TevStringSharing, CopiesShareAndModificationsCopyOnWrite) {
    String a(u"shared text");
    String b(a);
    EXPECT_EQ(a.Text(), b.Text());
    EXPECT_EQ(CountOf(a), 2);
    EXPECT_TRUE(a.IsShared());

    b.Append(u"!");
    EXPECT_NE(a.Text(), b.Text());
    EXPECT_EQ(a, u"shared text");
    EXPECT_EQ(b, u"shared text!");
    EXPECT_EQ(CountOf(a), 1);
    EXPECT_FALSE(a.IsShared());
}

TEST(TevStringSharing, SelfAssignmentAndMovesKeepCountsRight) {
    String a(u"self");
    const String& alias = a;
    a = alias;
    EXPECT_EQ(a, u"self");
    EXPECT_EQ(CountOf(a), 1);

    String moved(std::move(a));
    EXPECT_EQ(moved, u"self");
    EXPECT_TRUE(a.IsEmpty());  // a moved-from string is empty, never null
    a = std::move(moved);
    EXPECT_EQ(a, u"self");
    EXPECT_EQ(CountOf(a), 1);
}

TEST(TevStringAppend, NeverWritesIntoTheSharedEmptyRepresentation) {
    String text;
    text.Append(u"x");
    EXPECT_EQ(text, u"x");
    String other;
    other += String(u"yz");
    EXPECT_EQ(other, u"yz");
    EXPECT_TRUE(SharedEmptyIsUntouched());
    EXPECT_TRUE(String().IsEmpty());
}

TEST(TevStringAppend, GrowsByHalfAgainWhenFull) {
    String text(u"abcdefg");  // length field 8, capacity 8
    const char16_t* before = text.Text();
    text.Append(u"");  // nothing to add: stays put
    EXPECT_EQ(text.Text(), before);
    text.Append(u"hi");  // needs 10: reserves 15
    EXPECT_EQ(text, u"abcdefghi");
    EXPECT_EQ(CapacityField(text), 15);
    const char16_t* grown = text.Text();
    text.Append(u"jklmn");  // needs exactly 15: fits in place
    EXPECT_EQ(text.Text(), grown);
    EXPECT_EQ(text, u"abcdefghijklmn");
}

TEST(TevStringAppend, ItsOwnTextAsSource) {
    String text(u"abcdefg");
    text.Append(text);
    EXPECT_EQ(text, u"abcdefgabcdefg");
    text.Append(text.Text() + 12);  // a pointer into its own buffer, which must grow
    EXPECT_EQ(text, u"abcdefgabcdefgfg");
}

TEST(TevStringReplace, RemovesThenInsertsAndGrowsExactly) {
    String text(u"Level (V)");  // capacity 10
    text.Replace(7, 1, String(u"mV"));
    EXPECT_EQ(text, u"Level (mV)");
    EXPECT_EQ(CapacityField(text), 11);  // exactly the needed length
    text.Replace(0, 5, String(u"L"));
    EXPECT_EQ(text, u"L (mV)");
    text.Replace(2, 100, String(u"x"));  // a count beyond the end takes the rest
    EXPECT_EQ(text, u"L x");
}

TEST(TevStringReplace, AtOrBeyondTheEndAppends) {
    String text(u"ab");
    text.Replace(2, 5, String(u"cd"));
    EXPECT_EQ(text, u"abcd");
    text.Replace(1000, 5, String(u"e"));
    EXPECT_EQ(text, u"abcde");
    text.Replace(1, 3, text);  // its own text
    EXPECT_EQ(text, u"aabcdee");
}

TEST(TevStringErase, RemovesTheRangeAndIgnoresEmptyOrOutsideRanges) {
    String text(u"0123456789");
    text.Erase(2, 4);
    EXPECT_EQ(text, u"01456789");
    text.Erase(5, 4);
    text.Erase(3, 3);
    text.Erase(100, 200);
    EXPECT_EQ(text, u"01456789");
    text.Erase(6, 1000);
    EXPECT_EQ(text, u"014567");
    EXPECT_EQ(LengthField(text), 7);

    String shared(u"keep me");
    String copy(shared);
    copy.Erase(0, 5);
    EXPECT_EQ(shared, u"keep me");
    EXPECT_EQ(copy, u"me");
}

TEST(TevStringSubstring, TakesUpToCountUnitsAndNothingBeyondTheEnd) {
    const String text(u"Analog Output");
    EXPECT_EQ(text.Substring(7, String::npos), u"Output");
    EXPECT_EQ(text.Substring(7, static_cast<std::size_t>(-1)), u"Output");
    EXPECT_EQ(text.Substring(0, 6), u"Analog");
    EXPECT_TRUE(text.Substring(text.Length(), 5).IsEmpty());
    EXPECT_TRUE(text.Substring(1000, 5).IsEmpty());
    EXPECT_EQ(String(std::u16string_view(u"a\0b", 3)).Substring(1).Length(), 2u);
}

TEST(TevStringReserve, ShrinksWithTheTextCutAndTerminated) {
    String text(u"abcdefghijkl");
    text.Reserve(5);
    EXPECT_EQ(CapacityField(text), 8);  // never below 8
    EXPECT_EQ(text, u"abcdefg");
    EXPECT_EQ(LengthField(text), 8);

    const char16_t* before = text.Text();
    text.Reserve(8);  // unshared and already 8: stays put
    EXPECT_EQ(text.Text(), before);

    String copy(text);
    copy.Reserve(8);  // shared: a private copy even at the same capacity
    EXPECT_NE(copy.Text(), text.Text());
    EXPECT_EQ(copy, text);
}

TEST(TevStringClear, KeepsAPrivateBlockAndLeavesSharersAlone) {
    String text(u"some text here");
    text.Narrow();
    const char16_t* before = text.Text();
    text.Clear();
    EXPECT_EQ(text.Text(), before);
    EXPECT_TRUE(text.IsEmpty());
    EXPECT_EQ(RepOf(text)->narrowText, nullptr);

    String original(u"some text here");
    String sharer(original);
    sharer.Clear();
    EXPECT_EQ(original, u"some text here");
    EXPECT_TRUE(sharer.IsEmpty());
    EXPECT_EQ(CapacityField(sharer), CapacityField(original));

    String empty;
    empty.Clear();
    EXPECT_TRUE(SharedEmptyIsUntouched());
}

TEST(TevStringBuffer, PreparedBufferTakesTheWrittenText) {
    String text;
    char16_t* buffer = text.PrepareBuffer(20);
    EXPECT_GE(CapacityField(text), 21);
    EXPECT_EQ(buffer[20], u'\0');
    std::char_traits<char16_t>::copy(buffer, u"d.M.yyyy", 9);
    text.SetLengthFromBuffer();
    EXPECT_EQ(text, u"d.M.yyyy");
    EXPECT_TRUE(SharedEmptyIsUntouched());

    // Without a NUL in the buffer the text ends at the capacity, terminated.
    buffer = text.PrepareBuffer(8);
    const auto room = static_cast<std::size_t>(CapacityField(text));
    for (std::size_t i = 0; i < room; ++i)
        buffer[i] = u'x';
    text.SetLengthFromBuffer();
    EXPECT_EQ(text.Length(), room - 1);
    text.SetLength(3);
    EXPECT_EQ(text, u"xxx");
}

TEST(TevStringNarrow, CachedUntilTheTextChanges) {
    String text(u"caf\u00E9");
    const char* first = text.Narrow();
    EXPECT_STREQ(first, "caf\xC3\xA9");
    EXPECT_EQ(text.Narrow(), first);
    EXPECT_EQ(RepOf(text)->narrowValid, 1);
    text.Append(u"!");
    EXPECT_EQ(RepOf(text)->narrowValid, 0);
    EXPECT_STREQ(text.Narrow(), "caf\xC3\xA9!");
    EXPECT_STREQ(String().Narrow(), "");
    EXPECT_TRUE(SharedEmptyIsUntouched());
}

TEST(TevStringCompare, UnitByUnitIncludingLength) {
    EXPECT_EQ(String(u"abc"), String(u"abc"));
    EXPECT_NE(String(u"abc"), String(u"abd"));
    EXPECT_NE(String(u"abc"), String(u"ab"));
    EXPECT_NE(String(std::u16string_view(u"a\0b", 3)), String(std::u16string_view(u"a\0c", 3)));
    EXPECT_EQ(String(), static_cast<const char16_t*>(nullptr));
    const String text(u"xy");
    EXPECT_EQ(text[2], u'\0');
    EXPECT_THROW(text[3], std::out_of_range);
    EXPECT_EQ(String(u"ab") + String(u"cd"), u"abcd");
}

}  // namespace
