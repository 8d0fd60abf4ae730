// What the configuration's test suites share: a configuration's output numbers in record order,
// and bytes as lower-case hex for comparing device records.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "config/event_config.h"

namespace VavazaZavidi {

inline std::vector<std::int32_t> Numbers(const EventConfig& config) {
    std::vector<std::int32_t> numbers;
    for (const OutputRecord& record : config.GetOutputs())
        numbers.push_back(record.Output);
    return numbers;
}

inline std::string Hex(std::span<const std::uint8_t> bytes) {
    static const char kDigits[] = "0123456789abcdef";
    std::string hex;
    for (const std::uint8_t byte : bytes) {
        hex += kDigits[byte >> 4];
        hex += kDigits[byte & 0xF];
    }
    return hex;
}

// `hex` without its blanks.
inline std::string Squeeze(std::string hex) {
    std::erase(hex, ' ');
    return hex;
}

}  // namespace VavazaZavidi
