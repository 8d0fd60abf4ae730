// Reads arbitrary texts as configurations. After every input the model's invariants hold, and a
// text that reads writes, reads back and writes again to the identical text.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "config/event_config.h"

namespace {

using VavazaZavidi::EventConfig;
using VavazaZavidi::OutputMagnitude;

[[noreturn]] void Fail(const char* what) {
    std::fprintf(stderr, "invariant broken: %s\n", what);
    std::abort();
}

void CheckInvariants(const EventConfig& config) {
    const auto& outputs = config.GetOutputs();
    const std::int32_t analog = config.GetAnalogOutputCount();
    const std::int32_t digital = config.GetDigitalOutputCount();
    if (analog < 0 || digital < 0)
        Fail("negative count");
    if (outputs.size() != static_cast<std::size_t>(analog) + static_cast<std::size_t>(digital)) {
        Fail("record count differs from the counts");
    }
    for (std::size_t i = 0; i < outputs.size(); ++i) {
        const std::int32_t output = outputs[i].Output;
        const bool isAnalog = i < static_cast<std::size_t>(analog);
        if (output == 0)
            Fail("output 0");
        if (isAnalog != (output > 0))
            Fail("analog and digital records out of place");
        if (outputs[i].Rules.size() > static_cast<std::size_t>(EventConfig::kMaxRules)) {
            Fail("more than four rules");
        }
        if (i == 0 || i == static_cast<std::size_t>(analog))
            continue;
        // Strictly ascending (by magnitude for digital outputs): sorted and free of duplicates.
        const std::int32_t previous = outputs[i - 1].Output;
        if (isAnalog ? previous >= output : OutputMagnitude(previous) >= OutputMagnitude(output)) {
            Fail("records not strictly ascending");
        }
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
    if (!again.Deserialize(first))
        Fail("written text does not read back");
    CheckInvariants(again);
    std::string second;
    again.Serialize(second);
    if (second != first)
        Fail("write, read, write changed the text");
    return 0;
}
