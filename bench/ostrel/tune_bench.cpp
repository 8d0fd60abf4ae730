// ostrel tune's two steps on the sweep its goal names: 1,000 combinations of a 5-minute
// recording at 360 samples per second (108,000 samples of one input, an ECG-like train of
// beats with noise, 380 reference beats).
//   BM_ScoreCombination: the inner loop, one combination replayed through the preview's pipeline
//     from memory and scored; items are samples, so items per second / 108,000 is
//     combinations per second per core; ->Threads(2) shows how two cores share it.
//   BM_ProgramCombination: the configuration text changed, sent to the extension's document,
//     the device programmed and its programs read back, as tune does it for each combination
//     (on one thread: it goes through the host session).
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdint>
#include <sstream>
#include <vector>

#include "host/device/input_converter.h"
#include "host/device/output_program.h"
#include "host/inspect/tarvel_formats.h"
#include "host/inspect/tuned_text.h"
#include "host/ostrel/ostrel_host.h"
#include "host/preview/scored_replay.h"

namespace {

constexpr double kRate = 360.0;
constexpr std::int64_t kSamples = 5 * 60 * 360;
constexpr double kRange = 5.0;  // mV
constexpr std::size_t kCombinations = 1000;

struct Recording {
    preview::HeldRecording Held;
    preview::ScoringSetup Scoring;
};

// Beats of 1.5 mV (each varying by up to ±0.4 mV) lasting 40 ms, 0.6 to 1 s apart, on a
// wandering baseline with noise of ±0.1 mV.
const Recording& TheRecording() {
    static const Recording recording = [] {
        Recording made;
        made.Held.Path = "beats";
        made.Held.Info = {kRate, 0.0, kSamples, {{"Input 1", "mV"}}};
        std::vector<double> values(kSamples);
        std::uint32_t noise = 2024;
        const auto random = [&] {
            noise = noise * 1664525u + 1013904223u;
            return static_cast<double>(noise >> 8) / (1 << 24);
        };
        std::vector<double> beats;
        for (double t = 0.5; t < kSamples / kRate - 1; t += 0.6 + 0.4 * random())
            beats.push_back(t);
        for (std::int64_t j = 0; j < kSamples; ++j) {
            const double t = static_cast<double>(j) / kRate;
            values[static_cast<std::size_t>(j)] =
                0.3 * std::sin(2 * M_PI * 0.2 * t) + 0.2 * (random() - 0.5);
        }
        for (const double beat : beats) {
            const double height = 1.5 + 0.8 * (random() - 0.5);
            const auto first = static_cast<std::int64_t>(beat * kRate);
            for (std::int64_t j = first; j < first + 14 && j < kSamples; ++j)
                values[static_cast<std::size_t>(j)] +=
                    height * std::sin(M_PI * static_cast<double>(j - first) / 14);
            made.Scoring.Events.push_back(beat + 7 / kRate);
        }
        std::vector<std::int16_t> units(kSamples);
        device::ConvertToDeviceUnits(values.data(), values.size(), kRange, units.data());
        made.Held.Units.push_back(std::move(units));
        made.Scoring = preview::WholeRecordingScoring(made.Held.Info, made.Scoring.Events,
                                                      scoring::MatchWindow{-0.1, 0.1});
        return made;
    }();
    return recording;
}

// Combination i: a level from 0.5 to 1.5 mV in 40 steps, a hold-off of 0 to 0.24 s in 25.
device::OutputProgram ProgramOf(std::size_t i) {
    device::OutputProgram program;
    program.Output = 1;
    program.Mode = OutputCommandBlock::kAllRules;
    program.PulseWidth = 0.01;
    program.Holdoff = 0.01 * static_cast<double>(i % 25);
    const double level = 0.5 + 0.025 * static_cast<double>(i / 25 % 40);
    const auto threshold = static_cast<std::int32_t>(level / kRange * device::kDeviceFullScale);
    program.Rules.push_back({0, 1, false, threshold, 1600});
    program.Block.Mode = program.Mode;
    return program;
}

void BM_ScoreCombination(benchmark::State& state) {
    const Recording& recording = TheRecording();
    std::vector<device::OutputProgram> programs;
    for (std::size_t i = 0; i < kCombinations; ++i)
        programs.push_back(ProgramOf(i));
    std::size_t i = static_cast<std::size_t>(state.thread_index()) * 7;
    double f1 = 0;
    for (auto _ : state) {
        const scoring::Figures figures =
            preview::ScoreReplay(recording.Held, recording.Scoring, programs[i % kCombinations]);
        f1 = figures.F1();
        benchmark::DoNotOptimize(f1);
        ++i;
    }
    state.SetItemsProcessed(state.iterations() * kSamples);
    state.counters["combinations"] =
        benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_ScoreCombination)
    ->Unit(benchmark::kMicrosecond)
    ->Threads(1)
    ->Threads(2)
    ->UseRealTime();

// The demonstration device with one input of 5 mV; output 1 above 1 mV.
void BM_ProgramCombination(benchmark::State& state) {
    device::DeviceDescription description;
    description.Inputs = 1;
    std::ostringstream messages;
    ostrel::OstrelHost host(description, messages);
    host.SendConfigurationText(inspect::OneRuleConfigurationText(&host.Device(), 10.0));
    const std::string base = host.DocumentText();
    std::size_t i = 0;
    for (auto _ : state) {
        inspect::SettingChange change;
        change.LevelPercent = 10.0 + 0.5 * static_cast<double>(i % 40);
        change.Holdoff = 0.01 * static_cast<double>(i % 25);
        const std::string text = inspect::ChangedConfigurationText(base, 1, 1, change);
        host.Device().ClearRecord();
        host.SendConfigurationText(text);
        benchmark::DoNotOptimize(device::ProgramsInForce(host.Device().Commands(), 1));
        ++i;
    }
    state.counters["combinations"] =
        benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_ProgramCombination)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
