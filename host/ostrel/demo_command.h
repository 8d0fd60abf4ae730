// `ostrel demo`: the typical request end to end, through the loaded extension module and a
// document: a configuration made for the demonstration device with output 1 switched on for
// Input 1 above 2.5 V arrives at the document as the configuration text message; the document
// merges it, marks itself modified and programs the device.
#pragma once

#include <ostream>
#include <string>

#include "host/device/device_description.h"

namespace Ostrel {

struct DemoOptions {
    bool Hex = false;  // print the blocks as hex instead of a table
};

// The configuration text of the demonstration: the device's outputs, output 1 on for Input 1
// above 2.5 V.
std::string DemoConfigurationText(const DeviceDescription& device);

// Runs the demonstration, printing to `out`; returns the process exit code.
int RunDemo(const DemoOptions& options, std::ostream& out, std::ostream& err);

}  // namespace Ostrel
