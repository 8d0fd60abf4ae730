// What the report writers (and the preview's summary) say about outputs, inputs and times, in
// one place.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "host/api/output_command_block.h"
#include "host/device/trace.h"

namespace preview {

// "Analog Output 2", "Digital Output 1".
std::string OutputName(std::int32_t output);

// "delay", "pulse", "hold-off", "count limit".
const char* ReasonText(device::IgnoredBecause why);

// The zero-based inputs that a used rule slot of a block that is not off watches, ascending,
// below `channelCount`.
std::vector<std::size_t> UsedInputs(const std::vector<OutputCommandBlock>& blocks,
                                    std::size_t channelCount);

// The block programmed for `output`; nullptr when there is none.
const OutputCommandBlock* BlockOf(const std::vector<OutputCommandBlock>& blocks,
                                  std::int32_t output);

// Decimals that show every sample time at `sampleRate` apart: exact when the step is a whole
// number of decimal units, two more than the step's order otherwise.
int TimeDecimals(double sampleRate);

// `seconds` with `decimals` decimals, in C notation whatever the locale.
std::string FixedText(double seconds, int decimals);

// `value` with at most `digits` significant digits ("2.5", "1e-07"), in C notation.
std::string ShortNumber(double value, int digits = 4);

// A length of time as a person reads it: "2.5 s" below a minute, "4 min 10 s" below an
// hour, "3 h 0 min" from there.
std::string DurationText(double seconds);

// Where a report went, for the line that says so: the path, or "standard output" for "-".
std::string WhereTo(const std::string& path);

}  // namespace preview
