// Writes recorded signals in the files the readers take: for the project's sample signals and
// for tests and benchmarks that need the same signal in several formats.
#pragma once

#include <string>
#include <vector>

#include "host/preview/input_scale.h"
#include "host/preview/signals.h"

namespace Ostrel::Preview {

// A CSV file with the header "time (s),Input 1 (UNIT),..." and each value with up to
// `significantDigits` significant digits; times with as many decimals as the rate needs.
void WriteCsvSignals(const std::string& path, const Signals& signals, int significantDigits = 7);

// A 16-bit sound file (WAV, or FLAC when the path ends in .flac): channel i is scaled by the
// range of input i, so full scale is the range; values beyond it are clipped.
void WriteSoundSignals(const std::string& path, const Signals& signals,
                       const std::vector<InputScale>& inputs);

// An EDF+ file of 16-bit signals whose physical minimum and maximum are -range and +range of
// each input, starting on 1 January 2000 at midnight (the same signals make the same file). The
// rate must be a whole number and the samples fill whole seconds.
void WriteEdfSignals(const std::string& path, const Signals& signals,
                     const std::vector<InputScale>& inputs);

}  // namespace Ostrel::Preview
