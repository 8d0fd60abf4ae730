// Scoring pinned on hand-made events: which pulse catches which event, what is missed and what
// is false, for the cases a match window makes hard.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "host/scoring/event_matching.h"

namespace scoring {
namespace {

struct Case {
    const char* What;
    std::vector<double> Pulses;
    std::vector<double> Events;
    Span Counted;
    std::size_t Events_, Pulses_, Hits;
    // Per pulse: the event it matched, or -1 for a false pulse, -2 for one not counted.
    std::vector<double> Matched;
    std::vector<double> Missed;
};

constexpr double kFalse = -1, kOutside = -2;

TEST(EventMatching, MatchesEachEventToTheEarliestFreePulseInItsWindow) {
    // The window is [-0.1, 0.1] s around each event; times as a 1 kHz clock gives them.
    const Case cases[] = {
        {"a pulse exactly at each window edge",
         {0.9, 3.1},
         {1.0, 3.0},
         {},
         2,
         2,
         2,
         {1.0, 3.0},
         {}},
        {"just outside each edge",
         {0.899, 3.101},
         {1.0, 3.0},
         {},
         2,
         2,
         0,
         {kFalse, kFalse},
         {1.0, 3.0}},
        {"two pulses in one window", {0.95, 1.02}, {1.0}, {}, 1, 2, 1, {1.0, kFalse}, {}},
        {"two events sharing one pulse", {1.05}, {1.0, 1.1}, {}, 2, 1, 1, {1.0}, {1.1}},
        {"the second event takes the next pulse in its window",
         {1.05, 1.15},
         {1.0, 1.1},
         {},
         2,
         2,
         2,
         {1.0, 1.1},
         {}},
        {"an earlier event takes the pulse a later one is closer to",
         {1.09},
         {1.0, 1.09},
         {},
         2,
         1,
         1,
         {1.0},
         {1.09}},
        {"events in any order", {1.0, 2.0}, {2.0, 1.0}, {}, 2, 2, 2, {1.0, 2.0}, {}},
        {"events and pulses outside the counted span",
         {0.5, 1.0, 2.02, 3.0},
         {0.45, 1.0, 2.0, 3.0},
         {0.9, 2.5},
         2,
         2,
         2,
         {kOutside, 1.0, 2.0, kOutside},
         {}},
        {"an event near the span's end does not reach a pulse beyond it",
         {2.55},
         {2.49},
         {0, 2.5},
         1,
         0,
         0,
         {kOutside},
         {2.49}},
        {"no events", {1.0, 2.0}, {}, {}, 0, 2, 0, {kFalse, kFalse}, {}},
        {"no pulses", {}, {1.0, 2.0}, {}, 2, 0, 0, {}, {1.0, 2.0}},
        {"neither", {}, {}, {}, 0, 0, 0, {}, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.What);
        std::vector<PulseFate> fates;
        std::vector<double> missed;
        const Figures figures =
            Score(c.Pulses, c.Events, MatchWindow{-0.1, 0.1}, c.Counted, &fates, &missed);
        EXPECT_EQ(figures.Events, c.Events_);
        EXPECT_EQ(figures.Pulses, c.Pulses_);
        EXPECT_EQ(figures.Hits, c.Hits);
        EXPECT_EQ(figures.Missed() + figures.Hits, figures.Events);
        ASSERT_EQ(fates.size(), c.Matched.size());
        for (std::size_t k = 0; k < fates.size(); ++k) {
            const double matched = !fates[k].Counted ? kOutside
                                   : fates[k].Hit    ? fates[k].Reference
                                                     : kFalse;
            EXPECT_EQ(matched, c.Matched[k]) << "pulse " << k;
            EXPECT_EQ(fates[k].Start, c.Pulses[k]);
        }
        EXPECT_EQ(missed, c.Missed);
    }
}

TEST(EventMatching, FiguresAndLatenciesFollowTheirDefinitions) {
    // Ten events, nine caught 1 to 9 ms late, one missed, two false pulses.
    std::vector<double> events, pulses;
    for (int k = 0; k < 10; ++k)
        events.push_back(10.0 * k);
    for (int k = 0; k < 9; ++k) {
        pulses.push_back(10.0 * k + 0.001 * (k + 1));
        if (k == 4)
            pulses.push_back(10.0 * k + 5.0);
    }
    pulses.push_back(95.0);
    const Figures f = Score(pulses, events, {-0.1, 0.1});
    EXPECT_EQ(f.Hits, 9u);
    EXPECT_EQ(f.Missed(), 1u);
    EXPECT_EQ(f.FalsePulses(), 2u);
    EXPECT_DOUBLE_EQ(f.Sensitivity(), 0.9);
    EXPECT_DOUBLE_EQ(f.PositivePredictivity(), 9.0 / 11.0);
    EXPECT_DOUBLE_EQ(f.F1(), 18.0 / 21.0);
    const Latencies latency = f.LatencySummary();
    EXPECT_NEAR(latency.Median, 0.005, 1e-12);
    // Ranks 0.4 and 7.6 of 1 ... 9 ms.
    EXPECT_NEAR(latency.Low, 0.0014, 1e-12);
    EXPECT_NEAR(latency.High, 0.0086, 1e-12);

    // Without a denominator a ratio is no number; figures of two recordings add up.
    const Figures none = Score({}, {}, {});
    EXPECT_TRUE(std::isnan(none.F1()) && std::isnan(none.Sensitivity()) &&
                std::isnan(none.PositivePredictivity()) && std::isnan(none.LatencyQuantile(0.5)));
    Figures both = f;
    both += Score(std::vector<double>{1.0}, std::vector<double>{1.02}, {-0.1, 0.1});
    EXPECT_EQ(both.Events, 11u);
    EXPECT_EQ(both.Hits, 10u);
    EXPECT_EQ(both.HitLatencies.size(), 10u);
}

TEST(EventMatching, AReplayInStepsDecidesAsSoonAsNoLaterPulseCanChangeIt) {
    Matcher matcher({1.0, 2.0, 3.0}, {-0.1, 0.1}, {}, true);
    matcher.AddPulse(0.5);
    EXPECT_EQ(matcher.NextFate()->Hit, false) << "before the first window: false at once";
    matcher.TakeFate();
    matcher.AddPulse(1.05);
    matcher.Advance(1.1);
    EXPECT_FALSE(matcher.NextFate()) << "a pulse at 1.1 could still come";
    matcher.Advance(2.2);
    EXPECT_EQ(matcher.NextFate()->Reference, 1.0);
    matcher.TakeFate();
    EXPECT_EQ(*matcher.NextMissed(), 2.0);
    EXPECT_EQ(*matcher.NextUndecidedEvent(), 3.0);
    EXPECT_THROW(matcher.AddPulse(1.0), std::invalid_argument);
    matcher.Finish();
    EXPECT_FALSE(matcher.NextUndecidedEvent());
    EXPECT_EQ(matcher.Result().Hits, 1u);
    EXPECT_EQ(matcher.Result().Events, 3u);
    EXPECT_THROW(Matcher({}, {0.1, -0.1}), std::invalid_argument);
}

}  // namespace
}  // namespace scoring
