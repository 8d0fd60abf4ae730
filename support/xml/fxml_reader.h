#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "support/xml/fxml_element.h"

// A small, non-validating reader for XML texts: one root element, attributes in single or
// double quotes, the five predefined entities, CDATA sections; declarations, processing
// instructions and comments are skipped. There is no writer.
//
// One reader holds the state of its last run: the declaration header, an error code (0 when
// fine) and an error message. Parse resets all three.
class FXMLReader {
public:
    // Error codes. Every failure returns no tree and leaves one of these in the reader.
    static constexpr int kOk = 0;
    static constexpr int kEmptyText = -1;             // "File not found or empty"
    static constexpr int kJunkBeforeHeader = -2;      // "<?xml version=" not at the start
    static constexpr int kUnclosedHeader = -3;        // no "?>" after the header
    static constexpr int kParseError = -4;            // general failure, bad name character
    static constexpr int kUnclosedCData = -5;         // "<![CDATA[" without "]]>"
    static constexpr int kBadEntity = -6;             // unknown entity or lone '&'
    static constexpr int kUnmatchedTag = -7;          // closing tag names another element
    static constexpr int kCDataEndOutsideCData = -8;  // "]]>" in markup or content
    static constexpr int kBadNameFirstCharacter = -9;

    // Elements nested deeper than this fail with kParseError: the reader descends
    // recursively, and a hostile text must not exhaust the stack.
    static constexpr int kMaxDepth = 256;

    // Reads `text` into a tree. Returns the root, owned by the caller, or none on failure.
    // A successful run may still leave a message: an element or attribute name that begins
    // with '{' or contains '}' is accepted (as in identifiers written in braces), and the
    // bad-name message that it would have caused is kept as a warning with code kOk.
    std::unique_ptr<FXMLElement> Parse(std::wstring_view text);

    // The declaration, from "<?xml version=" to "?>" inclusive; empty when there was none.
    const std::wstring& GetHeader() const { return header_; }
    int GetErrorCode() const { return errorCode_; }
    const std::wstring& GetErrorMessage() const { return errorMessage_; }

private:
    std::wstring header_;
    int errorCode_ = kOk;
    std::wstring errorMessage_;
};
