// The simulated Corvex's automatic outputs replaying one second of 16 inputs at 100,000
// samples per second: 10 outputs with 4 rule slots each, on noisy signals with bursts, so the
// outputs trigger, pulse and ignore triggers. Reading the signals is not measured; converting
// them to device units is measured on its own.
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdint>
#include <vector>

#include "host/device/output_engine.h"

namespace device {
namespace {

constexpr double kRate = 100000.0;
constexpr std::int64_t kSteps = 100000;
constexpr int kInputs = 16;
constexpr int kOutputs = 10;

// Input k: a slow sine of 10 V whose frequency depends on k, noise of about 0.3 V, and every
// 50 ms a 5 ms burst of 4 V.
device::Signals MakeSignals() {
    device::Signals signals;
    signals.SampleRate = kRate;
    std::uint32_t noise = 12345;
    for (int k = 0; k < kInputs; ++k) {
        device::SignalChannel& channel = signals.Channels.emplace_back();
        channel.Name = "Input " + std::to_string(k + 1);
        channel.Unit = "V";
        channel.Values.resize(kSteps);
        for (std::int64_t j = 0; j < kSteps; ++j) {
            noise = noise * 1664525u + 1013904223u;
            const double t = static_cast<double>(j) / kRate;
            const double burst = (j + 1000 * k) % 5000 < 500 ? 4.0 : 0.0;
            channel.Values[static_cast<std::size_t>(j)] =
                6.0 * std::sin(2 * M_PI * (3.0 + k) * t) + burst +
                0.3 * (static_cast<double>(noise >> 8) / (1 << 24) - 0.5);
        }
    }
    return signals;
}

// Output n watches inputs n to n + 3 above and below levels spread over the range; even
// outputs combine with all and a hysteresis above the noise, odd ones with any and a
// hysteresis within it (so they retrigger); every third output follows its state.
std::vector<OutputProgram> MakePrograms() {
    std::vector<OutputProgram> programs;
    for (int n = 0; n < kOutputs; ++n) {
        OutputProgram& program = programs.emplace_back();
        program.Output = n < 2 ? n + 1 : -(n - 1);
        program.Mode = n % 2 == 0 ? OutputCommandBlock::kAllRules : OutputCommandBlock::kAnyRule;
        program.PulseWidth = n % 3 == 2 ? 0.0 : 0.001;
        program.PulseDelay = 0.0005 * n;
        program.Holdoff = 0.002;
        program.PulseCountLimit = n == 9 ? 50 : 0;
        for (int k = 0; k < 4; ++k) {
            const bool below = (n + k) % 3 == 0;
            const std::int32_t level = -16000 + 8000 * k + 500 * n;
            program.Rules.push_back(
                RuleProgram{k, (n + k) % kInputs + 1, below, level, n % 2 == 0 ? 1600 : 100});
        }
    }
    return programs;
}

const DeviceSamples& Samples() {
    static const DeviceSamples samples =
        ConvertSignals(MakeSignals(), std::vector<double>(kInputs, 10.0));
    return samples;
}

void BM_ReplayOutputs(benchmark::State& state) {
    const std::vector<OutputProgram> programs = MakePrograms();
    const DeviceSamples& samples = Samples();
    std::size_t pulses = 0, ignored = 0;
    for (auto _ : state) {
        const device::Trace trace = ReplayOutputs(programs, samples);
        pulses = ignored = 0;
        for (const auto& output : trace.Outputs) {
            pulses += output.Pulses.size();
            ignored += output.Ignored.size();
        }
        benchmark::DoNotOptimize(pulses);
    }
    state.SetItemsProcessed(state.iterations() * kSteps);
    state.counters["x_real_time"] = benchmark::Counter(
        static_cast<double>(state.iterations()) * kSteps / kRate, benchmark::Counter::kIsRate);
    state.counters["pulses"] = static_cast<double>(pulses);
    state.counters["ignored"] = static_cast<double>(ignored);
}
BENCHMARK(BM_ReplayOutputs)->Unit(benchmark::kMillisecond);

void BM_ConvertSignals(benchmark::State& state) {
    const device::Signals signals = MakeSignals();
    const std::vector<double> ranges(kInputs, 10.0);
    for (auto _ : state)
        benchmark::DoNotOptimize(ConvertSignals(signals, ranges));
    state.SetItemsProcessed(state.iterations() * kSteps);
}
BENCHMARK(BM_ConvertSignals)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace device

BENCHMARK_MAIN();
