#include "host/ostrel/score_text.h"

#include <cmath>
#include <cstdio>

namespace ostrel {
namespace {

std::string Count(std::size_t count, const char* one, const char* many) {
    return std::to_string(count) + " " + (count == 1 ? one : many);
}

}  // namespace

std::string RatioText(double ratio) {
    if (std::isnan(ratio))
        return "n/a";
    char text[32];
    std::snprintf(text, sizeof text, "%.4f", ratio);
    return text;
}

std::string MillisecondsNumber(double seconds) {
    if (std::isnan(seconds))
        return "n/a";
    char text[32];
    std::snprintf(text, sizeof text, "%.1f", seconds * 1e3);
    // No "-0.0" for a latency that rounds to nothing.
    return std::string(text) == "-0.0" ? "0.0" : text;
}

std::string MillisecondsText(double seconds) {
    const std::string number = MillisecondsNumber(seconds);
    return std::isnan(seconds) ? number : number + " ms";
}

std::string ScoreLines(const scoring::Figures& figures) {
    std::string text = "  " + Count(figures.Events, "reference event", "reference events") + ", " +
                       Count(figures.Pulses, "pulse", "pulses") + ": " +
                       Count(figures.Hits, "hit", "hits") + ", " +
                       std::to_string(figures.Missed()) + " missed, " +
                       Count(figures.FalsePulses(), "false pulse", "false pulses") + "\n";
    text += "  sensitivity " + RatioText(figures.Sensitivity()) + ", positive predictivity " +
            RatioText(figures.PositivePredictivity()) + ", F1 " + RatioText(figures.F1());
    const scoring::Latencies latency = figures.LatencySummary();
    if (figures.Hits == 0)
        return text + "; no latency without hits\n";
    return text + "; latency median " + MillisecondsText(latency.Median) + " (5th percentile " +
           MillisecondsText(latency.Low) + ", 95th " + MillisecondsText(latency.High) + ")\n";
}

std::string WindowText(const scoring::MatchWindow& window) {
    char text[96];
    std::snprintf(text, sizeof text, "window %g s to %g s", window.Early, window.Late);
    return text;
}

}  // namespace ostrel
