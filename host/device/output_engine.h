// The simulated Corvex's automatic outputs at work: the programs it holds run over the samples
// of its inputs, and what each output did comes back as pulses and ignored triggers.
#pragma once

#include <cstdint>
#include <vector>

#include "host/device/input_converter.h"
#include "host/device/output_program.h"
#include "host/device/trace.h"

namespace device {

// The whole sample periods the device counts for `seconds` at `sampleRate`: an event due
// `seconds` after a sample instant happens at the first sample instant at or after it. A
// product within a billionth of itself above a whole number counts as that number, so 10 ms at 1
// kS/s is exactly 10 samples; very long times saturate at 2^60 samples.
std::int64_t SamplesFor(double seconds, double sampleRate);

// Runs `programs` over `samples` and returns one trace per program, in the programs' order.
// Throws std::invalid_argument when an active program watches an input that `samples` lacks,
// or an input holds other than `samples.Count` samples.
device::Trace ReplayOutputs(const std::vector<OutputProgram>& programs,
                            const DeviceSamples& samples);

}  // namespace device
