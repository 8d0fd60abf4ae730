// The module's scoring: pulses matched against reference events by the host's own scoring
// (host/scoring), the figures handed to Python as a dict.
#pragma once

#include <pybind11/pybind11.h>

namespace python {

// Adds _score (one output's pulse starts against reference times) and _combine (the figures of
// several recordings as one) to `module`.
void AddScoring(pybind11::module_& module);

}  // namespace python
