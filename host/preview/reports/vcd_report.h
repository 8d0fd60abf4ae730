// A replay as a value change dump for waveform viewers, with a GTKWave save file beside it.
//
// The dump has one scope, "preview": each used input (one that a rule of an output that is not
// off watches; every input when no rule watches any) as a real variable named after the input
// and its unit ("Input_1_V"), and each output of the trace as a 1-bit wire ("Analog_Output_1",
// "Digital_Output_2"). Time 0 is the first sample, where every variable gets its value; an input
// is written again only when its device value changes, rounded to the converter's resolution in
// its shortest form (0.141 for a sample that reads 0.141 on a 10 V input, whose resolution is
// 0.3125 mV: four decimals); an output when its level changes. The timescale is the coarsest power
// of ten of seconds in which every sample instant is a whole number, or one at most a thousandth of
// a sample step when none is. The last timestamp marks the end of the last sample.
//
// The save file (the dump's path with the extension .gtkw, only beside a dump that is a file of
// its own) opens the dump with the inputs drawn as interpolated analog traces, a few rows high,
// and the outputs that are on below them, on the first few pulses.
#pragma once

#include <string>
#include <vector>

#include "host/api/output_command_block.h"
#include "host/device/signals.h"
#include "host/device/trace.h"
#include "host/preview/formats/input_scale.h"

namespace preview {

// The timescale for a sample rate: the exponent e of 10^e seconds and the number of those units
// in one sample step (0 when the step is not a whole number of them).
struct VcdTimescale {
    int Exponent = 0;
    std::int64_t UnitsPerSample = 0;
};
VcdTimescale TimescaleFor(double sampleRate);

// The decimals that show an input of full-scale `range` at its converter's resolution
// (range / 32000): the fewest whose last unit is no larger.
int ResolutionDecimals(double range);

// `value` rounded to `decimals` decimals, without the zeros that end it ("0.141", "-2", "0"),
// written at `at` (room for kRoundedLength characters); returns the end.
inline constexpr std::size_t kRoundedLength = 32;
char* WriteRounded(char* at, double value, int decimals);
void AppendRounded(std::string& text, double value, int decimals);

// Writes the dump of a whole replay to `path` ("-": the standard output) and the save file
// beside it, the inputs' device units by `inputs`' ranges (1 when not given). Throws
// files::FileError when a file cannot be written, SignalFileError for a sample or a time the
// dump cannot hold.
void WriteVcd(const std::string& path, const device::Signals& signals, const device::Trace& trace,
              const std::vector<OutputCommandBlock>& blocks,
              const std::vector<InputScale>& inputs = {});

// The save file's path for a dump's path.
std::string GtkwPathFor(const std::string& vcdPath);

// The files the dump writes beside it: its save file, when the dump is a file of its own.
std::vector<std::string> FilesBesideVcd(const std::string& vcdPath);

}  // namespace preview
