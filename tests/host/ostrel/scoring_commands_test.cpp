// Scoring and tuning end to end: `ostrel preview --reference` on pulses whose reference events
// are known, and `ostrel tune` on a real ECG against an exhaustive check done with preview.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>
#include <sstream>
#include <string>
#include <vector>

#include "host/ostrel/file_text.h"
#include "host/ostrel/tune_sweep.h"
#include "host/preview/formats/edf_format.h"
#include "host/preview/formats/reference_events.h"
#include "host/preview/formats/signal_file_error.h"
#include "host/preview/formats/signal_formats.h"
#include "tests/helpers/temp_folder.h"
#include "tests/host/ostrel/command_outcome.h"

namespace ostrel {
namespace {

bool Contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

// Output 1: Input 1 above LEVEL % of its range (hysteresis 5 %), pulses of 10 ms, hold-off
// HOLDOFF s. Every other output is off.
std::string Config(double levelPercent, double holdoff) {
    char text[640];
    std::snprintf(text, sizeof text, R"(Version = 1
AnalogOutputCount = 1
DigitalOutputCount = 0
BeginOnlineEvent
Version = 1
Output = 1
On = 1
PulseDuration = 0.01
PulseDelay = 0
RetriggerHoldoffTime = %g
LimitedDuration = 1
LimitedNumPulses = 0
RetriggerHoldoff = %d
PulseNumLimit = 1
All = 1
RuleCount = 1
BeginOnlineEventRule
Version = 1
Input = 0
Above = 1
Hysteresis = 5
Level = %g
EndOnlineEventRule
EndOnlineEvent
)",
                  holdoff, holdoff > 0 ? 1 : 0, levelPercent);
    return text;
}

class ScoringCommands : public ::testing::Test {
protected:
    std::string File(const std::string& name) const { return folder_.PathOf(name); }
    void Write(const std::string& name, const std::string& text) const {
        std::ofstream(File(name), std::ios::binary) << text;
    }
    nlohmann::json Json(const std::string& name) const {
        return nlohmann::json::parse(std::ifstream(File(name)));
    }

    TempFolder folder_;
};

// Fifty bursts of 3 V for 20 ms at 1000 samples per second, 0.37 s apart from 0.5 s: the
// output's pulses start at the bursts' first samples.
std::vector<double> BurstStarts() {
    std::vector<double> starts;
    for (int k = 0; k < 50; ++k)
        starts.push_back(0.5 + 0.37 * k);
    return starts;
}

std::string BurstRecording() {
    std::string csv = "time (s),Input 1 (V)\n";
    const std::vector<double> starts = BurstStarts();
    for (int j = 0; j < 20000; ++j) {
        bool high = false;
        for (const double start : starts) {
            const int first = static_cast<int>(std::lround(start * 1000));
            high = high || (j >= first && j < first + 20);
        }
        csv += std::to_string(j / 1000.0) + (high ? ",3\n" : ",0\n");
    }
    return csv;
}

std::string Events(const std::vector<double>& times) {
    std::string csv = "note,time (s)\n";
    for (const double time : times) {
        char line[48];
        std::snprintf(line, sizeof line, "beat,%.3f\n", time);
        csv += line;
    }
    return csv;
}

TEST_F(ScoringCommands, PreviewScoresPulsesAgainstEventsTwentyMillisecondsLater) {
    Write("config.txt", Config(25, 0));
    Write("bursts.csv", BurstRecording());
    std::vector<double> events;
    for (const double start : BurstStarts())
        events.push_back(start + 0.020);
    Write("events.csv", Events(events));
    // Five events removed and five added halfway between pulses, far from any.
    std::vector<double> moved;
    for (std::size_t k = 0; k < events.size(); ++k) {
        if (k % 10 == 3)
            moved.push_back(events[k] + 0.165);
        else
            moved.push_back(events[k]);
    }
    Write("moved.csv", Events(moved));
    // The same bursts as an EDF+ file whose annotations are the events: its own reference.
    std::vector<preview::EdfAnnotation> annotations;
    for (const double event : events)
        annotations.push_back({event, "beat"});
    preview::WriteEdfSignals(File("bursts.edf"),
                             preview::ReadSignalFile(File("bursts.csv"), {{10.0, "V"}}),
                             {{10.0, "V"}}, annotations);

    struct Case {
        const char* Reference;
        const char* Counts;
        double F1;
    } cases[] = {
        {"events.csv", "  50 reference events, 50 pulses: 50 hits, 0 missed, 0 false pulses\n",
         1.0},
        {"moved.csv", "  50 reference events, 50 pulses: 45 hits, 5 missed, 5 false pulses\n", 0.9},
        {"bursts.edf", "  50 reference events, 50 pulses: 50 hits, 0 missed, 0 false pulses\n",
         1.0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Reference);
        const bool own = std::string(c.Reference).ends_with(".edf");
        const Outcome run = RunArguments(
            {"preview", File("config.txt"), "--signals", File(own ? c.Reference : "bursts.csv"),
             "--device", "inputs=1, analog=1, digital=none", "--reference", File(c.Reference),
             "--events", File("events-out.csv"), "--json", File("out.json")});
        ASSERT_EQ(run.code, 0) << run.err;
        EXPECT_TRUE(Contains(run.out, "Reference events " + File(c.Reference) +
                                          ": 50 events, 50 in the part looked at; match window "
                                          "-0.1 s to 0.1 s\n"))
            << run.out;
        EXPECT_TRUE(Contains(run.out, c.Counts)) << run.out;
        EXPECT_TRUE(Contains(run.out,
                             "latency median -20.0 ms (5th percentile -20.0 ms, 95th "
                             "-20.0 ms)\n"))
            << run.out;

        const nlohmann::json json = Json("out.json");
        const nlohmann::json& score = json["outputs"][0]["score"];
        EXPECT_DOUBLE_EQ(score["f1"].get<double>(), c.F1);
        EXPECT_NEAR(score["latency_ms"]["median"].get<double>(), -20.0, 1e-9);
        EXPECT_EQ(score["missed"].get<int>() + score["hits"].get<int>(), 50);
        EXPECT_EQ(json["reference"]["events_in_file"], 50);

        // The events CSV names each pulse's event and gives each missed event a row.
        std::string error;
        const std::string rows = ReadFileText(File("events-out.csv"), error).value_or("");
        EXPECT_TRUE(rows.starts_with("output,name,event,start (s),end (s),note,reference (s)\n"))
            << rows;
        EXPECT_TRUE(Contains(rows, "\n1,Analog Output 1,pulse,0.500,0.510,,0.52\n")) << rows;
        EXPECT_EQ(Contains(rows, "\n1,Analog Output 1,pulse,1.610,1.620,false pulse,\n"), c.F1 < 1);
        EXPECT_EQ(Contains(rows, "\n1,Analog Output 1,missed,,,,1.795\n"), c.F1 < 1);
    }
    // tune too reads the recording's own annotations.
    const Outcome tuned =
        RunArguments({"tune", File("config.txt"), "--signals", File("bursts.edf"), "--device",
                      "inputs=1, analog=1, digital=none", "--reference", File("bursts.edf"),
                      "--output", "1", "--level", "2.5", "--json", File("tune.json")});
    ASSERT_EQ(tuned.code, 0) << tuned.err;
    EXPECT_EQ(Json("tune.json")["combinations"][0]["score"]["f1"], 1.0);

    // Only what lies inside --from/--to counts: 1.0 s to 5.0 s holds the bursts 2 to 12.
    const Outcome part =
        RunArguments({"preview", File("config.txt"), "--signals", File("bursts.csv"), "--device",
                      "inputs=1, analog=1, digital=none", "--reference", File("moved.csv"),
                      "--from", "1", "--to", "5", "--window", "-0.03,0"});
    ASSERT_EQ(part.code, 0) << part.err;
    EXPECT_TRUE(Contains(part.out,
                         "  11 reference events, 11 pulses: 10 hits, 1 missed, 1 false "
                         "pulse\n"))
        << part.out;
}

// The first minute of the ECG excerpt of scripts/make-ecg-example, with its derived beats, on
// an input of 5 mV.
constexpr char kEcgDevice[] = "inputs=1, range=5mV, analog=1, digital=none";
const std::string kEcg = TARVEL_EXAMPLES_DIR "/ecg.csv";
const std::string kBeats = TARVEL_EXAMPLES_DIR "/ecg-beats.csv";

TEST_F(ScoringCommands, TuneFindsTheBestThatPreviewFindsCombinationByCombination) {
    Write("config.txt", Config(20, 0.2));
    const std::vector<double> levels{0.5, 0.6, 0.7, 0.8, 0.9}, holdoffs{0.1, 0.2, 0.3};
    const auto tune = [&](const char* jobs, const char* json) {
        return RunArguments({"tune",        File("config.txt"),
                             "--device",    kEcgDevice,
                             "--signals",   kEcg,
                             "--reference", kBeats,
                             "--output",    "1",
                             "--level",     "0.5:0.9:0.1",
                             "--holdoff",   "0.1:0.3:0.1",
                             "--jobs",      jobs,
                             "--json",      File(json),
                             "--write",     File("best.txt"),
                             "--top",       "3"});
    };
    const Outcome one = tune("1", "one.json");
    ASSERT_EQ(one.code, 0) << one.err;
    const Outcome two = tune("2", "two.json");
    ASSERT_EQ(two.code, 0) << two.err;
    nlohmann::json tuned = Json("one.json");
    EXPECT_EQ(tuned["combinations"], Json("two.json")["combinations"]) << "1 job and 2 jobs";
    ASSERT_EQ(tuned["combinations"].size(), levels.size() * holdoffs.size());

    // The exhaustive check: each combination as its own configuration, scored by preview.
    std::size_t best = 0;
    double bestF1 = -1, bestLatency = 0;
    for (std::size_t l = 0; l < levels.size(); ++l) {
        for (std::size_t h = 0; h < holdoffs.size(); ++h) {
            const std::size_t index = l * holdoffs.size() + h;
            SCOPED_TRACE("level " + std::to_string(levels[l]) + ", hold-off " +
                         std::to_string(holdoffs[h]));
            Write("combination.txt", Config(levels[l] / 5 * 100, holdoffs[h]));
            const Outcome preview = RunArguments({"preview", File("combination.txt"), "--device",
                                                  kEcgDevice, "--signals", kEcg, "--reference",
                                                  kBeats, "--json", File("preview.json")});
            ASSERT_EQ(preview.code, 0) << preview.err;
            const nlohmann::json score = Json("preview.json")["outputs"][0]["score"];
            const nlohmann::json& combination = tuned["combinations"][index];
            EXPECT_EQ(combination["settings"]["level"].get<double>(), levels[l]);
            EXPECT_EQ(combination["settings"]["holdoff_s"].get<double>(), holdoffs[h]);
            EXPECT_EQ(combination["score"], score);
            const double f1 = score["f1"].get<double>();
            const double latency = std::fabs(score["latency_ms"]["median"].get<double>());
            if (f1 > bestF1 || (f1 == bestF1 && latency < bestLatency)) {
                best = index;
                bestF1 = f1;
                bestLatency = latency;
            }
        }
    }
    EXPECT_EQ(tuned["best"], best);
    EXPECT_EQ(tuned["combinations"][best]["rank"], 1);
    EXPECT_LT(bestF1, 1.0) << "a grid whose best is not perfect tells more";

    // What --write saved scores, through preview, the F1 tune printed for the best.
    const Outcome check = RunArguments({"preview", File("best.txt"), "--device", kEcgDevice,
                                        "--signals", kEcg, "--reference", kBeats});
    ASSERT_EQ(check.code, 0) << check.err;
    char f1[16];
    std::snprintf(f1, sizeof f1, "%.4f", bestF1);
    EXPECT_TRUE(Contains(check.out, std::string(", F1 ") + f1 + ";")) << check.out;
    const std::size_t rankOne = one.out.find("\n   1  ");
    ASSERT_NE(rankOne, std::string::npos) << one.out;
    EXPECT_TRUE(Contains(one.out.substr(rankOne, one.out.find('\n', rankOne + 1) - rankOne),
                         std::string("  ") + f1 + "  "))
        << one.out;
}

TEST_F(ScoringCommands, TuneRefusesWhatMakesNoSweep) {
    Write("config.txt", Config(20, 0.2));
    const std::string config = File("config.txt");
    const struct {
        std::vector<std::string> Arguments;
        int Code;
        const char* Message;
    } cases[] = {
        {{"--signals", kEcg, "--output", "1"}, 2, "tune needs --reference FILE"},
        {{"--signals", kEcg, "--signals", kEcg, "--reference", kBeats, "--output", "1"},
         2,
         "tune pairs each --signals FILE with a --reference FILE: 2 recordings, 1 reference "
         "files"},
        {{"--signals", kEcg, "--reference", kBeats, "--output", "1", "--level", "1:0.5:0.1"},
         2,
         "--level needs A <= B and a STEP above 0, not \"1:0.5:0.1\""},
        {{"--signals", kEcg, "--reference", kBeats, "--output", "1", "--holdoff", "-1"},
         2,
         "--holdoff takes no value below 0"},
        {{"--signals", kEcg, "--reference", kBeats, "--output", "2"},
         2,
         "config.txt: the configuration has no output 2"},
        {{"--signals", kEcg, "--reference", kBeats, "--output", "1", "--condition", "2"},
         2,
         "config.txt: output 1 has 1 condition, not 2"},
        {{"--signals", kEcg, "--reference", kBeats, "--output", "1", "--write", kBeats},
         2,
         "would overwrite the reference events"},
        {{"--signals", kEcg, "--reference", kBeats, "--output", "1", "--level", "0:100:0.01",
          "--holdoff", "0:1:0.01"},
         2,
         "the settings make more than a million combinations"},
        {{"--signals", kEcg, "--reference", kBeats, "--output", "1", "--plot", "map.jpg"},
         2,
         "--plot writes a file ending in .png or .svg, not \"map.jpg\""},
        // A hold-off beyond the device's 10 s is refused for every combination.
        {{"--signals", kEcg, "--reference", kBeats, "--output", "1", "--holdoff", "20"},
         1,
         "ostrel: the device refused every combination"},
    };
    for (const auto& c : cases) {
        std::vector<std::string> arguments{"tune", config, "--device", kEcgDevice};
        arguments.insert(arguments.end(), c.Arguments.begin(), c.Arguments.end());
        const Outcome run = RunArguments(arguments);
        SCOPED_TRACE(c.Message);
        EXPECT_EQ(run.code, c.Code);
        EXPECT_TRUE(Contains(run.err, c.Message)) << run.err;
    }
}

TEST_F(ScoringCommands, TuneAddsUpTheRecordingsPairedInOrder) {
    Write("config.txt", Config(20, 0.2));
    Write("none.csv", "time (s)\n");
    const Outcome run =
        RunArguments({"tune", File("config.txt"), "--device", kEcgDevice, "--signals", kEcg,
                      "--reference", kBeats, "--signals", kEcg, "--reference", File("none.csv"),
                      "--output", "1", "--level", "0.7", "--json", File("tune.json")});
    ASSERT_EQ(run.code, 0) << run.err;
    const nlohmann::json combination = Json("tune.json")["combinations"][0];
    const nlohmann::json& first = combination["by_recording"][0];
    const nlohmann::json& second = combination["by_recording"][1];
    EXPECT_EQ(second["events"], 0);
    EXPECT_EQ(second["hits"], 0);
    EXPECT_EQ(second["pulses"], first["pulses"]) << "the same recording, every pulse false";
    EXPECT_EQ(combination["score"]["events"], first["events"]);
    EXPECT_EQ(combination["score"]["pulses"], 2 * first["pulses"].get<int>());
    EXPECT_EQ(combination["score"]["latency_ms"], first["latency_ms"]);
}

TEST_F(ScoringCommands, ReadsReferenceEventsFromCsvTimesAndEdfAnnotations) {
    // More annotations than the file has one-second records, not in order: every one is kept.
    device::Signals signals{100.0, 0.0, {{"Input 1", "V", std::vector<double>(300, 0.0)}}};
    preview::WriteEdfSignals(File("beats.edf"), signals, {{10.0, "V"}},
                             {{0.5, "R"}, {1.0, "N"}, {2.0, "R"}, {0.1, "R"}, {0.2, "N"}});
    Write("ms.csv", "note,time (ms)\n# a comment\nbeat,1500\r\n\"a, b\",500\n");
    Write("minutes.csv", "time (min)\n1\n");
    Write("none.csv", "note\nbeat\n");
    const struct {
        const char* File;
        std::optional<std::string> Label;
        std::vector<double> Events;
        const char* Problem;  // empty: reads
    } cases[] = {
        {"beats.edf", std::nullopt, {0.1, 0.2, 0.5, 1.0, 2.0}, ""},
        {"beats.edf", "R", {0.1, 0.5, 2.0}, ""},
        {"beats.edf", "V", {}, "no annotation reads \"V\"; it has \"R\", \"N\""},
        {"ms.csv", std::nullopt, {0.5, 1.5}, ""},
        {"ms.csv", "R", {}, "--label chooses annotations of an EDF+ or BDF+ file"},
        {"minutes.csv", std::nullopt, {}, "the time's unit \"min\" is not seconds"},
        {"none.csv", std::nullopt, {}, "the header names no time column"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.File + std::string(" ") + c.Label.value_or("(no label)"));
        try {
            const std::vector<double> events = preview::ReadReferenceEvents(File(c.File), c.Label);
            EXPECT_EQ(std::string(c.Problem), "");
            ASSERT_EQ(events.size(), c.Events.size());
            for (std::size_t k = 0; k < events.size(); ++k)
                EXPECT_NEAR(events[k], c.Events[k], 1e-9);
        } catch (const preview::SignalFileError& error) {
            EXPECT_TRUE(std::string(c.Problem) != "" && Contains(error.what(), c.Problem))
                << error.what();
        }
    }
    // What an EDF+ file cannot keep whole is refused rather than written in part.
    const struct {
        std::vector<preview::EdfAnnotation> Annotations;
        const char* Problem;
    } refused[] = {
        {std::vector<preview::EdfAnnotation>(3 * 64 + 1, {1.0, "R"}),
         "193 annotations are more than a recording of 3 s keeps (64 a second)"},
        {{{1.0, std::string(41, 'x')}}, "is longer than the 40 bytes an annotation's text keeps"}};
    for (const auto& c : refused) {
        EXPECT_THAT(
            [&] {
                preview::WriteEdfSignals(File("no.edf"), signals, {{10.0, "V"}}, c.Annotations);
            },
            testing::ThrowsMessage<preview::SignalFileError>(testing::HasSubstr(c.Problem)));
        EXPECT_FALSE(std::filesystem::exists(File("no.edf"))) << c.Problem;
    }
}

TEST(TuneSweep, ValuesAndRanking) {
    const struct {
        const char* Text;
        std::vector<double> Values;
    } sweeps[] = {
        {"0.1:0.3:0.1", {0.1, 0.2, 0.3}},
        {"0.5:1.5:0.25", {0.5, 0.75, 1.0, 1.25, 1.5}},
        {"1:1.05:0.1", {1.0}},
        {"-2", {-2.0}},
        {"1:2", {}},
        {"1:2:0", {}},
        {"2:1:0.5", {}},
        {"0:1e7:1", {}},
    };
    for (const auto& sweep : sweeps) {
        std::vector<double> values;
        std::string problem;
        EXPECT_EQ(ParseSweepValues(sweep.Text, values, problem), !sweep.Values.empty())
            << sweep.Text;
        if (!sweep.Values.empty()) {
            EXPECT_EQ(values, sweep.Values) << sweep.Text;
        }
    }

    // Higher F1 first; at equal F1 the smaller magnitude of the median latency; then sweep
    // order. A combination without F1 or refused comes last.
    const auto tried = [](std::size_t index, std::size_t hits, double median, bool refused) {
        Tried t;
        t.Index = index;
        t.Whole = {10, 10, hits, {median, median, median}};
        t.Refusal = refused ? "refused" : "";
        return t;
    };
    const Tried ranked[] = {tried(4, 9, 0.002, false), tried(1, 8, -0.001, false),
                            tried(3, 8, 0.001, false), tried(0, 8, -0.003, false),
                            tried(2, 10, 0.0, true)};
    for (std::size_t a = 0; a < std::size(ranked); ++a) {
        for (std::size_t b = 0; b < std::size(ranked); ++b)
            EXPECT_EQ(RanksBefore(ranked[a], ranked[b]), a < b) << a << " before " << b;
    }
}

}  // namespace
}  // namespace ostrel
