#include "support/xml/fxml_element.h"

#include <utility>

// Children are owned through unique_ptr, so the subtree goes with its element. The reader
// bounds the nesting depth, which bounds the recursion here too.
FXMLElement::~FXMLElement() = default;

const FXMLElement* FXMLElement::FindChild(std::wstring_view name) const {
    for (const auto& child : children_) {
        if (child->HasName(name)) {
            return child.get();
        }
    }
    return nullptr;
}

void FXMLElement::SetName(std::wstring name) {
    if (name.empty()) {
        name_ = kEmptyNameReplacement;
    } else {
        name_ = std::move(name);
    }
}

void FXMLElement::SetAttribute(std::wstring name, std::wstring value) {
    attributes_[std::move(name)] = std::move(value);
}

FXMLElement& FXMLElement::AppendChild(std::unique_ptr<FXMLElement> child) {
    children_.push_back(std::move(child));
    return *children_.back();
}
