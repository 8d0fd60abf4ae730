// Makes the project's sample recording: Input 1 (V, ±10 V) at 1000 samples per second for six
// seconds, a noisy baseline with bursts. Some bursts clear 2.5 V cleanly, one dips back into the
// 2–2.5 V band halfway (a double trigger without hysteresis), one only reaches into the band, and
// two come close together (the second falls in a hold-off). Written in every format that has a
// writer (NAME.csv, NAME.wav and NAME.edf) with the same values: each value lies on the 16-bit
// grid of the range, so the files read back alike. The EDF+ file also marks the start of each
// burst that clears 2.5 V with the annotation "burst": the events a detector of bursts should
// catch.
//
// Beside them, PATH/ecg-beside-eeg.csv: a recording as a lab makes it, more channels than the
// rules watch and in other units, for choosing channels by label (`preview --map`): three
// seconds at 360 samples per second of an EEG in uV and, after it, an ECG in mV whose R waves
// peak near 1.6 mV.
//
//   make_sample_signals PATH/NAME
#include <cmath>
#include <cstdio>
#include <exception>
#include <random>
#include <string>

#include "host/preview/formats/csv_format.h"
#include "host/preview/formats/edf_format.h"
#include "host/preview/formats/signal_formats.h"

namespace {

using preview::InputScale;

constexpr double kRate = 1000.0;
constexpr int kSeconds = 6;
constexpr double kRange = 10.0;
// A burst that rises more than this above the baseline (about 0.6 V) clears 2.5 V.
constexpr double kClears = 2.5;

struct Burst {
    double Start;     // seconds
    double Duration;  // seconds
    double Peak;      // volts above the baseline
    bool Dip;         // falls back into the band halfway
};

constexpr Burst kBursts[] = {
    {0.40, 0.15, 3.4, false}, {1.30, 0.22, 3.0, true},  {2.20, 0.12, 1.5, false},
    {3.00, 0.10, 3.8, false}, {3.18, 0.10, 3.6, false}, {4.20, 0.30, 2.9, false},
    {5.20, 0.14, 3.3, false},
};

device::Signals MakeSignals() {
    std::mt19937 random(20261208);
    std::normal_distribution<double> noise(0.0, 0.18);
    device::Signals signals;
    signals.SampleRate = kRate;
    signals.Channels = {{"Input 1", "V", {}}};
    const int samples = static_cast<int>(kRate) * kSeconds;
    double drift = 0.0;
    for (int i = 0; i < samples; ++i) {
        const double t = i / kRate;
        drift = 0.995 * drift + 0.05 * noise(random);
        double value = 0.6 + 0.25 * std::sin(2 * M_PI * 0.7 * t) + drift + noise(random);
        for (const Burst& burst : kBursts) {
            const double phase = (t - burst.Start) / burst.Duration;
            if (phase < 0 || phase > 1)
                continue;
            double shape = std::sin(M_PI * phase);
            shape = std::sqrt(shape);  // steep edges, a flat top
            if (burst.Dip && phase > 0.42 && phase < 0.58)
                shape *= 0.55;
            value += burst.Peak * shape;
        }
        // On the 16-bit grid of the range, as a converter delivers it.
        value = std::round(value / kRange * 32768.0) / 32768.0 * kRange;
        signals.Channels[0].Values.push_back(value);
    }
    return signals;
}

constexpr double kEcgRate = 360.0;

device::Signals MakeEcgBesideEeg() {
    std::mt19937 random(20261209);
    std::normal_distribution<double> noise(0.0, 1.0);
    device::Signals signals;
    signals.SampleRate = kEcgRate;
    signals.Channels = {{"EEG", "uV", {}}, {"ECG", "mV", {}}};
    // One sample more than three seconds: the last time, 3.000 s, gives the step exactly.
    for (int i = 0; i <= 3 * static_cast<int>(kEcgRate); ++i) {
        const double t = i / kEcgRate;
        const double eeg = 18.0 * std::sin(2 * M_PI * 10.0 * t) + 6.0 * noise(random);
        // A beat every 0.8 s: a narrow R wave on a slow baseline.
        const double beat = std::fmod(t, 0.8) - 0.4;
        const double ecg = 1.7 * std::exp(-beat * beat / (2 * 0.012 * 0.012)) - 0.1 +
                           0.08 * std::sin(2 * M_PI * 0.3 * t) + 0.01 * noise(random);
        signals.Channels[0].Values.push_back(std::round(eeg * 10) / 10);
        signals.Channels[1].Values.push_back(std::round(ecg * 1000) / 1000);
    }
    return signals;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr,
                     "usage: make_sample_signals PATH/NAME  (writes NAME.csv, .wav, .edf)\n");
        return 2;
    }
    try {
        const std::string base = argv[1];
        const device::Signals signals = MakeSignals();
        const std::vector<InputScale> inputs = {{kRange, "V"}};
        std::vector<preview::EdfAnnotation> bursts;
        for (const Burst& burst : kBursts) {
            if (burst.Peak > kClears)
                bursts.push_back({burst.Start, "burst"});
        }
        for (const preview::SignalFormat* format : preview::SignalFormats()) {
            const std::string path = base + std::string(format->Extensions.front());
            if (format->Extensions.front() == ".edf")
                preview::WriteEdfSignals(path, signals, inputs, bursts);
            else if (format->Write != nullptr)
                format->Write(path, signals, inputs);
        }
        const std::size_t slash = base.rfind('/');
        const std::string folder = slash == std::string::npos ? "" : base.substr(0, slash + 1);
        preview::WriteCsvSignals(folder + "ecg-beside-eeg.csv", MakeEcgBesideEeg());
    } catch (const std::exception& error) {
        std::fprintf(stderr, "make_sample_signals: %s\n", error.what());
        return 2;
    }
    return 0;
}
