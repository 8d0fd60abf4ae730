// The format table; the same signal written as CSV, WAV, FLAC and EDF reads back to the same
// values within each format's resolution; files that do not fit the device get errors naming
// what does not fit.
#include <edflib.h>
#include <gtest/gtest.h>
#include <sndfile.h>

#include <cctype>
#include <cmath>
#include <fstream>
#include <random>
#include <set>

#include "host/device/input_converter.h"
#include "host/preview/formats/csv_format.h"
#include "host/preview/formats/edf_format.h"
#include "host/preview/formats/signal_file_error.h"
#include "host/preview/formats/signal_formats.h"
#include "host/preview/formats/sound_format.h"
#include "tests/helpers/temp_folder.h"

namespace {

using namespace preview;
using namespace device;
using device::ToDeviceUnits;

const std::vector<InputScale> kInputs = {{10.0, "V"}, {2.5, "mV"}};

Signals TwoInputs() {
    Signals signals;
    signals.SampleRate = 1000.0;
    signals.Channels = {{"Input 1", "V", {}}, {"Input 2", "mV", {}}};
    std::mt19937 random(7);
    std::normal_distribution<double> noise(0.0, 0.3);
    for (int i = 0; i < 2000; ++i) {
        signals.Channels[0].Values.push_back(6.0 * std::sin(i * 0.05) + noise(random));
        signals.Channels[1].Values.push_back(i % 100 < 10 ? 2.4 : -1.0 + noise(random) / 10);
    }
    return signals;
}

std::string ErrorOf(const std::string& path, const std::vector<InputScale>& inputs) {
    try {
        ReadSignalFile(path, inputs);
    } catch (const SignalFileError& error) {
        return error.what();
    }
    return "no error";
}

// Each extension names one format, whatever its letter case, and the known extensions are
// every format's; a file every writer makes reads back through the table.
TEST(SignalFormats, EachExtensionNamesOneFormatAndEveryWriterReadsBack) {
    const TempFolder folder;
    const Signals original = TwoInputs();
    std::set<std::string_view> seen;
    for (const SignalFormat* format : SignalFormats()) {
        ASSERT_FALSE(format->Extensions.empty());
        EXPECT_NE(format->Open, nullptr);
        EXPECT_FALSE(format->Holds.empty());
        for (std::string_view extension : format->Extensions) {
            SCOPED_TRACE(extension);
            EXPECT_TRUE(extension.starts_with('.'));
            EXPECT_TRUE(seen.insert(extension).second) << "two formats share the extension";
            std::string upper(extension);
            for (char& c : upper)
                c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
            EXPECT_EQ(FormatOf("folder.d/recording" + upper), format);
            EXPECT_NE(KnownExtensions().find(extension), std::string::npos);
        }
        if (format->Write == nullptr)
            continue;
        const std::string path = folder.PathOf("w" + std::string(format->Extensions.front()));
        format->Write(path, original, kInputs);
        const Signals read = ReadSignalFile(path, kInputs);
        EXPECT_EQ(read.Channels.size(), original.Channels.size()) << path;
        EXPECT_EQ(read.SampleCount(), original.SampleCount()) << path;
        // Two channels for a device of one input: no file the device could not read.
        const std::string tooMany = folder.PathOf("many" + std::string(format->Extensions.front()));
        EXPECT_THROW(format->Write(tooMany, original, {kInputs[0]}), SignalFileError) << path;
    }
    EXPECT_EQ(FormatOf("signals.txt"), nullptr);
    EXPECT_EQ(FormatOf("folder.csv/recording"), nullptr);
    EXPECT_EQ(KnownExtensions(), ".csv, .wav, .flac, .edf or .bdf");
}

TEST(SignalFiles, UnitsConvertBetweenPrefixesOfOneUnitOnly) {
    const struct {
        const char* From;
        const char* To;
        double Factor;  // 0: no conversion
    } kCases[] = {
        {"V", "V", 1.0},
        {"mV", "V", 1e-3},
        {"V", "mV", 1e3},
        {"uV", "mV", 1e-3},
        {"\xC2\xB5V", "V", 1e-6},
        {"\xCE\xBCV", "uV", 1.0},
        {"kOhm", "Ohm", 1e3},
        {"mm", "m", 1e-3},
        {"ms", "s", 1e-3},
        {"", "", 1.0},
        {"V", "A", 0},
        {"mV", "", 0},
        {"m", "V", 0},
        {"Vm", "V", 0},
        {"MV", "mV", 1e9},
    };
    for (const auto& test : kCases) {
        const std::optional<double> factor = UnitFactor(test.From, test.To);
        if (test.Factor == 0) {
            EXPECT_FALSE(factor.has_value()) << test.From << " to " << test.To;
        } else {
            ASSERT_TRUE(factor.has_value()) << test.From << " to " << test.To;
            EXPECT_DOUBLE_EQ(*factor, test.Factor) << test.From << " to " << test.To;
        }
    }
}

TEST(SignalFiles, CsvWavFlacAndEdfOfOneSignalReadToTheSameValues) {
    const TempFolder folder;
    const Signals original = TwoInputs();
    WriteCsvSignals(folder.PathOf("s.csv"), original, 9);
    WriteSoundSignals(folder.PathOf("s.wav"), original, kInputs);
    WriteSoundSignals(folder.PathOf("s.FLAC"), original, kInputs);
    WriteEdfSignals(folder.PathOf("s.edf"), original, kInputs);

    const struct {
        std::string File;
        double Resolution;  // of full scale: one step of the format
    } kFormats[] = {
        {"s.csv", 1e-8}, {"s.wav", 1.0 / 32768}, {"s.FLAC", 1.0 / 32768}, {"s.edf", 2.0 / 65535}};
    for (const auto& format : kFormats) {
        SCOPED_TRACE(format.File);
        const Signals read = ReadSignalFile(folder.PathOf(format.File), kInputs);
        EXPECT_DOUBLE_EQ(read.SampleRate, 1000.0);
        EXPECT_EQ(read.StartTime, 0.0);
        ASSERT_EQ(read.Channels.size(), 2u);
        ASSERT_EQ(read.SampleCount(), original.SampleCount());
        for (std::size_t channel = 0; channel < 2; ++channel) {
            EXPECT_EQ(read.Channels[channel].Unit, kInputs[channel].Unit);
            const double tolerance = format.Resolution * kInputs[channel].Range;
            double worst = 0.0;
            for (std::size_t i = 0; i < read.SampleCount(); ++i) {
                worst = std::max(worst, std::fabs(read.Channels[channel].Values[i] -
                                                  original.Channels[channel].Values[i]));
            }
            EXPECT_LE(worst, tolerance) << "channel " << channel;
        }
    }
}

TEST(SignalFiles, FilesThatDoNotFitTheDeviceSayWhatDoesNotFit) {
    const TempFolder folder;
    const Signals signals = TwoInputs();
    WriteSoundSignals(folder.PathOf("two.wav"), signals, kInputs);
    WriteEdfSignals(folder.PathOf("two.edf"), signals, kInputs);
    {
        // An EDF whose second signal is sampled at half the rate, in a unit no input has.
        const int handle =
            edfopen_file_writeonly(folder.PathOf("rates.edf").c_str(), EDFLIB_FILETYPE_EDFPLUS, 2);
        ASSERT_GE(handle, 0);
        for (int signal = 0; signal < 2; ++signal) {
            edf_set_samplefrequency(handle, signal, signal == 0 ? 100 : 50);
            edf_set_physical_maximum(handle, signal, 10);
            edf_set_physical_minimum(handle, signal, -10);
            edf_set_digital_maximum(handle, signal, 32767);
            edf_set_digital_minimum(handle, signal, -32768);
            edf_set_label(handle, signal, signal == 0 ? "Fp1" : "Pulse");
            edf_set_physical_dimension(handle, signal, signal == 0 ? "uV" : "bpm");
        }
        std::vector<double> record(100, 1.0);
        edfwrite_physical_samples(handle, record.data());
        edfwrite_physical_samples(handle, record.data());
        edfclose_file(handle);
    }
    std::ofstream(folder.PathOf("text.edf")) << "not an EDF file at all";
    std::ofstream(folder.PathOf("signals.txt")) << "time (s),Input 1 (V)\n";

    const std::vector<InputScale> oneInput = {{10.0, "V"}};
    const std::vector<InputScale> microvolts = {{10.0, "mV"}, {100.0, "bpm"}};
    const struct {
        std::string File;
        std::vector<InputScale> Inputs;
        std::string Says;
    } kCases[] = {
        {"two.wav", oneInput,
         "two.wav: holds 2 channels, but the device has 1 input; choose the channels the inputs "
         "read with --map (its channels are \"Channel 1\", \"Channel 2\")"},
        {"two.edf", oneInput,
         "two.edf: channel 2 \"Input 2\" is for Input 2, but the device has 1 input"},
        {"two.edf",
         {{10.0, "V"}, {2.5, "A"}},
         "signal 2 \"Input 2\": its unit \"mV\" is not the unit \"A\" of the device's Input 2"},
        {"rates.edf", microvolts,
         "signal 2 \"Pulse\": its sample rate 50 Hz differs from the 100 Hz of signal 1; the "
         "signals the inputs read must have one rate"},
        {"text.edf", kInputs, "text.edf: "},
        {"missing.wav", kInputs, "missing.wav: does not read as a sound file"},
        {"missing.edf", kInputs, "missing.edf: cannot be opened for reading"},
        {"signals.txt", kInputs, "the extension \".txt\" is not a known signal file"},
    };
    for (const auto& test : kCases) {
        SCOPED_TRACE(test.File);
        const std::string error = ErrorOf(folder.PathOf(test.File), test.Inputs);
        EXPECT_NE(error.find(test.Says), std::string::npos) << error;
        EXPECT_TRUE(error.starts_with(folder.PathOf(test.File))) << error;
    }
}

// Every sample format of a sound file reads to the library's own value of each sample times the
// input's range, exactly, block after block, and to that value's device units; the 8- and 16-bit
// ones through the table of their device units.
TEST(SignalFiles, EverySoundSampleFormatReadsToTheLibrarysValuesExactly) {
    const TempFolder folder;
    const struct {
        const char* Name;
        int Format;
    } kFormats[] = {
        {"u8.wav", SF_FORMAT_WAV | SF_FORMAT_PCM_U8},
        {"s16.wav", SF_FORMAT_WAV | SF_FORMAT_PCM_16},
        {"s24.wav", SF_FORMAT_WAV | SF_FORMAT_PCM_24},
        {"s32.wav", SF_FORMAT_WAV | SF_FORMAT_PCM_32},
        {"f.wav", SF_FORMAT_WAV | SF_FORMAT_FLOAT},
        {"d.wav", SF_FORMAT_WAV | SF_FORMAT_DOUBLE},
        {"s8.flac", SF_FORMAT_FLAC | SF_FORMAT_PCM_S8},
        {"s16.flac", SF_FORMAT_FLAC | SF_FORMAT_PCM_16},
        {"s24.flac", SF_FORMAT_FLAC | SF_FORMAT_PCM_24},
    };
    // Two channels of 150,000 frames over the whole scale, full scale and beyond it included.
    constexpr int kFrames = 150000;
    std::vector<double> frames(2 * kFrames);
    for (int j = 0; j < kFrames; ++j) {
        frames[2 * j] = std::sin(j * 0.001) * 1.05;
        frames[2 * j + 1] = (j % 65536 - 32768) / 32768.0;
    }
    for (const auto& format : kFormats) {
        SCOPED_TRACE(format.Name);
        const std::string path = folder.PathOf(format.Name);
        SF_INFO info{};
        info.samplerate = 50000;
        info.channels = 2;
        info.format = format.Format;
        SNDFILE* out = sf_open(path.c_str(), SFM_WRITE, &info);
        ASSERT_NE(out, nullptr) << sf_strerror(nullptr);
        sf_command(out, SFC_SET_CLIPPING, nullptr, SF_TRUE);
        ASSERT_EQ(sf_writef_double(out, frames.data(), kFrames), kFrames);
        sf_close(out);

        SF_INFO readInfo{};
        SNDFILE* in = sf_open(path.c_str(), SFM_READ, &readInfo);
        ASSERT_NE(in, nullptr);
        sf_command(in, SFC_SET_NORM_DOUBLE, nullptr, SF_TRUE);
        std::vector<double> library(2 * kFrames);
        ASSERT_EQ(sf_readf_double(in, library.data(), kFrames), kFrames);
        sf_close(in);

        const auto reader = OpenSignalFile(path, kInputs);
        ASSERT_EQ(reader->Info().SampleCount, kFrames);
        const device::BlockNeeds needs{{true, true}, {true, true}};
        device::SampleBlock block;
        std::int64_t wrong = 0, read = 0;
        for (reader->Next(block, needs); block.Count > 0; reader->Next(block, needs)) {
            for (std::size_t k = 0; k < 2; ++k) {
                for (std::int64_t j = 0; j < block.Count; ++j) {
                    const double value =
                        library[static_cast<std::size_t>(2 * (block.First + j)) + k] *
                        kInputs[k].Range;
                    wrong += block.Values[k][j] != value ||
                             block.Units[k][j] != ToDeviceUnits(value, kInputs[k].Range);
                }
            }
            read += block.Count;
        }
        EXPECT_EQ(read, kFrames);
        EXPECT_EQ(wrong, 0);
    }
}

}  // namespace
