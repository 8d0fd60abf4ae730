#include "support/xml/fxml_messages.h"

#include <cwchar>

namespace fxml {

std::wstring UnmatchedTagMessage(std::wstring_view expected, std::wstring_view found, long line) {
    wchar_t lineText[24];
    std::swprintf(lineText, sizeof lineText / sizeof lineText[0], L"%ld", line);
    std::wstring message = L"FXML reports parsing error.  Unmatched tag: Expecting ";
    message += expected;
    message += L" but encountered ";
    message += found;
    message += L" at line: ";
    message += lineText;
    return message;
}

std::wstring BadNameFirstCharacterMessage(wchar_t character) {
    std::wstring message = L"Bad name first character ";
    message += character;
    message += L". Must be alphabetic or either '_' or ':'.";
    return message;
}

std::wstring BadNameCharacterMessage(wchar_t character) {
    std::wstring message = L"Bad name character ";
    message += character;
    message += L". Must be alphnumeric or one of '.-_:'";
    return message;
}

}  // namespace fxml
