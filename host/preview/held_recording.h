// A recording held in memory in device units, for replaying it many times (ostrel tune tries
// each combination of settings on the same recordings). It is read once, through its format's
// reader, keeping only the inputs asked for; each replay then reads it through a HeldReader,
// which delivers it block by block as a file's reader does, so that a replay from memory goes
// through the same pipeline as one from the file.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "host/device/sample_block.h"
#include "host/preview/formats/signal_reader.h"

namespace preview {

struct HeldRecording {
    std::string Path;
    device::RecordingInfo Info;
    // [channel][sample]: device units of the channels kept, empty for the others.
    std::vector<std::vector<std::int16_t>> Units;
};

// Reads the whole of `reader`, keeping the device units of the channels `keep` names. Throws
// SignalFileError (naming `path`) for what the file does not deliver.
HeldRecording HoldRecording(SignalReader& reader, const std::string& path,
                            const std::vector<bool>& keep);

// Delivers a held recording in blocks of at most `blockSize` samples; asking for a channel
// that was not kept throws SignalFileError. The recording must outlive the reader.
class HeldReader final : public SignalReader {
public:
    explicit HeldReader(const HeldRecording& recording, std::int64_t blockSize = 65536);
    void Next(device::SampleBlock& block, const device::BlockNeeds& needs) override;

private:
    const HeldRecording& recording_;
    std::int64_t blockSize_;
    std::int64_t next_ = 0;
};

}  // namespace preview
