// Recorded signals from a sound file (WAV, FLAC and the other formats the sound-file library
// reads). Channel i of the file is Input i + 1 of the device; full scale (a sample of +1.0 after
// the library's normalisation, +32768 in a 16-bit file) is the input's range, so a value reads as
// sample × range in the input's unit. The sample rate is the file's; the start time 0.
#pragma once

#include <string>
#include <vector>

#include "host/preview/input_scale.h"
#include "host/preview/signals.h"

namespace Ostrel::Preview {

// Throws SignalFileError when the file does not open, has no samples, or has more channels than
// the device has inputs.
Signals ReadSoundSignals(const std::string& path, const std::vector<InputScale>& inputs);

}  // namespace Ostrel::Preview
