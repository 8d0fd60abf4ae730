// What the simulated device did with its programmed blocks over a replay: per output the pulses
// it generated and the triggers it ignored, in sample indices of the replayed signals.
#pragma once

#include <cstdint>
#include <vector>

namespace device {

// Why an accepted-looking trigger did not start a pulse.
enum class IgnoredBecause {
    kDelay,       // the output was still waiting out the delay of an earlier trigger
    kPulse,       // the output was pulsing
    kHoldoff,     // within the hold-off after the last pulse start
    kCountLimit,  // the output had pulsed as often as its limit allows
};

struct Pulse {
    std::int64_t Start = 0;  // first sample at which the output is high
    std::int64_t End = 0;    // first sample at which it is low again; the sample count when the
                             // replay ended with the output still high
};

struct IgnoredTrigger {
    std::int64_t Sample = 0;
    IgnoredBecause Why = IgnoredBecause::kDelay;
};

struct OutputTrace {
    std::int32_t Output = 0;  // 1, 2 ... analog; -1, -2 ... digital
    std::vector<Pulse> Pulses;
    std::vector<IgnoredTrigger> Ignored;
};

struct Trace {
    double SampleRate = 0.0;
    double StartTime = 0.0;  // seconds at sample 0
    std::int64_t SampleCount = 0;
    std::vector<OutputTrace> Outputs;  // in the order the blocks were programmed
};

}  // namespace device
