#include "platform/text/utf.h"

namespace text {
namespace {

// Appends units to a bounded buffer while counting all of them.
template <class Unit>
class BoundedWriter {
public:
    BoundedWriter(Unit* out, std::size_t capacity) : out_(out), capacity_(capacity) {}
    void Put(Unit unit) {
        if (count_ < capacity_)
            out_[count_] = unit;
        ++count_;
    }
    std::size_t Count() const { return count_; }

private:
    Unit* out_;
    std::size_t capacity_;
    std::size_t count_ = 0;
};

// The UTF-16 units of a code point up to U+10FFFF: one unit, or a surrogate pair.
std::size_t EncodeUtf16(char32_t codePoint, char16_t out[2]) {
    if (codePoint < 0x10000) {
        out[0] = static_cast<char16_t>(codePoint);
        return 1;
    }
    codePoint -= 0x10000;
    out[0] = static_cast<char16_t>(0xD800 + (codePoint >> 10));
    out[1] = static_cast<char16_t>(0xDC00 + (codePoint & 0x3FF));
    return 2;
}

char32_t CombineSurrogates(char16_t high, char16_t low) {
    return 0x10000 +
           ((static_cast<char32_t>(high - 0xD800) << 10) | static_cast<char32_t>(low - 0xDC00));
}

void PutUtf16(BoundedWriter<char16_t>& writer, char32_t codePoint) {
    char16_t units[2];
    const std::size_t count = EncodeUtf16(codePoint, units);
    for (std::size_t k = 0; k < count; ++k)
        writer.Put(units[k]);
}

void PutUtf8(BoundedWriter<char>& writer, char32_t codePoint) {
    if (codePoint < 0x80) {
        writer.Put(static_cast<char>(codePoint));
    } else if (codePoint < 0x800) {
        writer.Put(static_cast<char>(0xC0 | (codePoint >> 6)));
        writer.Put(static_cast<char>(0x80 | (codePoint & 0x3F)));
    } else if (codePoint < 0x10000) {
        writer.Put(static_cast<char>(0xE0 | (codePoint >> 12)));
        writer.Put(static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F)));
        writer.Put(static_cast<char>(0x80 | (codePoint & 0x3F)));
    } else {
        writer.Put(static_cast<char>(0xF0 | (codePoint >> 18)));
        writer.Put(static_cast<char>(0x80 | ((codePoint >> 12) & 0x3F)));
        writer.Put(static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F)));
        writer.Put(static_cast<char>(0x80 | (codePoint & 0x3F)));
    }
}

// The shape of a well-formed UTF-8 sequence by its lead byte: how many continuation bytes
// follow, and the allowed range of the first of them (the others are always 80..BF).
struct LeadByte {
    int continuations;  // -1: not a lead byte
    unsigned char firstLow;
    unsigned char firstHigh;
};

LeadByte ClassifyLead(unsigned char b) {
    if (b < 0x80)
        return {0, 0, 0};
    if (b >= 0xC2 && b <= 0xDF)
        return {1, 0x80, 0xBF};
    if (b == 0xE0)
        return {2, 0xA0, 0xBF};
    if (b == 0xED)
        return {2, 0x80, 0x9F};  // no encoded surrogates
    if (b >= 0xE1 && b <= 0xEF)
        return {2, 0x80, 0xBF};
    if (b == 0xF0)
        return {3, 0x90, 0xBF};
    if (b >= 0xF1 && b <= 0xF3)
        return {3, 0x80, 0xBF};
    if (b == 0xF4)
        return {3, 0x80, 0x8F};  // nothing beyond U+10FFFF
    return {-1, 0, 0};
}

}  // namespace

std::size_t Utf8ToUtf16(const char* in, std::size_t size, char16_t* out, std::size_t capacity,
                        bool* replaced) {
    BoundedWriter<char16_t> writer(out, capacity);
    bool anyReplaced = false;
    std::size_t i = 0;
    while (i < size) {
        const auto lead = static_cast<unsigned char>(in[i]);
        const LeadByte shape = ClassifyLead(lead);
        if (shape.continuations < 0) {
            PutUtf16(writer, kReplacement);
            anyReplaced = true;
            ++i;
            continue;
        }
        char32_t codePoint = shape.continuations == 0 ? lead : lead & (0x3F >> shape.continuations);
        int taken = 1;
        bool wellFormed = true;
        for (int k = 1; k <= shape.continuations; ++k) {
            if (i + k >= size) {
                wellFormed = false;
                break;
            }
            const auto next = static_cast<unsigned char>(in[i + k]);
            const unsigned char low = k == 1 ? shape.firstLow : 0x80;
            const unsigned char high = k == 1 ? shape.firstHigh : 0xBF;
            if (next < low || next > high) {
                wellFormed = false;
                break;
            }
            codePoint = (codePoint << 6) | (next & 0x3F);
            ++taken;
        }
        if (!wellFormed) {
            // The maximal ill-formed part (the lead and the continuations that fitted) becomes
            // one replacement; the offending byte starts the next sequence.
            codePoint = kReplacement;
            anyReplaced = true;
        }
        PutUtf16(writer, codePoint);
        i += static_cast<std::size_t>(taken);
    }
    if (replaced)
        *replaced = anyReplaced;
    return writer.Count();
}

std::size_t Utf16ToUtf8(const char16_t* in, std::size_t size, char* out, std::size_t capacity,
                        bool* replaced) {
    BoundedWriter<char> writer(out, capacity);
    bool anyReplaced = false;
    for (std::size_t i = 0; i < size; ++i) {
        char32_t codePoint = in[i];
        if (IsHighSurrogate(in[i]) && i + 1 < size && IsLowSurrogate(in[i + 1])) {
            codePoint = CombineSurrogates(in[i], in[i + 1]);
            ++i;
        } else if (IsHighSurrogate(in[i]) || IsLowSurrogate(in[i])) {
            codePoint = kReplacement;
            anyReplaced = true;
        }
        PutUtf8(writer, codePoint);
    }
    if (replaced)
        *replaced = anyReplaced;
    return writer.Count();
}

std::u16string ToUtf16(std::string_view utf8) {
    std::u16string result(Utf8ToUtf16(utf8.data(), utf8.size(), nullptr, 0), u'\0');
    Utf8ToUtf16(utf8.data(), utf8.size(), result.data(), result.size());
    return result;
}

std::string ToUtf8(std::u16string_view utf16) {
    std::string result(Utf16ToUtf8(utf16.data(), utf16.size(), nullptr, 0), '\0');
    Utf16ToUtf8(utf16.data(), utf16.size(), result.data(), result.size());
    return result;
}

std::size_t WideToUtf16(wchar_t c, char16_t out[2]) {
    const auto value = static_cast<std::uint32_t>(c);
    return EncodeUtf16(value > 0x10FFFF ? kReplacement : value, out);
}

std::u16string WideToUtf16(std::wstring_view wide) {
    std::u16string result;
    result.reserve(wide.size());
    for (wchar_t c : wide) {
        char16_t units[2];
        result.append(units, WideToUtf16(c, units));
    }
    return result;
}

std::wstring Utf16ToWide(std::u16string_view utf16) {
    std::wstring result;
    result.reserve(utf16.size());
    for (std::size_t i = 0; i < utf16.size(); ++i) {
        if (IsHighSurrogate(utf16[i]) && i + 1 < utf16.size() && IsLowSurrogate(utf16[i + 1])) {
            result.push_back(static_cast<wchar_t>(CombineSurrogates(utf16[i], utf16[i + 1])));
            ++i;
        } else {
            result.push_back(static_cast<wchar_t>(utf16[i]));  // lone surrogates keep their value
        }
    }
    return result;
}

}  // namespace text
