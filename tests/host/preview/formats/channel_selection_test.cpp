// Which channel of a recording each input reads: by the file's layout, or by label with --map.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "host/preview/formats/channel_selection.h"
#include "host/preview/formats/signal_file_error.h"

namespace preview {
namespace {

using Selection = std::vector<std::optional<std::size_t>>;
constexpr auto none = std::nullopt;

// The selection, or the message of the error it raises.
struct Outcome {
    Selection selection;
    std::string error;
};

Outcome Select(const std::vector<std::string>& labels, const char* map, std::size_t inputs) {
    try {
        if (map == nullptr)
            return {SelectChannels(labels, nullptr, inputs, "rec.edf"), ""};
        const ChannelMap parsed = ParseChannelMap(map);
        return {SelectChannels(labels, &parsed, inputs, "rec.edf"), ""};
    } catch (const ChannelMapError& error) {
        return {{}, error.what()};
    } catch (const SignalFileError& error) {
        return {{}, error.what()};
    }
}

TEST(ChannelSelection, ByLayoutOrByLabel) {
    const std::vector<std::string> eeg{"EEG Fp1", "EEG Fp2", "ECG"};
    const struct {
        std::vector<std::string> labels;
        const char* map;
        std::size_t inputs;
        Selection selection;
        std::string error;
    } cases[] = {
        // Without a map: "Input N" by N, anything else by position.
        {{"Input 2", "input 1"}, nullptr, 3, {1, 0, none}, ""},
        {eeg, nullptr, 3, {0, 1, 2}, ""},
        {{"Channel 1", "Channel 2"}, nullptr, 3, {0, 1, none}, ""},
        {eeg,
         nullptr,
         1,
         {},
         "rec.edf: holds 3 channels, but the device has 1 input; choose the channels the inputs "
         "read with --map (its channels are \"EEG Fp1\", \"EEG Fp2\", \"ECG\")"},
        {{"Input 1", "ECG"},
         nullptr,
         2,
         {},
         "rec.edf: channel 2 \"ECG\" is not labelled \"Input N\" as the others are; choose the "
         "channels the inputs read with --map"},
        {{"Input 3"},
         nullptr,
         2,
         {},
         "rec.edf: channel 1 \"Input 3\" is for Input 3, but the device has 2 inputs"},
        {{"Input 1", "Input 1"}, nullptr, 2, {}, "rec.edf: channels 1 and 2 are both for Input 1"},
        // With a map: the inputs it names, wherever their channels lie; the others read nothing.
        {eeg, "Input 1=ECG", 1, {2}, ""},
        {eeg, " Input 2 = EEG Fp2 ,input 1=ECG", 3, {2, 1, none}, ""},
        {{"Input 1", "Input 2"}, "Input 1=Input 2", 2, {1, none}, ""},
        {eeg,
         "Input 1=EMG",
         2,
         {},
         "rec.edf: no channel is labelled \"EMG\" (--map Input 1); its channels are \"EEG "
         "Fp1\", \"EEG Fp2\", \"ECG\""},
        {{"ECG", "ECG"},
         "Input 1=ECG",
         2,
         {},
         "rec.edf: channels 1 and 2 are both labelled \"ECG\"; its channels are \"ECG\", "
         "\"ECG\""},
        {eeg, "Input 3=ECG", 2, {}, "--map names Input 3, which the device (2 inputs) lacks"},
        // The inputs read are Input 1 to Input N, each from a channel of its own.
        {eeg,
         "Input 2=ECG",
         3,
         {},
         "rec.edf: Input 2 reads channel \"ECG\", but Input 1 reads none; the inputs that read "
         "a channel are Input 1 to Input N"},
        {{"Input 2"},
         nullptr,
         2,
         {},
         "rec.edf: Input 2 reads channel \"Input 2\", but Input 1 "
         "reads none; the inputs that read a channel are Input 1 to "
         "Input N"},
        {eeg,
         "Input 1=ECG, Input 2=ECG",
         2,
         {},
         "rec.edf: Input 1 and Input 2 both read channel \"ECG\"; each input reads a channel of "
         "its own"},
        // Maps that do not read.
        {eeg, "", 2, {}, "--map, item \"\": expected \"Input N=LABEL\""},
        {eeg, "ECG", 2, {}, "--map, item \"ECG\": expected \"Input N=LABEL\""},
        {eeg,
         "Input 0=ECG",
         2,
         {},
         "--map, item \"Input 0=ECG\": \"Input 0\" is not \"Input N\" with N from 1 to 255"},
        {eeg,
         "Input1=ECG",
         2,
         {},
         "--map, item \"Input1=ECG\": \"Input1\" is not \"Input N\" with N from 1 to 255"},
        {eeg, "Input 1=", 2, {}, "--map, item \"Input 1=\": no label after \"=\""},
        {eeg,
         "Input 1=ECG, Input 1=EEG Fp1",
         2,
         {},
         "--map, item \"Input 1=EEG Fp1\": Input 1 is named twice"},
    };
    for (const auto& c : cases) {
        const Outcome outcome = Select(c.labels, c.map, c.inputs);
        EXPECT_EQ(outcome.error, c.error) << (c.map ? c.map : "no map");
        EXPECT_EQ(outcome.selection, c.selection) << (c.map ? c.map : "no map");
    }
}

}  // namespace
}  // namespace preview
