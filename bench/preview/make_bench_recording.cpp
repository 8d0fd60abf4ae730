// Makes the recordings and the configuration the preview's side-by-side comparison runs on
// (bench/preview/compare-preview): 16 inputs of +-10 V, each a slow sine of 6 V whose frequency
// depends on the input, 0.3 V of noise and every 50 ms a 5 ms burst of 4 V, as 16-bit samples,
// written in blocks so that any length fits in memory.
//
//   make_bench_recording FOLDER SECONDS [RATE]
//
// writes FOLDER/bench.wav, bench.edf (digital values of the same 16-bit samples) and
// bench.csv (the same samples in volts with four decimals), bench.flac the first 8 inputs (FLAC
// holds at most 8 channels), FOLDER/constant.flac (one input held
// at 1 V for 1000 s at 100 kS/s: 100 million samples in a few hundred kilobytes) and
// FOLDER/ten-outputs.txt: 10 outputs with 4 rule slots each, as in the replay's benchmark
// (ten-outputs-8.txt the same on the first 8 inputs, for bench.flac).
#include <edflib.h>
#include <sndfile.h>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

namespace {

constexpr int kInputs = 16;
constexpr int kFlacInputs = 8;
constexpr double kRange = 10.0;

[[noreturn]] void Fail(const std::string& what) {
    std::fprintf(stderr, "make_bench_recording: %s\n", what.c_str());
    std::exit(2);
}

// Frames [from, from + count) of every input, interleaved.
void Samples(std::int64_t from, std::int64_t count, double rate, std::uint32_t& noise,
             std::vector<short>& frames) {
    frames.resize(static_cast<std::size_t>(count) * kInputs);
    for (std::int64_t j = 0; j < count; ++j) {
        const double t = static_cast<double>(from + j) / rate;
        for (int k = 0; k < kInputs; ++k) {
            noise = noise * 1664525u + 1013904223u;
            const std::int64_t inBurst = (from + j + static_cast<std::int64_t>(rate / 100) * k) %
                                         static_cast<std::int64_t>(rate / 20);
            const double volts = 6.0 * std::sin(2 * M_PI * (3.0 + k) * t) +
                                 (inBurst < static_cast<std::int64_t>(rate / 200) ? 4.0 : 0.0) +
                                 0.3 * (static_cast<double>(noise >> 8) / (1 << 24) - 0.5);
            frames[static_cast<std::size_t>(j * kInputs + k)] = static_cast<short>(
                std::clamp(std::lround(volts / kRange * 32768.0), -32768L, 32767L));
        }
    }
}

SNDFILE* OpenSound(const std::string& path, int format, int channels, int rate) {
    SF_INFO info{};
    info.samplerate = rate;
    info.channels = channels;
    info.format = format | SF_FORMAT_PCM_16;
    SNDFILE* file = sf_open(path.c_str(), SFM_WRITE, &info);
    if (file == nullptr)
        Fail(path + ": " + sf_strerror(nullptr));
    return file;
}

int OpenEdf(const std::string& path, int rate) {
    const int edf = edfopen_file_writeonly(path.c_str(), EDFLIB_FILETYPE_EDFPLUS, kInputs);
    if (edf < 0)
        Fail(path + ": cannot be written");
    edf_set_startdatetime(edf, 2000, 1, 1, 0, 0, 0);
    for (int k = 0; k < kInputs; ++k) {
        const std::string label = "Input " + std::to_string(k + 1);
        if (edf_set_samplefrequency(edf, k, rate) != 0 ||
            edf_set_physical_maximum(edf, k, kRange) != 0 ||
            edf_set_physical_minimum(edf, k, -kRange) != 0 ||
            edf_set_digital_maximum(edf, k, 32767) != 0 ||
            edf_set_digital_minimum(edf, k, -32768) != 0 ||
            edf_set_label(edf, k, label.c_str()) != 0 ||
            edf_set_physical_dimension(edf, k, "V") != 0)
            Fail(path + ": the header cannot be set");
    }
    return edf;
}

void WriteConfig(const std::string& path, int inputs) {
    // Output n watches inputs n to n + 3 above and below levels spread over the range; even
    // outputs combine with all and a hysteresis above the noise, odd ones with any and one
    // within it; every third output follows its state; the last has a count limit.
    std::ofstream out(path);
    out << "Version = 1\nAnalogOutputCount = 2\nDigitalOutputCount = 8\n";
    for (int n = 0; n < 10; ++n) {
        const int output = n < 2 ? n + 1 : -(n - 1);
        out << "BeginOnlineEvent\nVersion = 1\nOutput = " << output << "\nOn = 1\n"
            << "PulseDuration = 0.001\nPulseDelay = " << 0.0005 * n
            << "\nRetriggerHoldoffTime = 0.002\nLimitedDuration = " << (n % 3 == 2 ? 0 : 1)
            << "\nLimitedNumPulses = " << (n == 9 ? 1 : 0) << "\nRetriggerHoldoff = 1\n"
            << "PulseNumLimit = " << (n == 9 ? 50 : 1) << "\nAll = " << (n % 2 == 0 ? 1 : 0)
            << "\nRuleCount = 4\n";
        for (int k = 0; k < 4; ++k) {
            out << "BeginOnlineEventRule\nVersion = 1\nInput = " << (n + k) % inputs
                << "\nAbove = " << ((n + k) % 3 == 0 ? 0 : 1)
                << "\nHysteresis = " << (n % 2 == 0 ? 5 : 0.3125)
                << "\nLevel = " << (-16000 + 8000 * k + 500 * n) / 320.0
                << "\nEndOnlineEventRule\n";
        }
        out << "EndOnlineEvent\n";
    }
    if (!out.flush())
        Fail(path + ": cannot be written");
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3 || argc > 4)
        Fail("usage: make_bench_recording FOLDER SECONDS [RATE]");
    const std::string folder = argv[1];
    const int seconds = std::atoi(argv[2]);
    const int rate = argc > 3 ? std::atoi(argv[3]) : 100000;
    if (seconds < 1 || rate < 200 || rate % 200 != 0)
        Fail("SECONDS must be at least 1 and RATE a multiple of 200");
    WriteConfig(folder + "/ten-outputs.txt", kInputs);
    WriteConfig(folder + "/ten-outputs-8.txt", kFlacInputs);

    SNDFILE* wav = OpenSound(folder + "/bench.wav", SF_FORMAT_WAV, kInputs, rate);
    SNDFILE* flac = OpenSound(folder + "/bench.flac", SF_FORMAT_FLAC, kFlacInputs, rate);
    const int edf = OpenEdf(folder + "/bench.edf", rate);
    std::FILE* csv = std::fopen((folder + "/bench.csv").c_str(), "wb");
    if (csv == nullptr)
        Fail(folder + "/bench.csv: cannot be written");
    std::string text = "time (s)";
    for (int k = 0; k < kInputs; ++k)
        text += ",Input " + std::to_string(k + 1) + " (V)";
    text += '\n';

    std::uint32_t noise = 12345;
    std::vector<short> frames, eight, record(static_cast<std::size_t>(rate));
    char number[32];
    for (int second = 0; second < seconds; ++second) {
        const std::int64_t from = static_cast<std::int64_t>(second) * rate;
        Samples(from, rate, rate, noise, frames);
        eight.clear();
        for (int j = 0; j < rate; ++j)
            eight.insert(eight.end(), frames.begin() + j * kInputs,
                         frames.begin() + j * kInputs + kFlacInputs);
        if (sf_writef_short(wav, frames.data(), rate) != rate ||
            sf_writef_short(flac, eight.data(), rate) != rate)
            Fail("a sound file cannot be written");
        for (int k = 0; k < kInputs; ++k) {
            for (int j = 0; j < rate; ++j)
                record[static_cast<std::size_t>(j)] =
                    frames[static_cast<std::size_t>(j * kInputs + k)];
            if (edfwrite_digital_short_samples(edf, record.data()) != 0)
                Fail("the EDF file cannot be written");
        }
        for (int j = 0; j < rate; ++j) {
            text.append(number, std::to_chars(number, number + sizeof number,
                                              static_cast<double>(from + j) / rate,
                                              std::chars_format::fixed, 5)
                                    .ptr);
            for (int k = 0; k < kInputs; ++k) {
                text += ',';
                const double volts =
                    frames[static_cast<std::size_t>(j * kInputs + k)] * kRange / 32768.0;
                text.append(number, std::to_chars(number, number + sizeof number, volts,
                                                  std::chars_format::fixed, 4)
                                        .ptr);
            }
            text += '\n';
        }
        if (std::fwrite(text.data(), 1, text.size(), csv) != text.size())
            Fail("the CSV file cannot be written");
        text.clear();
    }
    if (sf_close(wav) != 0 || sf_close(flac) != 0 || edfclose_file(edf) != 0 ||
        std::fclose(csv) != 0)
        Fail("a file cannot be closed");

    // One input at 1 V (of 10 V) for 1000 s at 100 kS/s.
    SNDFILE* constant = OpenSound(folder + "/constant.flac", SF_FORMAT_FLAC, 1, 100000);
    const std::vector<short> level(100000, 3277);
    for (int second = 0; second < 1000; ++second) {
        if (sf_writef_short(constant, level.data(), 100000) != 100000)
            Fail("constant.flac cannot be written");
    }
    if (sf_close(constant) != 0)
        Fail("constant.flac cannot be closed");
    return 0;
}
