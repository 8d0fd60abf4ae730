// `ostrel channels FILE`: what a recording holds, channel by channel, whatever the device: the
// labels a channel map (`preview --map`) chooses by, and each channel's unit, rate, samples and
// extremes.
#pragma once

#include <ostream>
#include <string>

namespace ostrel {

// Prints the table (channel_table.h) on `out`. Exit 0; 2 when FILE cannot be read or is no
// recording of a known format, with the reason on `err`.
int RunChannels(const std::string& path, std::ostream& out, std::ostream& err);

}  // namespace ostrel
