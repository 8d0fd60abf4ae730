// The simulated Corvex's automatic outputs at work: the programs it holds run over the samples
// of its inputs, and what each output did comes back as pulses and ignored triggers.
#pragma once

#include <cstdint>
#include <memory>
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

// The outputs at work over a recording delivered in blocks, the device's state carried from one
// block to the next: the same pulses and ignored triggers, whatever the blocks' sizes, as one
// run over the whole recording.
class OutputEngine {
public:
    // For a recording of `sampleCount` samples of `inputCount` inputs. Throws
    // std::invalid_argument when an active program watches an input beyond them.
    OutputEngine(const std::vector<OutputProgram>& programs, double sampleRate,
                 std::int64_t sampleCount, std::size_t inputCount);
    ~OutputEngine();
    OutputEngine(const OutputEngine&) = delete;
    OutputEngine& operator=(const OutputEngine&) = delete;

    // Whether some active program watches input k + 1 (zero-based k): only those need samples.
    bool Watches(std::size_t k) const { return watched_[k]; }

    // Runs the next `count` samples: inputs[k] points at input k + 1's samples of the block
    // (may be null for an input no program watches). `block` gets, per program, what became
    // known in them. Throws std::invalid_argument for samples beyond the recording's count.
    void Run(const std::int16_t* const* inputs, std::int64_t count, device::TraceBlock& block);

    // After the last sample: `block` gets the pulses still high at the end.
    void Finish(device::TraceBlock& block);

private:
    struct Runners;
    void Begin(device::TraceBlock& block, std::int64_t count) const;

    std::unique_ptr<Runners> runners_;
    std::int64_t sampleCount_;
    std::int64_t done_ = 0;
    std::vector<bool> watched_;
    std::vector<std::int32_t> outputs_;
};

// Runs `programs` over `samples` and returns one trace per program, in the programs' order.
// Throws std::invalid_argument when an active program watches an input that `samples` lacks,
// or an input holds other than `samples.Count` samples.
device::Trace ReplayOutputs(const std::vector<OutputProgram>& programs,
                            const DeviceSamples& samples);

}  // namespace device
