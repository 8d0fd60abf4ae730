#include "support/string/tev_string.h"

#include <algorithm>
#include <cstring>
#include <functional>
#include <ostream>
#include <stdexcept>
#include <vector>

#include "platform/text/code_page.h"
#include "platform/text/utf.h"

namespace Tev {
namespace {

using TevString::kMaxCapacity;
using TevString::kMinCapacity;
using TevString::StringRep;
using TevString::StringRepBase;

[[noreturn]] void ThrowTooBig() {
    throw xmsg("Tev::String size too big");
}

// Capacity of a new representation holding `lengthField` units (terminator included).
LONG CapacityFor(std::size_t lengthField) {
    if (lengthField > static_cast<std::size_t>(kMaxCapacity))
        ThrowTooBig();
    return std::max(static_cast<LONG>(lengthField), kMinCapacity);
}

// A new representation holding `count` units of `units` (NULs included) and a terminator.
StringRep* MakeRep(const char16_t* units, std::size_t count) {
    StringRep* rep = StringRep::Create(CapacityFor(count + 1));
    std::memcpy(rep->Characters(), units, count * sizeof(char16_t));
    rep->length = static_cast<LONG>(count + 1);
    return rep;
}

char16_t* EmptyText() {
    StringRepBase* rep = TevString::SharedEmptyRep();
    TevString::AddReference(rep);
    return rep->Characters();
}

// Releases a received string object when the copy is done, whatever happens.
struct ReleaseWhenDone {
    ITevString* object;
    ~ReleaseWhenDone() { object->Release(); }
};

}  // namespace

StringOutParam::~StringOutParam() noexcept(false) {
    target_->Attach(received_);
}

// --- Construction

String::String() : text_(EmptyText()) {}

String::String(const char16_t* text) : String(std::u16string_view(text ? text : u"")) {}

String::String(std::u16string_view text)
    : text_(text.empty() ? EmptyText() : MakeRep(text.data(), text.size())->Characters()) {}

String::String(const char16_t* text, std::ptrdiff_t count) {
    if (count < 0)
        ThrowTooBig();
    std::size_t units = 0;
    if (text != nullptr) {
        while (units < static_cast<std::size_t>(count) && text[units] != u'\0')
            ++units;
    }
    text_ = units == 0 ? EmptyText() : MakeRep(text, units)->Characters();
}

String::String(const char* narrow) : String(std::string_view(narrow != nullptr ? narrow : "")) {}

String::String(std::string_view narrow) {
    if (narrow.empty()) {
        text_ = EmptyText();
        return;
    }
    if (narrow.size() > static_cast<std::size_t>(kMaxCapacity))
        ThrowTooBig();
    const int size = static_cast<int>(narrow.size());
    const int measured = MultiByteToWideChar(CP_ACP, 0, narrow.data(), size, nullptr, 0);
    if (measured <= 0)
        ThrowTooBig();
    StringRep* rep = StringRep::Create(CapacityFor(static_cast<std::size_t>(measured) + 1));
    MultiByteToWideChar(CP_ACP, 0, narrow.data(), size, rep->Characters(), measured);
    rep->length = measured + 1;
    text_ = rep->Characters();
}

String String::FromWide(std::wstring_view wide) {
    return String(std::u16string_view(text::WideToUtf16(wide)));
}

String::String(const String& other) noexcept : text_(other.text_) {
    TevString::AddReference(Rep());
}

String::String(String&& other) noexcept : text_(other.text_) {
    other.text_ = EmptyText();
}

String::~String() {
    TevString::DropReference(Rep());
}

String& String::operator=(const String& other) noexcept {
    // The new representation's count goes up before the old one's goes down: self-assignment
    // is safe.
    TevString::AddReference(other.Rep());
    Take(other.Rep());
    return *this;
}

String& String::operator=(String&& other) noexcept {
    if (this != &other) {
        StringRepBase* old = Rep();
        text_ = other.text_;
        other.text_ = EmptyText();
        TevString::DropReference(old);
    }
    return *this;
}

String& String::operator=(const char16_t* text) {
    return *this = String(text);
}

void String::Take(StringRepBase* rep) {
    StringRepBase* old = Rep();
    text_ = rep->Characters();
    TevString::DropReference(old);
}

// --- Queries

const char* String::Narrow() const {
    StringRepBase* rep = Rep();
    if (rep->length < 2)
        return "";  // the shared empty representation is never written
    if (rep->narrowValid == 1 && rep->narrowText != nullptr)
        return rep->narrowText;
    delete[] rep->narrowText;
    rep->narrowText = nullptr;
    rep->narrowValid = 0;
    const int bytes =
        WideCharToMultiByte(CP_THREAD_ACP, 0, text_, rep->length, nullptr, 0, nullptr, nullptr);
    if (bytes <= 0)
        ThrowTooBig();
    char* narrow = new char[static_cast<std::size_t>(bytes)];
    WideCharToMultiByte(CP_THREAD_ACP, 0, text_, rep->length, narrow, bytes, nullptr, nullptr);
    rep->narrowText = narrow;
    rep->narrowValid = 1;
    return narrow;
}

std::wstring String::ToWide() const {
    return text::Utf16ToWide(View());
}

char16_t String::operator[](std::size_t index) const {
    if (index > Length())
        throw std::out_of_range("Tev::String index out of range");
    return text_[index];
}

bool operator==(const String& a, const String& b) {
    if (a.text_ == b.text_)
        return true;
    return a.View() == b.View();
}

bool operator==(const String& a, const char16_t* b) {
    return a.View() == std::u16string_view(b != nullptr ? b : u"");
}

// --- Modifiers

void String::MakeUnique() {
    StringRepBase* rep = Rep();
    if (rep->referenceCount == 1) {
        rep->narrowValid = 0;
        return;
    }
    StringRep* copy = StringRep::Create(std::max(rep->capacity, kMinCapacity));
    std::memcpy(copy->Characters(), text_,
                static_cast<std::size_t>(rep->length) * sizeof(char16_t));
    copy->length = rep->length;
    Take(copy);
}

void String::Reserve(std::size_t capacity) {
    if (capacity > static_cast<std::size_t>(kMaxCapacity))
        ThrowTooBig();
    StringRepBase* rep = Rep();
    if (rep->referenceCount == 1 && static_cast<std::size_t>(rep->capacity) == capacity) {
        rep->narrowValid = 0;
        return;
    }
    StringRep* grown = StringRep::Create(CapacityFor(capacity));
    const LONG kept = std::min(rep->length, grown->capacity);
    std::memcpy(grown->Characters(), text_, static_cast<std::size_t>(kept) * sizeof(char16_t));
    grown->Characters()[kept - 1] = u'\0';  // a text cut by shrinking stays terminated
    grown->length = kept;
    Take(grown);
}

bool String::PointsIntoText(const char16_t* pointer) const {
    const char16_t* end = text_ + Rep()->capacity;
    return std::less_equal<const char16_t*>()(text_, pointer) &&
           std::less<const char16_t*>()(pointer, end);
}

// Appends `count` units from a source that stays valid while this string's representation is
// replaced (it is not inside it, or someone else holds a reference to it).
void String::AppendUnits(const char16_t* units, std::size_t count) {
    if (count == 0)
        return;
    const std::size_t newLength = static_cast<std::size_t>(Rep()->length) + count;
    if (newLength > static_cast<std::size_t>(kMaxCapacity))
        ThrowTooBig();
    if (newLength > static_cast<std::size_t>(Rep()->capacity)) {
        Reserve(std::min(newLength * 3 / 2, static_cast<std::size_t>(kMaxCapacity)));
    } else {
        MakeUnique();
    }
    StringRepBase* rep = Rep();
    std::memcpy(text_ + rep->length - 1, units, count * sizeof(char16_t));
    text_[newLength - 1] = u'\0';
    rep->length = static_cast<LONG>(newLength);
    rep->narrowValid = 0;
}

String& String::Append(const String& other) {
    const String kept(other);  // keeps the source alive should it share this representation
    AppendUnits(kept.text_, kept.Length());
    return *this;
}

String& String::Append(const char16_t* text) {
    if (text == nullptr)
        return *this;
    const std::size_t count = std::char_traits<char16_t>::length(text);
    if (PointsIntoText(text))
        return Append(String(std::u16string_view(text, count)));
    AppendUnits(text, count);
    return *this;
}

String& String::Replace(std::size_t index, std::size_t count, const String& other) {
    const String kept(other);
    const std::size_t length = Length();
    if (index >= length)
        return Append(kept);  // at (or beyond) the end: an append
    const std::size_t removed = std::min(count, length - index);
    const std::size_t inserted = kept.Length();
    const std::size_t newLength = static_cast<std::size_t>(Rep()->length) - removed + inserted;
    if (newLength > static_cast<std::size_t>(kMaxCapacity))
        ThrowTooBig();
    if (newLength > static_cast<std::size_t>(Rep()->capacity)) {
        Reserve(newLength);  // exactly what is needed
    } else {
        MakeUnique();
    }
    StringRepBase* rep = Rep();
    const std::size_t tail = static_cast<std::size_t>(rep->length) - (index + removed);
    std::memmove(text_ + index + inserted, text_ + index + removed, tail * sizeof(char16_t));
    std::memcpy(text_ + index, kept.text_, inserted * sizeof(char16_t));
    rep->length = static_cast<LONG>(newLength);
    return *this;
}

String& String::Erase(std::size_t from, std::size_t to) {
    const std::size_t length = Length();
    if (from >= to || from >= length)
        return *this;
    MakeUnique();
    StringRepBase* rep = Rep();
    if (to >= length) {
        text_[from] = u'\0';
        rep->length = static_cast<LONG>(from + 1);
    } else {
        const std::size_t tail = static_cast<std::size_t>(rep->length) - to;  // with terminator
        std::memmove(text_ + from, text_ + to, tail * sizeof(char16_t));
        rep->length -= static_cast<LONG>(to - from);
    }
    return *this;
}

String String::Substring(std::size_t pos, std::size_t count) const {
    const std::size_t length = Length();
    if (pos >= length)
        return String();
    return String(std::u16string_view(text_ + pos, std::min(count, length - pos)));
}

void String::Clear() {
    StringRepBase* rep = Rep();
    if (rep == TevString::SharedEmptyRep())
        return;
    if (rep->referenceCount == 1) {
        delete[] rep->narrowText;
        rep->narrowText = nullptr;
        rep->narrowValid = 0;
        rep->length = 1;
        text_[0] = u'\0';
        return;
    }
    Take(StringRep::Create(rep->capacity));
}

char16_t* String::PrepareBuffer(std::size_t length) {
    if (length >= static_cast<std::size_t>(kMaxCapacity))
        ThrowTooBig();
    StringRepBase* rep = Rep();
    if (rep->referenceCount != 1 || static_cast<std::size_t>(rep->capacity) < length + 1) {
        Take(StringRep::Create(CapacityFor(length + 1)));
        rep = Rep();
    }
    text_[0] = u'\0';
    text_[length] = u'\0';
    rep->length = 1;
    rep->narrowValid = 0;
    return text_;
}

char16_t* String::Buffer() {
    MakeUnique();
    return text_;
}

void String::SetLength(std::size_t length) {
    MakeUnique();
    StringRepBase* rep = Rep();
    const std::size_t units = std::min(length, static_cast<std::size_t>(rep->capacity) - 1);
    text_[units] = u'\0';
    rep->length = static_cast<LONG>(units + 1);
}

void String::SetLengthFromBuffer() {
    MakeUnique();
    const std::size_t room = static_cast<std::size_t>(Rep()->capacity) - 1;
    std::size_t units = 0;
    while (units < room && text_[units] != u'\0')
        ++units;
    SetLength(units);
}

// --- The host boundary

void String::Attach(ITevString* received) {
    if (received == nullptr) {
        *this = String();
        return;
    }
    if (received->GetKind() == kTevStringKind) {
        // Adopted in place with the reference the call delivered.
        Take(static_cast<StringRepBase*>(received));
        return;
    }
    const ReleaseWhenDone release{received};
    LONG length = 0;
    LONG unitSize = 0;
    if (FAILED(received->GetSize(&length, &unitSize)) || length <= 0) {
        *this = String();
        return;
    }
    if (length >= kMaxCapacity)
        ThrowTooBig();
    if (unitSize == sizeof(char16_t)) {
        StringRep* rep = StringRep::Create(CapacityFor(static_cast<std::size_t>(length) + 1));
        const String copy(rep, Adopt{});  // owns the new representation from here
        const long long room = static_cast<long long>(rep->capacity) * sizeof(char16_t);
        if (FAILED(received->CopyTo(static_cast<LONG>(std::min<long long>(room, kMaxCapacity)),
                                    rep->Characters()))) {
            *this = String();
            return;
        }
        rep->Characters()[length] = u'\0';
        rep->length = length + 1;
        *this = copy;
        return;
    }
    // Any other unit size: read as narrow text.
    const long long bytes = (static_cast<long long>(length) + 1) * std::max<long long>(unitSize, 1);
    if (bytes > kMaxCapacity)
        ThrowTooBig();
    std::vector<char> narrow(static_cast<std::size_t>(bytes), '\0');
    if (FAILED(received->CopyTo(static_cast<LONG>(bytes), narrow.data()))) {
        *this = String();
        return;
    }
    *this = String(std::string_view(narrow.data(), static_cast<std::size_t>(length)));
}

String operator+(const String& a, const String& b) {
    String result(a);
    result.Append(b);
    return result;
}

std::ostream& operator<<(std::ostream& out, const String& text) {
    return out << text.Narrow();
}

}  // namespace Tev
