#include "support/xml/fxml_scanner.h"

#include <utility>

#include "support/xml/fxml_messages.h"
#include "support/xml/fxml_reader.h"

namespace fxml {
namespace {

constexpr std::wstring_view kCDataStart = L"<![CDATA[";
constexpr std::wstring_view kCDataEnd = L"]]>";

bool IsBlank(wchar_t c) {
    return c == L' ' || c == L'\t' || c == L'\r' || c == L'\n';
}
bool IsLineBreak(wchar_t c) {
    return c == L'\r' || c == L'\n';
}

bool IsAsciiLetter(wchar_t c) {
    return (c >= L'a' && c <= L'z') || (c >= L'A' && c <= L'Z');
}
bool IsNameFirstCharacter(wchar_t c) {
    return IsAsciiLetter(c) || c == L'_' || c == L':';
}
bool IsNameCharacter(wchar_t c) {
    return IsAsciiLetter(c) || (c >= L'0' && c <= L'9') || c == L'_' || c == L'-' || c == L':' ||
           c == L'.';
}

// Ends an element name in a start tag; an attribute name also ends at '='.
bool EndsElementName(wchar_t c) {
    return IsBlank(c) || c == L'/' || c == L'>';
}
bool EndsAttributeName(wchar_t c) {
    return EndsElementName(c) || c == L'=';
}

// Characters of content that need more than being copied.
bool IsSpecialInContent(wchar_t c) {
    return IsBlank(c) || c == L'<' || c == L'&' || c == L']';
}

}  // namespace

void Scanner::Fail(int code, std::wstring_view message) {
    throw Failure{code, std::wstring(message)};
}

void Scanner::FailAtEnd() {
    Fail(FXMLReader::kParseError, kMessageParseError);
}

std::wstring& Scanner::TextBufferFor(int depth) {
    while (textBuffers_.size() < static_cast<std::size_t>(depth)) {
        textBuffers_.emplace_back();
    }
    std::wstring& buffer = textBuffers_[depth - 1];
    buffer.clear();
    return buffer;
}

void Scanner::SkipBlanksCountingLines() {
    while (!AtEnd() && IsBlank(Current())) {
        if (Current() == L'\n') {
            ++line_;
        }
        ++pos_;
    }
}

void Scanner::FailIfCDataEndHere() const {
    if (StartsHere(kCDataEnd)) {
        Fail(FXMLReader::kCDataEndOutsideCData, kMessageCDataEndOutsideCData);
    }
}

std::unique_ptr<FXMLElement> Scanner::ParseDocument() {
    try {
        // Before the root: blanks, stray characters, declarations, processing instructions
        // and comments are passed over.
        for (;;) {
            const wchar_t c = CurrentOrFail();
            if (c == L'<') {
                const bool skipped =
                    pos_ + 1 < text_.size() && (text_[pos_ + 1] == L'!' || text_[pos_ + 1] == L'?');
                if (!skipped) {
                    return ParseElement(nullptr, 1);
                }
                SkipDeclaration();
            } else {
                if (c == L'\n') {
                    ++line_;
                } else if (c == L']') {
                    FailIfCDataEndHere();
                }
                ++pos_;
            }
        }
    } catch (Failure& failure) {
        errorCode_ = failure.code;
        errorMessage_ = std::move(failure.message);
        return nullptr;
    }
}

// pos_ is at the '<' that opens the element.
std::unique_ptr<FXMLElement> Scanner::ParseElement(FXMLElement* parent, int depth) {
    if (depth > FXMLReader::kMaxDepth) {
        Fail(FXMLReader::kParseError, kMessageTooDeep);
    }
    auto element = std::make_unique<FXMLElement>(parent);
    ++pos_;
    bool emptyElement = false;
    ParseStartTag(*element, emptyElement);
    if (!emptyElement) {
        ParseContent(*element, depth);
    }
    ParseClosingTag(*element);
    return element;
}

// From after '<' up to after the '>' of the start tag, or after the '/' of an empty-element
// tag (emptyElement is then set).
void Scanner::ParseStartTag(FXMLElement& element, bool& emptyElement) {
    SkipBlanksCountingLines();
    if (CurrentOrFail() == L'>') {
        element.SetName(std::wstring());
        ++pos_;
        return;
    }
    element.SetName(ParseName(false));
    for (;;) {
        SkipBlanksCountingLines();
        const wchar_t c = CurrentOrFail();
        if (c == L'>') {
            ++pos_;
            return;
        }
        if (c == L'/') {
            ++pos_;
            emptyElement = true;
            return;
        }
        FailIfCDataEndHere();
        ParseAttribute(element);
    }
}

// name = 'value' or name = "value".
void Scanner::ParseAttribute(FXMLElement& element) {
    std::wstring name = ParseName(true);
    SkipBlanksCountingLines();
    if (CurrentOrFail() != L'=') {
        Fail(FXMLReader::kParseError, kMessageParseError);
    }
    ++pos_;
    SkipBlanksCountingLines();
    std::wstring value = ParseQuotedValue();
    element.SetAttribute(std::move(name), std::move(value));
}

// From the opening quote to after the closing one. The other quote character is ordinary.
std::wstring Scanner::ParseQuotedValue() {
    const wchar_t quote = CurrentOrFail();
    if (quote != L'"' && quote != L'\'') {
        Fail(FXMLReader::kParseError, kMessageParseError);
    }
    ++pos_;
    std::wstring value;
    for (;;) {
        const wchar_t c = CurrentOrFail();
        if (c == quote) {
            ++pos_;
            return value;
        }
        if (c == L'&') {
            value += DecodeEntity();
            continue;
        }
        std::size_t runEnd = pos_;
        while (runEnd < text_.size() && text_[runEnd] != quote && text_[runEnd] != L'&') {
            if (text_[runEnd] == L'\n') {
                ++line_;
            }
            ++runEnd;
        }
        value.append(text_.substr(pos_, runEnd - pos_));
        pos_ = runEnd;
    }
}

// Content, from after the start tag up to after the "</" that begins the closing tag. The
// text directly inside the element is gathered with its blanks folded: blanks before the
// first non-blank are dropped; a line break, with the blanks after it, becomes one space
// that is written before the next ordinary character and dropped by markup.
void Scanner::ParseContent(FXMLElement& element, int depth) {
    std::wstring& text = TextBufferFor(depth);
    bool seenNonBlank = false;
    bool pendingSpace = false;
    for (;;) {
        const wchar_t c = CurrentOrFail();
        if (!IsSpecialInContent(c)) {
            std::size_t runEnd = pos_ + 1;
            while (runEnd < text_.size() && !IsSpecialInContent(text_[runEnd])) {
                ++runEnd;
            }
            if (pendingSpace) {
                text += L' ';
                pendingSpace = false;
            }
            text.append(text_.substr(pos_, runEnd - pos_));
            seenNonBlank = true;
            pos_ = runEnd;
            continue;
        }
        if (c == L' ' || c == L'\t') {
            if (seenNonBlank && !pendingSpace) {
                text += c;
            }
            ++pos_;
        } else if (IsLineBreak(c)) {
            pendingSpace = seenNonBlank;
            ++pos_;
        } else if (c == L'&' || c == L']') {
            wchar_t decoded = c;
            if (c == L'&') {
                decoded = DecodeEntity();
            } else {
                FailIfCDataEndHere();
                ++pos_;
            }
            if (pendingSpace) {
                text += L' ';
                pendingSpace = false;
            }
            text += decoded;
            seenNonBlank = true;
        } else {
            // c is '<': a section of character data, the closing tag, a skipped
            // declaration or comment, or a child element.
            const wchar_t next = pos_ + 1 < text_.size() ? text_[pos_ + 1] : L'\0';
            if (next == L'/') {
                element.SetText(text);
                pos_ += 2;
                return;
            }
            if (next == L'!' && StartsHere(kCDataStart)) {
                const std::size_t from = pos_ + kCDataStart.size();
                const std::size_t end = text_.find(kCDataEnd, from);
                if (end == std::wstring_view::npos) {
                    Fail(FXMLReader::kUnclosedCData, kMessageUnclosedCData);
                }
                text.append(text_.substr(from, end - from));
                element.MarkRawText();
                pos_ = end + kCDataEnd.size();
            } else if (next == L'!' || next == L'?') {
                SkipDeclaration();
            } else {
                element.AppendChild(ParseElement(&element, depth + 1));
            }
            pendingSpace = false;
            seenNonBlank = true;
        }
    }
}

// From after "</" (or the '/' of an empty-element tag) to after the '>'. A closing tag that
// names another element fails; one that names nothing closes the element. One line break
// right after the element belongs to it.
void Scanner::ParseClosingTag(FXMLElement& element) {
    // The name is usually written without blanks and is then compared where it stands;
    // blanks inside it are dropped.
    const std::size_t start = pos_;
    bool hasBlanks = false;
    for (;;) {
        const wchar_t c = CurrentOrFail();
        if (c == L'>') {
            break;
        }
        if (IsBlank(c)) {
            hasBlanks = true;
            if (c == L'\n') {
                ++line_;
            }
        } else if (c == L']') {
            FailIfCDataEndHere();
        }
        ++pos_;
    }
    std::wstring withoutBlanks;
    std::wstring_view closingName = text_.substr(start, pos_ - start);
    if (hasBlanks) {
        for (wchar_t c : closingName) {
            if (!IsBlank(c)) {
                withoutBlanks += c;
            }
        }
        closingName = withoutBlanks;
    }
    if (!closingName.empty() && !element.HasName(closingName)) {
        throw Failure{FXMLReader::kUnmatchedTag,
                      UnmatchedTagMessage(element.GetName(), closingName, line_)};
    }
    ++pos_;
    if (!AtEnd() && IsLineBreak(Current())) {
        ++pos_;
    }
}

// An element or attribute name. A name may begin with '{' and contain '}': such a name is
// accepted, and the bad-name message is kept as a warning.
std::wstring Scanner::ParseName(bool attributeName) {
    const wchar_t first = CurrentOrFail();
    if (!IsNameFirstCharacter(first)) {
        if (first != L'{') {
            FailIfCDataEndHere();
            Fail(FXMLReader::kBadNameFirstCharacter, BadNameFirstCharacterMessage(first));
        }
        errorMessage_ = BadNameFirstCharacterMessage(first);
    }
    const std::size_t start = pos_++;
    for (;;) {
        const wchar_t c = CurrentOrFail();
        if (attributeName ? EndsAttributeName(c) : EndsElementName(c)) {
            break;
        }
        if (!IsNameCharacter(c)) {
            if (c != L'}') {
                FailIfCDataEndHere();
                Fail(FXMLReader::kParseError, BadNameCharacterMessage(c));
            }
            errorMessage_ = BadNameCharacterMessage(c);
        }
        ++pos_;
    }
    return std::wstring(text_.substr(start, pos_ - start));
}

// A declaration, processing instruction or comment: from its '<' to after the next '>'.
void Scanner::SkipDeclaration() {
    for (;;) {
        const wchar_t c = CurrentOrFail();
        ++pos_;
        if (c == L'>') {
            return;
        }
        if (c == L'\n') {
            ++line_;
        }
    }
}

// From the '&' to after the ';' of one of the five predefined entities.
wchar_t Scanner::DecodeEntity() {
    struct Entity {
        std::wstring_view text;
        wchar_t character;
    };
    static constexpr Entity kEntities[] = {
        {L"&lt;", L'<'}, {L"&gt;", L'>'}, {L"&amp;", L'&'}, {L"&apos;", L'\''}, {L"&quot;", L'"'},
    };
    for (const Entity& entity : kEntities) {
        if (StartsHere(entity.text)) {
            pos_ += entity.text.size();
            return entity.character;
        }
    }
    Fail(FXMLReader::kBadEntity, kMessageBadEntity);
}

}  // namespace fxml
