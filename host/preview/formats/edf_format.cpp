#include "host/preview/formats/edf_format.h"

#include <edflib.h>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <vector>

#include "host/device/input_converter.h"
#include "host/preview/formats/signal_file_error.h"
#include "host/preview/formats/signal_format.h"

namespace preview {

namespace {

std::string Trimmed(const char* text) {
    std::string value(text);
    while (!value.empty() && value.back() == ' ')
        value.pop_back();
    while (!value.empty() && value.front() == ' ')
        value.erase(value.begin());
    return value;
}

std::string Number(double value) {
    char buffer[32];
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 10);
    return std::string(buffer, result.ptr);
}

std::string OpenError(int code) {
    switch (code) {
        case EDFLIB_MALLOC_ERROR:
            return "not enough memory to open it";
        case EDFLIB_NO_SUCH_FILE_OR_DIRECTORY:
            return "cannot be opened for reading";
        case EDFLIB_FILE_CONTAINS_FORMAT_ERRORS:
            return "is not a well-formed EDF or BDF file";
        case EDFLIB_FILE_READ_ERROR:
            return "could not be read";
        case EDFLIB_FILETYPE_ERROR:
            return "is not an EDF or BDF file";
        case EDFLIB_NUMBER_OF_SIGNALS_INVALID:
            return "has an invalid number of signals";
        case EDFLIB_FILE_IS_DISCONTINUOUS:
            return "is a discontinuous EDF+/BDF+ file; only continuous recordings replay";
        default:
            return "does not open as an EDF or BDF file (error " + std::to_string(code) + ")";
    }
}

class EdfFile {
public:
    explicit EdfFile(const std::string& path, int annotations = EDFLIB_DO_NOT_READ_ANNOTATIONS)
        : header_(std::make_unique<edf_hdr_struct>()) {
        if (edfopen_file_readonly(path.c_str(), header_.get(), annotations) != 0)
            throw SignalFileError(path, 0, OpenError(header_->filetype));
        open_ = true;
    }
    ~EdfFile() {
        if (open_)
            edfclose_file(header_->handle);
    }
    EdfFile(const EdfFile&) = delete;
    EdfFile& operator=(const EdfFile&) = delete;

    const edf_hdr_struct& Header() const { return *header_; }

private:
    std::unique_ptr<edf_hdr_struct> header_;
    bool open_ = false;
};

// The duration of a data record as the header's text gives it (8 characters at byte 244).
std::string RecordDurationText(const std::string& path) {
    std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(std::fopen(path.c_str(), "rb"),
                                                         &std::fclose);
    char header[256];
    if (!file || std::fread(header, 1, sizeof header, file.get()) != sizeof header)
        return "";
    return Trimmed(std::string(header + 244, 8).c_str());
}

// The labels of a file's signals, in its order.
std::vector<std::string> LabelsOf(const edf_hdr_struct& header) {
    std::vector<std::string> labels;
    for (int signal = 0; signal < header.edfsignals; ++signal)
        labels.push_back(Trimmed(header.signalparam[signal].label));
    return labels;
}

class EdfReader final : public SignalReader {
public:
    // Chooses the signals the inputs read once the header is open: `choose` gives, for each
    // input, the signal it reads.
    template <typename Choose>
    EdfReader(const std::string& path, const std::vector<InputScale>& inputs, Choose choose)
        : path_(path), file_(path) {
        const edf_hdr_struct& header = file_.Header();
        if (header.edfsignals < 1)
            throw SignalFileError(path, 0, "has no signals");
        if (header.datarecord_duration <= 0)
            throw SignalFileError(path, 0, "has data records without a duration");
        // The library reads the duration in its own way; it must be the number the text says.
        const std::string duration = RecordDurationText(path);
        double seconds = 0.0;
        const auto [stop, error] =
            std::from_chars(duration.data(), duration.data() + duration.size(), seconds);
        if (error != std::errc() || stop != duration.data() + duration.size() ||
            std::fabs(seconds * EDFLIB_TIME_DIMENSION -
                      static_cast<double>(header.datarecord_duration)) > 1e-6 * seconds * 1e7) {
            throw SignalFileError(path, 0,
                                  "its data records last \"" + duration +
                                      "\" s, a duration this reader cannot take exactly (whole "
                                      "units of 100 ns)");
        }
        const ChannelChoice choice = choose(header);
        std::error_code ignored;
        const std::uintmax_t fileSize = std::filesystem::file_size(path, ignored);
        for (std::size_t input = 0; input < InputsFed(choice); ++input)
            Signal(static_cast<int>(*choice[input]), inputs[input], input, fileSize);
        if (signals_.empty())
            throw SignalFileError(path, 0, "has no signal the inputs read");
        info_.SampleCount = header.signalparam[signals_.front()].smp_in_file;
        if (info_.SampleCount < 2)
            throw SignalFileError(path, 0, "has fewer than two samples");
    }

    void Next(device::SampleBlock& block, const device::BlockNeeds& needs) override {
        constexpr std::int64_t kBlock = 1 << 16;
        block.First = done_;
        const std::int64_t count = std::min(kBlock, info_.SampleCount - done_);
        Size(block, count);
        for (std::size_t input = 0; input < signals_.size() && count > 0; ++input) {
            const bool units = input < needs.Units.size() && needs.Units[input];
            const bool values = input < needs.Values.size() && needs.Values[input];
            if (!units && !values)
                continue;
            const int signal = signals_[input];
            double* out = block.Values[input].data();
            // The library keeps a place per signal: a signal read in some blocks only still
            // reads this block's samples.
            if (edfseek(file_.Header().handle, signal, done_, EDFSEEK_SET) != done_)
                throw Fail(signal, "could not be read");
            const int read = edfread_physical_samples(file_.Header().handle, signal,
                                                      static_cast<int>(count), out);
            if (read != count)
                throw Fail(signal, "could not be read");
            for (std::int64_t j = 0; j < count; ++j)
                out[j] *= factors_[input];
            if (units)
                device::ConvertToDeviceUnits(out, static_cast<std::size_t>(count), ranges_[input],
                                             block.Units[input].data());
        }
        done_ += count;
    }

private:
    SignalFileError Fail(int signal, const std::string& what) const {
        return SignalFileError(path_, 0,
                               "signal " + std::to_string(signal + 1) + " \"" +
                                   Trimmed(file_.Header().signalparam[signal].label) +
                                   "\": " + what);
    }

    // Checks the signal Input `input` reads against the input and the signal of Input 1, and
    // keeps its factor.
    void Signal(int signal, const InputScale& scale, std::size_t input, std::uintmax_t fileSize) {
        const edf_hdr_struct& header = file_.Header();
        const edf_param_struct& param = header.signalparam[signal];
        const double rate = static_cast<double>(param.smp_in_datarecord) *
                            static_cast<double>(EDFLIB_TIME_DIMENSION) /
                            static_cast<double>(header.datarecord_duration);
        if (input == 0) {
            info_.SampleRate = rate;
        } else if (rate != info_.SampleRate) {
            throw Fail(signal, "its sample rate " + Number(rate) + " Hz differs from the " +
                                   Number(info_.SampleRate) + " Hz of signal " +
                                   std::to_string(signals_.front() + 1) +
                                   "; the signals the inputs read must have one rate");
        }
        const std::string unit = Trimmed(param.physdimension);
        const std::optional<double> factor = UnitFactor(unit, scale.Unit);
        if (!factor) {
            throw Fail(signal, "its unit \"" + unit + "\" is not the unit \"" + scale.Unit +
                                   "\" of the device's Input " + std::to_string(input + 1));
        }
        // A sample takes two bytes (three in BDF): a count beyond what the file can hold is not
        // believed.
        if (param.smp_in_file < 0 || static_cast<std::uintmax_t>(param.smp_in_file) > fileSize / 2)
            throw Fail(signal, "its sample count does not fit the file's size");
        if (input > 0 && param.smp_in_file != header.signalparam[signals_.front()].smp_in_file)
            throw Fail(signal, "it has a different number of samples than signal " +
                                   std::to_string(signals_.front() + 1));
        // The library's values are units per bit x (offset + digital value): every one must be
        // a finite number, also in the input's unit.
        const auto limit = [&](const char* what, double value) {
            if (!std::isfinite(value) || !std::isfinite(value * *factor))
                throw Fail(signal, "its " + std::string(what) + " " + Number(value) + " " + unit +
                                       " is not a number the device's unit " + scale.Unit +
                                       " can hold");
        };
        limit("physical maximum", param.phys_max);
        limit("physical minimum", param.phys_min);
        if (param.phys_max == param.phys_min || param.dig_max <= param.dig_min) {
            throw Fail(signal, "its physical range " + Number(param.phys_min) + " to " +
                                   Number(param.phys_max) + " or digital range " +
                                   std::to_string(param.dig_min) + " to " +
                                   std::to_string(param.dig_max) + " is empty");
        }
        const double perBit = (param.phys_max - param.phys_min) / (param.dig_max - param.dig_min);
        const double offset = param.phys_max / perBit - param.dig_max;
        const double largest = std::fabs(perBit) * (std::fabs(offset) + 8388608.0);
        if (!std::isfinite(largest) || !std::isfinite(largest * *factor))
            throw Fail(signal, "its physical range " + Number(param.phys_min) + " to " +
                                   Number(param.phys_max) + " " + unit +
                                   " gives values beyond the numbers in " + scale.Unit);
        info_.Channels.push_back({Trimmed(param.label), scale.Unit});
        signals_.push_back(signal);
        factors_.push_back(*factor);
        ranges_.push_back(scale.Range);
    }

    std::string path_;
    EdfFile file_;
    std::vector<int> signals_;  // by input: the signal it reads
    std::vector<double> factors_;
    std::vector<double> ranges_;
    std::int64_t done_ = 0;
};

// The library keeps an annotation's first 40 bytes of text, and each data record holds one
// annotation per annotation signal, of which a file may have up to 64.
constexpr std::size_t kAnnotationTextBytes = 40;
constexpr std::size_t kMostAnnotationSignals = 64;

// The annotation signals that hold `annotations` in `records` data records: as few as do.
// Throws SignalFileError, before anything is written, for annotations the file cannot keep whole.
int AnnotationSignalsFor(const std::string& path, const std::vector<EdfAnnotation>& annotations,
                         std::size_t records) {
    for (const EdfAnnotation& annotation : annotations) {
        if (annotation.Text.size() > kAnnotationTextBytes)
            throw SignalFileError(path, 0,
                                  "the annotation \"" + annotation.Text + "\" at " +
                                      Number(annotation.Onset) + " s is longer than the " +
                                      std::to_string(kAnnotationTextBytes) +
                                      " bytes an annotation's text keeps");
    }
    if (annotations.size() > records * kMostAnnotationSignals)
        throw SignalFileError(path, 0,
                              std::to_string(annotations.size()) +
                                  " annotations are more than a recording of " +
                                  std::to_string(records) + " s keeps (" +
                                  std::to_string(kMostAnnotationSignals) + " a second)");
    return records == 0 ? 1
                        : static_cast<int>(std::max<std::size_t>(
                              1, (annotations.size() + records - 1) / records));
}

}  // namespace

std::unique_ptr<SignalReader> OpenEdfSignals(const std::string& path,
                                             const std::vector<InputScale>& inputs,
                                             const ChannelMap* map) {
    return std::make_unique<EdfReader>(path, inputs, [&](const edf_hdr_struct& header) {
        return SelectChannels(LabelsOf(header), map, inputs.size(), path);
    });
}

device::Signals ReadEdfSignals(const std::string& path, const std::vector<InputScale>& inputs) {
    return ReadAll(*OpenEdfSignals(path, inputs, nullptr));
}

std::vector<ChannelSurvey> SurveyEdfSignals(const std::string& path) {
    std::vector<ChannelSurvey> channels;
    std::vector<double> rates;
    {
        const EdfFile file(path);
        const edf_hdr_struct& header = file.Header();
        for (int signal = 0; signal < header.edfsignals; ++signal) {
            const edf_param_struct& param = header.signalparam[signal];
            channels.push_back({Trimmed(param.label),
                                Trimmed(param.physdimension),
                                0.0,
                                param.smp_in_file,
                                {},
                                {}});
            rates.push_back(static_cast<double>(param.smp_in_datarecord));
        }
    }
    // The signals of one rate are read together, each in its own unit.
    std::vector<bool> done(channels.size(), false);
    for (std::size_t first = 0; first < channels.size(); ++first) {
        if (done[first])
            continue;
        ChannelChoice group;
        std::vector<InputScale> scales;
        for (std::size_t signal = first; signal < channels.size(); ++signal) {
            if (rates[signal] == rates[first] && !done[signal]) {
                group.push_back(signal);
                scales.push_back({1.0, channels[signal].Unit});
                done[signal] = true;
            }
        }
        EdfReader reader(path, scales, [&](const edf_hdr_struct&) { return group; });
        const std::vector<ChannelSurvey> read = SurveyAll(reader);
        for (std::size_t k = 0; k < group.size(); ++k)
            channels[*group[k]] = read[k];
    }
    return channels;
}

std::vector<EdfAnnotation> ReadEdfAnnotations(const std::string& path) {
    const EdfFile file(path, EDFLIB_READ_ALL_ANNOTATIONS);
    const edf_hdr_struct& header = file.Header();
    if (header.filetype != EDFLIB_FILETYPE_EDFPLUS && header.filetype != EDFLIB_FILETYPE_BDFPLUS)
        throw SignalFileError(path, 0,
                              "is a plain EDF or BDF file, which holds no annotations (an EDF+ "
                              "or BDF+ file does)");
    std::vector<EdfAnnotation> annotations;
    for (long long n = 0; n < header.annotations_in_file; ++n) {
        edf_annotation_struct annotation{};
        if (edf_get_annotation(header.handle, static_cast<int>(n), &annotation) != 0)
            throw SignalFileError(path, 0,
                                  "annotation " + std::to_string(n + 1) + " could not be read");
        annotations.push_back(
            {static_cast<double>(annotation.onset) / EDFLIB_TIME_DIMENSION, annotation.annotation});
    }
    return annotations;
}

void WriteEdfSignals(const std::string& path, const device::Signals& signals,
                     const std::vector<InputScale>& inputs,
                     const std::vector<EdfAnnotation>& annotations) {
    CheckChannelCount(path, signals, inputs);
    const long rate = std::lround(signals.SampleRate);
    if (rate <= 0 || static_cast<double>(rate) != signals.SampleRate ||
        signals.SampleCount() % static_cast<std::size_t>(rate) != 0) {
        throw SignalFileError(path, 0, "needs a whole rate and whole seconds of samples");
    }
    const int annotationSignals = AnnotationSignalsFor(
        path, annotations, signals.SampleCount() / static_cast<std::size_t>(rate));
    const int count = static_cast<int>(signals.Channels.size());
    const int handle = edfopen_file_writeonly(path.c_str(), EDFLIB_FILETYPE_EDFPLUS, count);
    if (handle < 0)
        throw SignalFileError(path, 0, "cannot be opened for writing");
    // A fixed start, so that the same signals always make the same file.
    bool ok = edf_set_startdatetime(handle, 2000, 1, 1, 0, 0, 0) == 0 &&
              edf_set_number_of_annotation_signals(handle, annotationSignals) == 0;
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
    // Onsets are kept in tenths of a millisecond.
    for (const EdfAnnotation& annotation : annotations)
        ok = ok && edfwrite_annotation_utf8(handle, std::llround(annotation.Onset * 1e4), -1,
                                            annotation.Text.c_str()) == 0;
    const bool closed = edfclose_file(handle) == 0;
    if (!ok || !closed)
        throw SignalFileError(path, 0, "could not be written");
}

const SignalFormat& EdfFormat() {
    static const SignalFormat format{
        {".edf", ".bdf"},
        "physical values",
        &OpenEdfSignals,
        [](const std::string& path, const device::Signals& signals,
           const std::vector<InputScale>& inputs) { WriteEdfSignals(path, signals, inputs); },
        &SurveyEdfSignals,
    };
    return format;
}

}  // namespace preview
