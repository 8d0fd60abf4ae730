// How well an output catches the events that matter: its pulses matched against reference
// events, and the figures that say how well. Times in, figures out: no files, no device. The
// preview, tune and the Python module all score through this.
//
// Matching. A pulse that starts at p matches a reference event at r when
//
//     Early <= p - r <= Late            (the match window, in seconds; p - r is the latency)
//
// Each event matches at most one pulse and each pulse at most one event. Events are taken in
// time order, and each takes the earliest pulse in its window that no earlier event took: two
// pulses in one window give a hit and a false pulse, two events sharing one pulse give a hit and
// a missed event (unless the second finds another pulse in its window). Only events and pulses
// inside the counted span [From, To) take part; the others are neither hits, missed nor false.
// The window's edges belong to it, within the rounding of the times' last binary digits (64
// units in the last place of the larger time), so a pulse at exactly r + Late as a sample clock
// computes it still matches.
//
// Figures (Figures below), for events E, pulses P and hits H:
//   missed = E - H, false pulses = P - H,
//   sensitivity = H / E, positive predictivity = H / P, F1 = 2 H / (E + P),
//   latency of the hits: median, 5th and 95th percentile, each interpolated linearly between
//   the two nearest ranks (numpy's default: for n sorted values the q-quantile lies at rank
//   q (n - 1)).
// A ratio without a denominator (no events, no pulses) and a latency without hits are NaN.
//
// Two ways to use it: Score() for pulses and events held in memory, and Matcher for pulses that
// come as a replay goes, in time order, deciding each pulse and event as soon as no later pulse
// can change it (a memory that holds the events and the undecided pulses only).
#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <limits>
#include <optional>
#include <span>
#include <vector>

namespace scoring {

// p - r of a hit lies in [Early, Late], seconds. Early <= Late.
struct MatchWindow {
    double Early = -0.1;
    double Late = 0.1;
};

// The times that count: From <= t < To, seconds; everything by default.
struct Span {
    double From = -std::numeric_limits<double>::infinity();
    double To = std::numeric_limits<double>::infinity();
    bool Holds(double t) const { return t >= From && t < To; }
};

struct Latencies {
    double Median = std::numeric_limits<double>::quiet_NaN();
    double Low = std::numeric_limits<double>::quiet_NaN();   // 5th percentile
    double High = std::numeric_limits<double>::quiet_NaN();  // 95th percentile
};

struct Figures {
    std::size_t Events = 0;  // reference events counted
    std::size_t Pulses = 0;  // pulses counted
    std::size_t Hits = 0;
    std::vector<double> HitLatencies;  // p - r of each hit, seconds, in the events' order

    std::size_t Missed() const { return Events - Hits; }
    std::size_t FalsePulses() const { return Pulses - Hits; }
    double Sensitivity() const;
    double PositivePredictivity() const;
    double F1() const;
    // The q-quantile (0 <= q <= 1) of the hits' latencies; NaN without hits.
    double LatencyQuantile(double q) const;
    // Median, 5th and 95th percentile at once.
    Latencies LatencySummary() const;

    // Adds the figures of another recording: counts add, latencies join.
    Figures& operator+=(const Figures& other);
};

// The figures without each hit's latency: what a sweep keeps of every combination it tries.
struct Summary {
    std::size_t Events = 0;
    std::size_t Pulses = 0;
    std::size_t Hits = 0;
    Latencies Latency;

    std::size_t Missed() const { return Events - Hits; }
    std::size_t FalsePulses() const { return Pulses - Hits; }
    double Sensitivity() const;
    double PositivePredictivity() const;
    double F1() const;
};

Summary Summarize(const Figures& figures);

// What became of one pulse.
struct PulseFate {
    double Start = 0;
    bool Counted = false;  // inside the counted span
    bool Hit = false;
    double Reference = 0;  // the matched event's time, when Hit
};

class Matcher {
public:
    // `references` in any order; those outside `counted` are left out. With `keepDecisions` the
    // fate of every pulse and every missed event is kept, in order, until taken (TakeFate,
    // TakeMissed); without, only the figures are.
    Matcher(std::vector<double> references, MatchWindow window, Span counted = {},
            bool keepDecisions = false);

    // The next pulse's start. Starts come in ascending order (equal starts allowed); throws
    // std::invalid_argument for one earlier than the last.
    void AddPulse(double start);
    // Every pulse that starts before `time` has been added: what it settles is decided.
    void Advance(double time);
    // No pulse follows: everything is decided.
    void Finish();

    // The figures of what is decided so far (of everything after Finish).
    const Figures& Result() const { return figures_; }

    // With keepDecisions: the fate of the oldest pulse not yet taken, once it is decided.
    std::optional<PulseFate> NextFate() const;
    void TakeFate();
    // With keepDecisions: the oldest missed event not yet taken.
    std::optional<double> NextMissed() const;
    void TakeMissed();
    // The time of the earliest counted event not yet decided; nothing when all are. A missed
    // event may still come at or after it, never before.
    std::optional<double> NextUndecidedEvent() const;

private:
    struct Pending {
        double Start;
        std::uint64_t Index;  // its place among every pulse added
    };
    bool InWindow(double pulse, double reference) const;
    bool BeforeWindow(double pulse, double reference) const;
    void DecideEvent();
    void DropBeforeWindow();
    void Decide(std::uint64_t index, bool hit, double reference);

    std::vector<double> references_;  // counted, ascending
    std::size_t next_ = 0;            // the first undecided event
    MatchWindow window_;
    Span counted_;
    bool keep_;
    double last_ = -std::numeric_limits<double>::infinity();
    std::deque<Pending> pending_;  // counted pulses not yet decided, in order
    Figures figures_;
    // Kept decisions: the fates of pulses fatesBase_ on, in order (undecided ones included).
    struct Kept {
        PulseFate Fate;
        bool Decided = false;
    };
    std::deque<Kept> fates_;
    std::uint64_t fatesBase_ = 0;
    std::uint64_t added_ = 0;
    std::deque<double> missed_;
};

// Scores whole lists: `pulseStarts` ascending, `references` in any order. With `fates` (one
// per pulse, in order) and `missed` (the missed events, ascending), says what became of each.
Figures Score(std::span<const double> pulseStarts, std::span<const double> references,
              MatchWindow window, Span counted = {}, std::vector<PulseFate>* fates = nullptr,
              std::vector<double>* missed = nullptr);

}  // namespace scoring
