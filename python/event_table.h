// What a replay did, as the rows of the events CSV (host/preview/reports/events_csv_report.h)
// and in their order: per output, in the order the device holds them, its pulses and ignored
// triggers by time, a pulse before a trigger ignored at the sample it starts.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "host/device/sample_block.h"
#include "host/device/trace.h"
#include "host/preview/replay_pipeline.h"

namespace python {

struct EventRow {
    std::int32_t Output = 0;  // 1, 2 ... analog; -1, -2 ... digital
    bool Pulse = true;        // else an ignored trigger
    std::int64_t Start = 0;   // the pulse's first sample, or the ignored trigger's sample
    std::int64_t End = 0;     // a pulse's first low sample (the sample count: still high)
    device::IgnoredBecause Why = device::IgnoredBecause::kDelay;  // an ignored trigger's reason
};

struct EventTable {
    device::RecordingInfo Recording;
    std::vector<EventRow> Rows;

    // The recording's time of `sample`, in seconds.
    double TimeOf(std::int64_t sample) const;
    // The row's note as the CSV writes it: why a trigger was ignored, "still high at the end"
    // for a pulse that outlasts the recording, else empty.
    std::string NoteOf(const EventRow& row) const;
};

// Follows a replay block by block and gathers its rows.
class EventGatherer final : public preview::ReplayFollower {
public:
    void Consume(const device::SampleBlock& samples, const device::TraceBlock& events) override;
    // The rows in the CSV's order, once the replay has ended.
    std::vector<EventRow> Rows() const;

private:
    std::vector<device::OutputTrace> outputs_;
};

}  // namespace python
