#include "host/preview/formats/sound_format.h"

#include <sndfile.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <vector>

#include "host/preview/formats/signal_file_error.h"
#include "host/preview/formats/signal_format.h"

namespace preview {

namespace {

struct SoundFileCloser {
    void operator()(SNDFILE* file) const { sf_close(file); }
};

}  // namespace

device::Signals ReadSoundSignals(const std::string& path, const std::vector<InputScale>& inputs) {
    SF_INFO info{};
    const std::unique_ptr<SNDFILE, SoundFileCloser> file(sf_open(path.c_str(), SFM_READ, &info));
    if (!file)
        throw SignalFileError(
            path, 0, std::string("does not read as a sound file: ") + sf_strerror(nullptr));
    if (info.channels < 1 || info.samplerate < 1)
        throw SignalFileError(path, 0, "has no channels or no sample rate");
    if (static_cast<std::size_t>(info.channels) > inputs.size()) {
        throw SignalFileError(path, 0,
                              "has " + std::to_string(info.channels) +
                                  " channels, but the device has only " +
                                  std::to_string(inputs.size()) + " inputs");
    }
    sf_command(file.get(), SFC_SET_NORM_DOUBLE, nullptr, SF_TRUE);

    device::Signals signals;
    signals.SampleRate = info.samplerate;
    const std::size_t channels = static_cast<std::size_t>(info.channels);
    for (std::size_t channel = 0; channel < channels; ++channel) {
        signals.Channels.push_back(
            {"Input " + std::to_string(channel + 1), inputs[channel].Unit, {}});
    }
    // Reads in blocks and keeps what was decoded, so memory follows the samples actually in the
    // file, not the frame count its header claims.
    constexpr sf_count_t kFrames = 4096;
    std::vector<double> block(static_cast<std::size_t>(kFrames) * channels);
    for (;;) {
        const sf_count_t read = sf_readf_double(file.get(), block.data(), kFrames);
        if (read <= 0)
            break;
        for (std::size_t channel = 0; channel < channels; ++channel) {
            std::vector<double>& values = signals.Channels[channel].Values;
            const double range = inputs[channel].Range;
            for (sf_count_t frame = 0; frame < read; ++frame) {
                const double sample = block[static_cast<std::size_t>(frame) * channels + channel];
                // A floating-point file can hold what no converter delivers.
                if (!std::isfinite(sample)) {
                    throw SignalFileError(path, 0,
                                          "channel " + std::to_string(channel + 1) + ", sample " +
                                              std::to_string(values.size()) +
                                              ": the value is not a finite number");
                }
                values.push_back(sample * range);
            }
        }
    }
    if (sf_error(file.get()) != SF_ERR_NO_ERROR)
        throw SignalFileError(path, 0,
                              std::string("could not be read: ") + sf_strerror(file.get()));
    if (signals.SampleCount() < 2)
        throw SignalFileError(path, 0, "has fewer than two samples");
    return signals;
}

void WriteSoundSignals(const std::string& path, const device::Signals& signals,
                       const std::vector<InputScale>& inputs) {
    CheckChannelCount(path, signals, inputs);
    SF_INFO info{};
    info.samplerate = static_cast<int>(std::lround(signals.SampleRate));
    info.channels = static_cast<int>(signals.Channels.size());
    info.format = (path.ends_with(".flac") ? SF_FORMAT_FLAC : SF_FORMAT_WAV) | SF_FORMAT_PCM_16;
    SNDFILE* file = sf_open(path.c_str(), SFM_WRITE, &info);
    if (file == nullptr)
        throw SignalFileError(path, 0, std::string("cannot be written: ") + sf_strerror(nullptr));
    // Whole 16-bit samples, full scale 32768, as the reader reads them back.
    std::vector<short> frames(signals.SampleCount() * signals.Channels.size());
    for (std::size_t channel = 0; channel < signals.Channels.size(); ++channel) {
        const double range = inputs[channel].Range;
        for (std::size_t sample = 0; sample < signals.SampleCount(); ++sample) {
            const double scaled =
                std::round(signals.Channels[channel].Values[sample] / range * 32768.0);
            frames[sample * signals.Channels.size() + channel] =
                static_cast<short>(std::clamp(scaled, -32768.0, 32767.0));
        }
    }
    const sf_count_t written =
        sf_writef_short(file, frames.data(), static_cast<sf_count_t>(signals.SampleCount()));
    const bool closed = sf_close(file) == 0;
    if (written != static_cast<sf_count_t>(signals.SampleCount()) || !closed)
        throw SignalFileError(path, 0, "could not be written");
}

const SignalFormat& SoundFormat() {
    static const SignalFormat format{
        {".wav", ".flac"},
        "full scale is each input's range",
        &ReadSoundSignals,
        &WriteSoundSignals,
    };
    return format;
}

}  // namespace preview
