#include "host/preview/replay_pipeline.h"

#include <stdexcept>
#include <string>

#include "host/device/output_engine.h"
#include "host/preview/formats/signal_file_error.h"

namespace preview {

void ReplayRecording(SignalReader& reader, const std::string& path,
                     const std::vector<device::OutputProgram>& programs,
                     const std::vector<ReportWriter*>& writers,
                     const std::vector<ReplayFollower*>& followers) {
    const device::RecordingInfo& recording = reader.Info();
    const std::size_t channels = recording.Channels.size();
    device::OutputEngine engine(programs, recording.SampleRate, recording.SampleCount, channels);
    device::BlockNeeds needs{std::vector<bool>(channels, false),
                             std::vector<bool>(channels, false)};
    for (std::size_t k = 0; k < channels; ++k)
        needs.Units[k] = engine.Watches(k);
    for (const ReportWriter* writer : writers)
        writer->Needs(needs);
    for (const ReplayFollower* follower : followers)
        follower->Needs(needs);

    device::SampleBlock block;
    device::TraceBlock events;
    std::vector<const std::int16_t*> inputs(channels, nullptr);
    const auto hand = [&] {
        for (ReportWriter* writer : writers)
            writer->Consume(block, events);
        for (ReplayFollower* follower : followers)
            follower->Consume(block, events);
    };
    std::int64_t done = 0;
    for (;;) {
        reader.Next(block, needs);
        if (block.Count == 0)
            break;
        if (block.Count > recording.SampleCount - done)
            throw SignalFileError(path, 0,
                                  "delivers more than the " +
                                      std::to_string(recording.SampleCount) +
                                      " samples it declares");
        for (std::size_t k = 0; k < channels; ++k)
            inputs[k] = needs.Units[k] ? block.Units[k].data() : nullptr;
        engine.Run(inputs.data(), block.Count, events);
        hand();
        done += block.Count;
    }
    if (done != recording.SampleCount)
        throw SignalFileError(path, 0,
                              "delivers " + std::to_string(done) + " of the " +
                                  std::to_string(recording.SampleCount) + " samples it declares");
    engine.Finish(events);
    block.First = done;
    block.Count = 0;
    hand();
}

}  // namespace preview
