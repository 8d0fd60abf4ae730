#include <gtest/gtest.h>

#include <string>

#include "platform/error/last_error.h"
#include "platform/text/code_page.h"

namespace {

std::u16string ToWide(const std::string& narrow, UINT codePage = CP_ACP, DWORD flags = 0) {
    const int needed = MultiByteToWideChar(codePage, flags, narrow.data(),
                                           static_cast<int>(narrow.size()), nullptr, 0);
    std::u16string wide(static_cast<std::size_t>(needed), u'\0');
    EXPECT_EQ(MultiByteToWideChar(codePage, flags, narrow.data(), static_cast<int>(narrow.size()),
                                  wide.data(), needed),
              needed);
    return wide;
}

std::string ToNarrow(const std::u16string& wide, BOOL* usedDefault = nullptr) {
    const int needed = WideCharToMultiByte(
        CP_THREAD_ACP, 0, wide.data(), static_cast<int>(wide.size()), nullptr, 0, nullptr, nullptr);
    std::string narrow(static_cast<std::size_t>(needed), '\0');
    EXPECT_EQ(WideCharToMultiByte(CP_THREAD_ACP, 0, wide.data(), static_cast<int>(wide.size()),
                                  narrow.data(), needed, nullptr, usedDefault),
              needed);
    return narrow;
}

TEST(CodePage, EveryNarrowCodePageIsUtf8) {
    EXPECT_EQ(GetACP(), CP_UTF8);
    const std::string text = "Tarvel \xC3\xA9 \xE2\x82\xAC \xF0\x9D\x84\x9E";  // é € 𝄞
    const std::u16string expected = u"Tarvel \u00E9 \u20AC \U0001D11E";
    for (UINT codePage : {CP_ACP, CP_OEMCP, CP_THREAD_ACP, CP_UTF8}) {
        EXPECT_EQ(ToWide(text, codePage), expected) << codePage;
    }
    EXPECT_EQ(ToNarrow(expected), text);
}

TEST(CodePage, MinusOneCountsAndConvertsTheTerminator) {
    EXPECT_EQ(MultiByteToWideChar(CP_ACP, 0, "abc", -1, nullptr, 0), 4);
    char16_t wide[4] = {u'x', u'x', u'x', u'x'};
    EXPECT_EQ(MultiByteToWideChar(CP_ACP, 0, "abc", -1, wide, 4), 4);
    EXPECT_EQ(std::u16string(wide), u"abc");

    EXPECT_EQ(WideCharToMultiByte(CP_ACP, 0, u"\u00E9", -1, nullptr, 0, nullptr, nullptr), 3);
    char narrow[3] = {'x', 'x', 'x'};
    EXPECT_EQ(WideCharToMultiByte(CP_ACP, 0, u"\u00E9", -1, narrow, 3, nullptr, nullptr), 3);
    EXPECT_STREQ(narrow, "\xC3\xA9");
}

TEST(CodePage, ShortDestinationFailsWithInsufficientBuffer) {
    char16_t wide[2];
    SetLastError(ERROR_SUCCESS);
    EXPECT_EQ(MultiByteToWideChar(CP_ACP, 0, "abc", 3, wide, 2), 0);
    EXPECT_EQ(GetLastError(), ERROR_INSUFFICIENT_BUFFER);

    char narrow[3];
    SetLastError(ERROR_SUCCESS);
    // A four-byte sequence does not fit three bytes.
    EXPECT_EQ(WideCharToMultiByte(CP_ACP, 0, u"\U0001D11E", 2, narrow, 3, nullptr, nullptr), 0);
    EXPECT_EQ(GetLastError(), ERROR_INSUFFICIENT_BUFFER);
}

TEST(CodePage, RefusesBadArguments) {
    char16_t wide[8];
    const struct {
        const char* text;
        int count;
        UINT codePage;
        DWORD flags;
        DWORD error;
    } cases[] = {
        {"abc", 3, 1252, 0, ERROR_INVALID_PARAMETER},  // a code page this platform lacks
        {nullptr, 3, CP_ACP, 0, ERROR_INVALID_PARAMETER},
        {"abc", 0, CP_ACP, 0, ERROR_INVALID_PARAMETER},
        {"abc", -2, CP_ACP, 0, ERROR_INVALID_PARAMETER},
        {"abc", 3, CP_ACP, 0x1, ERROR_INVALID_FLAGS},
    };
    for (const auto& c : cases) {
        SetLastError(ERROR_SUCCESS);
        EXPECT_EQ(MultiByteToWideChar(c.codePage, c.flags, c.text, c.count, wide, 8), 0);
        EXPECT_EQ(GetLastError(), c.error);
    }
    SetLastError(ERROR_SUCCESS);
    EXPECT_EQ(MultiByteToWideChar(CP_ACP, 0, "abc", 3, wide, -1), 0);
    EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);
}

TEST(CodePage, IllFormedUtf8BecomesReplacementCharacters) {
    // Each maximal ill-formed part is one U+FFFD; well-formed neighbours survive.
    EXPECT_EQ(ToWide("a\x80z"), u"a\uFFFDz");                      // stray continuation byte
    EXPECT_EQ(ToWide("a\xC0\x80z"), u"a\uFFFD\uFFFDz");            // overlong NUL
    EXPECT_EQ(ToWide("a\xE2\x82z"), u"a\uFFFDz");                  // truncated three-byte sequence
    EXPECT_EQ(ToWide("a\xED\xA0\x80z"), u"a\uFFFD\uFFFD\uFFFDz");  // encoded surrogate
    EXPECT_EQ(ToWide("a\xF4\x90\x80\x80z"), u"a\uFFFD\uFFFD\uFFFD\uFFFDz");  // beyond U+10FFFF
    EXPECT_EQ(ToWide("\xF0\x9D\x84"), u"\uFFFD");  // cut at the end of the text
    EXPECT_EQ(ToWide("\xFF"), u"\uFFFD");

    SetLastError(ERROR_SUCCESS);
    EXPECT_EQ(MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, "a\x80", 2, nullptr, 0), 0);
    EXPECT_EQ(GetLastError(), ERROR_NO_UNICODE_TRANSLATION);
}

TEST(CodePage, LoneSurrogateBecomesReplacementAndIsReported) {
    BOOL usedDefault = FALSE;
    EXPECT_EQ(ToNarrow(u"a\xD800z", &usedDefault), "a\xEF\xBF\xBDz");
    EXPECT_EQ(usedDefault, TRUE);
    EXPECT_EQ(ToNarrow(u"a\xDC00", &usedDefault), "a\xEF\xBF\xBD");
    EXPECT_EQ(ToNarrow(u"ok", &usedDefault), "ok");
    EXPECT_EQ(usedDefault, FALSE);

    SetLastError(ERROR_SUCCESS);
    EXPECT_EQ(WideCharToMultiByte(CP_UTF8, WC_ERR_INVALID_CHARS, u"\xD800", 1, nullptr, 0, nullptr,
                                  nullptr),
              0);
    EXPECT_EQ(GetLastError(), ERROR_NO_UNICODE_TRANSLATION);
}

}  // namespace
