// tune's picture: F1 over the first two settings swept, one cell per pair of values (the best
// F1 over the other settings swept), coloured from the lowest F1 drawn (dark) to the highest
// (yellow), cells without an F1 grey, the best combination ringed. PNG or SVG by the name.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace ostrel {

struct HeatMap {
    std::string Title;
    std::string XLabel;      // "level (mV)"
    std::string YLabel;      // empty with one setting swept: one row
    std::vector<double> X;   // the first setting's values, left to right
    std::vector<double> Y;   // the second's, bottom to top ({0} with one setting)
    std::vector<double> F1;  // [y * X.size() + x]; NaN where there is none
    std::size_t BestX = 0, BestY = 0;
    std::string BestText;  // what the ring's note says
};

// Draws `map` into `path` (".png" or ".svg"), beside the target and renamed over it. Throws
// preview::SignalFileError or files::FileError naming the file.
void DrawHeatMap(const HeatMap& map, const std::string& path);

}  // namespace ostrel
