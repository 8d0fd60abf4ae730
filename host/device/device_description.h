// The shape and the failure modes of a simulated Corvex device. The defaults describe the
// demonstration device: 8 inputs of 10 V, 2 analog outputs, two groups of 4 digital outputs.
#pragma once

#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace device {

// How the device answers for its automatic outputs.
enum class AutoOutputSupport {
    kOn,       // offered and supported
    kOff,      // offered, but the support query answers false
    kFailing,  // offered, but the support query fails
    kAbsent,   // the device does not offer the automatic-output control at all
};

enum class StimulatorState { kOff, kOn, kAbsent };

// An input's full-scale range and unit, as the channel description reports them ("10", "V").
struct InputRange {
    std::string Range = "10";
    std::string Unit = "V";

    bool operator==(const InputRange&) const = default;
};

struct DeviceDescription {
    std::string Name = "Corvex";  // UTF-8
    std::int32_t Inputs = 8;
    std::int32_t AnalogOutputs = 2;
    std::vector<std::int32_t> DigitalGroups = {4, 4};  // outputs per group, in group order
    InputRange Range;                                  // of every input not in InputRanges
    std::map<std::int32_t, InputRange> InputRanges;    // by zero-based input index
    AutoOutputSupport AutoOutputs = AutoOutputSupport::kOn;
    StimulatorState Stimulator = StimulatorState::kOff;
    bool Sampling = false;
    bool AllowedWhileSampling = false;
    double MaxPulseDelay = 10.0;  // seconds
    double MaxHoldoff = 10.0;     // seconds

    // Failure modes.
    std::set<std::uint32_t> MissingGroups;  // zero-based groups the device does not give
    std::set<std::uint32_t> FailingGroups;  // zero-based groups whose count call fails
    std::set<std::int32_t> FailingOutputs;  // outputs (1, 2 ... / -1, -2 ...) that fail to program
    bool TimingLimitsFail = false;          // the timing-limits query answers E_FAIL

    bool operator==(const DeviceDescription&) const = default;

    std::int32_t DigitalOutputCount() const;
    const InputRange& RangeOf(std::int32_t input) const;
    // Whether `output` is one of the device's output numbers.
    bool HasOutput(std::int32_t output) const;
};

}  // namespace device
