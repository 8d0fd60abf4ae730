// What the simulated device did with its programmed blocks over a replay: per output the pulses
// it generated and the triggers it ignored, in sample indices of the replayed signals; a replay
// in blocks hands on the same block by block.
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

// A change of an output's level. The device knows it at or before the sample at which it
// happens (a pulse's start when it accepts the trigger, a following output's fall when the
// state falls), so a replay in blocks hands it on no later than the block that holds it.
struct LevelChange {
    std::int64_t Sample = 0;
    bool High = false;
};

// What became known while the device ran one block of a replay in blocks: per output (in the
// programs' order) the pulses and ignored triggers it settled and the level changes it decided,
// each by sample. A pulse is settled once its end is known (a following output's when its state
// falls), so it may come in a later block than its start; a level change may lie beyond the
// block.
struct TraceBlock {
    std::int64_t First = 0;  // the block's first sample
    std::int64_t Count = 0;  // its samples
    std::vector<OutputTrace> Outputs;
    std::vector<std::vector<LevelChange>> Changes;  // [output][k]
};

struct Trace {
    double SampleRate = 0.0;
    double StartTime = 0.0;  // seconds at sample 0
    std::int64_t SampleCount = 0;
    std::vector<OutputTrace> Outputs;  // in the order the blocks were programmed
};

}  // namespace device
