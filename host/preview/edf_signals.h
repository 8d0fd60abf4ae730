// Recorded signals from an EDF, EDF+, BDF or BDF+ file. Signal i of the file (annotation signals
// aside) is Input i + 1 of the device; its physical values are read in the signal's physical
// unit, which must be the input's unit or another prefix of it (a signal in uV for an input in mV
// is converted). Every signal must have the same sample rate. The start time is 0.
#pragma once

#include <string>
#include <vector>

#include "host/preview/input_scale.h"
#include "host/preview/signals.h"

namespace Ostrel::Preview {

// Throws SignalFileError naming the file and, where it is about one, the signal (by number and
// label) that does not fit: more signals than inputs, a unit that is not the input's, a sample
// rate that differs from the first signal's.
Signals ReadEdfSignals(const std::string& path, const std::vector<InputScale>& inputs);

}  // namespace Ostrel::Preview
