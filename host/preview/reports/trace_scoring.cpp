#include "host/preview/reports/trace_scoring.h"

#include <stdexcept>

namespace preview {

TraceScoring::TraceScoring(const ReplaySetup& setup, bool keepDecisions)
    : scoring_(setup.Scoring.value_or(ScoringSetup{})),
      keep_(keepDecisions),
      start_(setup.Recording.StartTime),
      rate_(setup.Recording.SampleRate) {
    if (!setup.Scoring)
        throw std::logic_error("a replay scored without reference events");
    for (const OutputCommandBlock& block : setup.Blocks)
        scored_.push_back(block.Mode != OutputCommandBlock::kOff);
}

void TraceScoring::Consume(const device::TraceBlock& events) {
    if (matchers_.empty()) {
        for (std::size_t k = 0; k < events.Changes.size(); ++k)
            matchers_.emplace_back(scoring_.Events, scoring_.Window, scoring_.Counted, keep_);
    }
    for (std::size_t k = 0; k < matchers_.size() && k < events.Changes.size(); ++k) {
        if (!Scores(k))
            continue;
        for (const device::LevelChange& change : events.Changes[k]) {
            if (change.High)
                matchers_[k].AddPulse(TimeOf(change.Sample));
        }
        if (events.Count == 0)
            matchers_[k].Finish();
        else
            matchers_[k].Advance(TimeOf(events.First + events.Count));
    }
    finished_ = events.Count == 0;
}

}  // namespace preview
