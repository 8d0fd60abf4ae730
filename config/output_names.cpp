#include "config/output_names.h"

#include <string>
#include <string_view>

namespace VavazaZavidi {
namespace {

std::u16string Decimal(std::int64_t value) {
    const std::string digits = std::to_string(value);
    return std::u16string(digits.begin(), digits.end());
}

// `pattern` with its first placeholder "%1" replaced by `value`.
std::u16string FillFirst(std::u16string_view pattern, std::int64_t value) {
    std::u16string format(pattern);
    const auto at = format.find(u"%1");
    if (at != std::u16string::npos)
        format.replace(at, 2, Decimal(value));
    return format;
}

constexpr std::u16string_view kSingleAnalogOutput = u"Analog Output";
constexpr std::u16string_view kFirstAnalogOutput = u"Analog Output %1";
constexpr std::u16string_view kFirstDigitalOutput = u"Digital Output %1";

}  // namespace

std::u16string MakeAnalogOutputName(std::int32_t number, std::int32_t analogOutputCount) {
    if (analogOutputCount == 1)
        return std::u16string(kSingleAnalogOutput);
    if (number == 1)
        return FillFirst(kFirstAnalogOutput, 1);
    return Decimal(number);
}

std::u16string MakeDigitalOutputName(std::int64_t magnitude) {
    if (magnitude == 1)
        return FillFirst(kFirstDigitalOutput, 1);
    return Decimal(magnitude);
}

}  // namespace VavazaZavidi
