// Reads arbitrary texts as configurations. After every input the model's invariants hold, and a
// text that reads writes, reads back and writes again to the identical text.
#include <cstdint>
#include <string>

#include "config/event_config.h"
#include "fuzz/fuzz_check.h"

namespace {

using VavazaZavidi::EventConfig;
using VavazaZavidi::OutputMagnitude;

void CheckInvariants(const EventConfig& config) {
    const auto& outputs = config.GetOutputs();
    const std::int32_t analog = config.GetAnalogOutputCount();
    const std::int32_t digital = config.GetDigitalOutputCount();
    CHECK(analog >= 0 && digital >= 0);
    // One record per output of each kind.
    CHECK(outputs.size() == static_cast<std::size_t>(analog) + static_cast<std::size_t>(digital));
    for (std::size_t i = 0; i < outputs.size(); ++i) {
        const std::int32_t output = outputs[i].Output;
        const bool isAnalog = i < static_cast<std::size_t>(analog);
        CHECK(output != 0);
        CHECK(isAnalog == (output > 0));  // analog records first, then the digital ones
        CHECK(outputs[i].Rules.size() <= static_cast<std::size_t>(EventConfig::kMaxRules));
        if (i == 0 || i == static_cast<std::size_t>(analog))
            continue;
        // Strictly ascending (by magnitude for digital outputs): sorted and free of duplicates.
        const std::int32_t previous = outputs[i - 1].Output;
        CHECK(isAnalog ? previous < output : OutputMagnitude(previous) < OutputMagnitude(output));
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    EventConfig config;
    const bool read = config.Deserialize(text);
    CheckInvariants(config);
    if (!read)
        return 0;

    std::string first;
    config.Serialize(first);
    EventConfig again;
    const bool readBack = again.Deserialize(first);
    CHECK(readBack);
    CheckInvariants(again);
    std::string second;
    again.Serialize(second);
    CHECK(second == first);  // write, read, write changes nothing
    return 0;
}
