#include "config/output_names.h"

#include <string>

#include "platform/text/utf.h"
#include "resources/resource_module.h"
#include "resources/string_ids.h"
#include "support/format/format_stream.h"
#include "support/resource/load_string.h"

namespace VavazaZavidi {
namespace {

// A message of the module's string table, loaded on first use and kept for the process.
const Tev::String& SingleAnalogOutput() {
    static const Tev::String text = Tev::LoadString(ResourceModule(), StringId::kAnalogOutput);
    return text;
}

const Tev::String& FirstAnalogOutput() {
    static const Tev::String text =
        Tev::LoadString(ResourceModule(), StringId::kAnalogOutputNumbered);
    return text;
}

const Tev::String& FirstDigitalOutput() {
    static const Tev::String text =
        Tev::LoadString(ResourceModule(), StringId::kDigitalOutputNumbered);
    return text;
}

// `format` with 1 for its placeholder.
std::u16string FormatFirst(const Tev::String& format) {
    Tev::OFormatStringStream out(format);
    out << 1;
    return std::u16string(out.str().View());
}

}  // namespace

std::u16string MakeAnalogOutputName(std::int32_t number, std::int32_t analogOutputCount) {
    if (analogOutputCount == 1)
        return std::u16string(SingleAnalogOutput().View());
    if (number == 1)
        return FormatFirst(FirstAnalogOutput());
    return text::ToUtf16(std::to_string(number));
}

std::u16string MakeDigitalOutputName(std::int64_t magnitude) {
    if (magnitude == 1)
        return FormatFirst(FirstDigitalOutput());
    return text::ToUtf16(std::to_string(magnitude));
}

}  // namespace VavazaZavidi
