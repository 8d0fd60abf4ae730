// One format of recorded signals: a row of the format table (signal_formats.cpp). Each format's
// file (csv_format.cpp, sound_format.cpp, edf_format.cpp) defines its row: the file name
// extensions it reads, what such a file holds, its reader and, where there is one, its writer.
// A new format is one file that defines its row, and the row in the table.
//
// Readers deliver the channels a channel map chooses (channel_selection.h; without one, as the
// file lays them out) as Input 1, 2 ... of the device, in that input's unit, block by block
// (signal_reader.h); the channels no input reads are not checked against the device. They throw
// SignalFileError naming the file (and the line, column or channel) for what does not fit.
// Surveyors list every channel of a file with its extremes, whatever the device. Writers make a
// file that their reader reads back to the same values; they refuse signals of no channel or of
// more channels than the device has inputs (CheckChannelCount).
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "host/device/signals.h"
#include "host/preview/formats/channel_selection.h"
#include "host/preview/formats/channel_survey.h"
#include "host/preview/formats/input_scale.h"
#include "host/preview/formats/signal_reader.h"

namespace preview {

struct SignalFormat {
    // Opens the file and reads what it holds; its samples follow block by block. `map` (may be
    // null) chooses the channels the inputs read.
    using Opener = std::unique_ptr<SignalReader> (*)(const std::string& path,
                                                     const std::vector<InputScale>& inputs,
                                                     const ChannelMap* map);
    // Reads every channel of the file, block by block.
    using Surveyor = std::vector<ChannelSurvey> (*)(const std::string& path);
    using Writer = void (*)(const std::string& path, const device::Signals& signals,
                            const std::vector<InputScale>& inputs);

    // The file name extensions it reads, lower case with the dot; the first is the one its
    // writer makes (".wav" rather than ".flac").
    std::vector<std::string_view> Extensions;
    // What a file of the format holds, for ostrel's help ("physical values").
    std::string_view Holds;
    Opener Open = nullptr;
    Writer Write = nullptr;  // null when the format has no writer
    Surveyor Survey = nullptr;
};

// For writers: throws SignalFileError naming `path` unless `signals` has one to
// inputs.size() channels.
void CheckChannelCount(const std::string& path, const device::Signals& signals,
                       const std::vector<InputScale>& inputs);

}  // namespace preview
