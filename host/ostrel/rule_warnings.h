// What ostrel says when the device a configuration is programmed into does not give its rules
// the meaning the user gave them. Levels are kept as a percent of the input's range and inputs
// by number, so a rule changes its meaning with the device: on an input the device lacks the
// extension programs it on Input 1; on an input of another range or unit than where the
// document was made, its level stands for another value; an output the device lacks is kept in
// the document but not programmed.
#pragma once

#include <string>
#include <vector>

#include "host/device/device_description.h"
#include "host/inspect/tarvel_formats.h"

namespace ostrel {

// One line per rule or output whose meaning changes on `device`, for the outputs that are on,
// in the configuration's order:
//   output 1, condition 1 watches Input 5, which this device (1 input) lacks: programmed on
//     Input 1
//   output 1, condition 1: level 20 % was 1 mV on the device this document was made on
//     (±5 mV), is 2 V on this one (±10 V)
//   output 3 is on, but this device has no output 3: kept in the document, not programmed
// The level lines only with `madeOn`, the device the document was made on.
std::vector<std::string> RuleWarnings(const std::vector<inspect::OutputRules>& outputs,
                                      const device::DeviceDescription& device,
                                      const device::DeviceDescription* madeOn = nullptr);

// Prints RuleWarnings for the configuration `text` on `err` ("ostrel: warning: ..."). With
// `strict`, warnings are errors: ostrel then says that nothing was programmed or written and
// this returns false (the command exits 1 before it programs anything).
bool ReportRuleWarnings(const std::string& text, const device::DeviceDescription& device,
                        const device::DeviceDescription* madeOn, bool strict, std::ostream& err);

}  // namespace ostrel
