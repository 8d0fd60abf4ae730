// The reader's header handling, the shape of the trees it builds, and its reuse.
#include "support/xml/fxml_reader.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(FXMLReaderHeader, MissingOrBrokenHeadersFailWithTheirCodes) {
    struct Case {
        const wchar_t* document;
        int code;
        const wchar_t* message;
    };
    for (const Case& c : {
             Case{L"", -1, L"File not found or empty"},
             Case{L"\n<?xml version=\"1.0\"?><a/>", -2, L"Junk before the xml version header."},
             Case{L"<?xml version=\"1.0\"><a/>", -3, L"Missing closing header bracket."},
             Case{L"<?xml version=\"1.0\"?>  ", -4, L"FXML reports parse error."},
         }) {
        FXMLReader reader;
        EXPECT_EQ(reader.Parse(c.document), nullptr) << c.document;
        EXPECT_EQ(reader.GetErrorCode(), c.code) << c.document;
        EXPECT_EQ(reader.GetErrorMessage(), c.message) << c.document;
    }
}

TEST(FXMLReaderHeader, HeaderIsKeptAndWhatFollowsItUpToTheRootIsDropped) {
    FXMLReader reader;
    auto root = reader.Parse(L"<?xml version=\"1.0\" encoding=\"UTF-16\"?>junk\n<root>x</root>");
    ASSERT_NE(root, nullptr);
    EXPECT_EQ(reader.GetHeader(), L"<?xml version=\"1.0\" encoding=\"UTF-16\"?>");
    EXPECT_EQ(root->GetName(), L"root");
    EXPECT_EQ(root->GetText(), L"x");
    EXPECT_EQ(reader.GetErrorCode(), 0);
    EXPECT_EQ(reader.GetErrorMessage(), L"");
}

TEST(FXMLReaderTree, EmptyElementWithTwoAttributesInEitherQuotes) {
    FXMLReader reader;
    auto root = reader.Parse(L"<a x='1' y=\"2\"/>");
    ASSERT_NE(root, nullptr);
    EXPECT_EQ(root->GetName(), L"a");
    EXPECT_TRUE(root->GetChildren().empty());
    EXPECT_EQ(root->GetText(), L"");
    const FXMLElement::Attributes expected{{L"x", L"1"}, {L"y", L"2"}};
    EXPECT_EQ(root->GetAttributes(), expected);
}

TEST(FXMLReaderTree, AttributeValuesKeepBlanksTheOtherQuoteAndDecodeEntities) {
    FXMLReader reader;
    auto root =
        reader.Parse(L"<a t=\"it's  &lt;b&gt;\" u = 'say \"hi\"' v='&amp;&apos;&quot;'></a>");
    ASSERT_NE(root, nullptr);
    EXPECT_EQ(root->GetAttributes().at(L"t"), L"it's  <b>");
    EXPECT_EQ(root->GetAttributes().at(L"u"), L"say \"hi\"");
    EXPECT_EQ(root->GetAttributes().at(L"v"), L"&'\"");
}

TEST(FXMLReaderTree, ChildrenKeepDocumentOrderAndKnowTheirParent) {
    FXMLReader reader;
    auto root = reader.Parse(L"<r><b>1</b><a>2</a><b>3<c/></b></r>");
    ASSERT_NE(root, nullptr);
    const auto& children = root->GetChildren();
    ASSERT_EQ(children.size(), 3u);
    EXPECT_EQ(children[0]->GetName(), L"b");
    EXPECT_EQ(children[0]->GetText(), L"1");
    EXPECT_EQ(children[1]->GetName(), L"a");
    EXPECT_EQ(children[2]->GetText(), L"3");
    ASSERT_EQ(children[2]->GetChildren().size(), 1u);
    EXPECT_EQ(children[2]->GetChildren()[0]->GetParent(), children[2].get());
    EXPECT_EQ(children[0]->GetParent(), root.get());
    EXPECT_EQ(root->GetParent(), nullptr);
}

TEST(FXMLReaderTree, FindChildTakesTheFirstExactMatch) {
    FXMLReader reader;
    auto root = reader.Parse(
        L"<Channel><physicalgainindex>1 A</physicalgainindex><PhysicalGainIndexX>2 B"
        L"</PhysicalGainIndexX><PhysicalGainIndex>10 V</PhysicalGainIndex>"
        L"<PhysicalGainIndex>5 mV</PhysicalGainIndex></Channel>");
    ASSERT_NE(root, nullptr);
    const FXMLElement* gain = root->FindChild(L"PhysicalGainIndex");
    ASSERT_NE(gain, nullptr);
    EXPECT_EQ(gain->GetText(), L"10 V");
    EXPECT_EQ(root->FindChild(L"Missing"), nullptr);
}

TEST(FXMLReaderTree, StartTagWithoutANameGetsTheReplacementName) {
    FXMLReader reader;
    auto root = reader.Parse(L"<>x</>");
    ASSERT_NE(root, nullptr);
    EXPECT_EQ(root->GetName(), L"Invalid.Empty.Name.Supplied");
    EXPECT_EQ(root->GetText(), L"x");
}

TEST(FXMLReaderTree, DeclarationsCommentsAndJunkBeforeTheRootAreSkipped) {
    FXMLReader reader;
    auto root = reader.Parse(L" stray <!DOCTYPE r><?pi data?><!-- note --> <r>t</r> trailing");
    ASSERT_NE(root, nullptr);
    EXPECT_EQ(root->GetName(), L"r");
    EXPECT_EQ(root->GetText(), L"t");
    EXPECT_TRUE(root->GetChildren().empty());
}

TEST(FXMLReaderTree, TwoHundredFiftySixLevelsAreRead) {
    std::wstring text;
    for (int i = 0; i < FXMLReader::kMaxDepth; ++i) {
        text += L"<e>";
    }
    for (int i = 0; i < FXMLReader::kMaxDepth; ++i) {
        text += L"</e>";
    }
    FXMLReader reader;
    auto root = reader.Parse(text);
    ASSERT_NE(root, nullptr);
    int depth = 1;
    for (const FXMLElement* e = root.get(); !e->GetChildren().empty();
         e = e->GetChildren()[0].get()) {
        ++depth;
    }
    EXPECT_EQ(depth, 256);
}

TEST(FXMLReaderTree, NestingBeyondTheLimitFailsWithoutExhaustingTheStack) {
    for (int levels : {257, 1'000'000}) {
        std::wstring text;
        for (int i = 0; i < levels; ++i) {
            text += L"<e>";
        }
        FXMLReader reader;
        EXPECT_EQ(reader.Parse(text), nullptr) << levels;
        EXPECT_EQ(reader.GetErrorCode(), -4);
        EXPECT_EQ(reader.GetErrorMessage(), L"Elements are nested more than 256 levels deep.");
    }
}

TEST(FXMLReaderReuse, EachRunStartsAfresh) {
    FXMLReader reader;
    EXPECT_EQ(reader.Parse(L"<?xml version='1.0'?><a>&bogus;</a>"), nullptr);
    EXPECT_EQ(reader.GetErrorCode(), -6);
    auto root = reader.Parse(L"<b/>");
    ASSERT_NE(root, nullptr);
    EXPECT_EQ(reader.GetErrorCode(), 0);
    EXPECT_EQ(reader.GetErrorMessage(), L"");
    EXPECT_EQ(reader.GetHeader(), L"");
}

}  // namespace
