#include "platform/screen/click_counter.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using screen::ClickCounter;
using screen::ServerPress;

struct Series {
    const char* What;
    std::vector<ServerPress> Presses;
    std::vector<int> Counts;
};

// Only the server's times decide: when the program reads the presses plays no part.
TEST(ClickCounter, CountsASeriesByTheServersTimesPlaceAndButton) {
    const std::vector<Series> cases = {
        {"a double click, then a third",
         {{1, 1000, 10, 10}, {1, 1060, 10, 10}, {1, 1500, 12, 9}},
         {1, 2, 3}},
        {"too slow by a millisecond", {{1, 1000, 10, 10}, {1, 1501, 10, 10}}, {1, 1}},
        {"another button", {{1, 1000, 10, 10}, {3, 1060, 10, 10}, {3, 1120, 10, 10}}, {1, 1, 2}},
        {"moved too far", {{1, 1000, 10, 10}, {1, 1060, 43, 10}, {1, 1120, 43, 43}}, {1, 1, 1}},
        {"across the clock's wrap", {{1, 0xFFFFFFF0u, 5, 5}, {1, 0x20, 5, 5}}, {1, 2}},
    };
    for (const Series& series : cases) {
        ClickCounter counter;
        std::vector<int> counts;
        for (const ServerPress& press : series.Presses)
            counts.push_back(counter.Press(press));
        EXPECT_EQ(counts, series.Counts) << series.What;
    }
}

}  // namespace
