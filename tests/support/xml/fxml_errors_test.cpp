// Failures: unmatched tags with their line numbers, bad names, incomplete texts.
#include <gtest/gtest.h>

#include <string>

#include "support/xml/fxml_reader.h"

namespace {

struct Outcome {
    bool parsed;
    int code;
    std::wstring message;
};

Outcome ParseOutcome(const std::wstring& document) {
    FXMLReader reader;
    const bool parsed = reader.Parse(document) != nullptr;
    return {parsed, reader.GetErrorCode(), reader.GetErrorMessage()};
}

TEST(FXMLErrorsUnmatched, ClosingTagNamingAnotherElementFailsWithItsLine) {
    const std::wstring prefix = L"FXML reports parsing error.  Unmatched tag: ";
    for (const auto& [document, message] : {
             std::pair{L"<a><b>x</c></a>", L"Expecting b but encountered c at line: 1"},
             // Two line breaks in tags count; the three in content are folded and do not.
             std::pair{L"<a\n  x='1'>\n<b\n>x\n\n</d></a>",
                       L"Expecting b but encountered d at line: 3"},
             // An empty-element tag may not name another element either.
             std::pair{L"<a/b>", L"Expecting a but encountered b at line: 1"},
         }) {
        const Outcome outcome = ParseOutcome(document);
        EXPECT_FALSE(outcome.parsed) << document;
        EXPECT_EQ(outcome.code, -7) << document;
        EXPECT_EQ(outcome.message, prefix + message);
    }
}

TEST(FXMLErrorsUnmatched, ClosingTagWithoutANameClosesAnyElement) {
    FXMLReader reader;
    auto root = reader.Parse(L"<a><b>x</ ></a >");
    ASSERT_NE(root, nullptr);
    EXPECT_EQ(root->GetChildren().at(0)->GetText(), L"x");
}

TEST(FXMLErrorsNames, BadFirstCharacterOfAnElementOrAttributeName) {
    for (const auto& [document, character] :
         {std::pair{L"<1a/>", L'1'}, std::pair{L"<a -x='1'/>", L'-'}, std::pair{L"</a>", L'/'},
          std::pair{L"<a .='1'/>", L'.'}, std::pair{L"<\u00e9/>", L'\u00e9'}}) {
        const Outcome outcome = ParseOutcome(document);
        EXPECT_FALSE(outcome.parsed) << document;
        EXPECT_EQ(outcome.code, -9) << document;
        EXPECT_EQ(outcome.message, std::wstring(L"Bad name first character ") + character +
                                       L". Must be alphabetic or either '_' or ':'.");
    }
}

TEST(FXMLErrorsNames, BadLaterCharacterOfAnElementOrAttributeName) {
    for (const auto& [document, character] :
         {std::pair{L"<a*b/>", L'*'}, std::pair{L"<a x!='1'/>", L'!'}, std::pair{L"<a=1/>", L'='},
          std::pair{L"<a{/>", L'{'}}) {
        const Outcome outcome = ParseOutcome(document);
        EXPECT_FALSE(outcome.parsed) << document;
        EXPECT_EQ(outcome.code, -4) << document;
        EXPECT_EQ(outcome.message, std::wstring(L"Bad name character ") + character +
                                       L". Must be alphnumeric or one of '.-_:'");
    }
}

TEST(FXMLErrorsNames, AllowedNameCharactersAreAccepted) {
    FXMLReader reader;
    auto root = reader.Parse(L"<_a:b-c.9 Z_:.-0='v'></_a:b-c.9>");
    ASSERT_NE(root, nullptr);
    EXPECT_EQ(root->GetName(), L"_a:b-c.9");
    EXPECT_EQ(root->GetAttributes().at(L"Z_:.-0"), L"v");
}

TEST(FXMLErrorsNames, BracedNamesAreAcceptedWithAWarning) {
    FXMLReader reader;
    auto root = reader.Parse(L"<{30157541-08C5}>x</{30157541-08C5}>");
    ASSERT_NE(root, nullptr);
    EXPECT_EQ(root->GetName(), L"{30157541-08C5}");
    EXPECT_EQ(root->GetText(), L"x");
    EXPECT_EQ(reader.GetErrorCode(), 0);
    EXPECT_EQ(reader.GetErrorMessage(),
              L"Bad name character }. Must be alphnumeric or one of '.-_:'");
}

TEST(FXMLErrorsIncomplete, EndOfTextBeforeTheRootIsCompleteFails) {
    for (const wchar_t* document :
         {L" ", L"no markup", L"<", L"<a", L"<a x", L"<a x=", L"<a x='1", L"<a>", L"<a>text",
          L"<a><b></b>", L"<a></a", L"<a/", L"<!-- open", L"<a><!-- open</a>"}) {
        const Outcome outcome = ParseOutcome(document);
        EXPECT_FALSE(outcome.parsed) << document;
        EXPECT_EQ(outcome.code, -4) << document;
        EXPECT_EQ(outcome.message, L"FXML reports parse error.") << document;
    }
}

TEST(FXMLErrorsIncomplete, AttributeWithoutAQuotedValueFails) {
    for (const wchar_t* document : {L"<a x/>", L"<a x y='1'/>", L"<a x=1/>", L"<a x=>"}) {
        const Outcome outcome = ParseOutcome(document);
        EXPECT_FALSE(outcome.parsed) << document;
        EXPECT_EQ(outcome.code, -4) << document;
    }
}

TEST(FXMLErrorsIncomplete, FailureDeepInATreeLeavesNoTreeAndOverridesAWarning) {
    FXMLReader reader;
    EXPECT_EQ(reader.Parse(L"<{r}><a><b x='1'><c>t</c><d>&x;</d></b></a></{r}>"), nullptr);
    EXPECT_EQ(reader.GetErrorCode(), -6);
    EXPECT_EQ(reader.GetErrorMessage(), L"Unrecognised entity or bogus &.");
}

}  // namespace
