#include "host/preview/held_recording.h"

#include <algorithm>

#include "host/preview/formats/signal_file_error.h"

namespace preview {

HeldRecording HoldRecording(SignalReader& reader, const std::string& path,
                            const std::vector<bool>& keep) {
    HeldRecording held{path, reader.Info(), {}};
    const std::size_t channels = held.Info.Channels.size();
    held.Units.resize(channels);
    device::BlockNeeds needs{std::vector<bool>(channels, false),
                             std::vector<bool>(channels, false)};
    for (std::size_t k = 0; k < channels && k < keep.size(); ++k) {
        needs.Units[k] = keep[k];
        if (keep[k])
            held.Units[k].reserve(static_cast<std::size_t>(held.Info.SampleCount));
    }
    device::SampleBlock block;
    std::int64_t done = 0;
    for (reader.Next(block, needs); block.Count > 0; reader.Next(block, needs)) {
        if (block.Count > held.Info.SampleCount - done)
            throw SignalFileError(path, 0,
                                  "delivers more than the " +
                                      std::to_string(held.Info.SampleCount) +
                                      " samples it declares");
        for (std::size_t k = 0; k < channels; ++k) {
            if (needs.Units[k])
                held.Units[k].insert(held.Units[k].end(), block.Units[k].begin(),
                                     block.Units[k].begin() + block.Count);
        }
        done += block.Count;
    }
    if (done != held.Info.SampleCount)
        throw SignalFileError(path, 0,
                              "delivers " + std::to_string(done) + " of the " +
                                  std::to_string(held.Info.SampleCount) + " samples it declares");
    return held;
}

HeldReader::HeldReader(const HeldRecording& recording, std::int64_t blockSize)
    : recording_(recording), blockSize_(std::max<std::int64_t>(1, blockSize)) {
    info_ = recording.Info;
}

void HeldReader::Next(device::SampleBlock& block, const device::BlockNeeds& needs) {
    const std::int64_t count = std::min(blockSize_, info_.SampleCount - next_);
    block.First = next_;
    block.Count = count;
    block.Units.resize(info_.Channels.size());
    for (std::size_t k = 0; k < info_.Channels.size(); ++k) {
        if (k >= needs.Units.size() || !needs.Units[k] || count == 0)
            continue;
        const std::vector<std::int16_t>& units = recording_.Units[k];
        if (units.size() != static_cast<std::size_t>(info_.SampleCount))
            throw SignalFileError(recording_.Path, 0,
                                  "input " + std::to_string(k + 1) + " was not kept for replays");
        block.Units[k].assign(units.begin() + next_, units.begin() + next_ + count);
    }
    next_ += count;
}

}  // namespace preview
