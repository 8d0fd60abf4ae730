#include "support/format/format_stream.h"

#include <algorithm>
#include <string>

#include "platform/text/utf.h"
#include "support/string/leading_whole.h"

namespace Tev {
namespace {

// Reads a decimal number at `position` as wcstol does (white space, sign, digits); the result
// saturates far beyond any placeholder number. `end` is where the number stops, or `position`
// when there is none.
long long ReadNumber(std::u16string_view text, std::size_t position, std::size_t& end) {
    constexpr long long kSaturation = 1'000'000'000'000LL;
    const auto whole = ReadLeadingWhole(text.substr(position), kSaturation);
    end = whole ? position + whole->end : position;
    return whole ? whole->value : 0;
}

}  // namespace

OFormatStream::OFormatStream(const String& format) : format_(format) {
    init(nullptr);
    occurrenceOfArgument_.fill(-1);
}

OFormatStream::OFormatStream(const String& format, std::basic_streambuf<wchar_t>* output)
    : OFormatStream(format) {
    Attach(output);
}

void OFormatStream::Attach(std::basic_streambuf<wchar_t>* output) {
    output_ = output;
    rdbuf(output);
    Parse();
    if (occurrenceCount_ == 0)
        Write(format_.Text(), format_.Length());  // unchanged
}

void OFormatStream::Parse() {
    const std::u16string_view text = format_.View();
    bool doubledPercent = false;
    std::size_t position = 0;
    while (true) {
        const std::size_t percent = text.find(u'%', position);
        if (percent == std::u16string_view::npos)
            break;
        if (percent + 1 < text.size() && text[percent + 1] == u'%') {
            doubledPercent = true;
            position = percent + 2;
            continue;
        }
        std::size_t end = 0;
        const long long number = ReadNumber(text, percent + 1, end);
        const bool placeholder =
            number >= 1 && number <= kMaxPlaceholderNumber && occurrenceCount_ < kMaxOccurrences;
        if (!placeholder) {
            position = percent + 1;  // the percent sign, and what follows, stay literal
            continue;
        }
        if (end < text.size() && text[end] == u'\\')
            ++end;
        Occurrence& occurrence = occurrences_[occurrenceCount_];
        occurrence.start = percent;
        occurrence.end = end;
        occurrence.doubledPercentBefore = doubledPercent;
        occurrenceOfArgument_[static_cast<std::size_t>(number)] =
            static_cast<int>(occurrenceCount_);
        ++occurrenceCount_;
        doubledPercent = false;
        highest_ = std::max(highest_, static_cast<int>(number));
        position = end;
    }
    doubledPercentAtEnd_ = doubledPercent;
}

void OFormatStream::NextArgument() {
    if (closed_ >= highest_)
        return;
    const std::size_t position = arguments_.rdbuf()->UnitsWritten();
    ++closed_;
    const int index = occurrenceOfArgument_[static_cast<std::size_t>(closed_)];
    if (index >= 0) {
        Occurrence& occurrence = occurrences_[static_cast<std::size_t>(index)];
        occurrence.hasArgument = true;
        occurrence.argumentStart = argumentStart_;
        occurrence.argumentEnd = position;
    }
    if (closed_ == highest_)
        Emit();
    argumentStart_ = position;
}

void OFormatStream::Emit() {
    const char16_t* argumentText = arguments_.rdbuf()->Data();
    std::size_t literalStart = 0;
    for (std::size_t i = 0; i < occurrenceCount_; ++i) {
        const Occurrence& occurrence = occurrences_[i];
        WriteLiteral(literalStart, occurrence.start, occurrence.doubledPercentBefore);
        if (occurrence.hasArgument) {
            Write(argumentText + occurrence.argumentStart,
                  occurrence.argumentEnd - occurrence.argumentStart);
        }
        literalStart = occurrence.end;
    }
    WriteLiteral(literalStart, format_.Length(), doubledPercentAtEnd_);
}

void OFormatStream::WriteLiteral(std::size_t from, std::size_t to, bool reduceDoubledPercent) {
    const char16_t* text = format_.Text();
    if (!reduceDoubledPercent) {
        Write(text + from, to - from);
        return;
    }
    std::size_t runStart = from;
    for (std::size_t i = from; i < to; ++i) {
        if (text[i] == u'%' && i + 1 < to && text[i + 1] == u'%') {
            Write(text + runStart, i + 1 - runStart);  // up to and with the first percent sign
            ++i;
            runStart = i + 1;
        }
    }
    Write(text + runStart, to - runStart);
}

void OFormatStream::Write(const char16_t* units, std::size_t count) {
    if (output_ == nullptr || count == 0)
        return;
    if (auto* memory = dynamic_cast<MemStreamBufBase*>(output_)) {
        memory->PutUtf16(units, count);  // UTF-16 to UTF-16: no round trip
        return;
    }
    const std::wstring wide = text::Utf16ToWide(std::u16string_view(units, count));
    const auto size = static_cast<std::streamsize>(wide.size());
    if (output_->sputn(wide.data(), size) != size)
        setstate(std::ios_base::badbit);
}

OFormatStream& OFormatStream::operator<<(const wchar_t* text) {
    return Insert(text != nullptr ? text : L"");
}

OFormatStream& OFormatStream::operator<<(const char16_t* text) {
    return *this << String(text);
}

OFormatStringStream::OFormatStringStream(const String& format) : OFormatStream(format) {
    Attach(&buffer_);
}

}  // namespace Tev
