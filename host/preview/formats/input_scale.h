// What the readers need to know of the device's inputs: each input's full-scale range and its
// unit. A sound file's full scale maps to the range; a channel recorded in another prefix of the
// input's unit ("mV" for an input in "V") is converted to the input's unit.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace device {
struct DeviceDescription;
}

namespace preview {

struct InputScale {
    double Range = 10.0;     // full scale, in Unit: the input measures -Range to +Range
    std::string Unit = "V";  // may be empty for a dimensionless input
};

// One scale per input of the device, in input order. Throws std::invalid_argument when a range
// is not a positive number.
std::vector<InputScale> InputScalesOf(const device::DeviceDescription& device);

// The factor that converts a value in `from` to a value in `to` when both are the same unit
// with SI prefixes from pico to mega ("mV" to "V" is 0.001; "uV", "µV" and "μV" are micro);
// nothing when they are not the same unit.
std::optional<double> UnitFactor(std::string_view from, std::string_view to);

}  // namespace preview
