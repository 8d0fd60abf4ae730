// String tables in the Windows block layout, built from (id, text) pairs and registered as a
// module's RT_STRING resources.
//
// Block layout: string `id` lives in block id / 16 + 1 (the resource name), entry id % 16.
// A block is 16 entries in turn, each a 16-bit length followed by that many UTF-16 units
// (no terminator); a missing string has length 0.
//
// A module declares its table as a static object:
//   const StringTableEntry kStrings[] = {{211, u"Analog Output %1"}, ...};
//   const ModuleStringTable kTable(kStrings);  // registers for the module holding kTable
#pragma once

#include <map>
#include <optional>
#include <span>
#include <vector>

#include "platform/module/resource.h"

struct StringTableEntry {
    UINT id;  // 0 to 65535
    const char16_t* text;
};

// The blocks of a table, by block number (id / 16 + 1). Throws std::invalid_argument for an id
// above 65535, a repeated id, a null text or a text longer than 65535 units.
std::map<WORD, std::vector<char16_t>> BuildStringTableBlocks(
    std::span<const StringTableEntry> entries);

class ModuleStringTable {
public:
    // Registers the table for the module whose image holds this object.
    explicit ModuleStringTable(std::span<const StringTableEntry> entries,
                               LANGID language = kLanguageEnglishUs);
    ModuleStringTable(HMODULE module, std::span<const StringTableEntry> entries,
                      LANGID language = kLanguageEnglishUs);
    ModuleStringTable(const ModuleStringTable&) = delete;
    ModuleStringTable& operator=(const ModuleStringTable&) = delete;

    HMODULE Module() const { return registration_->Module(); }

private:
    void Register(HMODULE module, LANGID language);

    std::map<WORD, std::vector<char16_t>> blocks_;
    std::optional<ModuleResources> registration_;
};
