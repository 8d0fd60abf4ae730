// A recording as the preview replays it in blocks: what it holds, known before its samples
// (RecordingInfo), and one block of its samples (SampleBlock), per channel in device units, as
// physical values, or both, as the block's users need them (BlockNeeds).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace device {

struct ChannelName {
    std::string Name;  // as the file names it ("Input 1", "EEG Fp1" ...)
    std::string Unit;  // the input's unit, in which the channel's values are given
};

struct RecordingInfo {
    double SampleRate = 0.0;  // samples per second, > 0
    double StartTime = 0.0;   // seconds: the time of sample 0
    std::int64_t SampleCount = 0;
    std::vector<ChannelName> Channels;  // channel k is Input k + 1
};

// Which channels a block needs in which form, by channel.
struct BlockNeeds {
    std::vector<bool> Units;   // device units (the replay, and reports that follow them)
    std::vector<bool> Values;  // physical values (reports that draw or write them)
};

struct SampleBlock {
    std::int64_t First = 0;  // the recording's index of the block's first sample
    std::int64_t Count = 0;  // 0: the recording has ended
    // [channel][j] for sample First + j; filled for the channels the needs name (a reader may
    // fill more), empty or stale otherwise.
    std::vector<std::vector<std::int16_t>> Units;
    std::vector<std::vector<double>> Values;
};

}  // namespace device
