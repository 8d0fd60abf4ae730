// A recording that a Python program holds in memory, as a two-dimensional array of doubles: one
// row per sample, one column per input (column 0 is Input 1), with whatever strides the array's
// view has, so that neither a transposed nor a sliced array is copied. The device replays it
// block by block as it replays a file; each value, times its column's unit factor, is in its
// input's unit.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "host/device/signals.h"
#include "host/preview/formats/input_scale.h"
#include "host/preview/formats/signal_reader.h"

namespace python {

// Where the values are: element (i, k) is the double at Data + i * RowStride + k * ColumnStride
// (strides in bytes).
struct ArrayView {
    const char* Data = nullptr;
    std::int64_t Rows = 0;
    std::int64_t Columns = 0;
    std::int64_t RowStride = 0;
    std::int64_t ColumnStride = 0;
};

// What the columns are: a channel's name and unit (in which the values are given) per column;
// empty for "Input 1" ... in each input's own unit.
struct ArrayChannels {
    std::vector<device::ChannelName> Channels;
};

// How the replay names the array in its messages.
inline constexpr char kArrayName[] = "the array";

// A reader over `view`, sampled at `sampleRate` from `startTime` seconds, for a device whose
// inputs are `inputs`. A channel recorded in another prefix of its input's unit ("V" for an
// input in "mV") is converted to it. Throws preview::SignalFileError naming the array for no
// sample, more columns than the device has inputs, or a channel whose unit is not its input's.
// The array must outlive the reader.
std::unique_ptr<preview::SignalReader> OpenArray(const ArrayView& view, double sampleRate,
                                                 double startTime, const ArrayChannels& channels,
                                                 const std::vector<preview::InputScale>& inputs);

}  // namespace python
