// Scoring end to end: `ostrel preview --reference` on pulses whose reference events are known.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <fstream>
#include <nlohmann/json.hpp>
#include <sstream>
#include <string>
#include <vector>

#include "host/ostrel/file_text.h"
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

    struct Case {
        const char* Reference;
        const char* Counts;
        double F1;
    } cases[] = {
        {"events.csv", "  50 reference events, 50 pulses: 50 hits, 0 missed, 0 false pulses\n",
         1.0},
        {"moved.csv", "  50 reference events, 50 pulses: 45 hits, 5 missed, 5 false pulses\n", 0.9},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Reference);
        const Outcome run = RunArguments(
            {"preview", File("config.txt"), "--signals", File("bursts.csv"), "--device",
             "inputs=1, analog=1, digital=none", "--reference", File(c.Reference), "--events",
             File("events-out.csv"), "--json", File("out.json")});
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

}  // namespace
}  // namespace ostrel
