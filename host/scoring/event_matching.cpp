#include "host/scoring/event_matching.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

namespace scoring {

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

double Ratio(std::size_t part, std::size_t whole) {
    return whole == 0 ? kNaN : static_cast<double>(part) / static_cast<double>(whole);
}

// What two times may differ by through rounding alone.
double Slack(double a, double b) {
    return 64 * std::numeric_limits<double>::epsilon() *
           std::max({1.0, std::fabs(a), std::fabs(b)});
}

}  // namespace

double Figures::Sensitivity() const {
    return Ratio(Hits, Events);
}

double Figures::PositivePredictivity() const {
    return Ratio(Hits, Pulses);
}

double Figures::F1() const {
    return Ratio(2 * Hits, Events + Pulses);
}

double Figures::LatencyQuantile(double q) const {
    if (HitLatencies.empty())
        return kNaN;
    std::vector<double> sorted = HitLatencies;
    std::sort(sorted.begin(), sorted.end());
    const double rank = q * static_cast<double>(sorted.size() - 1);
    const auto below = static_cast<std::size_t>(std::floor(rank));
    const std::size_t above = std::min(below + 1, sorted.size() - 1);
    const double fraction = rank - static_cast<double>(below);
    return sorted[below] + (sorted[above] - sorted[below]) * fraction;
}

Latencies Figures::LatencySummary() const {
    return {LatencyQuantile(0.5), LatencyQuantile(0.05), LatencyQuantile(0.95)};
}

double Summary::Sensitivity() const {
    return Ratio(Hits, Events);
}

double Summary::PositivePredictivity() const {
    return Ratio(Hits, Pulses);
}

double Summary::F1() const {
    return Ratio(2 * Hits, Events + Pulses);
}

Summary Summarize(const Figures& figures) {
    return {figures.Events, figures.Pulses, figures.Hits, figures.LatencySummary()};
}

Figures& Figures::operator+=(const Figures& other) {
    Events += other.Events;
    Pulses += other.Pulses;
    Hits += other.Hits;
    HitLatencies.insert(HitLatencies.end(), other.HitLatencies.begin(), other.HitLatencies.end());
    return *this;
}

Matcher::Matcher(std::vector<double> references, MatchWindow window, Span counted,
                 bool keepDecisions)
    : window_(window), counted_(counted), keep_(keepDecisions) {
    if (!(window.Early <= window.Late))
        throw std::invalid_argument("the match window's start lies after its end");
    for (const double r : references) {
        if (counted.Holds(r))
            references_.push_back(r);
    }
    std::sort(references_.begin(), references_.end());
    figures_.Events = references_.size();
}

bool Matcher::InWindow(double pulse, double reference) const {
    const double latency = pulse - reference;
    const double slack = Slack(pulse, reference);
    return latency >= window_.Early - slack && latency <= window_.Late + slack;
}

bool Matcher::BeforeWindow(double pulse, double reference) const {
    return pulse - reference < window_.Early - Slack(pulse, reference);
}

void Matcher::AddPulse(double start) {
    if (start < last_)
        throw std::invalid_argument("pulse starts must come in ascending order");
    last_ = start;
    const std::uint64_t index = added_++;
    const bool counted = counted_.Holds(start);
    if (keep_)
        fates_.push_back({PulseFate{start, counted, false, 0.0}, !counted});
    if (!counted)
        return;
    ++figures_.Pulses;
    pending_.push_back({start, index});
    DropBeforeWindow();
}

void Matcher::Decide(std::uint64_t index, bool hit, double reference) {
    if (!keep_)
        return;
    Kept& kept = fates_[index - fatesBase_];
    kept.Fate.Hit = hit;
    kept.Fate.Reference = reference;
    kept.Decided = true;
}

// Pulses before the window of the first undecided event can match no event any more: every
// later event's window starts later still.
void Matcher::DropBeforeWindow() {
    while (!pending_.empty() && (next_ == references_.size() ||
                                 BeforeWindow(pending_.front().Start, references_[next_]))) {
        Decide(pending_.front().Index, false, 0.0);
        pending_.pop_front();
    }
}

void Matcher::DecideEvent() {
    const double r = references_[next_];
    DropBeforeWindow();
    if (!pending_.empty() && InWindow(pending_.front().Start, r)) {
        ++figures_.Hits;
        figures_.HitLatencies.push_back(pending_.front().Start - r);
        Decide(pending_.front().Index, true, r);
        pending_.pop_front();
    } else if (keep_) {
        missed_.push_back(r);
    }
    ++next_;
    DropBeforeWindow();
}

void Matcher::Advance(double time) {
    // An event is settled once every pulse that may start in its window is known.
    while (next_ < references_.size()) {
        const double r = references_[next_];
        const double end = r + window_.Late;
        if (!(end + Slack(end, r) < time))
            break;
        DecideEvent();
    }
}

void Matcher::Finish() {
    while (next_ < references_.size())
        DecideEvent();
    DropBeforeWindow();
}

std::optional<PulseFate> Matcher::NextFate() const {
    if (fates_.empty() || !fates_.front().Decided)
        return std::nullopt;
    return fates_.front().Fate;
}

void Matcher::TakeFate() {
    if (!NextFate())
        throw std::logic_error("no decided pulse to take");
    fates_.pop_front();
    ++fatesBase_;
}

std::optional<double> Matcher::NextMissed() const {
    if (missed_.empty())
        return std::nullopt;
    return missed_.front();
}

void Matcher::TakeMissed() {
    if (missed_.empty())
        throw std::logic_error("no missed event to take");
    missed_.pop_front();
}

std::optional<double> Matcher::NextUndecidedEvent() const {
    if (next_ == references_.size())
        return std::nullopt;
    return references_[next_];
}

Figures Score(std::span<const double> pulseStarts, std::span<const double> references,
              MatchWindow window, Span counted, std::vector<PulseFate>* fates,
              std::vector<double>* missed) {
    const bool keep = fates != nullptr || missed != nullptr;
    Matcher matcher(std::vector<double>(references.begin(), references.end()), window, counted,
                    keep);
    for (const double start : pulseStarts)
        matcher.AddPulse(start);
    matcher.Finish();
    for (std::optional<PulseFate> fate; keep && (fate = matcher.NextFate()); matcher.TakeFate()) {
        if (fates)
            fates->push_back(*fate);
    }
    for (std::optional<double> event; keep && (event = matcher.NextMissed());
         matcher.TakeMissed()) {
        if (missed)
            missed->push_back(*event);
    }
    return matcher.Result();
}

}  // namespace scoring
