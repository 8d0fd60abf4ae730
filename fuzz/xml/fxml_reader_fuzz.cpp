// Feeds arbitrary text to FXMLReader and checks what it gives back: either a well-formed
// tree with code 0, or no tree with one of the reader's error codes and a message.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "fuzz/fuzz_check.h"
#include "support/xml/fxml_reader.h"

namespace {

// Walks the tree without recursion: every child points back at its parent, names are never
// empty, and the nesting stays within the reader's limit.
void CheckTree(const FXMLElement& root) {
    struct Visit {
        const FXMLElement* element;
        int depth;
    };
    std::vector<Visit> pending{{&root, 1}};
    CHECK(root.GetParent() == nullptr);
    while (!pending.empty()) {
        const Visit visit = pending.back();
        pending.pop_back();
        CHECK(visit.depth <= FXMLReader::kMaxDepth);
        CHECK(!visit.element->GetName().empty());
        for (const auto& child : visit.element->GetChildren()) {
            CHECK(child != nullptr && child->GetParent() == visit.element);
            pending.push_back({child.get(), visit.depth + 1});
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // Each byte is one character (0 to 255), which keeps markup easy for the fuzzer to find
    // and still reaches characters beyond ASCII.
    std::wstring text(data, data + size);
    FXMLReader reader;
    auto root = reader.Parse(text);
    if (root) {
        CHECK(reader.GetErrorCode() == 0);
        CheckTree(*root);
    } else {
        CHECK(reader.GetErrorCode() <= -1 && reader.GetErrorCode() >= -9);
        CHECK(!reader.GetErrorMessage().empty());
    }
    if (reader.GetErrorCode() == 0) {
        CHECK(root != nullptr);
    }
    return 0;
}
