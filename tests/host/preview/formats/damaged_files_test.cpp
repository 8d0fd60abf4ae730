// Damaged and absurd recordings, kept as the readers' fuzz seeds: each is refused with a message
// that names what is missing or wrong, and nothing of it replays; the files that merely look
// irregular (times rounded in the text, one early time off by less than half a step) read.
#include <gtest/gtest.h>

#include <string>

#include "host/preview/formats/signal_file_error.h"
#include "host/preview/formats/signal_formats.h"

namespace {

using namespace preview;

const std::vector<InputScale> kInputs = {{10.0, "V"}, {2.5, "mV"}, {1.0, "uV"}};

TEST(DamagedFiles, EachIsRefusedNamingWhatIsWrongOrReadsWhenOnlyRounded) {
    const struct {
        const char* File;  // under fuzz/preview/seeds
        const char* Says;  // empty: the file reads, at Rate samples per second
        double Rate = 0.0;
    } kCases[] = {
        {"sound_signals_fuzz/damaged-seven-bit.wav",
         "holds 7-bit samples, which this reader does not convert exactly"},
        {"sound_signals_fuzz/damaged-cut.wav",
         "holds 50 frames of the 100 its header declares (50 missing)"},
        {"sound_signals_fuzz/damaged-frame.flac",
         "delivers 8192 frames of the 20000 its header declares (11808 missing)"},
        {"edf_signals_fuzz/damaged-maximum.edf", "its physical maximum inf V"},
        {"edf_signals_fuzz/damaged-kilovolts.edf",
         "its physical maximum 1e+306 kV is not a number the device's unit V can hold"},
        {"edf_signals_fuzz/damaged-record.edf", "its data records last \"1e-7\" s"},
        {"csv_signals_fuzz/damaged-rate-change.csv", "is off the even step of"},
        {"csv_signals_fuzz/damaged-far-times.csv", "the time 1e+300 s lies beyond 1e+12 s"},
        {"csv_signals_fuzz/damaged-kilovolts.csv",
         "column 2: \"1e306\" kV is beyond the numbers in V hold"},
        {"csv_signals_fuzz/rounded-7khz.csv", "", 7000.0},
        {"csv_signals_fuzz/jittered-early.csv", "", 1000.0},
    };
    for (const auto& test : kCases) {
        SCOPED_TRACE(test.File);
        const std::string path = std::string(TARVEL_FUZZ_SEEDS_DIR) + "/" + test.File;
        try {
            const device::Signals signals = ReadSignalFile(path, kInputs);
            EXPECT_EQ(std::string(test.Says), "") << "read, but should not";
            // The step from the first to the last time, as the rounded text gives it.
            EXPECT_NEAR(signals.SampleRate, test.Rate, 1e-3 * test.Rate);
        } catch (const SignalFileError& error) {
            const std::string what = error.what();
            EXPECT_TRUE(what.starts_with(path)) << what;
            EXPECT_NE(std::string(test.Says), "") << what;
            EXPECT_NE(what.find(test.Says), std::string::npos) << what;
        }
    }
}

}  // namespace
