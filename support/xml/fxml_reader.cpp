#include "support/xml/fxml_reader.h"

#include "support/xml/fxml_messages.h"
#include "support/xml/fxml_scanner.h"

namespace {
constexpr std::wstring_view kHeaderStart = L"<?xml version=";
constexpr std::wstring_view kHeaderEnd = L"?>";
}  // namespace

std::unique_ptr<FXMLElement> FXMLReader::Parse(std::wstring_view text) {
    header_.clear();
    errorCode_ = kOk;
    errorMessage_.clear();

    if (text.empty()) {
        errorCode_ = kEmptyText;
        errorMessage_ = fxml::kMessageEmptyText;
        return nullptr;
    }

    std::size_t scanStart = 0;
    const std::size_t headerAt = text.find(kHeaderStart);
    if (headerAt != std::wstring_view::npos) {
        if (headerAt != 0) {
            errorCode_ = kJunkBeforeHeader;
            errorMessage_ = fxml::kMessageJunkBeforeHeader;
            return nullptr;
        }
        const std::size_t headerEnd = text.find(kHeaderEnd, kHeaderStart.size());
        if (headerEnd == std::wstring_view::npos) {
            errorCode_ = kUnclosedHeader;
            errorMessage_ = fxml::kMessageUnclosedHeader;
            return nullptr;
        }
        const std::size_t afterHeader = headerEnd + kHeaderEnd.size();
        header_ = text.substr(0, afterHeader);
        // Whatever lies between the declaration and the next '<' goes with it.
        scanStart = text.find(L'<', afterHeader);
        if (scanStart == std::wstring_view::npos) {
            scanStart = text.size();
        }
    }

    fxml::Scanner scanner(text.substr(scanStart));
    std::unique_ptr<FXMLElement> root = scanner.ParseDocument();
    errorCode_ = scanner.GetErrorCode();
    errorMessage_ = scanner.GetErrorMessage();
    return root;
}
