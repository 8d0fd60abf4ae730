// What a recording holds, channel by channel, whatever the device: as `ostrel channels` lists
// it, and as a channel map chooses from (channel_selection.h).
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace preview {

struct ChannelSurvey {
    std::string Label;  // channel_selection.h says what a format takes for a label
    std::string Unit;   // as the file names it; empty when it has none
    double SampleRate = 0.0;
    std::int64_t Samples = 0;
    // The smallest and largest values that are numbers, in Unit; nothing without one.
    std::optional<double> Minimum;
    std::optional<double> Maximum;
};

}  // namespace preview
