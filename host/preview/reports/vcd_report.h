// A replay as a value change dump for waveform viewers, with a GTKWave save file beside it.
//
// The dump has one scope, "preview": each used input (one that a rule of an output that is not
// off watches; every input when no rule watches any) as a real variable named after the input
// and its unit ("Input_1_V"), and each output of the trace as a 1-bit wire ("Analog_Output_1",
// "Digital_Output_2"). Time 0 is the first sample, where every variable gets its value; the
// timescale is the coarsest power of ten of seconds in which every sample instant is a whole
// number, or one at most a thousandth of a sample step when none is. The last timestamp marks
// the end of the last sample.
//
// The save file (the dump's path with the extension .gtkw) opens the dump with the inputs drawn
// as interpolated analog traces, a few rows high, and the outputs below them.
#pragma once

#include <string>
#include <vector>

#include "host/api/output_command_block.h"
#include "host/device/signals.h"
#include "host/device/trace.h"

namespace preview {

// The timescale for a sample rate: the exponent e of 10^e seconds and the number of those units
// in one sample step (0 when the step is not a whole number of them).
struct VcdTimescale {
    int Exponent = 0;
    std::int64_t UnitsPerSample = 0;
};
VcdTimescale TimescaleFor(double sampleRate);

// Writes `path` and the save file beside it. Throws SignalFileError when a file cannot be
// written.
void WriteVcd(const std::string& path, const device::Signals& signals, const device::Trace& trace,
              const std::vector<OutputCommandBlock>& blocks);

// The save file's path for a dump's path.
std::string GtkwPathFor(const std::string& vcdPath);

}  // namespace preview
