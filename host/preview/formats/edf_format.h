// Recorded signals in an EDF, EDF+, BDF or BDF+ file, and the writer of EDF+ files. The inputs
// read the signals (annotation signals aside) as their labels choose (channel_selection.h); the
// physical values of a signal read are taken in its physical unit, which must be the input's
// unit or another prefix of it (a signal in uV for an input in mV is converted), and the
// signals read must have one sample rate. The start time is 0.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "host/device/signals.h"
#include "host/preview/formats/channel_selection.h"
#include "host/preview/formats/input_scale.h"
#include "host/preview/formats/signal_reader.h"

namespace preview {

// Opens the file. Throws SignalFileError naming the file and, where it is about one, the signal
// (by number and label) that does not fit: more signals than inputs without a map, a unit that
// is not the input's, a sample rate that differs from the first signal read, a physical range that
// gives values beyond the numbers of the input's unit (a maximum of 9e999), a record duration the
// library does not read as written.
std::unique_ptr<SignalReader> OpenEdfSignals(const std::string& path,
                                             const std::vector<InputScale>& inputs,
                                             const ChannelMap* map = nullptr);

// The whole file at once.
device::Signals ReadEdfSignals(const std::string& path, const std::vector<InputScale>& inputs);

// An annotation of an EDF+ or BDF+ file: its onset in seconds from the file's start and its
// text (UTF-8).
struct EdfAnnotation {
    double Onset = 0.0;
    std::string Text;
};

// Every annotation of the EDF+ or BDF+ file at `path`, in the file's order. Throws
// SignalFileError naming the file when it does not open or is plain EDF or BDF (which holds
// none).
std::vector<EdfAnnotation> ReadEdfAnnotations(const std::string& path);

// Writes an EDF+ file of 16-bit signals whose physical minimum and maximum are -range and
// +range of each input, starting on 1 January 2000 at midnight (the same signals make the same
// file), with `annotations` (their onsets kept to a tenth of a millisecond). The rate must be a
// whole number and the samples fill whole seconds. Every annotation is kept or none is written:
// a text longer than 40 bytes, or more annotations than 64 per second of the recording, are
// refused (SignalFileError) before the file is opened.
void WriteEdfSignals(const std::string& path, const device::Signals& signals,
                     const std::vector<InputScale>& inputs,
                     const std::vector<EdfAnnotation>& annotations = {});

}  // namespace preview
