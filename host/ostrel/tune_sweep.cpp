#include "host/ostrel/tune_sweep.h"

#include <charconv>
#include <cmath>
#include <stdexcept>

namespace ostrel {
namespace {

constexpr std::size_t kMostValues = 1000000;

bool ParseNumber(std::string_view text, double& value) {
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, value);
    return error == std::errc() && stop == end && std::isfinite(value);
}

// A missing figure ranks after every figure.
int CompareMissingLast(double a, double b, bool higherFirst) {
    if (std::isnan(a) || std::isnan(b))
        return std::isnan(a) == std::isnan(b) ? 0 : std::isnan(a) ? 1 : -1;
    if (a == b)
        return 0;
    return (a > b) == higherFirst ? -1 : 1;
}

}  // namespace

std::string_view SettingName(TunedSetting setting) {
    switch (setting) {
        case TunedSetting::kLevel:
            return "level";
        case TunedSetting::kHysteresis:
            return "hysteresis";
        case TunedSetting::kHoldoff:
            return "hold-off";
        case TunedSetting::kWidth:
            return "width";
    }
    return "";
}

bool ParseSweepValues(std::string_view text, std::vector<double>& values, std::string& problem) {
    const std::string given = "\"" + std::string(text) + "\"";
    const std::size_t first = text.find(':');
    values.clear();
    if (first == std::string_view::npos) {
        double value = 0;
        if (!ParseNumber(text, value)) {
            problem = "needs A:B:STEP or one number, not " + given;
            return false;
        }
        values.push_back(value);
        return true;
    }
    const std::size_t second = text.find(':', first + 1);
    double from = 0, to = 0, step = 0;
    if (second == std::string_view::npos || !ParseNumber(text.substr(0, first), from) ||
        !ParseNumber(text.substr(first + 1, second - first - 1), to) ||
        !ParseNumber(text.substr(second + 1), step)) {
        problem = "needs A:B:STEP or one number, not " + given;
        return false;
    }
    if (!(step > 0) || to < from) {
        problem = "needs A <= B and a STEP above 0, not " + given;
        return false;
    }
    const double steps = std::floor((to - from) / step + 1e-6);
    if (steps >= static_cast<double>(kMostValues)) {
        problem = "takes at most a million values, not " + given;
        return false;
    }
    for (std::size_t i = 0; i <= static_cast<std::size_t>(steps); ++i) {
        // To twelve digits, so that 0.1:0.3:0.1 ends at 0.3 and not at 0.30000000000000004.
        char rounded[32];
        const auto written =
            std::to_chars(rounded, rounded + sizeof rounded, from + static_cast<double>(i) * step,
                          std::chars_format::general, 12);
        double value = 0;
        std::from_chars(rounded, written.ptr, value);
        values.push_back(value);
    }
    return true;
}

Sweep::Sweep(std::vector<SettingSweep> settings) : settings_(std::move(settings)) {
    for (const SettingSweep& setting : settings_) {
        if (setting.Values.empty())
            throw std::invalid_argument("a setting swept without values");
        combinations_ *= setting.Values.size();
    }
}

std::size_t Sweep::PlaceOf(std::size_t index, std::size_t s) const {
    std::size_t inner = 1;
    for (std::size_t k = s + 1; k < settings_.size(); ++k)
        inner *= settings_[k].Values.size();
    return index / inner % settings_[s].Values.size();
}

std::vector<double> Sweep::ValuesOf(std::size_t index) const {
    std::vector<double> values;
    for (std::size_t s = 0; s < settings_.size(); ++s)
        values.push_back(settings_[s].Values[PlaceOf(index, s)]);
    return values;
}

bool RanksBefore(const Tried& a, const Tried& b) {
    const double nan = std::nan("");
    const int f1 = CompareMissingLast(a.Refusal.empty() ? a.Whole.F1() : nan,
                                      b.Refusal.empty() ? b.Whole.F1() : nan, true);
    if (f1 != 0)
        return f1 < 0;
    const int latency = CompareMissingLast(std::fabs(a.Whole.Latency.Median),
                                           std::fabs(b.Whole.Latency.Median), false);
    if (latency != 0)
        return latency < 0;
    return a.Index < b.Index;
}

}  // namespace ostrel
