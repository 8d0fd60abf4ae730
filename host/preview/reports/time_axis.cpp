#include "host/preview/reports/time_axis.h"

#include <algorithm>
#include <cmath>

#include "host/preview/reports/trace_labels.h"

namespace preview {

namespace {

constexpr double kPixelsPerTick = 110;

}  // namespace

double NiceStep(double span, double parts) {
    const double raw = span / parts;
    const double power = std::pow(10.0, std::floor(std::log10(raw)));
    for (const double factor : {1.0, 2.0, 5.0}) {
        if (factor * power >= raw)
            return factor * power;
    }
    return 10.0 * power;
}

std::vector<double> MultiplesWithin(double low, double high, double step, double most) {
    const double first = std::ceil(low / step - 1e-9);
    const double last = std::floor(high / step + 1e-12);
    std::vector<double> multiples;
    for (double index = 0; index < std::min(last - first + 1, most); ++index) {
        const double value = (first + index) * step;
        multiples.push_back(std::fabs(value) < step * 1e-6 ? 0.0 : value);  // no "-0.0"
    }
    return multiples;
}

TimeTicks TicksFor(double from, double to, double pixels) {
    TimeTicks ticks;
    ticks.Step = NiceStep(to - from, std::max(1.0, pixels / kPixelsPerTick));
    ticks.Decimals = std::clamp(static_cast<int>(std::ceil(-std::log10(ticks.Step) - 1e-9)), 0, 15);
    // At most a tick per pixel, whatever rounding did to the ends.
    ticks.At = MultiplesWithin(from, to, ticks.Step, std::max(1.0, pixels));
    return ticks;
}

std::optional<std::string> TooNarrow(double from, double to, double pixels) {
    const double largest = std::max(std::fabs(from), std::fabs(to));
    const double resolution = std::nextafter(largest, INFINITY) - largest;
    if (to - from >= resolution * std::max(1.0, pixels))
        return std::nullopt;
    return "times near " + ShortNumber(largest, 6) + " s are told apart only to " +
           ShortNumber(resolution, 3) + " s, too coarse for " +
           std::to_string(static_cast<int>(pixels)) +
           " pixel columns: the window must be at least " +
           ShortNumber(resolution * std::max(1.0, pixels), 3) + " s wide";
}

}  // namespace preview
