// A replay drawn for people: one lane per used input with its trace and, shaded in the colour of
// each output that watches it, every rule's band [T - H, T] in the input's unit; below them one
// lane per output that is not off with its pulses and, as small marks, its ignored triggers; a
// time axis in seconds at the bottom. A long window draws each pixel column as the minimum and
// maximum of the samples in it; a short one draws the samples themselves. The writer keeps only
// that of the blocks of a replay (and the pulses and marks in the window), so its memory follows
// the picture's size, not the recording's length.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "host/api/output_command_block.h"
#include "host/device/signals.h"
#include "host/device/trace.h"
#include "host/preview/formats/input_scale.h"

namespace preview {

struct PlotOptions {
    std::optional<double> From;  // seconds of the recording; its start when not given
    std::optional<double> To;    // its end when not given
    int Width = 1600;            // pixels (points for SVG)
};

// Where things lie in the picture; WritePlot draws by it.
struct PlotLayout {
    struct InputLane {
        std::size_t Input = 0;  // zero-based
        double Top = 0, Bottom = 0;
        double Low = 0, High = 0;  // the values at the bottom and the top of the lane
        double YOf(double value) const {
            return Bottom - (value - Low) / (High - Low) * (Bottom - Top);
        }
    };
    struct OutputLane {
        std::size_t Output = 0;  // index into device::Trace::Outputs
        double Top = 0, Bottom = 0;
    };
    int Width = 0, Height = 0;
    double Left = 0, Right = 0;  // x of From and of To
    double From = 0, To = 0;     // seconds
    std::vector<InputLane> Inputs;
    std::vector<OutputLane> Outputs;

    double XOf(double seconds) const {
        return Left + (seconds - From) / (To - From) * (Right - Left);
    }
};

// Throws SignalFileError (naming `path`) when the window is empty or outside the recording.
PlotLayout LayoutPlot(const std::string& path, const device::Signals& signals,
                      const device::Trace& trace, const std::vector<OutputCommandBlock>& blocks,
                      const std::vector<InputScale>& inputs, const PlotOptions& options);

// The colour of the plotted output with index `index` (in the order of the output lanes) as
// red, green, blue from 0 to 255, and the colour its bands take on the white lane background.
struct Rgb {
    int Red, Green, Blue;
};
Rgb OutputColour(std::size_t index);
Rgb BandColourOnWhite(std::size_t index);

// Writes a PNG, or an SVG when the path ends in .svg. Throws SignalFileError when the window is
// wrong or the file cannot be written.
void WritePlot(const std::string& path, const device::Signals& signals, const device::Trace& trace,
               const std::vector<OutputCommandBlock>& blocks, const std::vector<InputScale>& inputs,
               const PlotOptions& options = {});

// Frees the caches the drawing library and its font configuration keep for the life of the
// process. For a program about to end after its last plot, so that a leak checker sees only its
// own memory; no plot may be drawn after it.
void ReleasePlotCaches();

}  // namespace preview
