#include "host/ostrel/results_json.h"

#include <cmath>

#include "host/files/output_file.h"

namespace ostrel {

nlohmann::json NumberJson(double value) {
    return std::isfinite(value) ? nlohmann::json(value) : nlohmann::json(nullptr);
}

nlohmann::json FiguresJson(const scoring::Figures& figures) {
    return FiguresJson(scoring::Summarize(figures));
}

nlohmann::json FiguresJson(const scoring::Summary& figures) {
    const scoring::Latencies& latency = figures.Latency;
    return {
        {"events", figures.Events},
        {"pulses", figures.Pulses},
        {"hits", figures.Hits},
        {"missed", figures.Missed()},
        {"false_pulses", figures.FalsePulses()},
        {"sensitivity", NumberJson(figures.Sensitivity())},
        {"positive_predictivity", NumberJson(figures.PositivePredictivity())},
        {"f1", NumberJson(figures.F1())},
        {"latency_ms",
         {{"median", NumberJson(latency.Median * 1e3)},
          {"p5", NumberJson(latency.Low * 1e3)},
          {"p95", NumberJson(latency.High * 1e3)}}},
    };
}

nlohmann::json WindowJson(const scoring::MatchWindow& window) {
    return {{"early_s", window.Early}, {"late_s", window.Late}};
}

void WriteJson(const std::string& path, const nlohmann::json& results) {
    files::OutputFile file(path);
    file.Write(results.dump(2) + "\n");
    file.Commit();
}

}  // namespace ostrel
