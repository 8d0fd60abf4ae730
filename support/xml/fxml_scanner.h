#pragma once

#include <cstddef>
#include <deque>
#include <memory>
#include <string>
#include <string_view>

#include "support/xml/fxml_element.h"

namespace fxml {

// The element scan of one reader run: a state machine over the characters of the text that
// follows the declaration. Each element is read by one call of ParseElement; a child element
// is read by a nested call, bounded by FXMLReader::kMaxDepth.
//
// Line breaks are counted in markup only: inside content they are folded into spaces and not
// counted, so the line number in an unmatched-tag message counts the lines of markup.
class Scanner {
public:
    explicit Scanner(std::wstring_view text) : text_(text) {}

    // Skips what comes before the root element, reads the root and returns it; on failure
    // returns none, and the error code and message say why. Text after the root is ignored.
    std::unique_ptr<FXMLElement> ParseDocument();

    int GetErrorCode() const { return errorCode_; }
    const std::wstring& GetErrorMessage() const { return errorMessage_; }

private:
    struct Failure {
        int code;
        std::wstring message;
    };

    // Each reads from pos_ and leaves pos_ after what it read; each throws Failure.
    std::unique_ptr<FXMLElement> ParseElement(FXMLElement* parent, int depth);
    void ParseStartTag(FXMLElement& element, bool& emptyElement);
    void ParseAttribute(FXMLElement& element);
    std::wstring ParseQuotedValue();
    void ParseContent(FXMLElement& element, int depth);
    void ParseClosingTag(FXMLElement& element);
    std::wstring ParseName(bool attributeName);
    void SkipDeclaration();
    wchar_t DecodeEntity();

    bool AtEnd() const { return pos_ >= text_.size(); }
    wchar_t Current() const { return text_[pos_]; }
    bool StartsHere(std::wstring_view what) const {
        return text_.compare(pos_, what.size(), what) == 0;
    }
    wchar_t CurrentOrFail() const {
        if (AtEnd()) {
            FailAtEnd();
        }
        return Current();
    }
    // The text buffer of the element at `depth`, emptied; its capacity is reused by the
    // elements read later at the same depth.
    std::wstring& TextBufferFor(int depth);
    void SkipBlanksCountingLines();
    void FailIfCDataEndHere() const;
    [[noreturn]] static void Fail(int code, std::wstring_view message);
    [[noreturn]] static void FailAtEnd();

    std::wstring_view text_;
    std::size_t pos_ = 0;
    long line_ = 1;
    std::deque<std::wstring> textBuffers_;  // one per depth; a deque keeps them in place
    int errorCode_ = 0;
    std::wstring errorMessage_;
};

}  // namespace fxml
