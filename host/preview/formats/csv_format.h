// Recorded signals in a CSV file: its reader and its writer.
//
// The file is plain text, one sample per line, fields separated by commas, numbers with a decimal
// point (C notation, "1.5e-3" too). The first line that is neither empty nor a comment is the
// header; it names the columns:
//
//   time (s),Input 1 (V),Input 2 (mV)
//
// The first column is the time, its unit in parentheses ("s", or "ms", "us" ...). Every other
// column is one input of the device, "Input N (UNIT)", N counted from 1; the unit is required and
// must be the input's unit or another prefix of it (a column in mV for an input in V is
// converted). The columns may come in any order but must name Input 1 to Input K without a gap
// or a repeat, K at most the device's input count. With a channel map the columns may have any
// names ("EEG (uV)"): the map chooses them by the name before the unit, and the columns it does
// not choose are only checked to be numbers. Fields may be wrapped in double quotes; white
// space around a field is ignored; lines that start with '#' are comments; empty lines are
// skipped; CR LF line ends and a leading UTF-8 byte-order mark are accepted.
//
// The time must advance in even steps: the step is taken from the whole file (the first and the
// last time and the number of samples), and every time must lie within half a step of where that
// step puts it, or within the rounding of the times in the text: half a unit of their last
// decimal, and as much again for the first and last time the step is taken from (the unit is the
// finest of the row's, the first and the last time's). Times lie within 1e12 s of zero. The sample
// rate is one over the step, the start time the first time. A malformed file is a SignalFileError
// that names the line (and column).
//
// A first pass over the text finds the header, counts the samples and reads the last time; the
// second parses the rows in pieces, in parallel on the machine's cores, and hands them on in
// order, so memory stays within a few pieces whatever the file's length.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "host/device/signals.h"
#include "host/preview/formats/channel_selection.h"
#include "host/preview/formats/input_scale.h"
#include "host/preview/formats/signal_reader.h"

namespace preview {

// The longest line the reader accepts, in bytes (line end excluded).
inline constexpr std::size_t kMaxCsvLineLength = 64 * 1024;

// Opens the CSV file at `path` for a device with the given inputs. Channel i is Input i + 1, in
// that input's unit.
std::unique_ptr<SignalReader> OpenCsvSignals(const std::string& path,
                                             const std::vector<InputScale>& inputs,
                                             const ChannelMap* map = nullptr);

// The whole file at once.
device::Signals ReadCsvSignals(const std::string& path, const std::vector<InputScale>& inputs);

// The same for text already in memory; `fileName` names it in errors.
device::Signals ParseCsvSignals(std::string_view text, const std::string& fileName,
                                const std::vector<InputScale>& inputs,
                                const ChannelMap* map = nullptr);

// Writes a CSV file with the header "time (s),Input 1 (UNIT),..." and each value with up to
// `significantDigits` significant digits; times with as many decimals as the rate needs.
void WriteCsvSignals(const std::string& path, const device::Signals& signals,
                     int significantDigits = 7);

}  // namespace preview
