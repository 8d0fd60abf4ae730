// Runs arbitrary command blocks over arbitrary samples on the simulated device. The data is two
// 112-byte blocks, then the samples of two inputs, interleaved, 16 bits each. Whatever the
// blocks hold, the device keeps its promises: pulses lie within the replay, in order, without
// overlapping; ignored triggers lie within it, in order; an output that is off, unreadable or
// without used slots stays low; a fixed-width output pulses at most its count limit.
#include <cstdint>
#include <cstring>
#include <vector>

#include "fuzz/fuzz_check.h"
#include "host/device/output_engine.h"

using namespace device;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    constexpr std::size_t kBlocks = 2;
    constexpr std::size_t kBlockBytes = sizeof(OutputCommandBlock);
    if (size < kBlocks * kBlockBytes)
        return 0;
    std::vector<OutputProgram> programs;
    for (std::size_t k = 0; k < kBlocks; ++k) {
        BlockBytes block;
        std::memcpy(block.data(), data + k * kBlockBytes, kBlockBytes);
        programs.push_back(ReadOutputProgram(block, 2));
    }
    DeviceSamples samples;
    samples.SampleRate = 1000.0;
    samples.Count = static_cast<std::int64_t>((size - kBlocks * kBlockBytes) / 4);
    samples.Inputs.assign(2, std::vector<std::int16_t>(static_cast<std::size_t>(samples.Count)));
    const std::uint8_t* at = data + kBlocks * kBlockBytes;
    for (std::int64_t j = 0; j < samples.Count; ++j) {
        for (auto& input : samples.Inputs) {
            std::memcpy(&input[static_cast<std::size_t>(j)], at, 2);
            at += 2;
        }
    }

    const device::Trace trace = ReplayOutputs(programs, samples);
    CHECK(trace.Outputs.size() == programs.size());
    CHECK(trace.SampleCount == samples.Count);
    for (std::size_t k = 0; k < programs.size(); ++k) {
        const OutputProgram& program = programs[k];
        const device::OutputTrace& output = trace.Outputs[k];
        CHECK(output.Output == program.Output);
        if (!program.Active()) {
            CHECK(output.Pulses.empty() && output.Ignored.empty());
            continue;
        }
        std::int64_t end = 0;
        for (const device::Pulse& pulse : output.Pulses) {
            CHECK(pulse.Start >= end && pulse.Start < pulse.End && pulse.End <= samples.Count);
            end = pulse.End;
        }
        std::int64_t last = 0;
        for (const device::IgnoredTrigger& trigger : output.Ignored) {
            CHECK(trigger.Sample >= last && trigger.Sample < samples.Count);
            last = trigger.Sample;
        }
        if (program.PulseCountLimit > 0)
            CHECK(output.Pulses.size() <= static_cast<std::size_t>(program.PulseCountLimit));
    }
    return 0;
}
