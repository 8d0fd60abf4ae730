// The pulse settings of one output, copied as one unit.
#pragma once

#include <cstdint>

namespace VavazaZavidi {

struct OutputSettings {
    bool On = false;                    // the output is generated at all
    double PulseDuration = 0.001;       // seconds; the width when LimitedDuration is set
    double PulseDelay = 0.0;            // seconds from the conditions being met to the pulse
    bool LimitedDuration = false;       // pulses have the fixed width PulseDuration
    bool LimitedNumPulses = false;      // at most PulseNumLimit pulses
    std::int32_t PulseNumLimit = 1;     //
    bool RetriggerHoldoff = false;      // triggers are ignored for a while after a pulse start
    double RetriggerHoldoffTime = 0.0;  // seconds
    bool All = true;                    // true: all rules must hold; false: any rule suffices

    // Floating-point members compare exactly.
    bool operator==(const OutputSettings&) const = default;
};

}  // namespace VavazaZavidi
