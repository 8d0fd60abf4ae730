// The scoring of a replay's outputs as the replay goes: per output a scoring::Matcher that gets
// each pulse's start as soon as the device decides it (the rise among the block's level
// changes, which may come before the pulse is settled) and is told, after every block, that no
// pulse starts earlier than the block's end. The last block (no samples) finishes it. The
// reports that score (events CSV, picture) and the preview's summary each keep one.
#pragma once

#include <cstdint>
#include <vector>

#include "host/device/trace.h"
#include "host/preview/reports/report_writer.h"
#include "host/scoring/event_matching.h"

namespace preview {

class TraceScoring {
public:
    // For a replay with `setup.Scoring`; `keepDecisions` as for scoring::Matcher.
    TraceScoring(const ReplaySetup& setup, bool keepDecisions);

    // One block of the replay, in order.
    void Consume(const device::TraceBlock& events);
    bool Finished() const { return finished_; }

    // Whether the output with index k among the block's outputs (the programs' order) is
    // scored: those the device carries out a block for that is not off.
    bool Scores(std::size_t k) const { return k < scored_.size() && scored_[k]; }
    // Its matcher.
    std::size_t Outputs() const { return matchers_.size(); }
    scoring::Matcher& Of(std::size_t k) { return matchers_[k]; }
    const scoring::Matcher& Of(std::size_t k) const { return matchers_[k]; }

    // The recording's time of a sample.
    double TimeOf(std::int64_t sample) const {
        return start_ + static_cast<double>(sample) / rate_;
    }

private:
    ScoringSetup scoring_;
    bool keep_;
    double start_, rate_;
    std::vector<bool> scored_;
    std::vector<scoring::Matcher> matchers_;
    bool finished_ = false;
};

}  // namespace preview
