// Reference events: the moments the outputs should catch (R peaks, spindles, steps), in seconds
// of the recording's time, read from
//
//   - a CSV file (.csv): a header line whose columns include one named "time (UNIT)" (seconds or
//     another prefix of them: "time (s)", "time (ms)"), then one event per line; other columns
//     are ignored, fields may be quoted (a quoted field may hold commas), '#' lines and empty
//     lines are skipped, CR LF is accepted;
//   - the annotations of an EDF+ or BDF+ file (.edf, .bdf): every annotation, or those whose text
//     equals the label given; onsets from the file's start, which is the recording's 0 s.
//
// Events may come in any order; they are returned ascending. A file that holds none is not an
// error (every pulse is then false).
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace preview {

// The events of the file at `path`, told by its name's ending; `label` chooses annotations by
// their text (an EDF+ or BDF+ file only). Throws SignalFileError naming the file (and the line)
// for a file that does not read, an ending it does not know, a label for a CSV file, a label no
// annotation has (naming a few that it has).
std::vector<double> ReadReferenceEvents(const std::string& path,
                                        const std::optional<std::string>& label = std::nullopt);

// The events of a reference CSV text; `fileName` names it in errors.
std::vector<double> ParseReferenceCsv(std::string_view text, const std::string& fileName);

}  // namespace preview
