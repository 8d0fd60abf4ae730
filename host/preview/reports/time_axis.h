// The ticks of the plot's time axis. Each tick is computed from its index, never by adding
// steps, so that the axis ends whatever the times: a step below the resolution of the times
// would otherwise never advance. A window too narrow for its times to be told apart across
// the picture is refused before anything is drawn.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace preview {

struct TimeTicks {
    double Step = 0;         // 1, 2 or 5 times a power of ten, in seconds
    int Decimals = 0;        // that show every multiple of the step
    std::vector<double> At;  // the ticks in [from, to], ascending
};

// A step of 1, 2 or 5 times a power of ten that cuts `span` (> 0) into about `parts` pieces.
double NiceStep(double span, double parts);

// The multiples of `step` in [low, high], ascending, each computed from its index; at most
// `most` of them.
std::vector<double> MultiplesWithin(double low, double high, double step, double most);

// About one tick per 110 of `pixels` over [from, to] (from < to, both finite).
TimeTicks TicksFor(double from, double to, double pixels);

// Why the window [from, to] cannot be drawn `pixels` wide: the times there are told apart
// only to a step coarser than a pixel column's; nothing when it can.
std::optional<std::string> TooNarrow(double from, double to, double pixels);

}  // namespace preview
