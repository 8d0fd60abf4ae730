#include "host/ostrel/tune_report.h"

#include <cmath>
#include <cstdio>

#include "host/ostrel/results_json.h"
#include "host/ostrel/score_text.h"

namespace ostrel {
namespace {

std::string Number(double value) {
    char text[48];
    std::snprintf(text, sizeof text, "%g", value);
    return text;
}

std::string Padded(const std::string& text, std::size_t width) {
    return text.size() >= width ? text : std::string(width - text.size(), ' ') + text;
}

// "0.5 to 1.5 step 0.05 (21 values)", or the one value.
std::string ValuesText(const std::vector<double>& values) {
    if (values.size() == 1)
        return Number(values[0]);
    return Number(values.front()) + " to " + Number(values.back()) + " step " +
           Number(values[1] - values[0]) + " (" + std::to_string(values.size()) + " values)";
}

// "mV", "%", "s".
std::string UnitOf(TunedSetting setting, const preview::InputScale& scale) {
    return setting == TunedSetting::kLevel        ? scale.Unit
           : setting == TunedSetting::kHysteresis ? "%"
                                                  : "s";
}

// The JSON key of a setting.
std::string SettingKey(TunedSetting setting) {
    switch (setting) {
        case TunedSetting::kLevel:
            return "level";
        case TunedSetting::kHysteresis:
            return "hysteresis_percent";
        case TunedSetting::kHoldoff:
            return "holdoff_s";
        case TunedSetting::kWidth:
            return "width_s";
    }
    return "";
}

}  // namespace

std::string SettingHeading(TunedSetting setting, const preview::InputScale& scale) {
    switch (setting) {
        case TunedSetting::kLevel:
            return "level" + (scale.Unit.empty() ? std::string() : " (" + scale.Unit + ")");
        case TunedSetting::kHysteresis:
            return "hysteresis (%)";
        case TunedSetting::kHoldoff:
            return "hold-off (s)";
        case TunedSetting::kWidth:
            return "width (s)";
    }
    return "";
}

std::string TuneHeader(const TuneRun& run) {
    const std::size_t count = run.Swept.Combinations();
    std::string text = "Tuning output " + std::to_string(run.Output) + ", condition " +
                       std::to_string(run.Condition) + " (input " + std::to_string(run.Input) +
                       (run.Above ? " above" : " below") + "): " + std::to_string(count) +
                       (count == 1 ? " combination" : " combinations") + " on " +
                       std::to_string(run.Jobs) + (run.Jobs == 1 ? " job\n" : " jobs\n");
    for (const SettingSweep& setting : run.Swept.Settings())
        text += "  " + SettingHeading(setting.Setting, run.Scale) + ": " +
                ValuesText(setting.Values) + "\n";
    for (std::size_t r = 0; r < run.Recordings.size(); ++r) {
        const TunedRecording& recording = run.Recordings[r];
        text += "Recording " + recording.Signals + ": " +
                std::to_string(recording.Info.SampleCount) + " samples at " +
                Number(recording.Info.SampleRate) + " samples per second; reference events " +
                recording.Reference + ": " + std::to_string(recording.Events) + " events\n";
    }
    return text + "Match " + WindowText(run.Window) + "\n";
}

std::string TuneTable(const TuneRun& run, std::size_t top) {
    const std::size_t shown = std::min(top, run.Ranking.size());
    std::string text = "Best " + std::to_string(shown) + " of " +
                       std::to_string(run.Ranking.size()) +
                       " by F1, then the smaller median latency:\n";
    std::vector<std::vector<std::string>> rows(1, {"rank"});
    for (const SettingSweep& setting : run.Swept.Settings())
        rows[0].push_back(SettingHeading(setting.Setting, run.Scale));
    for (const char* heading : {"F1", "sensitivity", "pos. predictivity", "hits", "missed", "false",
                                "latency median (ms)"})
        rows[0].push_back(heading);
    for (std::size_t place = 0; place < shown; ++place) {
        const Tried& tried = run.Results[run.Ranking[place]];
        std::vector<std::string>& cells = rows.emplace_back(1, std::to_string(place + 1));
        for (const double value : run.Swept.ValuesOf(tried.Index))
            cells.push_back(Number(value));
        if (!tried.Refusal.empty()) {
            cells.push_back("refused by the device: " + tried.Refusal);
            continue;
        }
        const scoring::Summary& s = tried.Whole;
        for (const std::string& cell :
             {RatioText(s.F1()), RatioText(s.Sensitivity()), RatioText(s.PositivePredictivity()),
              std::to_string(s.Hits), std::to_string(s.Missed()), std::to_string(s.FalsePulses()),
              MillisecondsNumber(s.Latency.Median)})
            cells.push_back(cell);
    }
    // Each column as wide as its widest cell, numbers to the right; a refusal runs on.
    const std::size_t settings = run.Swept.Settings().size();
    std::vector<std::size_t> widths(rows[0].size(), 0);
    for (const std::vector<std::string>& cells : rows) {
        for (std::size_t c = 0; c < cells.size(); ++c) {
            if (cells.size() == rows[0].size() || c <= settings)
                widths[c] = std::max(widths[c], cells[c].size());
        }
    }
    for (const std::vector<std::string>& cells : rows) {
        std::string line;
        for (std::size_t c = 0; c < cells.size(); ++c) {
            const bool runsOn = cells.size() < rows[0].size() && c + 1 == cells.size();
            line += (c == 0 ? "" : "  ") + (runsOn ? cells[c] : Padded(cells[c], widths[c]));
        }
        text += line + "\n";
    }
    return text;
}

nlohmann::json TuneJson(const TuneRun& run) {
    nlohmann::json json;
    json["command"] = "tune";
    json["output"] = run.Output;
    json["condition"] = run.Condition;
    json["input"] = {{"input", run.Input},
                     {"direction", run.Above ? "above" : "below"},
                     {"range", run.Scale.Range},
                     {"unit", run.Scale.Unit}};
    json["window"] = WindowJson(run.Window);
    json["label"] = run.Label ? nlohmann::json(*run.Label) : nlohmann::json(nullptr);
    json["jobs"] = run.Jobs;
    json["recordings"] = nlohmann::json::array();
    for (const TunedRecording& recording : run.Recordings)
        json["recordings"].push_back({{"signals", recording.Signals},
                                      {"reference", recording.Reference},
                                      {"samples", recording.Info.SampleCount},
                                      {"sample_rate", recording.Info.SampleRate},
                                      {"events", recording.Events}});
    json["settings"] = nlohmann::json::array();
    for (const SettingSweep& setting : run.Swept.Settings())
        json["settings"].push_back({{"name", SettingKey(setting.Setting)},
                                    {"heading", SettingHeading(setting.Setting, run.Scale)},
                                    {"values", setting.Values}});
    std::vector<std::size_t> rankOf(run.Results.size());
    for (std::size_t place = 0; place < run.Ranking.size(); ++place)
        rankOf[run.Ranking[place]] = place + 1;
    json["combinations"] = nlohmann::json::array();
    for (const Tried& tried : run.Results) {
        nlohmann::json settings = nlohmann::json::object();
        const std::vector<double> values = run.Swept.ValuesOf(tried.Index);
        for (std::size_t s = 0; s < values.size(); ++s)
            settings[SettingKey(run.Swept.Settings()[s].Setting)] = values[s];
        nlohmann::json combination{
            {"index", tried.Index}, {"rank", rankOf[tried.Index]}, {"settings", settings}};
        if (tried.Refusal.empty()) {
            combination["score"] = FiguresJson(tried.Whole);
            combination["by_recording"] = nlohmann::json::array();
            for (const scoring::Summary& summary : tried.ByRecording)
                combination["by_recording"].push_back(FiguresJson(summary));
            combination["refused"] = nullptr;
        } else {
            combination["score"] = nullptr;
            combination["by_recording"] = nullptr;
            combination["refused"] = tried.Refusal;
        }
        json["combinations"].push_back(std::move(combination));
    }
    json["best"] =
        run.Ranking.empty() ? nlohmann::json(nullptr) : nlohmann::json(run.Ranking.front());
    return json;
}

HeatMap TuneHeatMap(const TuneRun& run) {
    const std::vector<SettingSweep>& settings = run.Swept.Settings();
    HeatMap map;
    map.Title = "F1 of output " + std::to_string(run.Output) + " over " +
                std::to_string(run.Recordings.size()) +
                (run.Recordings.size() == 1 ? " recording" : " recordings");
    if (settings.empty()) {
        map.XLabel = "the configuration as it is";
        map.X = {0};
    } else {
        map.XLabel = SettingHeading(settings[0].Setting, run.Scale);
        map.X = settings[0].Values;
    }
    map.Y = {0};
    if (settings.size() > 1) {
        map.YLabel = SettingHeading(settings[1].Setting, run.Scale);
        map.Y = settings[1].Values;
        if (settings.size() > 2)
            map.Title += " (each cell the best over the other settings)";
    }
    map.F1.assign(map.X.size() * map.Y.size(), std::nan(""));
    for (const Tried& tried : run.Results) {
        if (!tried.Refusal.empty() || std::isnan(tried.Whole.F1()))
            continue;
        const std::size_t x = settings.empty() ? 0 : run.Swept.PlaceOf(tried.Index, 0);
        const std::size_t y = settings.size() > 1 ? run.Swept.PlaceOf(tried.Index, 1) : 0;
        double& cell = map.F1[y * map.X.size() + x];
        if (std::isnan(cell) || tried.Whole.F1() > cell)
            cell = tried.Whole.F1();
    }
    if (!run.Ranking.empty()) {
        const Tried& best = run.Results[run.Ranking.front()];
        map.BestX = settings.empty() ? 0 : run.Swept.PlaceOf(best.Index, 0);
        map.BestY = settings.size() > 1 ? run.Swept.PlaceOf(best.Index, 1) : 0;
        map.BestText = "Ringed: the best, F1 " + RatioText(best.Whole.F1());
        const std::vector<double> values = run.Swept.ValuesOf(best.Index);
        for (std::size_t s = 0; s < values.size(); ++s)
            map.BestText += (s == 0 ? " at " : ", ") +
                            std::string(SettingName(settings[s].Setting)) + " " +
                            Number(values[s]) + " " + UnitOf(settings[s].Setting, run.Scale);
    }
    return map;
}

}  // namespace ostrel
