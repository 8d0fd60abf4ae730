// The version resource by which the host recognises an extension module: resource type
// RT_VERSION, name 1. Its data is a list of key and value pairs, each a NUL-terminated UTF-16
// text, one after the other; an empty key ends the list. Keys the host reads:
// "ExtensionType" ("Extension"), "ExtensionCLSID", "ExtVersion", "InternalName" and the rest of
// the module's file entries.
#pragma once

#include <map>
#include <span>
#include <string>

#include "platform/win_types.h"

inline constexpr WORD kVersionResourceName = 1;

// The pairs of a version resource; a list cut short ends where the data ends.
inline std::map<std::u16string, std::u16string> ParseVersionKeys(std::span<const char16_t> data) {
    std::map<std::u16string, std::u16string> keys;
    std::size_t at = 0;
    auto next = [&]() -> std::u16string {
        std::u16string text;
        while (at < data.size() && data[at] != u'\0')
            text.push_back(data[at++]);
        ++at;  // the terminator (or past the end)
        return text;
    };
    while (at < data.size()) {
        std::u16string key = next();
        if (key.empty())
            break;
        std::u16string value = next();
        keys.emplace(std::move(key), std::move(value));
    }
    return keys;
}
