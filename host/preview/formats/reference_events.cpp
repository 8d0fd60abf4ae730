#include "host/preview/formats/reference_events.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <filesystem>

#include "host/files/read_file.h"
#include "host/preview/formats/csv_fields.h"
#include "host/preview/formats/edf_format.h"
#include "host/preview/formats/input_scale.h"
#include "host/preview/formats/signal_file_error.h"

#include <fast_float/fast_float.h>

namespace preview {

namespace {

// The fields of a CSV line; a field in double quotes may hold commas ("" is a quote in it).
std::vector<std::string_view> Fields(std::string_view line) {
    std::vector<std::string_view> fields;
    std::size_t start = 0;
    bool quoted = false;
    for (std::size_t i = 0; i <= line.size(); ++i) {
        if (i < line.size() && line[i] == '"')
            quoted = !quoted;
        else if (i == line.size() || (line[i] == ',' && !quoted)) {
            fields.push_back(Trim(line.substr(start, i - start)));
            start = i + 1;
        }
    }
    return fields;
}

std::string LowerExtension(const std::string& path) {
    std::string extension = std::filesystem::path(path).extension().string();
    for (char& c : extension)
        c = static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    return extension;
}

std::vector<double> AnnotationEvents(const std::string& path,
                                     const std::optional<std::string>& label) {
    std::vector<double> events;
    std::vector<std::string> others;  // texts not asked for, a few of them for the message
    for (const EdfAnnotation& annotation : ReadEdfAnnotations(path)) {
        if (!label || annotation.Text == *label)
            events.push_back(annotation.Onset);
        else if (others.size() < 5 &&
                 std::find(others.begin(), others.end(), annotation.Text) == others.end())
            others.push_back(annotation.Text);
    }
    if (label && events.empty()) {
        std::string known;
        for (const std::string& text : others)
            known += (known.empty() ? "" : ", ") + Quoted(text);
        throw SignalFileError(path, 0,
                              "no annotation reads " + Quoted(*label) +
                                  (known.empty() ? " (it has none)" : "; it has " + known));
    }
    return events;
}

}  // namespace

std::vector<double> ParseReferenceCsv(std::string_view text, const std::string& fileName) {
    if (text.starts_with("\xEF\xBB\xBF"))
        text.remove_prefix(3);
    std::vector<double> events;
    std::optional<std::size_t> timeColumn;
    double factor = 1.0;
    std::int64_t number = 0;
    for (std::size_t at = 0; at < text.size();) {
        const std::size_t end = std::min(text.find('\n', at), text.size());
        std::string_view line = text.substr(at, end - at);
        at = end + 1;
        ++number;
        if (line.ends_with('\r'))
            line.remove_suffix(1);
        const std::string_view content = Trim(line);
        if (content.empty() || content.front() == '#')
            continue;
        const std::vector<std::string_view> fields = Fields(line);
        if (!timeColumn) {
            for (std::size_t k = 0; k < fields.size() && !timeColumn; ++k) {
                const std::optional<ColumnName> name = SplitColumnName(fields[k]);
                if (!name || !EqualsIgnoringCase(name->Name, "time"))
                    continue;
                const std::optional<double> unit = UnitFactor(name->Unit, "s");
                if (!unit)
                    throw SignalFileError(fileName, number,
                                          "the time's unit \"" + std::string(name->Unit) +
                                              "\" is not seconds");
                timeColumn = k;
                factor = *unit;
            }
            if (!timeColumn)
                throw SignalFileError(fileName, number,
                                      "the header names no time column, such as \"time (s)\"");
            continue;
        }
        if (*timeColumn >= fields.size())
            throw SignalFileError(fileName, number,
                                  "has no field in column " + std::to_string(*timeColumn + 1) +
                                      ", the time");
        const std::string_view field = fields[*timeColumn];
        double value = 0.0;
        const auto [stop, error] =
            fast_float::from_chars(field.data(), field.data() + field.size(), value);
        const double seconds = value * factor;
        if (field.empty() || error != std::errc() || stop != field.data() + field.size() ||
            !std::isfinite(seconds))
            throw SignalFileError(fileName, number,
                                  "column " + std::to_string(*timeColumn + 1) + ": " +
                                      Quoted(field) + " is not a time");
        events.push_back(seconds);
    }
    if (!timeColumn)
        throw SignalFileError(fileName, 0, "no header line (such as \"time (s)\")");
    std::sort(events.begin(), events.end());
    return events;
}

std::vector<double> ReadReferenceEvents(const std::string& path,
                                        const std::optional<std::string>& label) {
    const std::string extension = LowerExtension(path);
    if (extension == ".edf" || extension == ".bdf") {
        files::CheckRegularFile(path);
        std::vector<double> events = AnnotationEvents(path, label);
        std::sort(events.begin(), events.end());
        return events;
    }
    if (extension != ".csv")
        throw SignalFileError(path, 0,
                              "reference events are read from .csv, .edf or .bdf files, not "
                              "from \"" +
                                  extension + "\" files");
    if (label)
        throw SignalFileError(path, 0,
                              "--label chooses annotations of an EDF+ or BDF+ file; a CSV file "
                              "of reference events takes every line");
    return ParseReferenceCsv(files::ReadWholeFile(path), path);
}

}  // namespace preview
