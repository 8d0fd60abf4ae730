#include "host/preview/formats/signal_reader.h"

#include <algorithm>

#include "host/device/input_converter.h"

namespace preview {

void SignalReader::ConvertUnits(device::SampleBlock& block, const device::BlockNeeds& needs,
                                const std::vector<InputScale>& inputs) const {
    for (std::size_t k = 0; k < info_.Channels.size(); ++k) {
        if (k < needs.Units.size() && needs.Units[k]) {
            device::ConvertToDeviceUnits(block.Values[k].data(),
                                         static_cast<std::size_t>(block.Count), inputs[k].Range,
                                         block.Units[k].data());
        }
    }
}

void SignalReader::Size(device::SampleBlock& block, std::int64_t count) const {
    block.Count = count;
    block.Units.resize(info_.Channels.size());
    block.Values.resize(info_.Channels.size());
    for (std::size_t k = 0; k < info_.Channels.size(); ++k) {
        block.Units[k].resize(static_cast<std::size_t>(count));
        block.Values[k].resize(static_cast<std::size_t>(count));
    }
}

device::BlockNeeds AllOf(const device::RecordingInfo& info) {
    return {std::vector<bool>(info.Channels.size(), true),
            std::vector<bool>(info.Channels.size(), true)};
}

device::Signals ReadAll(SignalReader& reader) {
    const device::RecordingInfo& info = reader.Info();
    device::Signals signals;
    signals.SampleRate = info.SampleRate;
    signals.StartTime = info.StartTime;
    for (const device::ChannelName& channel : info.Channels)
        signals.Channels.push_back({channel.Name, channel.Unit, {}});
    const device::BlockNeeds needs{std::vector<bool>(info.Channels.size(), false),
                                   std::vector<bool>(info.Channels.size(), true)};
    device::SampleBlock block;
    for (reader.Next(block, needs); block.Count > 0; reader.Next(block, needs)) {
        for (std::size_t k = 0; k < signals.Channels.size(); ++k) {
            const auto& values = block.Values[k];
            signals.Channels[k].Values.insert(signals.Channels[k].Values.end(), values.begin(),
                                              values.begin() + block.Count);
        }
    }
    return signals;
}

std::vector<ChannelSurvey> SurveyAll(SignalReader& reader) {
    const device::RecordingInfo& info = reader.Info();
    std::vector<ChannelSurvey> channels;
    for (const device::ChannelName& channel : info.Channels)
        channels.push_back({channel.Name, channel.Unit, info.SampleRate, 0, {}, {}});
    const device::BlockNeeds needs{std::vector<bool>(channels.size(), false),
                                   std::vector<bool>(channels.size(), true)};
    device::SampleBlock block;
    for (reader.Next(block, needs); block.Count > 0; reader.Next(block, needs)) {
        for (std::size_t k = 0; k < channels.size(); ++k) {
            ChannelSurvey& channel = channels[k];
            const auto values = block.Values[k].begin();
            const auto [low, high] = std::minmax_element(values, values + block.Count);
            channel.Minimum = std::min(channel.Minimum.value_or(*low), *low);
            channel.Maximum = std::max(channel.Maximum.value_or(*high), *high);
            channel.Samples += block.Count;
        }
    }
    return channels;
}

}  // namespace preview
