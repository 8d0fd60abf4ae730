// The check of a recording against the device that `ostrel preview` prints before its summary:
// per input read, the extremes of its signal, the share of the converter's range it spans and
// the samples the converter clips; and a warning for an input a rule watches whose signal
// spans less than 1 % of the range, or of whose samples more than 0.1 % clip.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "host/device/input_statistics.h"
#include "host/device/output_program.h"
#include "host/preview/formats/input_scale.h"
#include "host/preview/replay_pipeline.h"

namespace ostrel {

// A signal spanning less than this share of its converter's range, or clipping on more than
// this share of its samples, is worth a warning when a rule watches it.
inline constexpr double kNarrowSpanShare = 0.01;
inline constexpr double kClippedShare = 0.001;

struct InputCheck {
    std::int32_t Input = 0;  // zero-based
    std::string Label;       // the channel's, as the file names it
    std::string Unit;        // the input's
    bool Watched = false;    // a rule of an output that is on watches it
    device::InputStatistics Statistics{1.0};
};

// One line per input:
//   Input 1 (ECG): -0.412 to 1.93 mV, spans 23.4 % of ±5 mV, no sample clipped
std::string FormatSignalCheck(const std::vector<InputCheck>& inputs);

// One line per watched input whose signal is too narrow for its range, or clips:
//   Input 1 (ECG) spans 0.0075 % of its range ±10 V (less than 1 %): the rules watching it
//     see almost nothing of it
//   Input 1 (ECG): 535 of 2000 samples (26.8 %) clip at its range ±5 uV
std::vector<std::string> SignalWarnings(const std::vector<InputCheck>& inputs);

// Gathers, block by block as the replay runs, what each input of the recording gets: one check
// per channel of `recording`, in the scale of its input, watched when a rule of an output that
// can go high watches it.
class SignalCheckFollower final : public preview::ReplayFollower {
public:
    SignalCheckFollower(const device::RecordingInfo& recording,
                        const std::vector<preview::InputScale>& inputs,
                        const std::vector<device::OutputProgram>& programs);
    void Needs(device::BlockNeeds& needs) const override;
    void Consume(const device::SampleBlock& samples, const device::TraceBlock& events) override;

    const std::vector<InputCheck>& Inputs() const { return inputs_; }

private:
    std::vector<InputCheck> inputs_;
};

}  // namespace ostrel
