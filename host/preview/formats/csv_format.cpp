#include "host/preview/formats/csv_format.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <optional>

#include "host/preview/formats/signal_file_error.h"
#include "host/preview/formats/signal_format.h"

namespace preview {

namespace {

std::string_view Trim(std::string_view field) {
    while (!field.empty() && (field.front() == ' ' || field.front() == '\t'))
        field.remove_prefix(1);
    while (!field.empty() && (field.back() == ' ' || field.back() == '\t'))
        field.remove_suffix(1);
    if (field.size() >= 2 && field.front() == '"' && field.back() == '"')
        field = Trim(field.substr(1, field.size() - 2));
    return field;
}

bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; };
        if (lower(a[i]) != lower(b[i]))
            return false;
    }
    return true;
}

// A short, printable rendering of a field for a message.
std::string Quoted(std::string_view field) {
    constexpr std::size_t kShown = 40;
    std::string text = "\"";
    for (std::size_t i = 0; i < field.size() && i < kShown; ++i) {
        const unsigned char c = static_cast<unsigned char>(field[i]);
        text += c < 0x20 || c == 0x7F ? '?' : static_cast<char>(c);
    }
    if (field.size() > kShown)
        text += "...";
    return text + "\"";
}

std::string Number(double value) {
    char buffer[32];
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 10);
    return std::string(buffer, result.ptr);
}

// "Input 3 (mV)" as its name and its unit; nothing when the field has no "(UNIT)" at its end.
struct ColumnName {
    std::string_view Name;
    std::string_view Unit;
};

std::optional<ColumnName> SplitColumnName(std::string_view field) {
    if (field.empty() || field.back() != ')')
        return std::nullopt;
    const std::size_t open = field.rfind('(');
    if (open == std::string_view::npos)
        return std::nullopt;
    return ColumnName{Trim(field.substr(0, open)),
                      Trim(field.substr(open + 1, field.size() - open - 2))};
}

// The input number of a column name "Input N"; 0 when it is not one.
int InputNumberOf(std::string_view name) {
    constexpr std::string_view kInput = "input";
    if (name.size() <= kInput.size() || !EqualsIgnoringCase(name.substr(0, kInput.size()), kInput))
        return 0;
    const std::string_view digits = Trim(name.substr(kInput.size()));
    int number = 0;
    const auto [stop, error] =
        std::from_chars(digits.data(), digits.data() + digits.size(), number);
    if (error != std::errc() || stop != digits.data() + digits.size() || digits.front() == '+')
        return 0;
    return number > 0 ? number : 0;
}

class CsvSignalParser {
public:
    CsvSignalParser(const std::string& file, const std::vector<InputScale>& inputs)
        : file_(file), inputs_(inputs) {}

    // The file's size in bytes, when known: once the first rows show how long a row is, the
    // channels are given room for the rows the rest of the file can hold, which spares the
    // copies of growing them. The estimate never exceeds what the file's bytes can hold.
    void SizeHint(std::uintmax_t bytes) { sizeHint_ = bytes; }

    // One line of the file, without its line end.
    void Line(std::string_view line) {
        ++line_;
        consumed_ += line.size() + 1;
        if (line_ == 1 && line.starts_with("\xEF\xBB\xBF"))
            line.remove_prefix(3);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        if (line.size() > kMaxCsvLineLength)
            Fail("the line is longer than " + std::to_string(kMaxCsvLineLength) + " bytes");
        const std::string_view content = Trim(line);
        if (content.empty() || content.front() == '#')
            return;
        if (columns_.empty())
            Header(line);
        else
            Row(line);
    }

    // Called when a line grew beyond the limit before its end was seen.
    [[noreturn]] void LineTooLong() {
        ++line_;
        Fail("the line is longer than " + std::to_string(kMaxCsvLineLength) + " bytes");
    }

    device::Signals Finish() {
        if (columns_.empty())
            throw SignalFileError(file_, 0, "no header line (such as \"time (s),Input 1 (V)\")");
        if (rows_ < 2) {
            throw SignalFileError(file_, 0,
                                  "at least two samples are needed to know the sample rate; the "
                                  "file has " +
                                      std::to_string(rows_));
        }
        signals_.SampleRate = static_cast<double>(rows_ - 1) / (lastTime_ - signals_.StartTime);
        // Times in decimal text rarely give the rate exactly: a rate within a millionth of a
        // whole number of samples per second is that number.
        const double whole = std::round(signals_.SampleRate);
        if (std::fabs(signals_.SampleRate - whole) <= 1e-6 * whole)
            signals_.SampleRate = whole;
        if (!(signals_.SampleRate <= kMaxSampleRate)) {
            throw SignalFileError(file_, 0,
                                  "the time step gives a sample rate above " +
                                      Number(kMaxSampleRate) + " samples per second");
        }
        return std::move(signals_);
    }

private:
    struct Column {
        std::size_t Channel;  // index into signals_.Channels; kTime for the time column
        double Factor;        // to the input's unit (seconds for the time)
    };
    static constexpr std::size_t kTime = static_cast<std::size_t>(-1);
    static constexpr double kMaxSampleRate = 1e9;
    static constexpr std::int64_t kRowsBeforeReserve = 1024;

    [[noreturn]] void Fail(const std::string& what) const {
        throw SignalFileError(file_, line_, what);
    }
    [[noreturn]] void Fail(std::size_t column, const std::string& what) const {
        Fail("column " + std::to_string(column + 1) + ": " + what);
    }

    void Header(std::string_view line) {
        std::vector<Column> columns;
        std::vector<int> columnOfInput(inputs_.size(), -1);
        std::size_t start = 0;
        for (std::size_t index = 0;; ++index) {
            const std::size_t comma = line.find(',', start);
            const std::string_view field = Trim(
                line.substr(start, comma == std::string_view::npos ? line.npos : comma - start));
            const std::optional<ColumnName> name = SplitColumnName(field);
            if (index == 0) {
                if (!name || !EqualsIgnoringCase(name->Name, "time")) {
                    Fail(index, Quoted(field) +
                                    " is not a time column; the header starts with \"time (s)\"");
                }
                const std::optional<double> factor = UnitFactor(name->Unit, "s");
                if (!factor)
                    Fail(index,
                         "the time's unit \"" + std::string(name->Unit) + "\" is not seconds");
                columns.push_back({kTime, *factor});
            } else {
                const int input = name ? InputNumberOf(name->Name) : 0;
                if (input == 0) {
                    Fail(index,
                         Quoted(field) +
                             " does not name an input with its unit, such as \"Input 1 (V)\"");
                }
                if (static_cast<std::size_t>(input) > inputs_.size()) {
                    Fail(index, "the device has no Input " + std::to_string(input) + " (it has " +
                                    std::to_string(inputs_.size()) + " inputs)");
                }
                if (columnOfInput[input - 1] >= 0) {
                    Fail(index, "Input " + std::to_string(input) + " already has column " +
                                    std::to_string(columnOfInput[input - 1] + 1));
                }
                const InputScale& scale = inputs_[input - 1];
                const std::optional<double> factor = UnitFactor(name->Unit, scale.Unit);
                if (!factor) {
                    Fail(index, "the unit \"" + std::string(name->Unit) + "\" of Input " +
                                    std::to_string(input) + " is not the device's unit \"" +
                                    scale.Unit + "\" for that input");
                }
                columnOfInput[input - 1] = static_cast<int>(index);
                columns.push_back({static_cast<std::size_t>(input - 1), *factor});
            }
            if (comma == std::string_view::npos)
                break;
            start = comma + 1;
        }
        std::size_t channels = 0;
        while (channels < columnOfInput.size() && columnOfInput[channels] >= 0)
            ++channels;
        for (std::size_t input = channels; input < columnOfInput.size(); ++input) {
            if (columnOfInput[input] >= 0) {
                Fail("Input " + std::to_string(channels + 1) +
                     " has no column; the columns name Input 1 to Input K without a gap");
            }
        }
        if (channels == 0)
            Fail("no input column after the time, such as \"Input 1 (V)\"");
        for (std::size_t channel = 0; channel < channels; ++channel) {
            signals_.Channels.push_back(
                {"Input " + std::to_string(channel + 1), inputs_[channel].Unit, {}});
        }
        columns_ = std::move(columns);
        values_.resize(columns_.size());
    }

    void Row(std::string_view line) {
        std::size_t start = 0;
        for (std::size_t index = 0; index < columns_.size(); ++index) {
            const std::size_t comma = line.find(',', start);
            const bool last = index + 1 == columns_.size();
            if (comma == std::string_view::npos && !last) {
                Fail("the line has " + std::to_string(index + 1) + " fields, the header " +
                     std::to_string(columns_.size()));
            }
            if (comma != std::string_view::npos && last) {
                Fail("the line has more fields than the header's " +
                     std::to_string(columns_.size()));
            }
            const std::string_view field =
                Trim(line.substr(start, last ? line.npos : comma - start));
            double value = 0.0;
            const char* end = field.data() + field.size();
            const auto [stop, error] = std::from_chars(field.data(), end, value);
            if (field.empty())
                Fail(index, "the field is empty");
            if (error != std::errc() || stop != end || !std::isfinite(value))
                Fail(index, Quoted(field) + " is not a finite number");
            values_[index] = value * columns_[index].Factor;
            start = comma + 1;
        }
        for (std::size_t index = 0; index < columns_.size(); ++index) {
            if (columns_[index].Channel == kTime)
                Time(values_[index]);
            else
                signals_.Channels[columns_[index].Channel].Values.push_back(values_[index]);
        }
        ++rows_;
        if (rows_ == kRowsBeforeReserve && sizeHint_ > consumed_)
            Reserve();
    }

    void Reserve() {
        const double bytesPerRow = static_cast<double>(consumed_) / static_cast<double>(rows_);
        const double expected = static_cast<double>(sizeHint_) / bytesPerRow * 1.05 + 64.0;
        // Every row takes at least a digit and a comma or line end per column.
        const double most =
            static_cast<double>(sizeHint_) / (2.0 * static_cast<double>(columns_.size()));
        const auto rows = static_cast<std::size_t>(std::min(expected, most));
        for (device::SignalChannel& channel : signals_.Channels)
            channel.Values.reserve(rows);
    }

    // Checks that the time of the row being read keeps the even step.
    void Time(double time) {
        if (rows_ == 0) {
            signals_.StartTime = time;
        } else if (rows_ == 1) {
            if (!(time > signals_.StartTime)) {
                Fail("the time " + Number(time) + " s does not advance from the first time " +
                     Number(signals_.StartTime) + " s");
            }
        } else {
            const double step = (lastTime_ - signals_.StartTime) / static_cast<double>(rows_ - 1);
            const double expected = signals_.StartTime + step * static_cast<double>(rows_);
            if (!(std::fabs(time - expected) <= 0.5 * step)) {
                Fail("the time " + Number(time) + " s is off the even step of " + Number(step) +
                     " s (expected " + Number(expected) + " s)");
            }
        }
        lastTime_ = time;
    }

    const std::string& file_;
    const std::vector<InputScale>& inputs_;
    std::int64_t line_ = 0;
    std::vector<Column> columns_;
    std::vector<double> values_;  // of the row being read, by column
    std::int64_t rows_ = 0;
    double lastTime_ = 0.0;
    std::uintmax_t sizeHint_ = 0;
    std::uintmax_t consumed_ = 0;  // bytes of the lines seen, line ends included
    device::Signals signals_;
};

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};

}  // namespace

device::Signals ParseCsvSignals(std::string_view text, const std::string& fileName,
                                const std::vector<InputScale>& inputs) {
    CsvSignalParser parser(fileName, inputs);
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        parser.Line(text.substr(0, end));
        if (end == std::string_view::npos)
            break;
        text.remove_prefix(end + 1);
    }
    return parser.Finish();
}

device::Signals ReadCsvSignals(const std::string& path, const std::vector<InputScale>& inputs) {
    const std::unique_ptr<std::FILE, FileCloser> file(std::fopen(path.c_str(), "rb"));
    if (!file)
        throw SignalFileError(path, 0, "cannot be opened for reading");
    CsvSignalParser parser(path, inputs);
    std::error_code ignored;
    parser.SizeHint(std::filesystem::file_size(path, ignored));
    // Reads in blocks; a line that does not end within the block carries over to the next, so
    // memory stays within a block and the longest line the parser accepts.
    constexpr std::size_t kBlock = 1 << 20;
    std::vector<char> buffer(kBlock + kMaxCsvLineLength + 2);
    std::size_t kept = 0;
    for (;;) {
        const std::size_t read =
            std::fread(buffer.data() + kept, 1, buffer.size() - kept, file.get());
        if (read == 0 && std::ferror(file.get()))
            throw SignalFileError(path, 0, "could not be read");
        const std::size_t filled = kept + read;
        std::string_view rest(buffer.data(), filled);
        for (std::size_t end; (end = rest.find('\n')) != std::string_view::npos;) {
            parser.Line(rest.substr(0, end));
            rest.remove_prefix(end + 1);
        }
        if (read == 0) {
            if (!rest.empty())
                parser.Line(rest);
            break;
        }
        if (rest.size() > kMaxCsvLineLength + 1)
            parser.LineTooLong();
        std::copy(rest.begin(), rest.end(), buffer.begin());
        kept = rest.size();
    }
    return parser.Finish();
}

void WriteCsvSignals(const std::string& path, const device::Signals& signals,
                     int significantDigits) {
    const std::unique_ptr<std::FILE, FileCloser> file(std::fopen(path.c_str(), "wb"));
    if (!file)
        throw SignalFileError(path, 0, "cannot be opened for writing");
    std::string text = "time (s)";
    for (const device::SignalChannel& channel : signals.Channels)
        text += "," + channel.Name + " (" + channel.Unit + ")";
    text += '\n';
    const int decimals = std::max(0, static_cast<int>(std::ceil(std::log10(signals.SampleRate))));
    char buffer[64];
    for (std::size_t sample = 0; sample < signals.SampleCount(); ++sample) {
        const double time = signals.StartTime + static_cast<double>(sample) / signals.SampleRate;
        text.append(buffer, std::to_chars(buffer, buffer + sizeof buffer, time,
                                          std::chars_format::fixed, decimals)
                                .ptr);
        for (const device::SignalChannel& channel : signals.Channels) {
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

const SignalFormat& CsvFormat() {
    static const SignalFormat format{
        {".csv"},
        "a header \"time (s),Input 1 (V),Input 2 (mV)...\", then one line per sample",
        &ReadCsvSignals,
        [](const std::string& path, const device::Signals& signals,
           const std::vector<InputScale>& inputs) {
            CheckChannelCount(path, signals, inputs);
            WriteCsvSignals(path, signals);
        },
    };
    return format;
}

}  // namespace preview
