// One output's program replayed over a held recording and scored against reference events:
// the step `ostrel tune` repeats for every combination and every recording. The replay is the
// preview's own (ReplayRecording through a HeldReader), the scoring the preview's TraceScoring.
#pragma once

#include "host/device/output_program.h"
#include "host/preview/held_recording.h"
#include "host/preview/reports/report_writer.h"
#include "host/scoring/event_matching.h"

namespace preview {

// The scoring of the recording's whole span against `events` in `window`.
ScoringSetup WholeRecordingScoring(const device::RecordingInfo& recording,
                                   std::vector<double> events, scoring::MatchWindow window);

// The figures of `program` (an active one) over `recording`, scored as `scoring` says.
scoring::Figures ScoreReplay(const HeldRecording& recording, const ScoringSetup& scoring,
                             const device::OutputProgram& program);

}  // namespace preview
