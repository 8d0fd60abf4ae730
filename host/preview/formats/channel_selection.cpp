#include "host/preview/formats/channel_selection.h"

#include <charconv>

#include "host/preview/formats/signal_file_error.h"

namespace preview {
namespace {

// The command block's input byte numbers inputs 1 to 255.
constexpr std::int64_t kMaxInput = 255;

std::string_view Trim(std::string_view text) {
    const auto blank = [](char c) { return c == ' ' || c == '\t'; };
    while (!text.empty() && blank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && blank(text.back()))
        text.remove_suffix(1);
    return text;
}

// The N of "Input N" (any case, blanks between), 0 when `label` is not one or N is not a
// whole number from 1 to kMaxInput.
std::int64_t InputNumberOf(std::string_view label) {
    constexpr std::string_view kInput = "input";
    label = Trim(label);
    if (label.size() <= kInput.size())
        return 0;
    for (std::size_t i = 0; i < kInput.size(); ++i) {
        if ((label[i] | 0x20) != kInput[i])
            return 0;
    }
    const std::string_view digits = Trim(label.substr(kInput.size()));
    if (digits.size() == label.size() - kInput.size())
        return 0;  // "Input1" is a label of its own, not an input
    std::int64_t number = 0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), number);
    if (error != std::errc() || end != digits.data() + digits.size() || number < 1 ||
        number > kMaxInput)
        return 0;
    return number;
}

std::string Quoted(std::string_view text) {
    return "\"" + std::string(text) + "\"";
}

std::string LabelList(const std::vector<std::string>& labels) {
    std::string list;
    for (const std::string& label : labels)
        list += (list.empty() ? "" : ", ") + Quoted(label);
    return list.empty() ? "none" : list;
}

std::string Inputs(std::size_t count) {
    return std::to_string(count) + (count == 1 ? " input" : " inputs");
}

// Without a map: "Input N" channels by N, otherwise by position.
std::vector<std::optional<std::size_t>> ByLayout(const std::vector<std::string>& labels,
                                                 std::size_t inputs, const std::string& path) {
    std::vector<std::optional<std::size_t>> selection(inputs);
    std::size_t numbered = 0;
    for (const std::string& label : labels)
        numbered += InputNumberOf(label) > 0 ? 1 : 0;
    if (numbered == 0) {
        if (labels.size() > inputs)
            throw SignalFileError(path, 0,
                                  "holds " + std::to_string(labels.size()) +
                                      " channels, but the device has " + Inputs(inputs) +
                                      "; choose the channels the inputs read with --map (its "
                                      "channels are " +
                                      LabelList(labels) + ")");
        for (std::size_t k = 0; k < labels.size(); ++k)
            selection[k] = k;
        return selection;
    }
    for (std::size_t k = 0; k < labels.size(); ++k) {
        const std::string channel = "channel " + std::to_string(k + 1) + " " + Quoted(labels[k]);
        const std::int64_t number = InputNumberOf(labels[k]);
        if (number == 0)
            throw SignalFileError(path, 0,
                                  channel +
                                      " is not labelled \"Input N\" as the others are; choose the "
                                      "channels the inputs read with --map");
        if (static_cast<std::size_t>(number) > inputs)
            throw SignalFileError(path, 0,
                                  channel + " is for Input " + std::to_string(number) +
                                      ", but the device has " + Inputs(inputs));
        std::optional<std::size_t>& input = selection[static_cast<std::size_t>(number - 1)];
        if (input)
            throw SignalFileError(path, 0,
                                  "channels " + std::to_string(*input + 1) + " and " +
                                      std::to_string(k + 1) + " are both for Input " +
                                      std::to_string(number));
        input = k;
    }
    return selection;
}

// The inputs that read a channel must be Input 1 to Input N, each with a channel of its own:
// the device replays inputs in order, one signal each.
void CheckFed(const ChannelChoice& selection, const std::vector<std::string>& labels,
              const std::string& path) {
    const std::size_t fed = InputsFed(selection);
    for (std::size_t input = fed; input < selection.size(); ++input) {
        if (selection[input])
            throw SignalFileError(path, 0,
                                  "Input " + std::to_string(input + 1) + " reads channel " +
                                      Quoted(labels[*selection[input]]) + ", but Input " +
                                      std::to_string(fed + 1) +
                                      " reads none; the inputs that read a channel are Input 1 "
                                      "to Input N");
    }
    for (std::size_t input = 0; input < fed; ++input) {
        for (std::size_t other = 0; other < input; ++other) {
            if (selection[other] == selection[input])
                throw SignalFileError(path, 0,
                                      "Input " + std::to_string(other + 1) + " and Input " +
                                          std::to_string(input + 1) + " both read channel " +
                                          Quoted(labels[*selection[input]]) +
                                          "; each input reads a channel of its own");
        }
    }
}

ChannelChoice SelectUnchecked(const std::vector<std::string>& labels, const ChannelMap* map,
                              std::size_t inputs, const std::string& path) {
    if (map == nullptr)
        return ByLayout(labels, inputs, path);
    std::vector<std::optional<std::size_t>> selection(inputs);
    for (const auto& [input, label] : map->Labels) {
        if (static_cast<std::size_t>(input) >= inputs)
            throw ChannelMapError("--map names Input " + std::to_string(input + 1) +
                                  ", which the device (" + Inputs(inputs) + ") lacks");
        for (std::size_t k = 0; k < labels.size(); ++k) {
            if (Trim(labels[k]) != label)
                continue;
            if (selection[input])
                throw SignalFileError(path, 0,
                                      "channels " + std::to_string(*selection[input] + 1) +
                                          " and " + std::to_string(k + 1) + " are both labelled " +
                                          Quoted(label) + "; its channels are " +
                                          LabelList(labels));
            selection[input] = k;
        }
        if (!selection[input])
            throw SignalFileError(path, 0,
                                  "no channel is labelled " + Quoted(label) + " (--map Input " +
                                      std::to_string(input + 1) + "); its channels are " +
                                      LabelList(labels));
    }
    return selection;
}

}  // namespace

ChannelMap ParseChannelMap(std::string_view text) {
    ChannelMap map;
    while (true) {
        const std::size_t comma = text.find(',');
        const std::string_view item = Trim(text.substr(0, comma));
        const auto fail = [&](const std::string& problem) {
            throw ChannelMapError("--map, item " + Quoted(item) + ": " + problem);
        };
        const std::size_t equals = item.find('=');
        if (equals == std::string_view::npos)
            fail("expected \"Input N=LABEL\"");
        const std::string_view input = Trim(item.substr(0, equals));
        const std::int64_t number = InputNumberOf(input);
        if (number == 0)
            fail(Quoted(input) + " is not \"Input N\" with N from 1 to " +
                 std::to_string(kMaxInput));
        const std::string_view label = Trim(item.substr(equals + 1));
        if (label.empty())
            fail("no label after \"=\"");
        if (!map.Labels.emplace(static_cast<std::int32_t>(number - 1), std::string(label)).second)
            fail("Input " + std::to_string(number) + " is named twice");
        if (comma == std::string_view::npos)
            break;
        text.remove_prefix(comma + 1);
    }
    return map;
}

std::size_t InputsFed(const ChannelChoice& choice) {
    std::size_t fed = 0;
    while (fed < choice.size() && choice[fed])
        ++fed;
    return fed;
}

ChannelChoice SelectChannels(const std::vector<std::string>& labels, const ChannelMap* map,
                             std::size_t inputs, const std::string& path) {
    ChannelChoice selection = SelectUnchecked(labels, map, inputs, path);
    CheckFed(selection, labels, path);
    return selection;
}

}  // namespace preview
