// GUIDs as Windows lays them out, made at compile time from their registry text:
//   constexpr GUID kId = MakeGuid("{17437D32-56E9-4027-B3C8-FC0FC43EC033}");
#pragma once

#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

struct GUID {
    std::uint32_t Data1;
    std::uint16_t Data2;
    std::uint16_t Data3;
    std::uint8_t Data4[8];

    constexpr bool operator==(const GUID&) const = default;
};

using IID = GUID;
using CLSID = GUID;
using REFGUID = const GUID&;
using REFIID = const IID&;
using REFCLSID = const CLSID&;

namespace com {

constexpr int HexValue(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

// Reads `digits` hex digits at `pos`; nullopt when one is not a hex digit.
constexpr std::optional<std::uint64_t> ReadHex(std::string_view text, std::size_t pos,
                                               std::size_t digits) {
    std::uint64_t value = 0;
    for (std::size_t i = 0; i < digits; ++i) {
        const int v = HexValue(text[pos + i]);
        if (v < 0)
            return std::nullopt;
        value = value * 16 + static_cast<std::uint64_t>(v);
    }
    return value;
}

}  // namespace com

// Parses "{XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}" (the braces may be left out); nullopt when
// the text has any other form.
constexpr std::optional<GUID> ParseGuid(std::string_view text) {
    using com::ReadHex;
    if (text.size() == 38) {
        if (text.front() != '{' || text.back() != '}')
            return std::nullopt;
        text = text.substr(1, 36);
    }
    if (text.size() != 36)
        return std::nullopt;
    if (text[8] != '-' || text[13] != '-' || text[18] != '-' || text[23] != '-') {
        return std::nullopt;
    }
    const auto d1 = ReadHex(text, 0, 8);
    const auto d2 = ReadHex(text, 9, 4);
    const auto d3 = ReadHex(text, 14, 4);
    if (!d1 || !d2 || !d3)
        return std::nullopt;
    GUID guid{static_cast<std::uint32_t>(*d1),
              static_cast<std::uint16_t>(*d2),
              static_cast<std::uint16_t>(*d3),
              {}};
    // Data4: two bytes before the last dash, six after it.
    constexpr std::size_t kBytePositions[8] = {19, 21, 24, 26, 28, 30, 32, 34};
    for (std::size_t i = 0; i < 8; ++i) {
        const auto byte = ReadHex(text, kBytePositions[i], 2);
        if (!byte)
            return std::nullopt;
        guid.Data4[i] = static_cast<std::uint8_t>(*byte);
    }
    return guid;
}

// Compile-time form: a malformed text stops the build (the throw is not a constant expression).
consteval GUID MakeGuid(std::string_view text) {
    const auto guid = ParseGuid(text);
    if (!guid)
        throw std::invalid_argument("malformed GUID text");
    return *guid;
}

// "{17437D32-56E9-4027-B3C8-FC0FC43EC033}": upper-case hex, with braces.
std::string GuidToString(const GUID& guid);

inline constexpr GUID GUID_NULL{};
