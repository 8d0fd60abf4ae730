#include "tests/layers/layer_rules.h"

#include <array>

namespace layers {
namespace {

struct Layer {
    std::string_view prefix;  // a folder, with its trailing slash, or a file
    int rank;                 // higher ranks sit above lower ones
};

constexpr int kHostWorld = 100;  // the simulated host: its own rule, below
constexpr int kInspect = 101;    // host/inspect: may see everything

// Longer prefixes first, so that host/api and host/inspect win over host/.
constexpr std::array kLayers{
    Layer{"host/inspect/", kInspect},
    Layer{"host/api/", 1},
    Layer{"host/", kHostWorld},
    Layer{"platform/", 0},
    Layer{"resources/", 2},
    Layer{"support/", 3},
    Layer{"config/", 4},
    Layer{"streams/", 5},
    Layer{"dialog/", 6},
    Layer{"extension/", 7},
};

const Layer* LayerOf(std::string_view path) {
    for (const Layer& layer : kLayers) {
        if (path.starts_with(layer.prefix))
            return &layer;
    }
    return nullptr;
}

std::string_view Name(const Layer& layer) {
    return layer.prefix.substr(0, layer.prefix.size() - 1);
}

}  // namespace

const std::vector<std::string>& CheckedFolders() {
    static const std::vector<std::string> folders{"platform", "resources", "support",   "config",
                                                  "streams",  "dialog",    "extension", "host"};
    return folders;
}

std::optional<std::string> Violation(std::string_view file, std::string_view included) {
    const Layer* from = LayerOf(file);
    const Layer* to = LayerOf(included);
    if (from == nullptr)
        return std::string("the file is in no layer");
    if (to == nullptr)
        return std::string(
            "the included file is in no layer (include headers by their path "
            "from the project root)");
    if (from->rank == kInspect)
        return std::nullopt;
    if (from->rank == kHostWorld) {
        if (to->rank >= kHostWorld || to->rank <= 1 || Name(*to) == "support")
            return std::nullopt;
        return "the host sees the extension only through host/api and the module it loads; " +
               std::string(Name(*to)) + " is for host/inspect alone";
    }
    if (to->rank > from->rank) {
        return std::string(Name(*from)) + " is below " + std::string(Name(*to)) +
               " in the layer order";
    }
    return std::nullopt;
}

std::vector<std::string> QuotedIncludes(std::string_view text) {
    std::vector<std::string> found;
    std::size_t line = 0;
    while (line < text.size()) {
        std::size_t end = text.find('\n', line);
        if (end == std::string_view::npos)
            end = text.size();
        std::string_view row = text.substr(line, end - line);
        line = end + 1;
        const std::size_t first = row.find_first_not_of(" \t");
        if (first == std::string_view::npos || row[first] != '#')
            continue;
        row.remove_prefix(first + 1);
        const std::size_t word = row.find_first_not_of(" \t");
        if (word == std::string_view::npos || !row.substr(word).starts_with("include"))
            continue;
        row.remove_prefix(word + 7);
        const std::size_t open = row.find_first_not_of(" \t");
        if (open == std::string_view::npos || row[open] != '"')
            continue;
        const std::size_t close = row.find('"', open + 1);
        if (close != std::string_view::npos)
            found.emplace_back(row.substr(open + 1, close - open - 1));
    }
    return found;
}

}  // namespace layers
