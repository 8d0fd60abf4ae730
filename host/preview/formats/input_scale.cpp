#include "host/preview/formats/input_scale.h"

#include <charconv>
#include <cmath>
#include <stdexcept>

#include "host/device/device_description.h"

namespace preview {

namespace {

struct Prefix {
    std::string_view Text;
    double Factor;
};

constexpr Prefix kPrefixes[] = {
    {"p", 1e-12},       {"n", 1e-9}, {"u", 1e-6}, {"\xC2\xB5", 1e-6},
    {"\xCE\xBC", 1e-6}, {"m", 1e-3}, {"k", 1e3},  {"M", 1e6},
};

// The ways to read `unit` as an optional prefix and a base unit; the base is never empty.
struct Reading {
    double Factor;
    std::string_view Base;
};

std::vector<Reading> ReadingsOf(std::string_view unit) {
    std::vector<Reading> readings{{1.0, unit}};
    for (const Prefix& prefix : kPrefixes) {
        if (unit.size() > prefix.Text.size() && unit.starts_with(prefix.Text))
            readings.push_back({prefix.Factor, unit.substr(prefix.Text.size())});
    }
    return readings;
}

}  // namespace

std::vector<InputScale> InputScalesOf(const device::DeviceDescription& device) {
    std::vector<InputScale> scales;
    for (std::int32_t input = 0; input < device.Inputs; ++input) {
        const device::InputRange& range = device.RangeOf(input);
        double value = 0.0;
        const char* end = range.Range.data() + range.Range.size();
        const auto [stop, error] = std::from_chars(range.Range.data(), end, value);
        if (error != std::errc() || stop != end || !std::isfinite(value) || value <= 0.0) {
            throw std::invalid_argument("input " + std::to_string(input + 1) + ": range \"" +
                                        range.Range + "\" is not a positive number");
        }
        scales.push_back({value, range.Unit});
    }
    return scales;
}

std::optional<double> UnitFactor(std::string_view from, std::string_view to) {
    if (from == to)
        return 1.0;
    for (const Reading& source : ReadingsOf(from)) {
        for (const Reading& target : ReadingsOf(to)) {
            if (source.Base == target.Base)
                return source.Factor / target.Factor;
        }
    }
    return std::nullopt;
}

}  // namespace preview
