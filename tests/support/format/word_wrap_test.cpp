#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/format/word_wrap.h"

namespace {

using Tev::String;
using Tev::WordWrapped;

std::vector<std::u16string> Lines(const String& text) {
    std::vector<std::u16string> lines(1);
    for (char16_t c : text.View()) {
        if (c == u'\n') {
            lines.emplace_back();
        } else {
            lines.back() += c;
        }
    }
    return lines;
}

TEST(WordWrap, BreaksAfterSpacesAndDropsThem) {
    EXPECT_EQ(WordWrapped(String(u"aaa bbb ccc"), 5), u"aaa\nbbb\nccc");
    EXPECT_EQ(WordWrapped(String(u"aaa   bbb"), 5), u"aaa\nbbb");
    // Spaces beyond the width stay at the start of the next line.
    EXPECT_EQ(WordWrapped(String(u"aaa   bbb"), 4), u"aaa\n bbb");
}

TEST(WordWrap, BreaksAfterPunctuationKeepingIt) {
    EXPECT_EQ(WordWrapped(String(u"a,b,c,d"), 2), u"a,\nb,\nc,\nd");
    EXPECT_EQ(WordWrapped(String(u"path/to/file"), 6), u"path/\nto/\nfile");
}

TEST(WordWrap, WordLongerThanTheWidthStaysWhole) {
    EXPECT_EQ(WordWrapped(String(u"abcdefghijklmnop qr"), 5), u"abcdefghijklmnop\nqr");
}

TEST(WordWrap, ShortTextsAndBadWidthsAreLeftAlone) {
    const String text(u"short text");
    EXPECT_EQ(WordWrapped(text, 70).Text(), text.Text());  // unchanged, not even copied
    EXPECT_EQ(WordWrapped(text, 0), text);
    EXPECT_EQ(WordWrapped(text, -5), text);
    EXPECT_TRUE(WordWrapped(String(), 3).IsEmpty());
}

TEST(WordWrap, SentenceOf150CharactersAtSeventyKeepsItsParagraphBreak) {
    // A sentence of words, 150 characters in all, then a paragraph break and a short line.
    std::u16string sentence;
    const char16_t* words[] = {u"The", u"device", u"does",    u"the",  u"detection",
                               u"and", u"the",    u"pulsing", u"while"};
    for (int i = 0; sentence.size() < 150; ++i) {
        if (!sentence.empty())
            sentence += u' ';
        sentence += words[i % 9];
    }
    sentence.resize(150);
    sentence.back() = u'.';
    const String text(sentence + u"\n\nStop sampling.");
    const String wrapped = WordWrapped(text, 70);

    const std::vector<std::u16string> lines = Lines(wrapped);
    ASSERT_GE(lines.size(), 5u);
    for (const std::u16string& line : lines) {
        EXPECT_LE(line.size(), 70u) << std::string(line.begin(), line.end());
        if (!line.empty()) {
            EXPECT_NE(line.back(), u' ');
        }
    }
    EXPECT_EQ(lines[lines.size() - 2], u"");  // the paragraph break stayed
    EXPECT_EQ(lines.back(), u"Stop sampling.");
    // Only line feeds were put in, and only the spaces where they went were taken out.
    std::u16string rejoined;
    for (std::size_t i = 0; i + 2 < lines.size(); ++i) {
        if (i != 0)
            rejoined += u' ';
        rejoined += lines[i];
    }
    EXPECT_EQ(rejoined, sentence);
    EXPECT_EQ(lines[0], sentence.substr(0, lines[0].size()));
    EXPECT_GT(lines[0].size(), 60u);  // filled up to the width, not broken early
}

TEST(WordWrap, WorksInPlace) {
    String text(u"one two three");
    const String other(text);
    Tev::WordWrap(text, 7);
    EXPECT_EQ(text, u"one two\nthree");
    EXPECT_EQ(other, u"one two three");
}

}  // namespace
