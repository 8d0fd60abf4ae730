// Feeds arbitrary bytes to the code-page conversions, both as UTF-8 and as UTF-16 units, and
// checks that measuring agrees with converting and that well-formed text survives a round trip.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

#include "fuzz/fuzz_check.h"
#include "platform/text/code_page.h"

namespace {

std::u16string ToUtf16(const char* bytes, int size, bool* wellFormed) {
    const int needed = MultiByteToWideChar(CP_ACP, 0, bytes, size, nullptr, 0);
    CHECK(needed > 0 && needed <= size);  // never more units than bytes
    std::u16string units(static_cast<std::size_t>(needed), u'\0');
    CHECK(MultiByteToWideChar(CP_ACP, 0, bytes, size, units.data(), needed) == needed);
    *wellFormed = MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, bytes, size, nullptr, 0) != 0;
    return units;
}

std::string ToUtf8(const char16_t* units, int size) {
    const int needed =
        WideCharToMultiByte(CP_THREAD_ACP, 0, units, size, nullptr, 0, nullptr, nullptr);
    CHECK(needed > 0 && needed <= 3 * size);
    std::string bytes(static_cast<std::size_t>(needed), '\0');
    CHECK(WideCharToMultiByte(CP_THREAD_ACP, 0, units, size, bytes.data(), needed, nullptr,
                              nullptr) == needed);
    return bytes;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0 || size > 1 << 16)
        return 0;
    const auto* bytes = reinterpret_cast<const char*>(data);
    const int count = static_cast<int>(size);

    bool wellFormed = false;
    const std::u16string units = ToUtf16(bytes, count, &wellFormed);
    const std::string back = ToUtf8(units.data(), static_cast<int>(units.size()));
    if (wellFormed)
        CHECK(back == std::string(bytes, size));

    // The same bytes read as UTF-16 units: converting to UTF-8 and back keeps every unit that
    // is not a lone surrogate.
    if (size >= 2) {
        std::u16string wide(size / 2, u'\0');
        std::memcpy(wide.data(), data, wide.size() * 2);
        const std::string narrow = ToUtf8(wide.data(), static_cast<int>(wide.size()));
        bool narrowWellFormed = false;
        const std::u16string again =
            ToUtf16(narrow.data(), static_cast<int>(narrow.size()), &narrowWellFormed);
        CHECK(narrowWellFormed);
        CHECK(again.size() == wide.size());
    }
    return 0;
}
