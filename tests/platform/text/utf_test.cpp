#include <gtest/gtest.h>

#include "platform/text/utf.h"

namespace {

TEST(Utf, WideCharactersRoundTripThroughUtf16) {
    const std::u16string text = u"A\u00E9\U0001D11E\xD800z\xDFFF";  // with two lone surrogates
    const std::wstring wide = text::Utf16ToWide(text);
    ASSERT_EQ(wide.size(), 6u);
    EXPECT_EQ(wide[2], static_cast<wchar_t>(0x1D11E));
    EXPECT_EQ(wide[3], static_cast<wchar_t>(0xD800));
    EXPECT_EQ(text::WideToUtf16(wide), text);
}

TEST(Utf, WideCharacterBeyondUnicodeBecomesReplacement) {
    char16_t units[2];
    EXPECT_EQ(text::WideToUtf16(static_cast<wchar_t>(0x110000), units), 1u);
    EXPECT_EQ(units[0], u'\uFFFD');
    EXPECT_EQ(text::WideToUtf16(static_cast<wchar_t>(0x10FFFF), units), 2u);
    EXPECT_EQ(units[0], 0xDBFF);
    EXPECT_EQ(units[1], 0xDFFF);
}

TEST(Utf, BoundedConversionCountsEverythingButWritesOnlyWhatFits) {
    char16_t out[2] = {u'x', u'x'};
    bool replaced = true;
    EXPECT_EQ(text::Utf8ToUtf16("abcd", 4, out, 2, &replaced), 4u);
    EXPECT_EQ(out[0], u'a');
    EXPECT_EQ(out[1], u'b');
    EXPECT_FALSE(replaced);

    char narrow[1] = {'x'};
    EXPECT_EQ(text::Utf16ToUtf8(u"\u20AC", 1, narrow, 1), 3u);
    EXPECT_EQ(narrow[0], '\xE2');
}

}  // namespace
