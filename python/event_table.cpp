#include "python/event_table.h"

#include "host/preview/reports/trace_labels.h"

namespace python {

double EventTable::TimeOf(std::int64_t sample) const {
    return Recording.StartTime + static_cast<double>(sample) / Recording.SampleRate;
}

std::string EventTable::NoteOf(const EventRow& row) const {
    if (!row.Pulse)
        return preview::ReasonText(row.Why);
    return row.End >= Recording.SampleCount ? "still high at the end" : "";
}

void EventGatherer::Consume(const device::SampleBlock&, const device::TraceBlock& events) {
    if (outputs_.empty())
        outputs_.resize(events.Outputs.size());
    for (std::size_t k = 0; k < events.Outputs.size(); ++k) {
        const device::OutputTrace& block = events.Outputs[k];
        device::OutputTrace& output = outputs_[k];
        output.Output = block.Output;
        output.Pulses.insert(output.Pulses.end(), block.Pulses.begin(), block.Pulses.end());
        output.Ignored.insert(output.Ignored.end(), block.Ignored.begin(), block.Ignored.end());
    }
}

std::vector<EventRow> EventGatherer::Rows() const {
    std::vector<EventRow> rows;
    for (const device::OutputTrace& output : outputs_) {
        auto pulse = output.Pulses.begin();
        const auto pulses_until = [&](std::int64_t sample) {
            for (; pulse != output.Pulses.end() && pulse->Start <= sample; ++pulse)
                rows.push_back({output.Output, true, pulse->Start, pulse->End, {}});
        };
        for (const device::IgnoredTrigger& ignored : output.Ignored) {
            pulses_until(ignored.Sample);
            rows.push_back({output.Output, false, ignored.Sample, 0, ignored.Why});
        }
        pulses_until(INT64_MAX);
    }
    return rows;
}

}  // namespace python
