#include "host/ostrel/block_table.h"

#include <cstdio>
#include <cstring>

namespace ostrel {
namespace {

std::string Printf(const char* format, auto... values) {
    char text[128];
    std::snprintf(text, sizeof text, format, values...);
    return text;
}

std::string ModeText(std::int32_t mode) {
    switch (mode) {
        case OutputCommandBlock::kOff:
            return "off";
        case OutputCommandBlock::kAllRules:
            return "all";
        case OutputCommandBlock::kAnyRule:
            return "any";
        default:
            return Printf("%d?", mode);
    }
}

std::string SlotText(const RuleSlot& slot) {
    if (slot.Input == RuleSlot::kUnusedInput)
        return "-";
    return Printf("%d/%d #%u %s", slot.Threshold, slot.Hysteresis, slot.Input,
                  slot.Direction == RuleSlot::kAbove   ? "above"
                  : slot.Direction == RuleSlot::kBelow ? "below"
                                                       : "?");
}

constexpr const char* kRowFormat = "%6s  %-4s %5s %9s %9s %12s  %-21s %-21s %-21s %s";

}  // namespace

OutputCommandBlock DecodeBlock(const device::BlockBytes& bytes) {
    OutputCommandBlock block;
    std::memcpy(&block, bytes.data(), sizeof block);
    return block;
}

std::string FormatBlockTable(const std::vector<device::BlockBytes>& blocks) {
    std::string table = Printf(kRowFormat, "output", "mode", "limit", "width (s)", "delay (s)",
                               "hold-off (s)", "slot 1", "slot 2", "slot 3", "slot 4");
    table += "\n";
    for (const device::BlockBytes& bytes : blocks) {
        const OutputCommandBlock block = DecodeBlock(bytes);
        const std::string output = Printf("%d", block.Output);
        std::string row;
        if (block.Mode == OutputCommandBlock::kOff) {
            row = Printf("%6s  off", output.c_str());
        } else {
            row = Printf(
                kRowFormat, output.c_str(), ModeText(block.Mode).c_str(),
                Printf("%d", block.PulseCountLimit).c_str(), Printf("%g", block.PulseWidth).c_str(),
                Printf("%g", block.PulseDelay).c_str(), Printf("%g", block.Holdoff).c_str(),
                SlotText(block.Rules[0]).c_str(), SlotText(block.Rules[1]).c_str(),
                SlotText(block.Rules[2]).c_str(), SlotText(block.Rules[3]).c_str());
        }
        while (!row.empty() && row.back() == ' ')
            row.pop_back();
        table += row + "\n";
    }
    table += "Slots: threshold/hysteresis in device units (full scale 32000), #input, direction.\n";
    return table;
}

std::string FormatBlockHex(const device::BlockBytes& bytes) {
    static const char kDigits[] = "0123456789abcdef";
    std::string hex;
    hex.reserve(bytes.size() * 2);
    for (const std::uint8_t byte : bytes) {
        hex += kDigits[byte >> 4];
        hex += kDigits[byte & 0xF];
    }
    return hex;
}

}  // namespace ostrel
