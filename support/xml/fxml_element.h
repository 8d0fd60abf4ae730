#pragma once

#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

// One element of a tree read by FXMLReader: its name, the character data directly inside
// it, its attributes and its child elements in document order. An element owns its
// children; deleting an element deletes its whole subtree.
class FXMLElement {
public:
    using Attributes = std::map<std::wstring, std::wstring>;
    using Children = std::vector<std::unique_ptr<FXMLElement>>;

    // The name every element gets when its start tag names nothing ("<>").
    static constexpr std::wstring_view kEmptyNameReplacement = L"Invalid.Empty.Name.Supplied";

    explicit FXMLElement(FXMLElement* parent = nullptr) : parent_(parent) {}
    FXMLElement(const FXMLElement&) = delete;
    FXMLElement& operator=(const FXMLElement&) = delete;
    virtual ~FXMLElement();

    std::wstring GetName() const { return name_; }
    std::wstring GetText() const { return text_; }
    // True when the text came from a CDATA section (taken unchanged, no entities decoded).
    bool IsRawText() const { return rawText_; }
    const Attributes& GetAttributes() const { return attributes_; }
    const Children& GetChildren() const { return children_; }
    // The enclosing element; none for the root. Not owned.
    FXMLElement* GetParent() const { return parent_; }

    // Whether the name equals `name` exactly, without copying it.
    bool HasName(std::wstring_view name) const { return name_ == name; }

    // The first direct child whose name equals `name` exactly (case-sensitive), or none.
    const FXMLElement* FindChild(std::wstring_view name) const;

    // Building, used by the reader. An empty name is stored as kEmptyNameReplacement.
    void SetName(std::wstring name);
    void SetText(std::wstring_view text) { text_.assign(text); }
    void MarkRawText() { rawText_ = true; }
    void SetAttribute(std::wstring name, std::wstring value);
    FXMLElement& AppendChild(std::unique_ptr<FXMLElement> child);

private:
    std::wstring name_;
    std::wstring text_;
    bool rawText_ = false;
    Attributes attributes_;
    FXMLElement* parent_;
    Children children_;
};
