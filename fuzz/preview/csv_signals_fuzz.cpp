// Reads arbitrary texts as CSV signal files, by the columns' "Input N" names and through a
// channel map. A text either reads into signals that keep their promises (channels of one
// length, a finite positive rate, finite values) or fails with an error that names the file and
// a line the text has.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <string>
#include <string_view>

#include "fuzz/fuzz_check.h"
#include "host/preview/formats/csv_format.h"
#include "host/preview/formats/signal_file_error.h"

using device::Signals;
using preview::InputScale;
using preview::ParseCsvSignals;
using preview::SignalFileError;

namespace {

void Read(std::string_view text, const preview::ChannelMap* map) {
    static const std::vector<InputScale> kInputs = {{10.0, "V"}, {2.5, "mV"}, {1.0, ""}};
    const std::int64_t lines = std::count(text.begin(), text.end(), '\n') + 1;
    try {
        const Signals signals = ParseCsvSignals(text, "fuzz.csv", kInputs, map);
        CHECK(!signals.Channels.empty() && signals.Channels.size() <= kInputs.size());
        CHECK(std::isfinite(signals.SampleRate) && signals.SampleRate > 0.0);
        CHECK(std::isfinite(signals.StartTime));
        CHECK(signals.SampleCount() >= 2);
        // Every sample is a line of its own.
        CHECK(static_cast<std::int64_t>(signals.SampleCount()) < lines);
        for (const auto& channel : signals.Channels) {
            CHECK(channel.Values.size() == signals.SampleCount());
            for (const double value : channel.Values)
                CHECK(std::isfinite(value));
        }
    } catch (const SignalFileError& error) {
        const std::string what = error.what();
        CHECK(error.File() == "fuzz.csv");
        CHECK(error.Line() >= 0 && error.Line() <= lines);
        if (error.Line() > 0)
            CHECK(what.starts_with("fuzz.csv, line " + std::to_string(error.Line()) + ": "));
        else
            CHECK(what.starts_with("fuzz.csv: "));
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const preview::ChannelMap kMap = preview::ParseChannelMap("Input 1=ECG, Input 2=x");
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    Read(text, nullptr);
    Read(text, &kMap);
    return 0;
}
