// Reads arbitrary texts as channel maps (--map) and chooses a recording's channels with those
// that read. A map either reads, naming inputs 1 to 255 with labels that are not empty, or
// fails naming its item; a choice feeds Input 1 to Input N from channels of their own, or fails
// naming the file.
#include <cstdint>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "fuzz/fuzz_check.h"
#include "host/preview/formats/channel_selection.h"
#include "host/preview/formats/signal_file_error.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const std::vector<std::string> kLabels = {"EEG Fp1", "ECG", "Input 2", "ECG ",
                                                     "Channel 1"};
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    preview::ChannelMap map;
    try {
        map = preview::ParseChannelMap(text);
    } catch (const preview::ChannelMapError& error) {
        CHECK(std::string_view(error.what()).starts_with("--map, item \""));
        return 0;
    }
    CHECK(!map.Labels.empty());
    for (const auto& [input, label] : map.Labels)
        CHECK(input >= 0 && input < 255 && !label.empty());
    try {
        const preview::ChannelChoice choice = preview::SelectChannels(kLabels, &map, 4, "f.edf");
        CHECK(choice.size() == 4);
        const std::size_t fed = preview::InputsFed(choice);
        std::set<std::size_t> channels;
        for (std::size_t input = 0; input < choice.size(); ++input) {
            CHECK((input < fed) == choice[input].has_value());
            if (choice[input])
                CHECK(*choice[input] < kLabels.size() && channels.insert(*choice[input]).second);
        }
    } catch (const preview::ChannelMapError& error) {
        CHECK(std::string_view(error.what()).starts_with("--map names Input "));
    } catch (const preview::SignalFileError& error) {
        CHECK(error.File() == "f.edf" && error.Line() == 0);
    }
    return 0;
}
