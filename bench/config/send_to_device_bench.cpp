// Programming a device of 2 analog and 8 digital outputs (4 + 4), every output on with 4 rules.
#include <benchmark/benchmark.h>

#include "config/event_config.h"
#include "host/device/simulated_corvex.h"

namespace {

using VavazaZavidi::EventConfig;
using VavazaZavidi::Rule;

EventConfig FullConfiguration(IMasterDevice* device) {
    EventConfig config;
    config.LoadFromDevice(device);
    for (std::int32_t i = 0; i < config.GetCount(); ++i) {
        config.Settings(i).On = true;
        for (std::int32_t k = 0; k < 3; ++k)
            config.InsertRule(i, k);
        for (std::int32_t k = 0; k < 4; ++k) {
            config.SetRule(i, k, Rule{k, k % 2 == 0, 2.5, 10.0 * k - 15.0});
        }
    }
    return config;
}

void BM_SendToDevice(benchmark::State& state) {
    const auto corvex = device::SimulatedCorvex::Create(device::DeviceDescription{});
    const EventConfig config = FullConfiguration(corvex.Get());
    for (auto _ : state) {
        benchmark::DoNotOptimize(config.SendToDevice(corvex.Get()));
        corvex->ClearRecord();  // keeps the device's record from growing without end
    }
    state.SetItemsProcessed(state.iterations() * config.GetCount());
}
BENCHMARK(BM_SendToDevice);

}  // namespace
