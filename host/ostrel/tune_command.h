// `ostrel tune`: which settings of one output catch the reference events best. Every
// combination of the settings swept goes the way of `preview`: the configuration text is
// changed, the extension programs the simulated device with it, and the device replays each
// recording (held in memory, read once) through the preview's pipeline, scored as `preview
// --reference` scores it. The replays run on several threads; the programming, which goes
// through the host session, on one.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "host/ostrel/tune_sweep.h"
#include "host/scoring/event_matching.h"

namespace ostrel {

struct TuneOptions {
    // The recordings and their reference events, paired in order.
    std::vector<std::string> Signals;
    std::vector<std::string> References;
    // A device description text (empty: the demonstration device); when none is given, a
    // document's own device or the demonstration device.
    std::optional<std::string> Device;
    std::int32_t Output = 0;
    std::int32_t Condition = 1;          // 1-based
    std::vector<SettingSweep> Settings;  // in sweep order; none: the configuration as it is
    std::optional<std::string> Label;
    scoring::MatchWindow Window;
    unsigned Jobs = 0;  // 0: one per core
    std::size_t Top = 10;
    std::string Write;  // the best combination's configuration text; empty: none
    std::string Plot;   // the heat map (.png or .svg); empty: none
    std::string Json;   // every figure printed; empty: none
};

// Exit 0 with the table and the files asked for; 1 when the device refused every
// combination; 2 for a file that cannot be read or written, a bad device description, a
// configuration without the output or condition, signals that do not fit the device.
int RunTune(const std::string& configOrDocument, const TuneOptions& options, std::ostream& out,
            std::ostream& err);

}  // namespace ostrel
