// The formats of recorded signals the preview reads, as a table (signal_formats.cpp), and the
// reading of a file by the format its extension names (letter case aside): .csv (csv_format.h),
// .wav and .flac (sound_format.h), .edf and .bdf, plain or "+" (edf_format.h). Channel i of
// the result is Input i + 1 in the input's unit.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "host/device/signals.h"
#include "host/preview/formats/input_scale.h"
#include "host/preview/formats/signal_format.h"

namespace preview {

// Every format, in the order the help and the error texts name them.
const std::vector<const SignalFormat*>& SignalFormats();

// The format whose extension ends `path`; null when none does.
const SignalFormat* FormatOf(const std::string& path);

// Every extension of every format for a sentence: ".csv, .wav, .flac, .edf or .bdf".
std::string KnownExtensions();

// Opens the file with the reader of its format, its channels chosen by `map` (null: as the file
// lays them out). Throws SignalFileError for an extension it does not know and for every
// reader's errors, ChannelMapError for a map that names an input the device lacks.
std::unique_ptr<SignalReader> OpenSignalFile(const std::string& path,
                                             const std::vector<InputScale>& inputs,
                                             const ChannelMap* map = nullptr);

// Every channel of the file: its label, unit, rate, samples and extremes. Throws SignalFileError
// as OpenSignalFile does.
std::vector<ChannelSurvey> SurveySignalFile(const std::string& path);

// The whole recording at once (for tests and small tools; the preview reads block by block).
device::Signals ReadSignalFile(const std::string& path, const std::vector<InputScale>& inputs);

}  // namespace preview
