// Character data: entities, CDATA, and the folding of blanks and line breaks.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "support/xml/fxml_reader.h"

namespace {

// The text of the root of `document`, which must parse.
std::wstring RootText(const std::wstring& document) {
    FXMLReader reader;
    std::unique_ptr<FXMLElement> root = reader.Parse(document);
    EXPECT_NE(root, nullptr) << reader.GetErrorMessage();
    return root ? root->GetText() : L"<parse failed>";
}

TEST(FXMLContentEntities, FivePredefinedEntitiesAreDecoded) {
    EXPECT_EQ(RootText(L"<a>1 &lt; 2</a>"), L"1 < 2");
    EXPECT_EQ(RootText(L"<a>&gt;&amp;&apos;&quot;</a>"), L">&'\"");
    EXPECT_EQ(RootText(L"<a>&amp;lt;</a>"), L"&lt;");
}

TEST(FXMLContentEntities, BareAmpersandOrUnknownEntityFails) {
    for (const wchar_t* document :
         {L"<a>AT&T</a>", L"<a>&nbsp;</a>", L"<a>&#65;</a>", L"<a>&lt</a>", L"<a x='A&B'/>"}) {
        FXMLReader reader;
        EXPECT_EQ(reader.Parse(document), nullptr) << document;
        EXPECT_EQ(reader.GetErrorCode(), -6) << document;
        EXPECT_EQ(reader.GetErrorMessage(), L"Unrecognised entity or bogus &.");
    }
}

TEST(FXMLContentEntities, AmpersandInsideACommentIsNotAnEntity) {
    EXPECT_EQ(RootText(L"<a>x<!-- AT&T -->y</a>"), L"xy");
}

TEST(FXMLContentCData, KeepsMarkupUnchangedAndMarksTheTextRaw) {
    FXMLReader reader;
    auto root = reader.Parse(L"<a><![CDATA[<b>&amp; x\n  y</b>]]></a>");
    ASSERT_NE(root, nullptr);
    EXPECT_EQ(root->GetText(), L"<b>&amp; x\n  y</b>");
    EXPECT_TRUE(root->IsRawText());
    EXPECT_TRUE(root->GetChildren().empty());
}

TEST(FXMLContentCData, JoinsTheTextAroundIt) {
    FXMLReader reader;
    auto root = reader.Parse(L"<a>x <![CDATA[]]]]> y</a>");
    ASSERT_NE(root, nullptr);
    EXPECT_EQ(root->GetText(), L"x ]] y");
    EXPECT_TRUE(root->IsRawText());
    auto plain = reader.Parse(L"<a>x</a>");
    ASSERT_NE(plain, nullptr);
    EXPECT_FALSE(plain->IsRawText());
}

TEST(FXMLContentCData, UnclosedSectionFails) {
    FXMLReader reader;
    EXPECT_EQ(reader.Parse(L"<a><![CDATA[x]]</a>"), nullptr);
    EXPECT_EQ(reader.GetErrorCode(), -5);
    EXPECT_EQ(reader.GetErrorMessage(), L"Mismatched CDATA tag.");
}

TEST(FXMLContentCData, SectionEndOutsideASectionFails) {
    for (const wchar_t* document : {L"<a>x]]>y</a>", L"<a ]]>", L"]]><a/>", L"<a></a]]>"}) {
        FXMLReader reader;
        EXPECT_EQ(reader.Parse(document), nullptr) << document;
        EXPECT_EQ(reader.GetErrorCode(), -8) << document;
        EXPECT_EQ(reader.GetErrorMessage(),
                  L"CDEnd character sequence (\"]]>\") outside CData section.");
    }
}

TEST(FXMLContentCData, SectionEndInsideAValueOrLoneBracketsAreOrdinary) {
    FXMLReader reader;
    auto root = reader.Parse(L"<a v=']]>'>x]]y]</a>");
    ASSERT_NE(root, nullptr);
    EXPECT_EQ(root->GetAttributes().at(L"v"), L"]]>");
    EXPECT_EQ(root->GetText(), L"x]]y]");
}

TEST(FXMLContentFolding, TextOverTwoLinesGetsOneSpaceForTheBreakAndIndentation) {
    EXPECT_EQ(RootText(L"<a>first line\n      second line</a>"), L"first line second line");
    EXPECT_EQ(RootText(L"<a>first\r\n\t\tsecond\n\n\nthird</a>"), L"first second third");
}

TEST(FXMLContentFolding, BlanksBeforeTheFirstCharacterAreDroppedLaterOnesKept) {
    EXPECT_EQ(RootText(L"<a> \t\n  10 V</a>"), L"10 V");
    EXPECT_EQ(RootText(L"<a>x \t y  </a>"), L"x \t y  ");
}

TEST(FXMLContentFolding, PendingSpaceIsDroppedByMarkup) {
    EXPECT_EQ(RootText(L"<a>\n  10 V\n</a>"), L"10 V");
    EXPECT_EQ(RootText(L"<a>x\n  <b/>y</a>"), L"xy");
    EXPECT_EQ(RootText(L"<a>x\n<![CDATA[y]]></a>"), L"xy");
}

TEST(FXMLContentFolding, PendingSpaceAfterMarkupStartsTheText) {
    // The child's end takes one line break with it; a second one is folded.
    EXPECT_EQ(RootText(L"<a><b/>\nx</a>"), L"x");
    EXPECT_EQ(RootText(L"<a><b/>\n\n  x</a>"), L" x");
    EXPECT_EQ(RootText(L"<a><!-- c -->\n  x</a>"), L" x");
}

TEST(FXMLContentFolding, TextAroundChildrenIsJoined) {
    FXMLReader reader;
    auto root = reader.Parse(L"<a>one<b>inner</b>two<?pi?>three</a>");
    ASSERT_NE(root, nullptr);
    EXPECT_EQ(root->GetText(), L"onetwothree");
    ASSERT_EQ(root->GetChildren().size(), 1u);
    EXPECT_EQ(root->GetChildren()[0]->GetText(), L"inner");
}

TEST(FXMLContentFolding, TypicalChannelDescription) {
    FXMLReader reader;
    auto root = reader.Parse(
        L"<?xml version=\"1.0\"?>\n"
        L"<ChannelInfo>\n"
        L"  <Name>Input 1</Name>\n"
        L"  <PhysicalGainIndex>2.5 mV</PhysicalGainIndex>\n"
        L"  <Notes>low\n     noise</Notes>\n"
        L"</ChannelInfo>\n");
    ASSERT_NE(root, nullptr);
    ASSERT_EQ(root->GetChildren().size(), 3u);
    const FXMLElement* gain = root->FindChild(L"PhysicalGainIndex");
    ASSERT_NE(gain, nullptr);
    EXPECT_EQ(gain->GetText(), L"2.5 mV");
    EXPECT_EQ(root->GetChildren()[2]->GetText(), L"low noise");
}

}  // namespace
