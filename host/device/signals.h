// Recorded signals as the preview replays them: one channel per device input, in input order
// (channel 0 is Input 1), every channel sampled together at one rate. Values are physical, in
// the channel's unit ("V", "mV" ...); the readers of the signal files fill this, the simulated
// device converts it to its own units.
#pragma once

#include <string>
#include <vector>

namespace device {

struct SignalChannel {
    std::string Name;            // as the file names it ("Input 1", "EEG Fp1" ...)
    std::string Unit;            // as the file names it; may be empty when the file has none
    std::vector<double> Values;  // one value per sample, physical, in Unit
};

struct Signals {
    double SampleRate = 0.0;  // samples per second, > 0
    double StartTime = 0.0;   // seconds: the time of sample 0 (a CSV's first time value)
    std::vector<SignalChannel> Channels;

    std::size_t SampleCount() const {
        return Channels.empty() ? 0 : Channels.front().Values.size();
    }
};

}  // namespace device
