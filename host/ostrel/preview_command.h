// `ostrel preview CONFIG|DOC --signals FILE`: programs the simulated Corvex through the
// extension as `apply` (a configuration text) or `open` (a document file) does, replays the
// recorded signals through the blocks the device then holds, and prints per output what it
// did.
#pragma once

#include <optional>
#include <ostream>
#include <string>

namespace Ostrel {

struct PreviewOptions {
    std::string Signals;         // the recorded signals: .csv
    std::string Device;          // a device description text (empty: the demonstration device)
    std::string Events;          // a CSV file of every pulse and ignored trigger, when given
    std::string Vcd;             // a value change dump with a GTKWave save file, when given
    std::string Plot;            // a picture, PNG or SVG (.svg), when given
    std::optional<double> From;  // seconds, in the recording's time: the part the summary and
                                 // the picture look at
    std::optional<double> To;
};

// Exit 0 with the summary and the files asked for; 1 when the extension's Load of a document does
// not answer S_OK; 2 when a file cannot be read or written, the signals do not fit the device or
// the window is empty.
int RunPreview(const std::string& configOrDocument, const PreviewOptions& options,
               std::ostream& out, std::ostream& err);

}  // namespace Ostrel
