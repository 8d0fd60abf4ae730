#include "host/preview/reports/trace_labels.h"

#include <charconv>
#include <cmath>

#include "host/files/file_identity.h"

namespace preview {

std::string OutputName(std::int32_t output) {
    return output > 0 ? "Analog Output " + std::to_string(output)
                      : "Digital Output " + std::to_string(-static_cast<std::int64_t>(output));
}

const char* ReasonText(device::IgnoredBecause why) {
    switch (why) {
        case device::IgnoredBecause::kDelay:
            return "delay";
        case device::IgnoredBecause::kPulse:
            return "pulse";
        case device::IgnoredBecause::kHoldoff:
            return "hold-off";
        case device::IgnoredBecause::kCountLimit:
            return "count limit";
    }
    return "unknown";
}

std::vector<std::size_t> UsedInputs(const std::vector<OutputCommandBlock>& blocks,
                                    std::size_t channelCount) {
    std::vector<bool> used(channelCount, false);
    for (const OutputCommandBlock& block : blocks) {
        if (block.Mode == OutputCommandBlock::kOff)
            continue;
        for (const RuleSlot& slot : block.Rules) {
            if (slot.Input != RuleSlot::kUnusedInput && slot.Input <= channelCount)
                used[slot.Input - 1] = true;
        }
    }
    std::vector<std::size_t> inputs;
    for (std::size_t input = 0; input < channelCount; ++input) {
        if (used[input])
            inputs.push_back(input);
    }
    return inputs;
}

const OutputCommandBlock* BlockOf(const std::vector<OutputCommandBlock>& blocks,
                                  std::int32_t output) {
    for (const OutputCommandBlock& block : blocks) {
        if (block.Output == output)
            return &block;
    }
    return nullptr;
}

int TimeDecimals(double sampleRate) {
    if (!(sampleRate > 0.0) || !std::isfinite(sampleRate))
        return 6;
    const int order = std::max(0, static_cast<int>(std::ceil(std::log10(sampleRate) - 1e-9)));
    const double units = std::pow(10.0, order) / sampleRate;
    const bool whole = std::fabs(units - std::round(units)) <= 1e-9 * units;
    return std::min(order + (whole ? 0 : 2), 15);
}

std::string FixedText(double seconds, int decimals) {
    char buffer[400];
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, seconds, std::chars_format::fixed, decimals);
    return result.ec == std::errc() ? std::string(buffer, result.ptr) : std::to_string(seconds);
}

std::string ShortNumber(double value, int digits) {
    if (std::fabs(value) < 1e-12)
        value = 0.0;
    char buffer[32];
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, digits);
    return std::string(buffer, result.ptr);
}

std::string DurationText(double seconds) {
    // Below a minute, and lengths too long to count in whole seconds, in seconds.
    if (!(std::fabs(seconds) >= 59.5 && std::fabs(seconds) < 1e15))
        return ShortNumber(seconds, 4) + " s";
    const std::int64_t whole = std::llround(std::fabs(seconds));
    const std::string sign = seconds < 0 ? "-" : "";
    if (whole < 3600)
        return sign + std::to_string(whole / 60) + " min " + std::to_string(whole % 60) + " s";
    return sign + std::to_string(whole / 3600) + " h " + std::to_string(whole % 3600 / 60) + " min";
}

std::string WhereTo(const std::string& path) {
    return path == files::kStandardOutputName ? "standard output" : path;
}

}  // namespace preview
