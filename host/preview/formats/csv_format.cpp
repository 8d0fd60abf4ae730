#include "host/preview/formats/csv_format.h"

#include <fast_float/fast_float.h>
#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cmath>
#include <condition_variable>
#include <cstdio>
#include <cstring>
#include <exception>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>

#include "host/device/input_converter.h"
#include "host/preview/formats/csv_fields.h"
#include "host/preview/formats/decimal_number.h"
#include "host/preview/formats/signal_file_error.h"
#include "host/preview/formats/signal_format.h"

namespace preview {

namespace {

// Text is parsed in pieces of about this many bytes, each cut at a line's start; pieces parse
// in parallel and replay in order.
constexpr std::size_t kPieceBytes = 1 << 20;
// Pieces parsed ahead of the replay at most.
constexpr std::size_t kPiecesAhead = 4;
// Times lie within this many seconds of zero, so that every sample instant stays distinct.
constexpr double kLatestTime = 1e12;
// The fastest rate the text may give (the device's own limit is checked by its caller).
constexpr double kMaxTextRate = 1e9;

std::string Number(double value) {
    char buffer[32];
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 10);
    return std::string(buffer, result.ptr);
}

// The names of a header's columns after the time, quoted, for a message: "EEG", "ECG".
std::string ColumnLabels(std::string_view header) {
    std::string labels;
    std::size_t start = header.find(',');
    while (start != std::string_view::npos) {
        const std::size_t comma = header.find(',', start + 1);
        const std::string_view field = Trim(header.substr(start + 1, comma - start - 1));
        const std::optional<ColumnName> name = SplitColumnName(field);
        labels += (labels.empty() ? "" : ", ") + Quoted(name ? name->Name : field);
        start = comma;
    }
    return labels;
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

// A line's content without its line end, and whether it holds a sample: lines that are empty or
// white space, or whose first character is '#', are skipped.
std::string_view Content(std::string_view line, bool first) {
    if (first && line.starts_with("\xEF\xBB\xBF"))
        line.remove_prefix(3);
    if (!line.empty() && line.back() == '\r')
        line.remove_suffix(1);
    return line;
}
bool Skipped(std::string_view line) {
    const std::string_view content = Trim(line);
    return content.empty() || content.front() == '#';
}
// Whether a line surely holds a sample, from its first character alone (a number starts so).
bool SurelyARow(std::string_view line) {
    if (line.empty())
        return false;
    const char c = line.front();
    return (c >= '0' && c <= '9') || c == '-' || c == '.';
}

// The columns of the header, each with where its values go.
struct Column {
    std::size_t Channel;  // index into the channels; kTime for the time, kUnread for a column
                          // no input reads
    double Factor;        // to the input's unit (seconds for the time)
    std::string Unit;     // as the header names it
};
constexpr std::size_t kTime = static_cast<std::size_t>(-1);
constexpr std::size_t kUnread = static_cast<std::size_t>(-2);

// Which columns the inputs read: by their "Input N" names, by label through a channel map, or
// every column in its own unit (to survey the file).
struct ColumnChoice {
    const ChannelMap* Map = nullptr;
    bool Every = false;
};

// The whole-file facts the rows are checked against, known before the first row is parsed.
struct TimeGrid {
    double First = 0.0;     // the first sample's time, seconds
    double Step = 0.0;      // (last - first) / (rows - 1)
    double Rounding = 0.0;  // the finer rounding unit of the first and last time in the text
};

// One field's number; the rounding unit of its text (10^-decimals, in the text's unit).
struct FieldNumber {
    double Value;
    double Rounding;
};

// The bytes of the file: read in order, or in pieces from any position (by several threads).
class CsvSource {
public:
    virtual ~CsvSource() = default;
    virtual std::uint64_t Size() const = 0;
    // `length` bytes from `offset` (fewer only at the end), valid while `view` is kept and not
    // given to another call.
    class View {
    public:
        View() = default;
        ~View() { Release(); }
        View(const View&) = delete;
        View& operator=(const View&) = delete;
        void Release() {
            if (mapped_ != nullptr)
                ::munmap(mapped_, mappedLength_);
            mapped_ = nullptr;
        }

    private:
        friend class FileSource;
        void* mapped_ = nullptr;
        std::size_t mappedLength_ = 0;
    };
    virtual std::string_view Bytes(std::uint64_t offset, std::size_t length, View& view) const = 0;
};

class TextSource final : public CsvSource {
public:
    explicit TextSource(std::string_view text) : text_(text) {}
    std::uint64_t Size() const override { return text_.size(); }
    std::string_view Bytes(std::uint64_t offset, std::size_t length, View&) const override {
        return offset >= text_.size() ? std::string_view() : text_.substr(offset, length);
    }

private:
    std::string_view text_;
};

// The file mapped piece by piece, read straight from the page cache without a copy; a piece is
// unmapped when the next one is mapped, so the memory held stays a few pieces.
class FileSource final : public CsvSource {
public:
    explicit FileSource(const std::string& path) : path_(path) {
        fd_ = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
        if (fd_ < 0)
            throw SignalFileError(
                path, 0, std::string("cannot be opened for reading: ") + std::strerror(errno));
        struct stat status {};
        if (::fstat(fd_, &status) != 0 || !S_ISREG(status.st_mode)) {
            ::close(fd_);
            throw SignalFileError(path, 0, "is not a regular file");
        }
        size_ = static_cast<std::uint64_t>(status.st_size);
    }
    ~FileSource() override { ::close(fd_); }
    FileSource(const FileSource&) = delete;
    FileSource& operator=(const FileSource&) = delete;

    std::uint64_t Size() const override { return size_; }
    std::string_view Bytes(std::uint64_t offset, std::size_t length, View& view) const override {
        view.Release();
        if (offset >= size_)
            return {};
        length = static_cast<std::size_t>(std::min<std::uint64_t>(length, size_ - offset));
        static const std::uint64_t page = static_cast<std::uint64_t>(::sysconf(_SC_PAGESIZE));
        const std::uint64_t start = offset / page * page;
        const std::size_t mapped = static_cast<std::size_t>(offset - start) + length;
        void* at = ::mmap(nullptr, mapped, PROT_READ, MAP_PRIVATE | MAP_POPULATE, fd_,
                          static_cast<off_t>(start));
        if (at == MAP_FAILED)
            throw SignalFileError(path_, 0,
                                  std::string("could not be read: ") + std::strerror(errno));
        view.mapped_ = at;
        view.mappedLength_ = mapped;
        return std::string_view(static_cast<const char*>(at) + (offset - start), length);
    }

private:
    std::string path_;
    int fd_ = -1;
    std::uint64_t size_ = 0;
};

// A piece of the rows: from a line's start to a line's start.
struct Piece {
    std::uint64_t Offset = 0;
    std::uint64_t End = 0;
    std::int64_t FirstRow = 0;   // the index of its first sample
    std::int64_t FirstLine = 0;  // the one-based number of its first line
    std::int64_t Rows = 0;
};

// What a piece gives: its rows' values by channel, or the error that stopped it.
struct ParsedPiece {
    std::int64_t Rows = 0;
    std::vector<std::vector<double>> Values;
    std::vector<std::vector<std::int16_t>> Units;
    std::exception_ptr Error;
};

class CsvLayout {
public:
    CsvLayout(const std::string& file, const std::vector<InputScale>& inputs, ColumnChoice choice)
        : file_(file), inputs_(inputs), choice_(choice) {}

    const std::string& File() const { return file_; }
    const std::vector<Column>& Columns() const { return columns_; }
    std::size_t Channels() const { return channels_; }
    // The inputs' scales, and the name of the channel each reads.
    const std::vector<InputScale>& Inputs() const { return inputs_; }
    const std::vector<std::string>& Names() const { return names_; }

    [[noreturn]] void Fail(std::int64_t line, const std::string& what) const {
        throw SignalFileError(file_, line, what);
    }
    [[noreturn]] void Fail(std::int64_t line, std::size_t column, const std::string& what) const {
        Fail(line, "column " + std::to_string(column + 1) + ": " + what);
    }

    void Header(std::string_view line, std::int64_t number) {
        if (choice_.Map != nullptr || choice_.Every) {
            LabelledHeader(line, number);
            return;
        }
        std::vector<Column> columns;
        std::vector<int> columnOfInput(inputs_.size(), -1);
        std::size_t start = 0;
        for (std::size_t index = 0;; ++index) {
            const std::size_t comma = line.find(',', start);
            const std::string_view field = Trim(
                line.substr(start, comma == std::string_view::npos ? line.npos : comma - start));
            const std::optional<ColumnName> name = SplitColumnName(field);
            if (index == 0) {
                columns.push_back(TimeColumn(field, name, number));
            } else {
                const int input = name ? InputNumberOf(name->Name) : 0;
                if (input == 0) {
                    Fail(number, index,
                         Quoted(field) +
                             " does not name an input with its unit, such as \"Input 1 (V)\"" +
                             (name ? "; choose the columns the inputs read with --map (its "
                                     "columns are " +
                                         ColumnLabels(line) + ")"
                                   : ""));
                }
                if (static_cast<std::size_t>(input) > inputs_.size()) {
                    Fail(number, index,
                         "the device has no Input " + std::to_string(input) + " (it has " +
                             std::to_string(inputs_.size()) + " inputs)");
                }
                if (columnOfInput[input - 1] >= 0) {
                    Fail(number, index,
                         "Input " + std::to_string(input) + " already has column " +
                             std::to_string(columnOfInput[input - 1] + 1));
                }
                const InputScale& scale = inputs_[input - 1];
                const std::optional<double> factor = UnitFactor(name->Unit, scale.Unit);
                if (!factor) {
                    Fail(number, index,
                         "the unit \"" + std::string(name->Unit) + "\" of Input " +
                             std::to_string(input) + " is not the device's unit \"" + scale.Unit +
                             "\" for that input");
                }
                columnOfInput[input - 1] = static_cast<int>(index);
                columns.push_back(
                    {static_cast<std::size_t>(input - 1), *factor, std::string(name->Unit)});
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
                Fail(number, "Input " + std::to_string(channels + 1) +
                                 " has no column; the columns name Input 1 to Input K without a "
                                 "gap");
            }
        }
        if (channels == 0)
            Fail(number, "no input column after the time, such as \"Input 1 (V)\"");
        columns_ = std::move(columns);
        channels_ = channels;
        for (std::size_t input = 0; input < channels; ++input)
            names_.push_back("Input " + std::to_string(input + 1));
    }

    // The header's first column: the time, in seconds or a unit of them.
    Column TimeColumn(std::string_view field, const std::optional<ColumnName>& name,
                      std::int64_t number) const {
        if (!name || !EqualsIgnoringCase(name->Name, "time"))
            Fail(number, 0,
                 Quoted(field) + " is not a time column; the header starts with \"time (s)\"");
        const std::optional<double> factor = UnitFactor(name->Unit, "s");
        if (!factor)
            Fail(number, 0, "the time's unit \"" + std::string(name->Unit) + "\" is not seconds");
        return {kTime, *factor, std::string(name->Unit)};
    }

    // A header whose columns are chosen by their labels, the names before the units.
    void LabelledHeader(std::string_view line, std::int64_t number) {
        std::vector<Column> columns;
        std::vector<std::string> labels;
        std::size_t start = 0;
        for (std::size_t index = 0;; ++index) {
            const std::size_t comma = line.find(',', start);
            const std::string_view field = Trim(
                line.substr(start, comma == std::string_view::npos ? line.npos : comma - start));
            const std::optional<ColumnName> name = SplitColumnName(field);
            if (index == 0) {
                columns.push_back(TimeColumn(field, name, number));
            } else {
                if (!name)
                    Fail(number, index,
                         Quoted(field) +
                             " does not name a channel with its unit, such as \"ECG "
                             "(mV)\"");
                labels.emplace_back(name->Name);
                columns.push_back({kUnread, 1.0, std::string(name->Unit)});
            }
            if (comma == std::string_view::npos)
                break;
            start = comma + 1;
        }
        if (labels.empty())
            Fail(number, "no column after the time, such as \"ECG (mV)\"");
        ChannelChoice choice;
        if (choice_.Every) {
            inputs_.clear();
            for (std::size_t k = 0; k < labels.size(); ++k) {
                choice.push_back(k);
                inputs_.push_back({1.0, columns[k + 1].Unit});
            }
        } else {
            choice = SelectChannels(labels, choice_.Map, inputs_.size(), file_);
        }
        channels_ = InputsFed(choice);
        for (std::size_t input = 0; input < channels_; ++input) {
            const std::size_t index = *choice[input] + 1;
            Column& column = columns[index];
            const InputScale& scale = inputs_[input];
            const std::optional<double> factor = UnitFactor(column.Unit, scale.Unit);
            if (!factor)
                Fail(number, index,
                     "the unit \"" + column.Unit + "\" of " + Quoted(labels[index - 1]) +
                         " is not the device's unit \"" + scale.Unit + "\" for Input " +
                         std::to_string(input + 1));
            column.Channel = input;
            column.Factor = *factor;
            names_.push_back(labels[index - 1]);
        }
        columns_ = std::move(columns);
    }

    // The time of a row (its first field), in seconds, with the rounding of its text.
    FieldNumber Time(std::string_view line, std::int64_t number) const {
        const std::size_t comma = line.find(',');
        const std::string_view field = Trim(line.substr(0, comma));
        const FieldNumber time = Parse(field, number, 0);
        return {time.Value, time.Rounding * columns_[0].Factor};
    }

    // A field as a number in its column's input unit, or the error that names it.
    FieldNumber Parse(std::string_view field, std::int64_t line, std::size_t column) const {
        if (field.empty())
            Fail(line, column, "the field is empty");
        double value = 0.0;
        const char* end = field.data() + field.size();
        const auto [stop, error] = fast_float::from_chars(field.data(), end, value);
        if (error != std::errc() || stop != end || !std::isfinite(value))
            Fail(line, column, Quoted(field) + " is not a finite number");
        const double scaled = value * columns_[column].Factor;
        if (!std::isfinite(scaled)) {
            Fail(line, column,
                 Quoted(field) + " " + columns_[column].Unit + " is beyond the numbers " +
                     (columns_[column].Channel >= kUnread
                          ? std::string("of ") + (column == 0 ? "seconds" : "the column")
                          : "in " + inputs_[columns_[column].Channel].Unit) +
                     " hold");
        }
        return {scaled, RoundingOf(field)};
    }

    // 10^-d for a number written with d decimals ("1.25" 0.01, "3e-3" 0.001, "12" 1).
    static double RoundingOf(std::string_view text) {
        long decimals = 0;
        std::size_t at = 0;
        while (at < text.size() && text[at] != '.' && text[at] != 'e' && text[at] != 'E')
            ++at;
        if (at < text.size() && text[at] == '.') {
            const std::size_t point = at++;
            while (at < text.size() && text[at] != 'e' && text[at] != 'E')
                ++at;
            decimals = static_cast<long>(at - point - 1);
        }
        if (at < text.size()) {
            long exponent = 0;
            std::string_view power = text.substr(at + 1);
            if (power.starts_with('+'))
                power.remove_prefix(1);
            const auto [stop, error] =
                std::from_chars(power.data(), power.data() + power.size(), exponent);
            if (error == std::errc() && stop == power.data() + power.size())
                decimals -= std::clamp(exponent, -400L, 400L);
        }
        static constexpr double kUnits[] = {1e0,   1e-1,  1e-2,  1e-3,  1e-4,  1e-5,  1e-6,
                                            1e-7,  1e-8,  1e-9,  1e-10, 1e-11, 1e-12, 1e-13,
                                            1e-14, 1e-15, 1e-16, 1e-17, 1e-18};
        if (decimals >= 0 && decimals < static_cast<long>(std::size(kUnits)))
            return kUnits[decimals];
        return std::pow(10.0, -static_cast<double>(std::clamp(decimals, -400L, 400L)));
    }

private:
    std::string file_;
    std::vector<InputScale> inputs_;
    ColumnChoice choice_;
    std::vector<Column> columns_;
    std::size_t channels_ = 0;
    std::vector<std::string> names_;
};

// The first pass: the header, the rows' count, the first and last time, and the pieces.
struct Survey {
    std::vector<Piece> Pieces;
    std::int64_t Rows = 0;
    TimeGrid Grid;
    double SampleRate = 0.0;
};

void ParsePiece(const CsvSource& source, const CsvLayout& layout, const TimeGrid& grid,
                const Piece& piece, CsvSource::View& buffer, ParsedPiece& out);

// Calls `look(text, start, next)` for every line of the bytes [from, to), `text` without its
// line end, `next` where the line after it starts; `look` returns false to stop. `from` is a
// line's start and `to` one or the end. Returns the number of the line that grew beyond the
// longest accepted before its end was seen (counted from 1 at `from`), 0 when none did.
template <typename Look>
std::int64_t ScanLines(const CsvSource& source, std::uint64_t from, std::uint64_t to, Look look) {
    constexpr std::size_t kWindow = 4 << 20;
    CsvSource::View window;
    std::string carried;  // a line that continues into the next window
    std::int64_t lines = 0;
    std::uint64_t offset = from;     // of the bytes read next
    std::uint64_t lineStart = from;  // of the line being looked at
    for (;;) {
        const std::string_view bytes = source.Bytes(
            offset, static_cast<std::size_t>(std::min<std::uint64_t>(kWindow, to - offset)),
            window);
        const std::uint64_t base = offset;
        offset += bytes.size();
        std::size_t at = 0;
        while (at < bytes.size()) {
            const void* found = std::memchr(bytes.data() + at, '\n', bytes.size() - at);
            if (found == nullptr)
                break;
            const std::size_t end = static_cast<const char*>(found) - bytes.data();
            ++lines;
            bool more = true;
            if (carried.empty()) {
                more = look(bytes.substr(at, end - at), lineStart, base + end + 1);
            } else {
                carried.append(bytes.data() + at, end - at);
                more = look(std::string_view(carried), lineStart, base + end + 1);
                carried.clear();
            }
            if (!more)
                return 0;
            at = end + 1;
            lineStart = base + at;
        }
        if (bytes.empty()) {
            if (!carried.empty() || lineStart < to) {
                ++lines;
                look(std::string_view(carried), lineStart, to);
            }
            return 0;
        }
        if (carried.size() + (bytes.size() - at) > kMaxCsvLineLength + 1)
            return lines + 1;
        carried.append(bytes.data() + at, bytes.size() - at);
    }
}

std::string TooLong() {
    return "the line is longer than " + std::to_string(kMaxCsvLineLength) + " bytes";
}

// Whether a line without its line end is longer than the longest accepted (a CR before the line
// end and a byte-order mark on the first line aside).
bool LongerThanAccepted(std::string_view text, bool firstLine) {
    const std::size_t marks =
        (text.ends_with('\r') ? 1 : 0) + (firstLine && text.starts_with("\xEF\xBB\xBF") ? 3 : 0);
    return text.size() > kMaxCsvLineLength + marks;
}

// What the first pass finds in one part of the rows, lines and rows counted from the part's
// start (its first line is line 1).
struct PartSurvey {
    std::uint64_t From = 0, To = 0;
    std::int64_t Lines = 0;
    std::int64_t Rows = 0;
    std::vector<Piece> Pieces;
    std::int64_t FirstRowLine = 0, LastRowLine = 0;
    std::uint64_t FirstRowStart = 0, FirstRowEnd = 0, LastRowStart = 0, LastRowEnd = 0;
    std::int64_t LongLine = 0;  // the first line longer than accepted; 0 when none is
    std::exception_ptr Error;
};

void SurveyPart(const CsvSource& source, PartSurvey& part) {
    Piece piece{part.From, part.From, 0, 1, 0};
    const auto look = [&](std::string_view text, std::uint64_t start, std::uint64_t next) {
        ++part.Lines;
        if (LongerThanAccepted(text, false)) {
            part.LongLine = part.Lines;
            return false;
        }
        // The common row is known by its first character.
        if (!SurelyARow(text) && Skipped(Content(text, false)))
            return true;
        if (part.Rows == 0) {
            part.FirstRowLine = part.Lines;
            part.FirstRowStart = start;
            part.FirstRowEnd = next;
        }
        if (start - piece.Offset >= kPieceBytes && piece.Rows > 0) {
            piece.End = start;
            part.Pieces.push_back(piece);
            piece = Piece{start, start, part.Rows, part.Lines, 0};
        }
        ++piece.Rows;
        ++part.Rows;
        part.LastRowLine = part.Lines;
        part.LastRowStart = start;
        part.LastRowEnd = next;
        return true;
    };
    const std::int64_t longLine = ScanLines(source, part.From, part.To, look);
    if (longLine > 0 && part.LongLine == 0)
        part.LongLine = longLine;
    piece.End = part.To;
    if (piece.Rows > 0)
        part.Pieces.push_back(piece);
}

// Where the line after `offset` starts (the end when none does).
std::uint64_t NextLineStart(const CsvSource& source, std::uint64_t offset) {
    CsvSource::View window;
    while (offset < source.Size()) {
        const std::string_view bytes = source.Bytes(offset, 1 << 20, window);
        if (const void* found = std::memchr(bytes.data(), '\n', bytes.size()))
            return offset +
                   static_cast<std::uint64_t>(static_cast<const char*>(found) - bytes.data()) + 1;
        offset += bytes.size();
    }
    return source.Size();
}

// The time of a row at [start, end) of the text, as the survey found it.
FieldNumber RowTime(const CsvSource& source, const CsvLayout& layout, std::uint64_t start,
                    std::uint64_t end, std::int64_t line) {
    CsvSource::View bytes;
    std::string_view row = source.Bytes(start, static_cast<std::size_t>(end - start), bytes);
    if (row.ends_with('\n'))
        row.remove_suffix(1);
    return layout.Time(Content(row, false), line);
}

Survey SurveyText(const CsvSource& source, CsvLayout& layout, std::size_t threads) {
    // The header: the first line that is neither empty nor a comment.
    std::int64_t headerLine = 0;
    std::uint64_t rowsFrom = 0;
    const std::int64_t longBeforeHeader = ScanLines(
        source, 0, source.Size(), [&](std::string_view text, std::uint64_t, std::uint64_t next) {
            ++headerLine;
            if (LongerThanAccepted(text, headerLine == 1))
                layout.Fail(headerLine, TooLong());
            const std::string_view content = Content(text, headerLine == 1);
            if (Skipped(content))
                return true;
            layout.Header(content, headerLine);
            rowsFrom = next;
            return false;
        });
    if (longBeforeHeader > 0)
        layout.Fail(longBeforeHeader, TooLong());
    if (layout.Columns().empty())
        throw SignalFileError(layout.File(), 0,
                              "no header line (such as \"time (s),Input 1 (V)\")");

    // The rows, in parts surveyed in parallel, each from a line's start.
    constexpr std::uint64_t kPartBytes = 2 << 20;
    const std::uint64_t rest = source.Size() - rowsFrom;
    const std::size_t count = static_cast<std::size_t>(
        std::clamp<std::uint64_t>(rest / kPartBytes, 1, std::max<std::size_t>(threads, 1)));
    std::vector<PartSurvey> parts(count);
    for (std::size_t k = 0; k < count; ++k) {
        parts[k].From = k == 0 ? rowsFrom : parts[k - 1].To;
        parts[k].To = k + 1 == count
                          ? source.Size()
                          : std::max(parts[k].From,
                                     NextLineStart(source, rowsFrom + rest * (k + 1) / count - 1));
    }
    {
        std::vector<std::thread> helpers;
        for (std::size_t k = 1; k < count; ++k) {
            helpers.emplace_back([&source, &part = parts[k]] {
                try {
                    SurveyPart(source, part);
                } catch (...) {
                    part.Error = std::current_exception();
                }
            });
        }
        try {
            SurveyPart(source, parts[0]);
        } catch (...) {
            parts[0].Error = std::current_exception();
        }
        for (std::thread& helper : helpers)
            helper.join();
    }

    Survey survey;
    std::int64_t lines = headerLine;  // before the part
    std::int64_t firstRowLine = 0, lastRowLine = 0;
    std::uint64_t firstRowStart = 0, firstRowEnd = 0, lastRowStart = 0, lastRowEnd = 0;
    for (const PartSurvey& part : parts) {
        if (part.Error)
            std::rethrow_exception(part.Error);
        if (part.LongLine > 0)
            layout.Fail(lines + part.LongLine, TooLong());
        for (Piece piece : part.Pieces) {
            piece.FirstRow += survey.Rows;
            piece.FirstLine += lines;
            survey.Pieces.push_back(piece);
        }
        if (part.Rows > 0) {
            if (survey.Rows == 0) {
                firstRowLine = lines + part.FirstRowLine;
                firstRowStart = part.FirstRowStart;
                firstRowEnd = part.FirstRowEnd;
            }
            lastRowLine = lines + part.LastRowLine;
            lastRowStart = part.LastRowStart;
            lastRowEnd = part.LastRowEnd;
        }
        survey.Rows += part.Rows;
        lines += part.Lines;
    }
    const FieldNumber first =
        survey.Rows > 0 ? RowTime(source, layout, firstRowStart, firstRowEnd, firstRowLine)
                        : FieldNumber{0, 0};
    if (survey.Rows < 2) {
        // A row's own faults come first; its time needs no grid.
        for (const Piece& piece : survey.Pieces) {
            CsvSource::View text;
            ParsedPiece parsed;
            ParsePiece(source, layout, TimeGrid{first.Value, 0.0, INFINITY}, piece, text, parsed);
        }
        throw SignalFileError(layout.File(), 0,
                              "at least two samples are needed to know the sample rate; the "
                              "file has " +
                                  std::to_string(survey.Rows));
    }

    // The step is taken from the whole file: the first and the last time.
    const FieldNumber last = RowTime(source, layout, lastRowStart, lastRowEnd, lastRowLine);
    const auto checkTime = [&](const FieldNumber& time, std::int64_t where) {
        if (!(std::fabs(time.Value) <= kLatestTime))
            layout.Fail(where, "the time " + Number(time.Value) + " s lies beyond " +
                                   Number(kLatestTime) + " s from zero");
    };
    checkTime(first, firstRowLine);
    checkTime(last, lastRowLine);
    if (!(last.Value > first.Value)) {
        layout.Fail(lastRowLine, "the time " + Number(last.Value) +
                                     " s does not advance from the first time " +
                                     Number(first.Value) + " s");
    }
    survey.Grid.First = first.Value;
    survey.Grid.Step = (last.Value - first.Value) / static_cast<double>(survey.Rows - 1);
    survey.Grid.Rounding = std::min(first.Rounding, last.Rounding);
    survey.SampleRate = static_cast<double>(survey.Rows - 1) / (last.Value - first.Value);
    // Times in decimal text rarely give the rate exactly: a rate within a millionth of a whole
    // number of samples per second is that number.
    const double whole = std::round(survey.SampleRate);
    if (std::fabs(survey.SampleRate - whole) <= 1e-6 * whole)
        survey.SampleRate = whole;
    if (!(survey.SampleRate <= kMaxTextRate)) {
        throw SignalFileError(layout.File(), 0,
                              "the time step gives a sample rate above " + Number(kMaxTextRate) +
                                  " samples per second");
    }
    return survey;
}

// Checks a row's time against the grid: within half a step of where the step puts it, or within
// what the rounding of the times in the text may give: half a unit of the last decimal for the
// row's time and as much again for the first and last time the step is taken from. The unit is
// the finest of the three (one writer wrote them all; "0" is 0.000 with its zeros left off).
void CheckTime(const CsvLayout& layout, const TimeGrid& grid, std::int64_t row, std::int64_t line,
               double time, double rounding) {
    if (!(std::fabs(time) <= kLatestTime))
        layout.Fail(line, "the time " + Number(time) + " s lies beyond " + Number(kLatestTime) +
                              " s from zero");
    const double expected = grid.First + grid.Step * static_cast<double>(row);
    const double allowed = std::max(0.5 * grid.Step, std::min(rounding, grid.Rounding));
    if (!(std::fabs(time - expected) <= allowed * (1 + 1e-9))) {
        layout.Fail(line, "the time " + Number(time) + " s is off the even step of " +
                              Number(grid.Step) + " s (expected " + Number(expected) + " s)");
    }
}

// A row in the common form, read at once: numbers right between the commas, the line ending
// after the last. Fills `numbers` (in each column's input unit) and returns where the next line
// starts; nullptr when the row is in any other form, or a number overflows in its unit.
const char* FastRow(const std::vector<Column>& columns, const char* p, const char* end,
                    double* numbers) {
    if (!SurelyARow(std::string_view(p, static_cast<std::size_t>(end - p))))
        return nullptr;
    for (std::size_t index = 0; index < columns.size(); ++index) {
        double number = 0.0;
        const char* const after = ReadNumber(p, end, number);
        if (after == nullptr)
            return nullptr;
        const double scaled = number * columns[index].Factor;
        if (!std::isfinite(scaled))
            return nullptr;
        numbers[index] = scaled;
        p = after;
        if (index + 1 < columns.size()) {
            if (p == end || *p != ',')
                return nullptr;
            ++p;
        }
    }
    if (p == end)
        return p;
    if (*p == '\r')
        ++p;
    if (p == end)
        return p;
    return *p == '\n' ? p + 1 : nullptr;
}

// A row read field by field, the way the header's fields are read (white space, quotes), with
// the error that names what does not fit.
void CarefulRow(const CsvLayout& layout, const TimeGrid& grid, std::int64_t row, std::int64_t line,
                std::string_view text, double* numbers) {
    const std::vector<Column>& columns = layout.Columns();
    const char* p = text.data();
    const char* const stop = p + text.size();
    for (std::size_t index = 0; index < columns.size(); ++index) {
        const bool lastColumn = index + 1 == columns.size();
        const char* comma =
            static_cast<const char*>(std::memchr(p, ',', static_cast<std::size_t>(stop - p)));
        if (comma == nullptr && !lastColumn) {
            layout.Fail(line, "the line has " + std::to_string(index + 1) + " fields, the header " +
                                  std::to_string(columns.size()));
        }
        if (comma != nullptr && lastColumn) {
            layout.Fail(line, "the line has more fields than the header's " +
                                  std::to_string(columns.size()));
        }
        const char* fieldEnd = comma == nullptr ? stop : comma;
        const FieldNumber field =
            layout.Parse(Trim(std::string_view(p, fieldEnd - p)), line, index);
        numbers[index] = field.Value;
        if (index == 0)
            CheckTime(layout, grid, row, line, field.Value, field.Rounding * columns[0].Factor);
        p = fieldEnd + 1;
    }
}

// The second pass over one piece: every row's fields, its time on the grid.
void ParsePiece(const CsvSource& source, const CsvLayout& layout, const TimeGrid& grid,
                const Piece& piece, CsvSource::View& buffer, ParsedPiece& out) {
    const std::vector<Column>& columns = layout.Columns();
    out.Rows = 0;
    out.Error = nullptr;
    out.Values.resize(layout.Channels());
    for (auto& values : out.Values)
        values.resize(static_cast<std::size_t>(piece.Rows));
    // The values of a column no input reads are checked and left.
    std::vector<double> unread;
    std::vector<double*> into(columns.size(), nullptr);
    for (std::size_t index = 1; index < columns.size(); ++index) {
        const std::size_t channel = columns[index].Channel;
        if (channel == kUnread)
            unread.resize(static_cast<std::size_t>(piece.Rows));
        else
            into[index] = out.Values[channel].data();
    }
    for (std::size_t index = 1; index < columns.size(); ++index) {
        if (into[index] == nullptr)
            into[index] = unread.data();
    }
    std::vector<double> numbers(columns.size());
    const std::string_view text =
        source.Bytes(piece.Offset, static_cast<std::size_t>(piece.End - piece.Offset), buffer);
    const char* at = text.data();
    const char* const end = at + text.size();
    std::int64_t line = piece.FirstLine - 1;
    std::int64_t row = piece.FirstRow;
    while (at < end && out.Rows < piece.Rows) {
        ++line;
        if (const char* next = FastRow(columns, at, end, numbers.data())) {
            const char* time = at;
            while (time < end && *time != ',' && *time != '\n' && *time != '\r')
                ++time;
            CheckTime(layout, grid, row, line, numbers[0],
                      CsvLayout::RoundingOf(std::string_view(at, time - at)) * columns[0].Factor);
            at = next;
        } else {
            const char* lineEnd =
                static_cast<const char*>(std::memchr(at, '\n', static_cast<std::size_t>(end - at)));
            if (lineEnd == nullptr)
                lineEnd = end;
            std::string_view lineText(at, static_cast<std::size_t>(lineEnd - at));
            at = lineEnd + 1;
            if (!lineText.empty() && lineText.back() == '\r')
                lineText.remove_suffix(1);
            if (!SurelyARow(lineText) && Skipped(lineText))
                continue;
            CarefulRow(layout, grid, row, line, lineText, numbers.data());
        }
        const std::size_t slot = static_cast<std::size_t>(out.Rows);
        for (std::size_t index = 1; index < columns.size(); ++index)
            into[index][slot] = numbers[index];
        ++out.Rows;
        ++row;
    }
    if (out.Rows != piece.Rows)
        throw SignalFileError(layout.File(), 0, "changed while it was read");
}

// Parses the pieces on worker threads, at most kPiecesAhead ahead of the one taken, and hands
// them on in order.
class PieceParsers {
public:
    PieceParsers(const CsvSource& source, const CsvLayout& layout, const Survey& survey,
                 std::size_t threads)
        : source_(source), layout_(layout), survey_(survey), slots_(kPiecesAhead) {
        for (std::size_t k = 0; k < threads; ++k)
            workers_.emplace_back([this] { Work(); });
    }
    ~PieceParsers() {
        {
            const std::lock_guard<std::mutex> lock(mutex_);
            stopping_ = true;
        }
        changed_.notify_all();
        for (std::thread& worker : workers_)
            worker.join();
    }
    PieceParsers(const PieceParsers&) = delete;
    PieceParsers& operator=(const PieceParsers&) = delete;

    // The piece `index`, once parsed; valid until the next call.
    ParsedPiece& Take(std::size_t index) {
        std::unique_lock<std::mutex> lock(mutex_);
        if (index > 0) {
            slots_[(index - 1) % slots_.size()].State = Slot::kFree;
            taken_ = index;
            changed_.notify_all();
        }
        Slot& slot = slots_[index % slots_.size()];
        changed_.wait(lock, [&] { return slot.State == Slot::kParsed && slot.Index == index; });
        return slot.Parsed;
    }

private:
    struct Slot {
        enum { kFree, kParsing, kParsed } State = kFree;
        std::size_t Index = 0;
        ParsedPiece Parsed;
        CsvSource::View Text;
    };

    void Work() {
        std::unique_lock<std::mutex> lock(mutex_);
        for (;;) {
            changed_.wait(lock, [&] {
                return stopping_ ||
                       (next_ < survey_.Pieces.size() && next_ < taken_ + slots_.size() &&
                        slots_[next_ % slots_.size()].State == Slot::kFree);
            });
            if (stopping_)
                return;
            const std::size_t index = next_++;
            Slot& slot = slots_[index % slots_.size()];
            slot.State = Slot::kParsing;
            slot.Index = index;
            lock.unlock();
            try {
                ParsePiece(source_, layout_, survey_.Grid, survey_.Pieces[index], slot.Text,
                           slot.Parsed);
            } catch (...) {
                slot.Parsed.Error = std::current_exception();
            }
            lock.lock();
            slot.State = Slot::kParsed;
            changed_.notify_all();
        }
    }

    const CsvSource& source_;
    const CsvLayout& layout_;
    const Survey& survey_;
    std::vector<Slot> slots_;
    std::vector<std::thread> workers_;
    std::mutex mutex_;
    std::condition_variable changed_;
    std::size_t next_ = 0;   // the next piece to parse
    std::size_t taken_ = 0;  // the piece the reader holds
    bool stopping_ = false;
};

class CsvReader final : public SignalReader {
public:
    CsvReader(std::unique_ptr<CsvSource> source, const std::string& fileName,
              const std::vector<InputScale>& inputs, ColumnChoice choice, std::size_t threads)
        : source_(std::move(source)), layout_(fileName, inputs, choice) {
        survey_ = SurveyText(*source_, layout_, threads);
        info_.SampleRate = survey_.SampleRate;
        info_.StartTime = survey_.Grid.First;
        info_.SampleCount = survey_.Rows;
        for (std::size_t channel = 0; channel < layout_.Channels(); ++channel)
            info_.Channels.push_back({layout_.Names()[channel], layout_.Inputs()[channel].Unit});
        // Threads pay only when there is more than a piece or two to parse.
        if (threads > 1 && survey_.Pieces.size() > 2)
            parsers_ = std::make_unique<PieceParsers>(*source_, layout_, survey_, threads);
    }

    void Next(device::SampleBlock& block, const device::BlockNeeds& needs) override {
        block.First = done_;
        if (piece_ >= survey_.Pieces.size()) {
            block.Count = 0;
            return;
        }
        ParsedPiece* parsed = &own_;
        if (parsers_)
            parsed = &parsers_->Take(piece_);
        else
            ParsePiece(*source_, layout_, survey_.Grid, survey_.Pieces[piece_], text_, own_);
        if (parsed->Error)
            std::rethrow_exception(parsed->Error);
        ++piece_;
        // The piece's values become the block's; the block's old arrays go back to the piece.
        std::swap(block.Values, parsed->Values);
        Size(block, parsed->Rows);
        ConvertUnits(block, needs, layout_.Inputs());
        done_ += parsed->Rows;
    }

private:
    std::unique_ptr<CsvSource> source_;
    CsvLayout layout_;
    Survey survey_;
    std::unique_ptr<PieceParsers> parsers_;
    ParsedPiece own_;
    CsvSource::View text_;
    std::size_t piece_ = 0;
    std::int64_t done_ = 0;
};

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};

std::size_t ParserThreads() {
    return std::max(1u, std::thread::hardware_concurrency());
}

}  // namespace

std::unique_ptr<SignalReader> OpenCsvSignals(const std::string& path,
                                             const std::vector<InputScale>& inputs,
                                             const ChannelMap* map) {
    return std::make_unique<CsvReader>(std::make_unique<FileSource>(path), path, inputs,
                                       ColumnChoice{map, false}, ParserThreads());
}

device::Signals ReadCsvSignals(const std::string& path, const std::vector<InputScale>& inputs) {
    return ReadAll(*OpenCsvSignals(path, inputs, nullptr));
}

device::Signals ParseCsvSignals(std::string_view text, const std::string& fileName,
                                const std::vector<InputScale>& inputs, const ChannelMap* map) {
    CsvReader reader(std::make_unique<TextSource>(text), fileName, inputs, ColumnChoice{map, false},
                     1);
    return ReadAll(reader);
}

std::vector<ChannelSurvey> SurveyCsvSignals(const std::string& path) {
    CsvReader reader(std::make_unique<FileSource>(path), path, {}, ColumnChoice{nullptr, true},
                     ParserThreads());
    return SurveyAll(reader);
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
        &OpenCsvSignals,
        [](const std::string& path, const device::Signals& signals,
           const std::vector<InputScale>& inputs) {
            CheckChannelCount(path, signals, inputs);
            WriteCsvSignals(path, signals);
        },
        &SurveyCsvSignals,
    };
    return format;
}

}  // namespace preview
