#include "host/ostrel/channel_table.h"

#include <algorithm>
#include <charconv>

namespace ostrel {
namespace {

std::string Number(double value) {
    char text[32];
    const auto written =
        std::to_chars(text, text + sizeof text, value, std::chars_format::general, 6);
    return std::string(text, written.ptr);
}

// The columns a UTF-8 text takes: its characters, not its bytes ("µV" takes 2).
std::size_t Columns(const std::string& text) {
    return static_cast<std::size_t>(std::count_if(text.begin(), text.end(), [](char c) {
        return (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    }));
}

std::string Extreme(const std::optional<double>& value) {
    return value ? Number(*value) : "-";
}

}  // namespace

std::string FormatChannelTable(const std::vector<preview::ChannelSurvey>& channels) {
    // Text columns lean left, numbers right.
    constexpr bool kLeft[] = {false, true, true, false, false, false, false};
    std::vector<std::vector<std::string>> rows{
        {"channel", "label", "unit", "rate (1/s)", "samples", "minimum", "maximum"}};
    for (std::size_t k = 0; k < channels.size(); ++k) {
        const preview::ChannelSurvey& channel = channels[k];
        rows.push_back({std::to_string(k + 1), channel.Label.empty() ? "-" : channel.Label,
                        channel.Unit.empty() ? "-" : channel.Unit, Number(channel.SampleRate),
                        std::to_string(channel.Samples), Extreme(channel.Minimum),
                        Extreme(channel.Maximum)});
    }
    std::vector<std::size_t> widths(rows.front().size(), 0);
    for (const auto& row : rows) {
        for (std::size_t c = 0; c < row.size(); ++c)
            widths[c] = std::max(widths[c], Columns(row[c]));
    }
    std::string table;
    for (const auto& row : rows) {
        std::string line;
        for (std::size_t c = 0; c < row.size(); ++c) {
            const std::string pad(widths[c] - Columns(row[c]), ' ');
            line += (c == 0 ? "" : "  ") + (kLeft[c] ? row[c] + pad : pad + row[c]);
        }
        line.erase(line.find_last_not_of(' ') + 1);
        table += line + "\n";
    }
    return table;
}

}  // namespace ostrel
