#include "tests/layers/layer_rules.h"

#include <array>

namespace layers {
namespace {

struct Layer {
    std::string_view folder;  // a path from the project root
    int rank;                 // higher ranks sit above lower ones
};

// The ranks of layer_rules.h; every folder of the checked tree that holds code is here.
constexpr std::array kLayers{
    Layer{"platform", 0},
    Layer{"platform/error", 1},
    Layer{"platform/sync", 1},
    Layer{"platform/com", 1},
    Layer{"platform/text", 2},
    Layer{"platform/oleaut", 2},
    Layer{"platform/stream", 2},
    Layer{"platform/locale", 3},
    Layer{"platform/module", 3},
    Layer{"platform/gdi", 4},
    Layer{"platform/ui", 5},
    Layer{"platform/theme", 6},
    Layer{"platform/ui/atl", 6},
    Layer{"platform/ui/controls", 7},
    Layer{"platform/ui/owl", 8},
    Layer{"platform/screen", 9},
    Layer{"host/api", 10},
    Layer{"resources", 11},
    Layer{"support/string", 12},
    Layer{"support/xml", 12},
    Layer{"support/format", 13},
    Layer{"support/resource", 13},
    Layer{"support/locale", 13},
    Layer{"support/theme", 13},
    Layer{"support/unit_test", 13},
    Layer{"support/popup", 14},
    Layer{"support/controls", 15},
    Layer{"config", 16},
    Layer{"streams", 17},
    Layer{"dialog", 18},
    Layer{"extension/services", 19},
    Layer{"extension/branding", 19},
    Layer{"extension/framework", 20},
    Layer{"extension/document", 21},
    Layer{"extension/module", 22},
    Layer{"host/files", 29},
    Layer{"host/resources", 30},
    Layer{"host/kyt", 30},
    Layer{"host/device", 30},
    Layer{"host/session", 30},
    Layer{"host/inspect", 30},
    Layer{"host/scoring", 30},
    Layer{"host/preview/formats", 31},
    Layer{"host/preview/reports", 32},
    Layer{"host/preview", 33},
    Layer{"host/ostrel", 34},
    Layer{"python", 35},
};

constexpr int kLowestHostRank = 29;

std::string_view FolderOf(std::string_view path) {
    const std::size_t slash = path.rfind('/');
    return slash == std::string_view::npos ? std::string_view() : path.substr(0, slash);
}

// The extension's own layers, which the simulated host may not see (support it may).
bool IsExtensionSide(std::string_view folder, int rank) {
    return rank > 10 && rank < kLowestHostRank && !folder.starts_with("support/");
}

}  // namespace

const std::vector<std::string>& CheckedFolders() {
    static const std::vector<std::string> folders{"platform",  "resources", "support",
                                                  "config",    "streams",   "dialog",
                                                  "extension", "host",      "python"};
    return folders;
}

std::optional<int> RankOf(std::string_view folder) {
    for (const Layer& layer : kLayers) {
        if (layer.folder == folder)
            return layer.rank;
    }
    return std::nullopt;
}

std::optional<std::string> Violation(std::string_view file, std::string_view included) {
    const std::string_view from = FolderOf(file);
    const std::string_view to = FolderOf(included);
    const std::optional<int> fromRank = RankOf(from);
    const std::optional<int> toRank = RankOf(to);
    if (!fromRank)
        return "the folder " + std::string(from) + " has no rank in the layer order";
    if (!toRank)
        return std::string(
            "the included file is in no layer (include headers by their path "
            "from the project root)");
    if (from == to)
        return std::nullopt;
    if (*fromRank >= kLowestHostRank && from != "host/inspect" && IsExtensionSide(to, *toRank)) {
        return "the host sees the extension only through host/api and the module it loads; " +
               std::string(to) + " is for host/inspect alone";
    }
    if (*toRank == *fromRank) {
        return std::string(from) + " and " + std::string(to) +
               " stand side by side in the layer order: neither includes the other";
    }
    if (*toRank > *fromRank)
        return std::string(from) + " is below " + std::string(to) + " in the layer order";
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
