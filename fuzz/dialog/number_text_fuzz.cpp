// Edit texts of any kind: reading their leading numbers never reads past the text or the
// 29 characters that count, a whole text that is a number reads as that number, and what
// the edit shows of a value reads back to a value that shows the same.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string>

#include "dialog/number_text.h"
#include "dialog/validating_edit.h"
#include "fuzz/fuzz_check.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::u16string text;
    for (std::size_t i = 0; i + 1 < size; i += 2) {
        text.push_back(static_cast<char16_t>(data[i] | (data[i + 1] << 8)));
    }
    using namespace Tev::NumberText;
    const auto real = LeadingReal(text);
    CHECK(!real ||
          (real->consumed > 0 && real->consumed <= kReadLimit && real->consumed <= text.size()));
    std::size_t consumed = 0;
    const auto whole = LeadingWhole(text, &consumed);
    CHECK(!whole ||
          (consumed > 0 && consumed <= kReadLimit && *whole <= INT32_MAX && *whole >= INT32_MIN));
    CHECK(!IsWholeNumber(text) || whole);
    CHECK(!IsRealNumber(text) || (real && !real->overflow));
    if (real && !real->overflow && std::isfinite(real->value)) {
        const double rounded = Tev::DoubleEdit::Round(real->value, 0);
        CHECK(!std::isnan(rounded));
        // Nine digits of a value near the ends of the double range do not read back exactly.
        const double magnitude = std::fabs(rounded);
        if (magnitude != 0 && (magnitude < 1e-290 || magnitude > 1e290))
            return 0;
        // What the edit shows reads back to a value that shows the same again (the first
        // rounding may keep one digit more than the display shows).
        const Tev::String shown = Tev::DoubleEdit::Format(rounded, 0, false);
        const auto back = LeadingReal(shown.View());
        CHECK(back);
        const Tev::String again =
            Tev::DoubleEdit::Format(Tev::DoubleEdit::Round(back->value, 0), 0, false);
        CHECK(again == shown);
    }
    return 0;
}
