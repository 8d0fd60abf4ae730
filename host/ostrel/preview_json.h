// The figures `ostrel preview` prints, as the JSON of its --json file (schema in
// docs/ostrel.md): the recording, the part looked at, the reference events, and per output its
// program, pulses, ignored triggers and, when scored, its scoring.
#pragma once

#include <nlohmann/json.hpp>
#include <optional>
#include <string>
#include <vector>

#include "host/device/output_program.h"
#include "host/device/sample_block.h"
#include "host/ostrel/preview_summary.h"
#include "host/preview/formats/input_scale.h"
#include "host/scoring/event_matching.h"

namespace ostrel {

// What the preview was asked to score against.
struct ReferenceFacts {
    std::string File;
    std::optional<std::string> Label;
    std::size_t InFile = 0;  // events the file gave (the part looked at counts fewer)
    scoring::MatchWindow Window;
};

// `scores` is empty without reference events, else one per program.
nlohmann::json PreviewJson(const std::string& signals,
                           const std::vector<device::OutputProgram>& programs,
                           const device::RecordingInfo& recording, const SummaryTally& tally,
                           SampleWindow window, const std::vector<preview::InputScale>& inputs,
                           const std::optional<ReferenceFacts>& reference,
                           const std::vector<scoring::Figures>& scores);

}  // namespace ostrel
