// ostrel's results as JSON (nlohmann::json), in one place: the scoring of an output, and the
// writing of a results file. The schemas of preview's and tune's files are in docs/ostrel.md;
// a figure that is no number (a ratio without a denominator, a latency without hits) is null.
#pragma once

#include <nlohmann/json.hpp>
#include <string>

#include "host/scoring/event_matching.h"

namespace ostrel {

// {"events", "pulses", "hits", "missed", "false_pulses", "sensitivity",
//  "positive_predictivity", "f1", "latency_ms": {"median", "p5", "p95"}}
nlohmann::json FiguresJson(const scoring::Figures& figures);
nlohmann::json FiguresJson(const scoring::Summary& figures);

// {"early_s", "late_s"}
nlohmann::json WindowJson(const scoring::MatchWindow& window);

// A number, or null for one that is not finite.
nlohmann::json NumberJson(double value);

// Writes `results` indented by two, ended by a line feed, through a files::OutputFile ("-":
// the standard output). Throws files::FileError when it cannot be written.
void WriteJson(const std::string& path, const nlohmann::json& results);

}  // namespace ostrel
