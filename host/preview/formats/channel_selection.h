// Which channel of a recording each input of the device reads. By default, as the file lays
// them out: a channel labelled "Input N" feeds Input N, and in a file whose channels are
// labelled otherwise (an EDF's signal labels, a sound file's "Channel N") channel k feeds
// Input k. A channel map (`--map "Input 1=ECG, Input 2=EMG left"`) chooses by label instead:
// each input it names reads the channel of that label, wherever it lies, and the inputs it does
// not name read nothing.
//
// A channel's label is an EDF or BDF signal's label, a CSV column's name without its unit,
// "Channel N" for a sound file's channel N.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace preview {

// A channel map that does not read, or that names an input the device lacks.
class ChannelMapError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

struct ChannelMap {
    std::map<std::int32_t, std::string> Labels;  // by zero-based input
};

// Reads "Input N=LABEL" items separated by commas (blanks around them ignored; a label may hold
// blanks inside). Throws ChannelMapError naming the item: not of that form, an input number
// outside 1 to 255, an empty label, an input named twice.
ChannelMap ParseChannelMap(std::string_view text);

// For each input of the device, the index of the file's channel it reads, or nothing.
using ChannelChoice = std::vector<std::optional<std::size_t>>;

// For each of the device's `inputs`, the index of the channel among `labels` (the file's, in
// its order) that it reads, or nothing. The inputs that read a channel are Input 1 to Input N,
// each from a channel of its own. Throws ChannelMapError for a map that names an input beyond
// `inputs`, and SignalFileError naming `path` for a label no channel has or several have
// (listing the file's labels), for an input that reads nothing below one that reads a channel,
// for two inputs of one channel, and, without a map, for channels the device has no input for
// or two channels of one input.
ChannelChoice SelectChannels(const std::vector<std::string>& labels, const ChannelMap* map,
                             std::size_t inputs, const std::string& path);

// The number of inputs a choice feeds: Input 1 to Input N read a channel, the others none.
std::size_t InputsFed(const ChannelChoice& choice);

}  // namespace preview
