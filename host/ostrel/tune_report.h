// What `ostrel tune` tells of a sweep: the lines it prints (the sweep, the recordings, the best
// combinations as a table), the JSON of its --json file (schema in docs/ostrel.md) and the heat
// map of its --plot file.
#pragma once

#include <cstddef>
#include <cstdint>
#include <nlohmann/json.hpp>
#include <optional>
#include <string>
#include <vector>

#include "host/device/sample_block.h"
#include "host/ostrel/tune_heat_map.h"
#include "host/ostrel/tune_sweep.h"
#include "host/preview/formats/input_scale.h"
#include "host/scoring/event_matching.h"

namespace ostrel {

struct TunedRecording {
    std::string Signals;
    std::string Reference;
    device::RecordingInfo Info;
    std::size_t Events = 0;  // reference events in the recording's span
};

struct TuneRun {
    std::int32_t Output = 0;
    std::int32_t Condition = 1;
    std::int32_t Input = 1;  // the condition's input, 1-based
    bool Above = true;
    preview::InputScale Scale;  // of that input
    Sweep Swept{{}};
    scoring::MatchWindow Window;
    std::optional<std::string> Label;
    unsigned Jobs = 1;
    std::vector<TunedRecording> Recordings;
    std::vector<Tried> Results;        // by combination
    std::vector<std::size_t> Ranking;  // combinations, best first
};

// "level (mV)", "hysteresis (%)", "hold-off (s)", "width (s)".
std::string SettingHeading(TunedSetting setting, const preview::InputScale& scale);

// The lines before the table: what is tuned and swept, the recordings.
std::string TuneHeader(const TuneRun& run);

// The best `top` combinations, one line each, under a heading line.
std::string TuneTable(const TuneRun& run, std::size_t top);

// Every figure of the run: see docs/ostrel.md for the schema.
nlohmann::json TuneJson(const TuneRun& run);

// F1 over the first two settings swept (the best over the others), the best ringed.
HeatMap TuneHeatMap(const TuneRun& run);

}  // namespace ostrel
