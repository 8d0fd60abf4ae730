// A replay held in memory handed to the report writers as one block.
#include "host/device/input_converter.h"
#include "host/preview/reports/report_writer.h"

namespace preview {

device::RecordingInfo RecordingOf(const device::Signals& signals) {
    device::RecordingInfo info;
    info.SampleRate = signals.SampleRate;
    info.StartTime = signals.StartTime;
    info.SampleCount = static_cast<std::int64_t>(signals.SampleCount());
    for (const device::SignalChannel& channel : signals.Channels)
        info.Channels.push_back({channel.Name, channel.Unit});
    return info;
}

void ConsumeWhole(ReportWriter& writer, const ReplaySetup& setup, const device::Signals& samples,
                  const device::Trace& events) {
    device::SampleBlock block;
    block.Count = static_cast<std::int64_t>(samples.SampleCount());
    for (std::size_t k = 0; k < samples.Channels.size(); ++k) {
        const std::vector<double>& values = samples.Channels[k].Values;
        block.Values.push_back(values);
        std::vector<std::int16_t>& units = block.Units.emplace_back(values.size());
        const double range = k < setup.Inputs.size() ? setup.Inputs[k].Range : 1.0;
        device::ConvertToDeviceUnits(values.data(), values.size(), range, units.data());
    }
    device::TraceBlock trace;
    trace.Count = setup.Recording.SampleCount;
    trace.Outputs = events.Outputs;
    for (const device::OutputTrace& output : events.Outputs) {
        std::vector<device::LevelChange>& changes = trace.Changes.emplace_back();
        for (const device::Pulse& pulse : output.Pulses) {
            changes.push_back({pulse.Start, true});
            changes.push_back({pulse.End, false});
        }
    }
    writer.Consume(block, trace);
    device::TraceBlock end;
    end.First = setup.Recording.SampleCount;
    end.Outputs.resize(events.Outputs.size());
    end.Changes.resize(events.Outputs.size());
    for (std::size_t k = 0; k < events.Outputs.size(); ++k)
        end.Outputs[k].Output = events.Outputs[k].Output;
    device::SampleBlock none;
    none.First = block.Count;
    writer.Consume(none, end);
}

}  // namespace preview
