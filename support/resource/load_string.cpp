#include "support/resource/load_string.h"

#include <cstring>
#include <optional>

#include "platform/module/application_language.h"
#include "platform/module/resource.h"

namespace Tev {
namespace {

constexpr UINT kStringsPerBlock = 16;
constexpr UINT kHighestStringId = 0xFFFF;

// Where an entry's text lies inside a string-table block.
struct EntryPlace {
    const unsigned char* units;
    std::size_t length;
};

// Finds entry `entry` in `block`; nothing when it is missing or would run past the block.
// The bytes are read with memcpy: resource data need not be aligned.
std::optional<EntryPlace> FindEntry(HMODULE module, HRSRC block, UINT entry) {
    if (block == nullptr)
        return std::nullopt;
    const auto* bytes =
        static_cast<const unsigned char*>(LockResource(LoadResource(module, block)));
    if (bytes == nullptr)
        return std::nullopt;
    const std::size_t units = SizeofResource(module, block) / sizeof(char16_t);
    std::size_t position = 0;
    for (UINT index = 0;; ++index) {
        if (position >= units)
            return std::nullopt;
        char16_t length;
        std::memcpy(&length, bytes + position * sizeof(char16_t), sizeof length);
        ++position;
        if (length > units - position)
            return std::nullopt;  // runs past the block
        if (index == entry) {
            if (length == 0)
                return std::nullopt;
            return EntryPlace{bytes + position * sizeof(char16_t), length};
        }
        position += length;
    }
}

BrandTableSource& Source() {
    static BrandTableSource source;
    return source;
}

String TextOf(const EntryPlace& place) {
    String text;
    char16_t* buffer = text.PrepareBuffer(place.length);
    std::memcpy(buffer, place.units, place.length * sizeof(char16_t));
    text.SetLength(place.length);
    return text;
}

}  // namespace

String LoadResourceText(HMODULE module, UINT id) {
    if (id > kHighestStringId)
        return String();
    LPCWSTR blockName = MAKEINTRESOURCEW(static_cast<WORD>(id / kStringsPerBlock + 1));
    const UINT entry = id % kStringsPerBlock;

    WORD language = 0;
    if (GetApplicationLanguage(&language)) {
        if (auto place =
                FindEntry(module, FindResourceExW(module, RT_STRING, blockName, language), entry)) {
            return TextOf(*place);
        }
    }
    if (auto place = FindEntry(module, FindResourceW(module, blockName, RT_STRING), entry)) {
        return TextOf(*place);
    }
    return String();
}

void SetBrandTableSource(BrandTableSource source) {
    Source() = std::move(source);
}

void ApplyBrandSubstitutions(String& text, const BrandTable& table) {
    for (const BrandSubstitution& row : table) {
        if (row.find.IsEmpty())
            continue;  // an empty find text would match forever
        std::size_t position = 0;
        while (true) {
            const std::size_t found = text.View().find(row.find.View(), position);
            if (found == std::u16string_view::npos)
                break;
            text.Replace(found, row.find.Length(), row.replacement);
            position = found + row.replacement.Length();
        }
    }
}

String LoadString(HMODULE module, UINT id, bool substitute) {
    if (id == 0)
        return String();
    String text = LoadResourceText(module, id);
    if (substitute && Source())
        ApplyBrandSubstitutions(text, Source()(module));
    return text;
}

}  // namespace Tev
