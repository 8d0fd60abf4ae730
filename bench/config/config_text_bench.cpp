// Writing and reading the configuration text of 10 outputs (2 analog, 8 digital) with 4 rules
// each.
#include <benchmark/benchmark.h>

#include <string>

#include "config/event_config.h"

namespace {

using VavazaZavidi::EventConfig;
using VavazaZavidi::Rule;

EventConfig TenOutputsWithFourRules() {
    EventConfig config;
    config.SetOutputCounts(2, 8);
    config.AddDefaultRules();
    for (std::int32_t i = 0; i < config.GetCount(); ++i) {
        config.Settings(i).On = i % 2 == 0;
        config.Settings(i).PulseDelay = 0.0125 * i;
        for (std::int32_t k = 0; k < 3; ++k)
            config.InsertRule(i, k);
        for (std::int32_t k = 0; k < 4; ++k) {
            config.SetRule(i, k, Rule{k, k % 2 == 0, 2.5, 12.3456789 * k - 20.0});
        }
    }
    return config;
}

void BM_Serialize(benchmark::State& state) {
    const EventConfig config = TenOutputsWithFourRules();
    std::string text;
    for (auto _ : state) {
        config.Serialize(text);
        benchmark::DoNotOptimize(text.data());
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(text.size()));
}
BENCHMARK(BM_Serialize);

void BM_Deserialize(benchmark::State& state) {
    std::string text;
    TenOutputsWithFourRules().Serialize(text);
    EventConfig config;
    for (auto _ : state)
        benchmark::DoNotOptimize(config.Deserialize(text));
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(text.size()));
}
BENCHMARK(BM_Deserialize);

}  // namespace
