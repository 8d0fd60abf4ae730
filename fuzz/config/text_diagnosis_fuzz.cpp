// Reads arbitrary texts with and without a diagnosis. Both readings give the same answer and
// the same configuration; a text that does not read always gets a problem on one of its lines.
#include <algorithm>
#include <cstdint>
#include <string>

#include "config/event_config.h"
#include "config/text_diagnosis.h"
#include "fuzz/fuzz_check.h"

using VavazaZavidi::EventConfig;
using VavazaZavidi::TextDiagnosis;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    EventConfig plain;
    EventConfig diagnosed;
    TextDiagnosis diagnosis;
    const bool read = plain.Deserialize(text);
    CHECK(diagnosed.Deserialize(text, diagnosis) == read);
    std::string plainText;
    std::string diagnosedText;
    plain.Serialize(plainText);
    diagnosed.Serialize(diagnosedText);
    CHECK(plainText == diagnosedText);

    const auto lines = static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n')) + 1;
    if (!read)
        CHECK(!diagnosis.Problem.empty());
    if (!diagnosis.Problem.empty())
        CHECK(diagnosis.Line >= 1 && diagnosis.Line <= lines);
    // A text that reads draws a remark only for its version, and then reads as nothing.
    if (read && !diagnosis.Problem.empty())
        CHECK(plain.GetCount() == 0);
    return 0;
}
