#include "platform/module/string_table.h"

#include <set>
#include <stdexcept>
#include <string>

#include "platform/module/module.h"

namespace {
constexpr UINT kStringsPerBlock = 16;
constexpr std::size_t kLongestString = 0xFFFF;
}  // namespace

std::map<WORD, std::vector<char16_t>> BuildStringTableBlocks(
    std::span<const StringTableEntry> entries) {
    // Texts by block and entry, checked first.
    std::map<WORD, std::map<UINT, std::u16string_view>> texts;
    for (const StringTableEntry& entry : entries) {
        if (entry.id > 0xFFFF)
            throw std::invalid_argument("string id above 65535");
        if (entry.text == nullptr)
            throw std::invalid_argument("string without text");
        const std::u16string_view text(entry.text);
        if (text.size() > kLongestString)
            throw std::invalid_argument("string too long");
        const auto block = static_cast<WORD>(entry.id / kStringsPerBlock + 1);
        if (!texts[block].emplace(entry.id % kStringsPerBlock, text).second) {
            throw std::invalid_argument("string id " + std::to_string(entry.id) + " repeated");
        }
    }
    std::map<WORD, std::vector<char16_t>> blocks;
    for (const auto& [block, strings] : texts) {
        std::vector<char16_t>& units = blocks[block];
        for (UINT slot = 0; slot < kStringsPerBlock; ++slot) {
            auto text = strings.find(slot);
            if (text == strings.end()) {
                units.push_back(0);
                continue;
            }
            units.push_back(static_cast<char16_t>(text->second.size()));
            units.insert(units.end(), text->second.begin(), text->second.end());
        }
    }
    return blocks;
}

ModuleStringTable::ModuleStringTable(std::span<const StringTableEntry> entries, LANGID language)
    : blocks_(BuildStringTableBlocks(entries)) {
    Register(ModuleFromAddress(this), language);
}

ModuleStringTable::ModuleStringTable(HMODULE module, std::span<const StringTableEntry> entries,
                                     LANGID language)
    : blocks_(BuildStringTableBlocks(entries)) {
    Register(module, language);
}

void ModuleStringTable::Register(HMODULE module, LANGID language) {
    std::vector<ResourceEntry> resources;
    for (const auto& [block, units] : blocks_) {
        resources.push_back(ResourceEntry{ResourceType::kString, block, language, units.data(),
                                          static_cast<DWORD>(units.size() * sizeof(char16_t))});
    }
    registration_.emplace(module, resources);
}
