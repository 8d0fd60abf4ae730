#pragma once

#include <string>
#include <string_view>

// The reader's error messages, exactly as callers and users see them.
namespace fxml {

inline constexpr std::wstring_view kMessageEmptyText = L"File not found or empty";
inline constexpr std::wstring_view kMessageJunkBeforeHeader =
    L"Junk before the xml version header.";
inline constexpr std::wstring_view kMessageUnclosedHeader = L"Missing closing header bracket.";
inline constexpr std::wstring_view kMessageParseError = L"FXML reports parse error.";
inline constexpr std::wstring_view kMessageUnclosedCData = L"Mismatched CDATA tag.";
inline constexpr std::wstring_view kMessageBadEntity = L"Unrecognised entity or bogus &.";
inline constexpr std::wstring_view kMessageCDataEndOutsideCData =
    L"CDEnd character sequence (\"]]>\") outside CData section.";
inline constexpr std::wstring_view kMessageTooDeep =
    L"Elements are nested more than 256 levels deep.";

// "FXML reports parsing error.  Unmatched tag: Expecting <expected> but encountered <found>
// at line: <line>"
std::wstring UnmatchedTagMessage(std::wstring_view expected, std::wstring_view found, long line);
// "Bad name first character <c>. Must be alphabetic or either '_' or ':'."
std::wstring BadNameFirstCharacterMessage(wchar_t character);
// "Bad name character <c>. Must be alphnumeric or one of '.-_:'"
std::wstring BadNameCharacterMessage(wchar_t character);

}  // namespace fxml
