// The check of a recording against the device: what preview says of each input's signal, and
// when it warns.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "host/ostrel/signal_check.h"

namespace ostrel {
namespace {

TEST(SignalCheck, TellsTheSpanAndTheClippedSamplesAndWarnsForWatchedInputs) {
    const double nan = std::nan("");
    const struct {
        double fullScale;
        const char* unit;
        const char* label;
        bool watched;
        std::vector<std::vector<double>> blocks;
        std::string line;
        std::vector<std::string> warnings;
    } cases[] = {
        // A signal that fits its range.
        {5,
         "mV",
         "ECG",
         true,
         {{-0.412, 0.5}, {1.93, nan}},
         "Input 1 (ECG): -0.412 to 1.93 mV, spans 23.4 % of ±5 mV, no sample clipped\n",
         {}},
        // A recording in mV on an input of ±10 V: a sliver of the range.
        {10,
         "V",
         "ECG",
         true,
         {{0.0001, 0.0016}},
         "Input 1 (ECG): 0.0001 to 0.0016 V, spans 0.0075 % of ±10 V, no sample clipped\n",
         {"Input 1 (ECG) spans 0.0075 % of its range ±10 V (less than 1 %): the rules watching "
          "it see almost nothing of it"}},
        // The same on an input no rule watches is only told.
        {10,
         "V",
         "Input 1",
         false,
         {{0.0001, 0.0016}},
         "Input 1: 0.0001 to 0.0016 V, spans 0.0075 % of ±10 V, no sample clipped\n",
         {}},
        // A range too small: the converter clips.
        {5,
         "uV",
         "EEG",
         true,
         {{-10, 0}, {3, 12}},
         "Input 1 (EEG): -10 to 12 uV, spans 220 % of ±5 uV, 2 samples clipped (50 %)\n",
         {"Input 1 (EEG): 2 of 4 samples (50 %) clip at its range ±5 uV"}},
        // Clipped is what converts beyond -32768 ... 32767, rounded as the converter rounds.
        {32000,
         "",
         "",
         true,
         {{32767.4, 32767.5, -32768.5, -32768.4}},
         "Input 1: -32768.5 to 32767.5, spans 102 % of ±32000, 1 sample clipped (25 %)\n",
         {"Input 1: 1 of 4 samples (25 %) clip at its range ±32000"}},
        // 1 in 1000 clipped is within reason.
        {1,
         "V",
         "",
         true,
         {std::vector<double>(999, 0.5), {-2}},
         "Input 1: -2 to 0.5 V, spans 125 % of ±1 V, 1 sample clipped (0.1 %)\n",
         {}},
        {1,
         "V",
         "",
         true,
         {{nan}},
         "Input 1: no value that is a number\n",
         {"Input 1 spans 0 % of its range ±1 V (less than 1 %): the rules watching it see "
          "almost nothing of it"}},
    };
    for (const auto& c : cases) {
        InputCheck input{0, c.label, c.unit, c.watched, device::InputStatistics(c.fullScale)};
        for (const std::vector<double>& block : c.blocks)
            input.Statistics.Add(block.data(), block.size());
        EXPECT_EQ(FormatSignalCheck({input}), c.line);
        EXPECT_EQ(SignalWarnings({input}), c.warnings) << c.line;
    }
}

}  // namespace
}  // namespace ostrel
