// What `ostrel tune` sweeps: the settings given on its command line, each with the values it
// takes, and the combinations they make, in sweep order (the level outermost, the width
// innermost); and how the combinations tried are ranked.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "host/scoring/event_matching.h"

namespace ostrel {

enum class TunedSetting { kLevel, kHysteresis, kHoldoff, kWidth };

// "level", "hysteresis", "hold-off", "width".
std::string_view SettingName(TunedSetting setting);

// The values of "A:B:STEP" (A, A + STEP ... up to B, each computed as A + i STEP and rounded
// to twelve significant digits; B itself when it lies within a millionth of a step of one) or of
// one number "A"; false with the problem when the text is neither, STEP is not positive, B lies
// below A or there are more than a million values.
bool ParseSweepValues(std::string_view text, std::vector<double>& values, std::string& problem);

struct SettingSweep {
    TunedSetting Setting;
    std::vector<double> Values;  // as given: levels in the input's unit
};

class Sweep {
public:
    // `settings` in sweep order, each at most once.
    explicit Sweep(std::vector<SettingSweep> settings);

    const std::vector<SettingSweep>& Settings() const { return settings_; }
    std::size_t Combinations() const { return combinations_; }
    // The value of each setting in combination `index` (0 to Combinations() - 1), in the
    // settings' order; the last setting changes fastest.
    std::vector<double> ValuesOf(std::size_t index) const;
    // The place of `index` in the values of setting `s`.
    std::size_t PlaceOf(std::size_t index, std::size_t s) const;

private:
    std::vector<SettingSweep> settings_;
    std::size_t combinations_ = 1;
};

// What one combination gave over every recording.
struct Tried {
    std::size_t Index = 0;
    scoring::Summary Whole;                     // the recordings' figures added up
    std::vector<scoring::Summary> ByRecording;  // in the recordings' order
    std::string Refusal;  // why the device does not run it (then no figures); empty when it does
};

// Whether `a` ranks before `b`: the higher F1 first (a combination without one, or refused,
// last), then the smaller magnitude of the median latency (none last), then sweep order.
bool RanksBefore(const Tried& a, const Tried& b);

}  // namespace ostrel
