// `ostrel demo`: the typical request end to end, through the loaded extension module and a
// document: the user chooses the menu item "Tarvel...", and in the setup dialog switches
// output 1 on for Input 1 above 2.5 V and presses OK; the configuration text message reaches
// the document, which merges it, marks itself modified and programs the device.
#pragma once

#include <ostream>
#include <string>

#include "host/device/device_description.h"

namespace ostrel {

struct DemoOptions {
    bool Hex = false;      // print the blocks as hex instead of a table
    std::string Snapshot;  // a PNG file for the dialog's picture just before OK; empty: none
    bool Window = false;   // play the dialog visibly in a real window
};

// Runs the demonstration, printing to `out`; returns the process exit code.
int RunDemo(const DemoOptions& options, std::ostream& out, std::ostream& err);

}  // namespace ostrel
