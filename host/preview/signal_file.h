// Reads a file of recorded signals for a device, choosing the reader by the file's extension
// (letter case aside): .csv (csv_signals.h), .wav and .flac (sound_signals.h), .edf and .bdf,
// plain or "+" (edf_signals.h). Channel i of the result is Input i + 1 in the input's unit.
#pragma once

#include <string>
#include <vector>

#include "host/preview/input_scale.h"
#include "host/preview/signals.h"

namespace Ostrel::Preview {

// Throws SignalFileError for an extension it does not know and for every reader's errors.
Signals ReadSignalFile(const std::string& path, const std::vector<InputScale>& inputs);

}  // namespace Ostrel::Preview
