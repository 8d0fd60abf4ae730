// Reads arbitrary texts as CSV files of reference events, and scores a few pulses against what
// they give. A text either reads into finite times in ascending order, one per line at most,
// that score into figures that keep their sums, or fails with an error that names the file and
// a line the text has.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "fuzz/fuzz_check.h"
#include "host/preview/formats/reference_events.h"
#include "host/preview/formats/signal_file_error.h"
#include "host/scoring/event_matching.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const std::int64_t lines = std::count(text.begin(), text.end(), '\n') + 1;
    try {
        const std::vector<double> events = preview::ParseReferenceCsv(text, "fuzz.csv");
        CHECK(static_cast<std::int64_t>(events.size()) < lines);
        CHECK(std::is_sorted(events.begin(), events.end()));
        for (const double t : events)
            CHECK(std::isfinite(t));
        const std::vector<double> pulses{-1.0, 0.0, 0.05, 1.0, 1e3};
        std::vector<scoring::PulseFate> fates;
        std::vector<double> missed;
        const scoring::Figures figures =
            scoring::Score(pulses, events, {-0.1, 0.1}, {}, &fates, &missed);
        CHECK(figures.Events == events.size() && figures.Pulses == pulses.size());
        CHECK(figures.Hits <= figures.Events && figures.Hits <= figures.Pulses);
        CHECK(figures.Hits + missed.size() == figures.Events);
        CHECK(fates.size() == pulses.size());
        CHECK(figures.HitLatencies.size() == figures.Hits);
        for (const double latency : figures.HitLatencies)
            CHECK(latency >= -0.1 - 1e-9 && latency <= 0.1 + 1e-9);
    } catch (const preview::SignalFileError& error) {
        const std::string what = error.what();
        CHECK(error.File() == "fuzz.csv");
        CHECK(error.Line() >= 0 && error.Line() <= lines);
    }
    return 0;
}
