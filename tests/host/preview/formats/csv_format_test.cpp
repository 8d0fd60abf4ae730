// The CSV reader: what a well-formed file gives, and for each malformed file the line that the
// error names and what it says.
#include "host/preview/formats/csv_format.h"

#include <gtest/gtest.h>

#include <cstring>

#include <fstream>

#include "host/preview/formats/decimal_number.h"
#include "host/preview/formats/signal_file_error.h"
#include "tests/helpers/temp_folder.h"

namespace {

using device::Signals;
using preview::InputScale;
using preview::ParseCsvSignals;
using preview::ReadCsvSignals;
using preview::ReadNumber;
using preview::SignalFileError;

const std::vector<InputScale> kInputs = {{10.0, "V"}, {10.0, "V"}, {2.5, "mV"}};

TEST(CsvSignals, ReadsColumnsInAnyOrderIntoTheInputsUnits) {
    const Signals signals = ParseCsvSignals(
        "\xEF\xBB\xBF# recorded on the bench\r\n"
        "\"time (ms)\", Input 2 (mV) ,input 1 (V),Input 3 (uV)\r\n"
        "10,1500,0.25,-2\r\n"
        "\n"
        "10.5,-250,1e-1,2000\r\n"
        "11.0,0,-3,0.5",
        "bench.csv", kInputs);
    EXPECT_DOUBLE_EQ(signals.SampleRate, 2000.0);
    EXPECT_DOUBLE_EQ(signals.StartTime, 0.010);
    ASSERT_EQ(signals.Channels.size(), 3u);
    EXPECT_EQ(signals.Channels[0].Name, "Input 1");
    EXPECT_EQ(signals.Channels[0].Unit, "V");
    EXPECT_EQ(signals.Channels[2].Unit, "mV");
    EXPECT_EQ(signals.Channels[0].Values, (std::vector<double>{0.25, 0.1, -3.0}));
    ASSERT_EQ(signals.Channels[1].Values.size(), 3u);
    EXPECT_DOUBLE_EQ(signals.Channels[1].Values[0], 1.5);
    EXPECT_DOUBLE_EQ(signals.Channels[1].Values[1], -0.25);
    EXPECT_DOUBLE_EQ(signals.Channels[2].Values[1], 2.0);
    EXPECT_EQ(signals.SampleCount(), 3u);
}

TEST(CsvSignals, NamesTheLineAndWhatDoesNotFitInEveryMalformedFile) {
    const std::string kHeader = "time (s),Input 1 (V)\n";
    const struct {
        std::string Text;
        std::int64_t Line;
        std::string Says;
    } kCases[] = {
        {"", 0, "no header line"},
        {"# only a comment\n\n", 0, "no header line"},
        {"t,Input 1 (V)\n", 1, "column 1: \"t\" is not a time column"},
        {"time (V),Input 1 (V)\n", 1, "the time's unit \"V\" is not seconds"},
        {"time (s)\n0\n", 1, "no input column"},
        {"time (s),Input 1\n", 1, "column 2: \"Input 1\" does not name an input"},
        {"time (s),Output 1 (V)\n", 1, "column 2"},
        {"time (s),Input 0 (V)\n", 1, "column 2"},
        {"time (s),Input 4 (V)\n", 1, "the device has no Input 4 (it has 3 inputs)"},
        {"time (s),Input 1 (V),Input 1 (V)\n", 1, "column 3: Input 1 already has column 2"},
        {"time (s),Input 1 (A)\n", 1, "the unit \"A\" of Input 1 is not the device's unit \"V\""},
        {"time (s),Input 1 (V),Input 3 (mV)\n", 1, "Input 2 has no column"},
        {kHeader + "0,1\n0.1,2\n0.2\n", 4, "the line has 1 fields, the header 2"},
        {kHeader + "0,1\n0.1,2,3\n", 3, "more fields than the header's 2"},
        {kHeader + "0,1\n0.1,\n", 3, "column 2: the field is empty"},
        {kHeader + "0,1\n# note\n0.1,1.5x\n", 4, "column 2: \"1.5x\" is not a finite number"},
        {kHeader + "0,nan\n", 2, "column 2: \"nan\" is not a finite number"},
        {kHeader + "0,1e999\n", 2, "is not a finite number"},
        {kHeader + "0,1\n0,1\n", 3, "the time 0 s does not advance from the first time 0 s"},
        {kHeader + "0,1\n-0.1,1\n", 3, "does not advance"},
        {kHeader + "0,1\n0.100,1\n0.200,1\n0.300,1\n0.700,1\n", 4,
         "the time 0.2 s is off the even step of 0.175 s (expected 0.35 s)"},
        {kHeader + "0,1\n0.100,1\n0.200,1\n0.200,1\n0.400,1\n", 5,
         "the time 0.2 s is off the even step of 0.1 s (expected 0.3 s)"},
        {kHeader + "0,1\n", 0, "at least two samples are needed"},
        {kHeader + "0,1\n1e-12,1\n", 0, "sample rate above"},
        {kHeader + "0,1\n0.1," + std::string(70000, '1') + "\n", 3, "longer than 65536 bytes"},
    };
    for (const auto& test : kCases) {
        SCOPED_TRACE(test.Text.substr(0, 80));
        try {
            ParseCsvSignals(test.Text, "in.csv", kInputs);
            ADD_FAILURE() << "no error";
        } catch (const SignalFileError& error) {
            EXPECT_EQ(error.File(), "in.csv");
            EXPECT_EQ(error.Line(), test.Line) << error.what();
            EXPECT_NE(std::string(error.what()).find(test.Says), std::string::npos) << error.what();
            if (test.Line > 0) {
                EXPECT_TRUE(std::string(error.what())
                                .starts_with("in.csv, line " + std::to_string(test.Line) + ": "))
                    << error.what();
            }
        }
    }
}

TEST(CsvSignals, TimesRoundedInTheTextStillKeepTheEvenStep) {
    // 30 kHz written with microsecond resolution: steps of 33 and 34 us.
    std::string text = "time (s),Input 1 (V)\n";
    for (int i = 0; i < 3000; ++i) {
        char line[64];
        std::snprintf(line, sizeof line, "%.6f,%d\n", i / 30000.0, i % 7);
        text += line;
    }
    const Signals signals = ParseCsvSignals(text, "fast.csv", kInputs);
    EXPECT_NEAR(signals.SampleRate, 30000.0, 1.0);
    EXPECT_EQ(signals.SampleCount(), 3000u);
}

// The short way to the common field's number gives fast_float's number, to the bit, and ends
// where it ends; random decimals of up to sixteen digits and the edges of the short way.
TEST(CsvSignals, NumbersReadTheShortWayAreTheFullReadings) {
    std::vector<std::string> texts = {"0.1",    "-0.0", "0.000",   "123456789.012345",
                                      "1.5e3",  "1.",   ".5",      "-.5",
                                      "1.5x",   "-",    "2.5.1",   "9007199254740.993",
                                      "0.3e-1", "7,",   "-1.25\n", "1234567890123456.7",
                                      "nan",    "-inf", "1e999",   "0.00000000000000001"};
    std::uint64_t random = 5;
    const auto next = [&](std::uint64_t bound) {
        random = random * 6364136223846793005ull + 1442695040888963407ull;
        return (random >> 33) % bound;
    };
    for (int k = 0; k < 20000; ++k) {
        std::string text = next(2) ? "-" : "";
        const std::uint64_t digits = 1 + next(16);
        const std::uint64_t point = next(digits);
        for (std::uint64_t d = 0; d < digits; ++d)
            text += static_cast<char>('0' + next(10)) + std::string(d + 1 == point ? "." : "");
        texts.push_back(text);
    }
    for (const std::string& text : texts) {
        double shortWay = 0.0, full = 0.0;
        const char* end = text.data() + text.size();
        const char* stop = ReadNumber(text.data(), end, shortWay);
        const auto parsed = fast_float::from_chars(text.data(), end, full);
        if (parsed.ec != std::errc() || parsed.ptr == text.data()) {
            EXPECT_EQ(stop, nullptr) << text;
            continue;
        }
        EXPECT_EQ(stop, parsed.ptr) << text;
        EXPECT_EQ(std::memcmp(&shortWay, &full, sizeof full), 0) << text;
    }
}

TEST(CsvSignals, AFileReadInPartsAndPiecesGivesWhatTheTextGives) {
    // Over five megabytes, so that the file is surveyed in parts and parsed in pieces on
    // several threads and lines straddle every boundary; comments, a blank line and a row in
    // another form on the way; no line end at the end.
    std::string text = "time (s),Input 1 (V),Input 2 (V)\n";
    for (int i = 0; i < 250000; ++i) {
        if (i % 100000 == 50000)
            text += "# a note\n\n";
        text += std::to_string(i * 0.001) + (i % 3 == 0 ? ", \"" : ",") +
                std::to_string(i % 1000 * 0.01) + (i % 3 == 0 ? "\"" : "") + ",-1.25\n";
    }
    text += "250.000000,3,4";
    const TempFolder folder;
    const std::string path = folder.PathOf("long.csv");
    std::ofstream(path, std::ios::binary) << text;

    const Signals fromFile = ReadCsvSignals(path, kInputs);
    const Signals fromText = ParseCsvSignals(text, path, kInputs);
    EXPECT_EQ(fromFile.SampleCount(), 250001u);
    EXPECT_EQ(fromFile.Channels[0].Values, fromText.Channels[0].Values);
    EXPECT_EQ(fromFile.Channels[1].Values, fromText.Channels[1].Values);
    EXPECT_EQ(fromFile.Channels[0].Values[249999], 9.99);
    EXPECT_DOUBLE_EQ(fromFile.SampleRate, 1000.0);

    // A fault late in the file is named at its line, counted across the parts.
    const std::size_t late = text.find("\n230.000000,") + 1;
    text.replace(text.find(',', late) + 1, 1, "x");
    std::ofstream(path, std::ios::binary) << text;
    try {
        ReadCsvSignals(path, kInputs);
        ADD_FAILURE() << "no error";
    } catch (const SignalFileError& error) {
        EXPECT_EQ(error.Line(), 230000 + 2 + 2 * 2) << error.what();
    }

    std::ofstream(path, std::ios::binary) << "time (s),Input 1 (V)\n0,1\n"
                                          << std::string(3 << 20, '2') << "\n";
    try {
        ReadCsvSignals(path, kInputs);
        ADD_FAILURE() << "no error";
    } catch (const SignalFileError& error) {
        EXPECT_EQ(error.Line(), 3) << error.what();
    }
    EXPECT_THROW(ReadCsvSignals(folder.PathOf("missing.csv"), kInputs), SignalFileError);
}

}  // namespace
