#include "host/preview/signal_file_writers.h"

#include <edflib.h>
#include <sndfile.h>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <memory>

#include "host/preview/signal_file_error.h"

namespace Ostrel::Preview {

namespace {

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};

void CheckChannels(const std::string& path, const Signals& signals,
                   const std::vector<InputScale>& inputs) {
    if (signals.Channels.empty() || signals.Channels.size() > inputs.size())
        throw SignalFileError(path, 0,
                              "needs one to " + std::to_string(inputs.size()) + " channels");
}

}  // namespace

void WriteCsvSignals(const std::string& path, const Signals& signals, int significantDigits) {
    const std::unique_ptr<std::FILE, FileCloser> file(std::fopen(path.c_str(), "wb"));
    if (!file)
        throw SignalFileError(path, 0, "cannot be opened for writing");
    std::string text = "time (s)";
    for (const SignalChannel& channel : signals.Channels)
        text += "," + channel.Name + " (" + channel.Unit + ")";
    text += '\n';
    const int decimals = std::max(0, static_cast<int>(std::ceil(std::log10(signals.SampleRate))));
    char buffer[64];
    for (std::size_t sample = 0; sample < signals.SampleCount(); ++sample) {
        const double time = signals.StartTime + static_cast<double>(sample) / signals.SampleRate;
        text.append(buffer, std::to_chars(buffer, buffer + sizeof buffer, time,
                                          std::chars_format::fixed, decimals)
                                .ptr);
        for (const SignalChannel& channel : signals.Channels) {
            text += ',';
            text.append(buffer,
                        std::to_chars(buffer, buffer + sizeof buffer, channel.Values[sample],
                                      std::chars_format::general, significantDigits)
                            .ptr);
        }
        text += '\n';
        if (text.size() > (1 << 20) || sample + 1 == signals.SampleCount()) {
            if (std::fwrite(text.data(), 1, text.size(), file.get()) != text.size())
                throw SignalFileError(path, 0, "could not be written");
            text.clear();
        }
    }
    if (std::fflush(file.get()) != 0)
        throw SignalFileError(path, 0, "could not be written");
}

void WriteSoundSignals(const std::string& path, const Signals& signals,
                       const std::vector<InputScale>& inputs) {
    CheckChannels(path, signals, inputs);
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

void WriteEdfSignals(const std::string& path, const Signals& signals,
                     const std::vector<InputScale>& inputs) {
    CheckChannels(path, signals, inputs);
    const long rate = std::lround(signals.SampleRate);
    if (rate <= 0 || static_cast<double>(rate) != signals.SampleRate ||
        signals.SampleCount() % static_cast<std::size_t>(rate) != 0) {
        throw SignalFileError(path, 0, "needs a whole rate and whole seconds of samples");
    }
    const int count = static_cast<int>(signals.Channels.size());
    const int handle = edfopen_file_writeonly(path.c_str(), EDFLIB_FILETYPE_EDFPLUS, count);
    if (handle < 0)
        throw SignalFileError(path, 0, "cannot be opened for writing");
    // A fixed start, so that the same signals always make the same file.
    bool ok = edf_set_startdatetime(handle, 2000, 1, 1, 0, 0, 0) == 0;
    for (int signal = 0; signal < count; ++signal) {
        const InputScale& scale = inputs[static_cast<std::size_t>(signal)];
        ok = ok && edf_set_samplefrequency(handle, signal, static_cast<int>(rate)) == 0 &&
             edf_set_physical_maximum(handle, signal, scale.Range) == 0 &&
             edf_set_physical_minimum(handle, signal, -scale.Range) == 0 &&
             edf_set_digital_maximum(handle, signal, 32767) == 0 &&
             edf_set_digital_minimum(handle, signal, -32768) == 0 &&
             edf_set_label(handle, signal, signals.Channels[signal].Name.c_str()) == 0 &&
             edf_set_physical_dimension(handle, signal, scale.Unit.c_str()) == 0;
    }
    std::vector<double> record(static_cast<std::size_t>(rate));
    for (std::size_t start = 0; ok && start < signals.SampleCount(); start += record.size()) {
        for (int signal = 0; ok && signal < count; ++signal) {
            const std::vector<double>& values = signals.Channels[signal].Values;
            std::copy(values.begin() + static_cast<std::ptrdiff_t>(start),
                      values.begin() + static_cast<std::ptrdiff_t>(start + record.size()),
                      record.begin());
            ok = edfwrite_physical_samples(handle, record.data()) == 0;
        }
    }
    const bool closed = edfclose_file(handle) == 0;
    if (!ok || !closed)
        throw SignalFileError(path, 0, "could not be written");
}

}  // namespace Ostrel::Preview
