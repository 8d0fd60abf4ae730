#include "python/array_recording.h"

#include <algorithm>
#include <cstdlib>
#include <optional>

#include "host/device/input_converter.h"
#include "host/preview/formats/signal_file_error.h"

namespace python {

namespace {

// Samples delivered at a time: a block of the replay, as the file readers deliver them.
constexpr std::int64_t kBlockSamples = 1 << 16;

class ArrayReader final : public preview::SignalReader {
public:
    ArrayReader(const ArrayView& view, double sampleRate, double startTime,
                const ArrayChannels& channels, const std::vector<preview::InputScale>& inputs)
        : view_(view), inputs_(inputs) {
        const auto fail = [](const std::string& what) {
            return preview::SignalFileError(kArrayName, 0, what);
        };
        if (view.Rows <= 0 || view.Columns <= 0)
            throw fail("it holds no sample");
        if (static_cast<std::size_t>(view.Columns) > inputs.size())
            throw fail("it has " + std::to_string(view.Columns) +
                       " columns, but the device has only " + std::to_string(inputs.size()) +
                       " inputs");
        if (!channels.Channels.empty() &&
            channels.Channels.size() != static_cast<std::size_t>(view.Columns))
            throw fail("it has " + std::to_string(view.Columns) + " columns, but " +
                       std::to_string(channels.Channels.size()) + " channels are named");
        info_.SampleRate = sampleRate;
        info_.StartTime = startTime;
        info_.SampleCount = view.Rows;
        for (std::size_t k = 0; k < static_cast<std::size_t>(view.Columns); ++k) {
            const preview::InputScale& input = inputs[k];
            const std::string input_name = "Input " + std::to_string(k + 1);
            if (channels.Channels.empty()) {
                info_.Channels.push_back({input_name, input.Unit});
                factors_.push_back(1.0);
                continue;
            }
            const device::ChannelName& channel = channels.Channels[k];
            const std::optional<double> factor = preview::UnitFactor(channel.Unit, input.Unit);
            if (!factor)
                throw fail("the unit \"" + channel.Unit + "\" of column " + std::to_string(k) +
                           " (" + channel.Name + ") is not the unit \"" + input.Unit +
                           "\" of the device's " + input_name);
            info_.Channels.push_back({channel.Name, input.Unit});
            factors_.push_back(*factor);
        }
    }

    void Next(device::SampleBlock& block, const device::BlockNeeds& needs) override {
        block.First = done_;
        const std::int64_t count = std::min(kBlockSamples, info_.SampleCount - done_);
        Size(block, count);
        std::vector<Column> wanted;
        for (std::size_t k = 0; k < info_.Channels.size(); ++k) {
            const bool units = k < needs.Units.size() && needs.Units[k];
            const bool values = k < needs.Values.size() && needs.Values[k];
            if (units || values) {
                wanted.push_back({view_.Data + done_ * view_.RowStride +
                                      static_cast<std::int64_t>(k) * view_.ColumnStride,
                                  factors_[k], inputs_[k].Range,
                                  units ? block.Units[k].data() : nullptr,
                                  values ? block.Values[k].data() : nullptr});
            }
        }
        // The converter's own conversion, straight from the array, in the order its memory
        // runs: a column at a time when a column's values lie closer together than a row's.
        const auto convert = [&](const Column& column, std::int64_t j) {
            const double x = *reinterpret_cast<const double*>(column.First + j * view_.RowStride) *
                             column.Factor;
            if (column.Units != nullptr)
                column.Units[j] = device::ToDeviceUnits(x, column.Range);
            if (column.Values != nullptr)
                column.Values[j] = x;
        };
        if (std::abs(view_.RowStride) <= std::abs(view_.ColumnStride)) {
            for (const Column& column : wanted) {
                for (std::int64_t j = 0; j < count; ++j)
                    convert(column, j);
            }
        } else {
            for (std::int64_t j = 0; j < count; ++j) {
                for (const Column& column : wanted)
                    convert(column, j);
            }
        }
        done_ += count;
    }

private:
    // A column a block needs: its first value in the block, and where its device units and
    // values go (null when not asked for).
    struct Column {
        const char* First;
        double Factor;
        double Range;
        std::int16_t* Units;
        double* Values;
    };

    ArrayView view_;
    std::vector<preview::InputScale> inputs_;
    std::vector<double> factors_;  // to each input's unit, by column
    std::int64_t done_ = 0;
};

}  // namespace

std::unique_ptr<preview::SignalReader> OpenArray(const ArrayView& view, double sampleRate,
                                                 double startTime, const ArrayChannels& channels,
                                                 const std::vector<preview::InputScale>& inputs) {
    return std::make_unique<ArrayReader>(view, sampleRate, startTime, channels, inputs);
}

}  // namespace python
