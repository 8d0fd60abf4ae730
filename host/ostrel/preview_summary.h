// The text `ostrel preview` prints: per output what the device holds and what it did over the
// replayed signals.
#pragma once

#include <climits>
#include <cstdint>
#include <string>
#include <vector>

#include <array>

#include "host/device/output_program.h"
#include "host/device/sample_block.h"
#include "host/device/simulated_corvex.h"
#include "host/device/trace.h"
#include "host/preview/formats/input_scale.h"
#include "host/preview/replay_pipeline.h"
#include "host/scoring/event_matching.h"

namespace ostrel {

// The samples a summary looks at: [From, To).
struct SampleWindow {
    std::int64_t From = 0;
    std::int64_t To = 0;
};

// A time in seconds with as many decimals as the sample rate needs (3 at 1 kS/s, 5 at
// 100 kS/s), as the event files write it.
std::string FormatSeconds(double seconds, double sampleRate);

// What the summary says of each output, counted block by block over the replay: for the pulses
// starting and the triggers ignored within the window, the number of pulses, the first and last
// start, the shortest interval from start to start, and the triggers ignored by reason.
class SummaryTally final : public preview::ReplayFollower {
public:
    explicit SummaryTally(SampleWindow window) : window_(window) {}
    void Consume(const device::SampleBlock& samples, const device::TraceBlock& events) override;

    struct Output {
        std::size_t Pulses = 0;
        std::int64_t First = 0, Last = 0;
        std::int64_t Shortest = INT64_MAX;
        std::array<std::size_t, 4> Ignored{};  // by device::IgnoredBecause
        std::size_t IgnoredTotal = 0;
    };
    const std::vector<Output>& Outputs() const { return outputs_; }

private:
    SampleWindow window_;
    std::vector<Output> outputs_;
};

// A line about the replay, then for each output its program and what the tally counted of it.
// `programs` and the tally's outputs correspond one to one. Each slot's levels are shown in its
// input's unit when `inputs` holds that input, else in device units. With `scores` (one per
// program), each output that is on is followed by its scoring.
std::string FormatPreviewSummary(const std::vector<device::OutputProgram>& programs,
                                 const device::RecordingInfo& recording, const SummaryTally& tally,
                                 SampleWindow window,
                                 const std::vector<preview::InputScale>& inputs = {},
                                 const std::vector<scoring::Figures>& scores = {});

// A line for each output the device refused a block for and holds no program for, which the
// summary above does not list: "Output 1: refused by the device: REASON; it holds no program
// and stays low". Empty when there is none.
std::string RefusedOutputsText(const std::vector<device::DeviceCommand>& commands,
                               const std::vector<device::OutputProgram>& programs);

}  // namespace ostrel
