// How ostrel prints the scoring of an output (host/scoring): the counts, the ratios and the
// latencies, for the preview's summary and tune's table.
#pragma once

#include <string>

#include "host/scoring/event_matching.h"

namespace ostrel {

// "0.9913", or "n/a" for a ratio without a denominator.
std::string RatioText(double ratio);

// "-20.0 ms" from seconds, or "n/a".
std::string MillisecondsText(double seconds);
// The same without the unit, for a table whose heading names it: "-20.0", or "n/a".
std::string MillisecondsNumber(double seconds);

// Two lines, each indented by two spaces and ended by a line feed:
//   "  402 reference events, 405 pulses: 400 hits, 2 missed, 5 false pulses"
//   "  sensitivity 0.9950, positive predictivity 0.9877, F1 0.9913; latency median 12.5 ms
//      (5th percentile 8.3 ms, 95th 20.1 ms)"
std::string ScoreLines(const scoring::Figures& figures);

// "window -0.1 s to 0.1 s"
std::string WindowText(const scoring::MatchWindow& window);

}  // namespace ostrel
