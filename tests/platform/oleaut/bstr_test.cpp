#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <string>

#include "platform/oleaut/bstr.h"

namespace {

std::uint32_t PrefixOf(BSTR text) {
    std::uint32_t bytes;
    std::memcpy(&bytes, reinterpret_cast<const char*>(text) - 4, 4);
    return bytes;
}

TEST(Bstr, CarriesItsByteLengthInFrontAndATerminatorBehind) {
    BSTR text = SysAllocString(u"Tarvel");
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(PrefixOf(text), 12u);
    EXPECT_EQ(SysStringLen(text), 6u);
    EXPECT_EQ(SysStringByteLen(text), 12u);
    EXPECT_EQ(text[6], u'\0');
    EXPECT_EQ(std::u16string(text), u"Tarvel");
    SysFreeString(text);
}

TEST(Bstr, LengthGivenCopiesEmbeddedNulsAndNullSourceGivesZeroes) {
    BSTR copied = SysAllocStringLen(u"a\0b", 3);
    ASSERT_NE(copied, nullptr);
    EXPECT_EQ(SysStringLen(copied), 3u);
    EXPECT_EQ(std::u16string(copied, 3), std::u16string(u"a\0b", 3));
    EXPECT_EQ(copied[3], u'\0');

    BSTR zeroed = SysAllocStringLen(nullptr, 4);
    ASSERT_NE(zeroed, nullptr);
    EXPECT_EQ(SysStringLen(zeroed), 4u);
    for (int i = 0; i <= 4; ++i)
        EXPECT_EQ(zeroed[i], u'\0');

    SysFreeString(copied);
    SysFreeString(zeroed);
}

TEST(Bstr, ByteLengthMayBeOddAndIsStillTerminated) {
    BSTR text = SysAllocStringByteLen("abc", 3);
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(SysStringByteLen(text), 3u);
    EXPECT_EQ(SysStringLen(text), 1u);
    const char* bytes = reinterpret_cast<const char*>(text);
    EXPECT_EQ(std::string(bytes, 3), "abc");
    EXPECT_EQ(bytes[3], '\0');
    EXPECT_EQ(bytes[4], '\0');
    SysFreeString(text);
}

TEST(Bstr, NullIsTheEmptyString) {
    EXPECT_EQ(SysAllocString(nullptr), nullptr);
    EXPECT_EQ(SysStringLen(nullptr), 0u);
    EXPECT_EQ(SysStringByteLen(nullptr), 0u);
    SysFreeString(nullptr);  // ignored

    BSTR empty = SysAllocString(u"");
    ASSERT_NE(empty, nullptr);
    EXPECT_EQ(SysStringLen(empty), 0u);
    SysFreeString(empty);
}

TEST(Bstr, LengthBeyondThirtyTwoBitsIsRefused) {
    EXPECT_EQ(SysAllocStringLen(nullptr, 0x80000000u), nullptr);
    EXPECT_EQ(SysAllocStringByteLen(nullptr, 0xFFFFFFFFu), nullptr);
}

}  // namespace
