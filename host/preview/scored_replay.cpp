#include "host/preview/scored_replay.h"

#include "host/preview/replay_pipeline.h"
#include "host/preview/reports/trace_scoring.h"

namespace preview {
namespace {

class ScoringFollower final : public ReplayFollower {
public:
    explicit ScoringFollower(const ReplaySetup& setup) : scoring_(setup, false) {}
    void Consume(const device::SampleBlock&, const device::TraceBlock& events) override {
        scoring_.Consume(events);
    }
    const scoring::Figures& Result() const { return scoring_.Of(0).Result(); }

private:
    TraceScoring scoring_;
};

}  // namespace

ScoringSetup WholeRecordingScoring(const device::RecordingInfo& recording,
                                   std::vector<double> events, scoring::MatchWindow window) {
    const double end =
        recording.StartTime + static_cast<double>(recording.SampleCount) / recording.SampleRate;
    return {std::move(events), window, {recording.StartTime, end}};
}

scoring::Figures ScoreReplay(const HeldRecording& recording, const ScoringSetup& scoring,
                             const device::OutputProgram& program) {
    const ReplaySetup setup{{program.Block}, {},     std::nullopt, std::nullopt,
                            recording.Info,  scoring};
    ScoringFollower follower(setup);
    HeldReader reader(recording);
    ReplayRecording(reader, recording.Path, {program}, {}, {&follower});
    return follower.Result();
}

}  // namespace preview
