// Recorded signals in a sound file (WAV, FLAC and the other formats the sound-file library
// reads), and the writer of WAV and FLAC files. The inputs read the channels, labelled
// "Channel 1", "Channel 2" ..., as channel_selection.h chooses (by position without a map); full
// scale (a sample of +1.0 after the library's normalisation, +32768 in a 16-bit
// file) is the input's range, so a value reads as sample × range in the input's unit. The
// sample rate is the file's; the start time 0.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "host/device/signals.h"
#include "host/preview/formats/channel_selection.h"
#include "host/preview/formats/input_scale.h"
#include "host/preview/formats/signal_reader.h"

namespace preview {

// Opens the file. Throws SignalFileError when it does not open, has no samples, has more channels
// than the device has inputs, holds samples the reader does not convert exactly (a WAV of 7 or 12
// bits) or fewer frames than its header declares; a block that the file does not deliver (a
// damaged FLAC frame) is the same error, naming the frames missing.
std::unique_ptr<SignalReader> OpenSoundSignals(const std::string& path,
                                               const std::vector<InputScale>& inputs,
                                               const ChannelMap* map = nullptr);

// The whole file at once.
device::Signals ReadSoundSignals(const std::string& path, const std::vector<InputScale>& inputs);

// Writes a 16-bit sound file (WAV, or FLAC when the path ends in .flac): channel i is scaled by
// the range of input i, so full scale is the range; values beyond it are clipped.
void WriteSoundSignals(const std::string& path, const device::Signals& signals,
                       const std::vector<InputScale>& inputs);

}  // namespace preview
