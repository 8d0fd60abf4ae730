#include "host/preview/formats/edf_format.h"

#include <edflib.h>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <filesystem>
#include <memory>
#include <vector>

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
    explicit EdfFile(const std::string& path) : header_(std::make_unique<edf_hdr_struct>()) {
        if (edfopen_file_readonly(path.c_str(), header_.get(), EDFLIB_DO_NOT_READ_ANNOTATIONS) != 0)
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

}  // namespace

device::Signals ReadEdfSignals(const std::string& path, const std::vector<InputScale>& inputs) {
    const EdfFile file(path);
    const edf_hdr_struct& header = file.Header();
    const auto fail = [&](int signal, const std::string& what) -> SignalFileError {
        return SignalFileError(path, 0,
                               "signal " + std::to_string(signal + 1) + " \"" +
                                   Trimmed(header.signalparam[signal].label) + "\": " + what);
    };
    if (header.edfsignals < 1)
        throw SignalFileError(path, 0, "has no signals");
    if (static_cast<std::size_t>(header.edfsignals) > inputs.size()) {
        throw SignalFileError(path, 0,
                              "has " + std::to_string(header.edfsignals) +
                                  " signals, but the device has only " +
                                  std::to_string(inputs.size()) + " inputs");
    }
    if (header.datarecord_duration <= 0)
        throw SignalFileError(path, 0, "has data records without a duration");

    std::error_code ignored;
    const std::uintmax_t fileSize = std::filesystem::file_size(path, ignored);
    device::Signals signals;
    for (int signal = 0; signal < header.edfsignals; ++signal) {
        const edf_param_struct& param = header.signalparam[signal];
        const double rate = static_cast<double>(param.smp_in_datarecord) *
                            static_cast<double>(EDFLIB_TIME_DIMENSION) /
                            static_cast<double>(header.datarecord_duration);
        if (signal == 0) {
            signals.SampleRate = rate;
        } else if (rate != signals.SampleRate) {
            throw fail(signal, "its sample rate " + Number(rate) +
                                   " Hz differs from the first signal's " +
                                   Number(signals.SampleRate) +
                                   " Hz; every signal must have the same rate");
        }
        const InputScale& scale = inputs[static_cast<std::size_t>(signal)];
        const std::string unit = Trimmed(param.physdimension);
        const std::optional<double> factor = UnitFactor(unit, scale.Unit);
        if (!factor) {
            throw fail(signal, "its unit \"" + unit + "\" is not the unit \"" + scale.Unit +
                                   "\" of the device's Input " + std::to_string(signal + 1));
        }
        // A sample takes two bytes (three in BDF): a count beyond what the file can hold is not
        // believed.
        if (param.smp_in_file < 0 || static_cast<std::uintmax_t>(param.smp_in_file) > fileSize / 2)
            throw fail(signal, "its sample count does not fit the file's size");

        device::SignalChannel channel{Trimmed(param.label), scale.Unit, {}};
        channel.Values.resize(static_cast<std::size_t>(param.smp_in_file));
        constexpr long long kBlock = 1 << 16;
        for (long long done = 0; done < param.smp_in_file;) {
            const int count = static_cast<int>(std::min(kBlock, param.smp_in_file - done));
            const int read = edfread_physical_samples(header.handle, signal, count,
                                                      channel.Values.data() + done);
            if (read != count)
                throw fail(signal, "could not be read");
            done += read;
        }
        for (double& value : channel.Values)
            value *= *factor;
        signals.Channels.push_back(std::move(channel));
    }
    for (int signal = 1; signal < header.edfsignals; ++signal) {
        if (signals.Channels[signal].Values.size() != signals.Channels[0].Values.size())
            throw fail(signal, "it has a different number of samples than the first signal");
    }
    if (signals.SampleCount() < 2)
        throw SignalFileError(path, 0, "has fewer than two samples");
    return signals;
}

void WriteEdfSignals(const std::string& path, const device::Signals& signals,
                     const std::vector<InputScale>& inputs) {
    CheckChannelCount(path, signals, inputs);
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

const SignalFormat& EdfFormat() {
    static const SignalFormat format{
        {".edf", ".bdf"},
        "physical values",
        &ReadEdfSignals,
        &WriteEdfSignals,
    };
    return format;
}

}  // namespace preview
