#include "host/preview/formats/sound_format.h"

#include <sndfile.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <memory>
#include <vector>

#include "host/device/input_converter.h"
#include "host/preview/formats/signal_file_error.h"
#include "host/preview/formats/signal_format.h"

namespace preview {

namespace {

struct SoundFileCloser {
    void operator()(SNDFILE* file) const { sf_close(file); }
};

// Frames read at a time: a block of the replay.
constexpr sf_count_t kBlockFrames = 1 << 16;

// What a WAV file's own header declares, read beside the library: the bits of a sample and the
// bytes of the data, which the library does not tell (it reads a short file to its end as if
// that were all, and a 7-bit file as 8 bits).
struct WavDeclares {
    bool IsWav = false;
    int Bits = 0;
    std::uint32_t BlockAlign = 0;
    std::uint64_t DataBytes = 0;
    bool HasData = false;
};

std::uint32_t Little(const unsigned char* bytes, int count) {
    std::uint32_t value = 0;
    for (int i = count - 1; i >= 0; --i)
        value = value << 8 | bytes[i];
    return value;
}

WavDeclares ReadWavHeader(const std::string& path) {
    WavDeclares declares;
    std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(std::fopen(path.c_str(), "rb"),
                                                         &std::fclose);
    unsigned char head[12];
    if (!file || std::fread(head, 1, 12, file.get()) != 12 || std::memcmp(head, "RIFF", 4) != 0 ||
        std::memcmp(head + 8, "WAVE", 4) != 0)
        return declares;
    declares.IsWav = true;
    for (int chunks = 0; chunks < 1000; ++chunks) {
        unsigned char chunk[8];
        if (std::fread(chunk, 1, 8, file.get()) != 8)
            break;
        const std::uint32_t size = Little(chunk + 4, 4);
        if (std::memcmp(chunk, "fmt ", 4) == 0 && size >= 16) {
            unsigned char format[16];
            if (std::fread(format, 1, 16, file.get()) != 16)
                break;
            declares.BlockAlign = Little(format + 12, 2);
            declares.Bits = static_cast<int>(Little(format + 14, 2));
            if (std::fseek(file.get(), static_cast<long>(size - 16 + (size & 1)), SEEK_CUR) != 0)
                break;
        } else if (std::memcmp(chunk, "data", 4) == 0) {
            declares.DataBytes = size;
            declares.HasData = true;
            break;
        } else if (std::fseek(file.get(), static_cast<long>(size) + (size & 1), SEEK_CUR) != 0) {
            break;
        }
    }
    return declares;
}

std::string Count(std::int64_t count, const char* what) {
    return std::to_string(count) + " " + what;
}

// A sound file's channels have no names of their own: channel k is "Channel k".
std::vector<std::string> ChannelLabels(int channels) {
    std::vector<std::string> labels;
    for (int channel = 1; channel <= channels; ++channel)
        labels.push_back("Channel " + std::to_string(channel));
    return labels;
}

class SoundReader final : public SignalReader {
public:
    // Chooses the channels the inputs read once the file is open: `choose` gives, for each input,
    // the channel it reads among the file's `channels`.
    template <typename Choose>
    SoundReader(const std::string& path, const std::vector<InputScale>& inputs, Choose choose)
        : path_(path) {
        SF_INFO info{};
        file_.reset(sf_open(path.c_str(), SFM_READ, &info));
        if (!file_)
            throw SignalFileError(
                path, 0, std::string("does not read as a sound file: ") + sf_strerror(nullptr));
        if (info.channels < 1 || info.samplerate < 1)
            throw SignalFileError(path, 0, "has no channels or no sample rate");
        const ChannelChoice choice = choose(info.channels);
        inputs_ = inputs;
        const WavDeclares declares = ReadWavHeader(path);
        if (declares.IsWav && declares.Bits % 8 != 0) {
            throw SignalFileError(path, 0,
                                  "holds " + std::to_string(declares.Bits) +
                                      "-bit samples, which this reader does not convert "
                                      "exactly; only 8, 16, 24, 32 and 64 bits read");
        }
        if (declares.IsWav && declares.HasData && declares.BlockAlign > 0) {
            const std::uint64_t declared = declares.DataBytes / declares.BlockAlign;
            if (declared > static_cast<std::uint64_t>(info.frames)) {
                throw SignalFileError(
                    path, 0,
                    "holds " + Count(info.frames, "frames") + " of the " +
                        std::to_string(declared) + " its header declares (" +
                        std::to_string(declared - static_cast<std::uint64_t>(info.frames)) +
                        " missing): the file is cut short");
            }
        }
        if (info.frames < 2)
            throw SignalFileError(path, 0, "has fewer than two samples");
        info_.SampleRate = info.samplerate;
        info_.SampleCount = info.frames;
        channels_ = static_cast<std::size_t>(info.channels);
        for (std::size_t input = 0; input < InputsFed(choice); ++input) {
            channelOf_.push_back(*choice[input]);
            info_.Channels.push_back({"Input " + std::to_string(input + 1), inputs[input].Unit});
        }
        // 8- and 16-bit samples are whole numbers the library scales by 1/32768: their device
        // units come from a table made by the same arithmetic as the values.
        const int subtype = info.format & SF_FORMAT_SUBMASK;
        whole_ = subtype == SF_FORMAT_PCM_16 || subtype == SF_FORMAT_PCM_S8 ||
                 subtype == SF_FORMAT_PCM_U8;
        if (whole_) {
            for (std::size_t input = 0; input < channelOf_.size(); ++input) {
                const double range = inputs[input].Range;
                // One table per range: the k-th table is for the k-th range met.
                std::size_t same = 0;
                while (same < tableRanges_.size() && tableRanges_[same] != range)
                    ++same;
                if (same == tables_.size()) {
                    tables_.push_back(std::make_unique<device::SampleTable>(device::MakeSampleTable(
                        [range](std::int32_t s) { return s * (1.0 / 32768) * range; }, range)));
                    tableRanges_.push_back(range);
                }
                tableOf_.push_back(tables_[same].get());
            }
        } else {
            sf_command(file_.get(), SFC_SET_NORM_DOUBLE, nullptr, SF_TRUE);
        }
    }

    void Next(device::SampleBlock& block, const device::BlockNeeds& needs) override {
        block.First = done_;
        const sf_count_t want = std::min<sf_count_t>(kBlockFrames, info_.SampleCount - done_);
        sf_count_t read = 0;
        if (want > 0) {
            if (whole_) {
                shorts_.resize(static_cast<std::size_t>(want) * channels_);
                read = sf_readf_short(file_.get(), shorts_.data(), want);
            } else {
                doubles_.resize(static_cast<std::size_t>(want) * channels_);
                read = sf_readf_double(file_.get(), doubles_.data(), want);
            }
        }
        const bool failed = sf_error(file_.get()) != SF_ERR_NO_ERROR;
        if (read < want) {
            // A damaged file: the library stops, or skips what it cannot decode.
            const std::int64_t delivered = done_ + std::max<sf_count_t>(read, 0);
            throw SignalFileError(
                path_, 0,
                "delivers " + Count(delivered, "frames") + " of the " +
                    std::to_string(info_.SampleCount) + " its header declares (" +
                    std::to_string(info_.SampleCount - delivered) +
                    " missing): the file is damaged" +
                    (failed ? std::string(" (") + sf_strerror(file_.get()) + ")" : ""));
        }
        if (failed)
            throw SignalFileError(path_, 0,
                                  std::string("could not be read: ") + sf_strerror(file_.get()));
        Size(block, read);
        const std::size_t n = static_cast<std::size_t>(read);
        for (std::size_t input = 0; input < channelOf_.size(); ++input) {
            const bool units = input < needs.Units.size() && needs.Units[input];
            const bool values = input < needs.Values.size() && needs.Values[input];
            if (whole_)
                FromWhole(input, n, units, values, block);
            else if (units || values)
                FromDoubles(input, n, units, block);
        }
        done_ += read;
    }

private:
    void FromWhole(std::size_t input, std::size_t n, bool units, bool values,
                   device::SampleBlock& block) const {
        const short* in = shorts_.data() + channelOf_[input];
        if (units) {
            const device::SampleTable& table = *tableOf_[input];
            std::int16_t* out = block.Units[input].data();
            for (std::size_t j = 0; j < n; ++j)
                out[j] = table[static_cast<std::size_t>(in[j * channels_] + 32768)];
        }
        if (values) {
            const double range = inputs_[input].Range;
            double* out = block.Values[input].data();
            for (std::size_t j = 0; j < n; ++j)
                out[j] = in[j * channels_] * (1.0 / 32768) * range;
        }
    }

    void FromDoubles(std::size_t input, std::size_t n, bool units,
                     device::SampleBlock& block) const {
        const std::size_t channel = channelOf_[input];
        const double range = inputs_[input].Range;
        double* out = block.Values[input].data();
        for (std::size_t j = 0; j < n; ++j) {
            const double sample = doubles_[j * channels_ + channel];
            // A floating-point file can hold what no converter delivers.
            if (!std::isfinite(sample)) {
                throw SignalFileError(path_, 0,
                                      "channel " + std::to_string(channel + 1) + ", sample " +
                                          std::to_string(done_ + static_cast<std::int64_t>(j)) +
                                          ": the value is not a finite number");
            }
            out[j] = sample * range;
        }
        if (units)
            device::ConvertToDeviceUnits(out, n, range, block.Units[input].data());
    }

    std::string path_;
    std::vector<InputScale> inputs_;
    std::unique_ptr<SNDFILE, SoundFileCloser> file_;
    std::size_t channels_ = 0;            // the file's, interleaved in a frame
    std::vector<std::size_t> channelOf_;  // by input: the channel it reads
    bool whole_ = false;
    std::vector<std::unique_ptr<device::SampleTable>> tables_;
    std::vector<double> tableRanges_;  // the range of each table
    std::vector<const device::SampleTable*> tableOf_;
    std::vector<short> shorts_;
    std::vector<double> doubles_;
    std::int64_t done_ = 0;
};

}  // namespace

std::unique_ptr<SignalReader> OpenSoundSignals(const std::string& path,
                                               const std::vector<InputScale>& inputs,
                                               const ChannelMap* map) {
    return std::make_unique<SoundReader>(path, inputs, [&](int channels) {
        return SelectChannels(ChannelLabels(channels), map, inputs.size(), path);
    });
}

device::Signals ReadSoundSignals(const std::string& path, const std::vector<InputScale>& inputs) {
    return ReadAll(*OpenSoundSignals(path, inputs, nullptr));
}

std::vector<ChannelSurvey> SurveySoundSignals(const std::string& path) {
    // Every channel at once, as a share of full scale: a range of 1 and no unit.
    std::vector<InputScale> scales;
    SoundReader reader(path, scales, [&](int channels) {
        ChannelChoice all;
        for (std::size_t channel = 0; channel < static_cast<std::size_t>(channels); ++channel) {
            all.push_back(channel);
            scales.push_back({1.0, ""});
        }
        return all;
    });
    std::vector<ChannelSurvey> channels = SurveyAll(reader);
    const std::vector<std::string> labels = ChannelLabels(static_cast<int>(channels.size()));
    for (std::size_t channel = 0; channel < channels.size(); ++channel)
        channels[channel].Label = labels[channel];
    return channels;
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
        {".wav", ".flac"},   "full scale is each input's range",
        &OpenSoundSignals,   &WriteSoundSignals,
        &SurveySoundSignals,
    };
    return format;
}

}  // namespace preview
