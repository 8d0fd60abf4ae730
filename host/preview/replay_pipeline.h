// The preview as a pipeline: a reader delivers a recording block by block, the simulated device
// runs its programs over each block (its state carried to the next), and every report writer
// and follower gets the block and what the device did while it ran, as they come. Nothing
// holds the whole recording.
#pragma once

#include <vector>

#include "host/device/output_program.h"
#include "host/device/sample_block.h"
#include "host/device/trace.h"
#include "host/preview/formats/signal_reader.h"
#include "host/preview/reports/report_writer.h"

namespace preview {

// Anything besides a report that follows the replay block by block (the summary's tally, the
// check of the signals against the inputs' ranges).
class ReplayFollower {
public:
    virtual ~ReplayFollower() = default;
    // Adds the inputs whose device units or physical values it needs.
    virtual void Needs(device::BlockNeeds&) const {}
    virtual void Consume(const device::SampleBlock& samples, const device::TraceBlock& events) = 0;
};

// Runs the recording `reader` delivers through `programs`, handing each block to `writers`
// (begun already) and `followers`; the last block has no samples and the pulses still high at
// the end. Throws SignalFileError for what the file does not deliver, naming `path`.
void ReplayRecording(SignalReader& reader, const std::string& path,
                     const std::vector<device::OutputProgram>& programs,
                     const std::vector<ReportWriter*>& writers,
                     const std::vector<ReplayFollower*>& followers);

}  // namespace preview
