// Feeds arbitrary formats, arguments and wrap widths to the positional formatter and to word
// wrap, and arbitrary positions to the string modifiers, checking what must always hold.
//
// Input: 2 bytes wrap width (signed), 1 byte argument count, 8 bytes of positions and counts,
// then UTF-16LE units: the format, then the arguments, separated by the unit 0x0001.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "fuzz/fuzz_check.h"
#include "support/format/format_stream.h"
#include "support/format/word_wrap.h"

namespace {

using Tev::String;

class Input {
public:
    Input(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}

    template <class T>
    T Take() {
        T value{};
        const std::size_t n = std::min(sizeof(T), size_ - position_);
        std::memcpy(&value, data_ + position_, n);
        position_ += n;
        return value;
    }
    std::u16string Rest() {
        std::u16string units((size_ - position_) / 2, u'\0');
        std::memcpy(units.data(), data_ + position_, units.size() * 2);
        position_ = size_;
        return units;
    }

private:
    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t position_ = 0;
};

std::vector<std::u16string> Split(const std::u16string& text) {
    std::vector<std::u16string> parts(1);
    for (char16_t c : text) {
        if (c == 0x0001) {
            parts.emplace_back();
        } else {
            parts.back() += c;
        }
    }
    return parts;
}

std::u16string WithoutSpacesAndLineFeeds(std::u16string_view text) {
    std::u16string kept;
    for (char16_t c : text) {
        if (c != u' ' && c != u'\n')
            kept += c;
    }
    return kept;
}

void CheckWordWrap(const String& text, int width) {
    const String wrapped = Tev::WordWrapped(text, width);
    // Only line feeds go in and only spaces come out.
    CHECK(WithoutSpacesAndLineFeeds(wrapped.View()) == WithoutSpacesAndLineFeeds(text.View()));
    CHECK(wrapped[wrapped.Length()] == u'\0');
}

void CheckFormat(const String& format, const std::vector<std::u16string>& arguments,
                 unsigned count) {
    Tev::OFormatStringStream out(format);
    std::size_t argumentUnits = 0;
    for (unsigned i = 0; i < count; ++i) {
        if (i % 3 == 2) {
            out << static_cast<int>(i * 7919);
            argumentUnits += 12;
        } else {
            const std::u16string& text = arguments[i % arguments.size()];
            out << String(std::u16string_view(text));
            argumentUnits += text.size();
        }
    }
    const String result = out.str();
    if (out.ArgumentsExpected() == 0) {
        // Written unchanged; a NUL as the last unit ends the text as std::ends would.
        std::u16string_view expected = format.View();
        if (!expected.empty() && expected.back() == u'\0')
            expected.remove_suffix(1);
        CHECK(result.View() == expected);
    } else if (static_cast<int>(count) < out.ArgumentsExpected()) {
        CHECK(result.IsEmpty());
    } else {
        CHECK(result.Length() <= format.Length() + argumentUnits);
    }
}

void CheckModifiers(const String& text, const String& other, std::uint32_t a, std::uint32_t b) {
    String replaced(text);
    replaced.Replace(a, b, other);
    CHECK(replaced.Length() <= text.Length() + other.Length());
    String erased(text);
    erased.Erase(a, b);
    CHECK(erased.Length() <= text.Length());
    const String part = text.Substring(a, b);
    CHECK(part.Length() <= text.Length());
    CHECK(String(text.Text(), static_cast<std::ptrdiff_t>(b)).Length() <= text.Length());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    Input input(data, size);
    const int width = input.Take<std::int16_t>();
    const unsigned count = input.Take<std::uint8_t>() % 32;
    const std::uint32_t a = input.Take<std::uint32_t>() % 512;
    const std::uint32_t b = input.Take<std::uint32_t>();
    const std::vector<std::u16string> parts = Split(input.Rest());
    const String format{std::u16string_view(parts[0])};
    const std::vector<std::u16string> arguments(parts.begin() + (parts.size() > 1 ? 1 : 0),
                                                parts.end());

    CheckFormat(format, arguments, count);
    CheckWordWrap(format, width % 200);
    CheckModifiers(format, String(std::u16string_view(arguments.back())), a, b);
    return 0;
}
