// A recording read block by block: what every format's reader gives (signal_format.h). Opening
// the file tells what it holds (the rate, the start time, the sample count, the channels); then
// each call of Next delivers the following block, until a block of no samples. Memory stays
// within a few blocks whatever the recording's length.
#pragma once

#include <string>
#include <vector>

#include "host/device/sample_block.h"
#include "host/device/signals.h"
#include "host/preview/formats/channel_survey.h"
#include "host/preview/formats/input_scale.h"

namespace preview {

class SignalReader {
public:
    virtual ~SignalReader() = default;

    // Known when the file is open; the sample count is what the file declares (or, for text,
    // holds), and every later block keeps to it.
    const device::RecordingInfo& Info() const { return info_; }

    // The next block: its First and Count, and for each channel its device units or physical
    // values (in the input's unit) as `needs` asks; Count 0 after the last sample. Throws
    // SignalFileError for what the file does not deliver, naming what is missing or wrong.
    virtual void Next(device::SampleBlock& block, const device::BlockNeeds& needs) = 0;

protected:
    // For readers that read physical values: the device units of the channels `needs` names,
    // from the values of `block`.
    void ConvertUnits(device::SampleBlock& block, const device::BlockNeeds& needs,
                      const std::vector<InputScale>& inputs) const;
    // Sizes the block's per-channel arrays for `count` samples.
    void Size(device::SampleBlock& block, std::int64_t count) const;

    device::RecordingInfo info_;
};

// Every remaining block, as whole signals: the values of every channel.
device::Signals ReadAll(SignalReader& reader);

// Every remaining block, as what each channel holds: its name as label, its unit, the rate, the
// samples and the extremes of its values. Memory stays within a block.
std::vector<ChannelSurvey> SurveyAll(SignalReader& reader);

// Needs that ask for every channel in both forms.
device::BlockNeeds AllOf(const device::RecordingInfo& info);

}  // namespace preview
