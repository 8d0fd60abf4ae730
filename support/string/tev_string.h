// Tev::String: the one text type. A reference-counted, copy-on-write, NUL-terminated UTF-16
// string whose representation (TevString::StringRep, support/string/string_rep.h) is also the
// ITevString object that crosses the host boundary.
//
// - A string holds only the address of its representation's characters; it is never null.
//   Empty strings share the module's shared empty representation.
// - Copies and assignments share the representation (one interlocked increment); nothing is
//   allocated or copied. Every modifier first makes the representation private.
// - Narrow text is UTF-8. Narrow() converts on demand and caches the result in the
//   representation until the text changes.
//
// Growth: a new representation has room for at least 8 units (terminator included). Append
// grows to 1.5 times the needed length; Replace grows to exactly the needed length.
//
// Out-of-range positions and counts never read or write outside the text:
// - String(text, count) reads at most `count` units and stops at the first NUL;
// - Replace(index, count, other): an index beyond the end means the end (an append); a count
//   beyond the end means up to the end;
// - Erase(from, to): nothing happens when from >= to or from is at or beyond the end; a `to`
//   beyond the end means the end;
// - Substring(pos, count): a pos at or beyond the end gives the empty string; a count beyond the
//   end means up to the end (npos, that is -1, is the usual way to say so);
// - operator[] reads the terminator at Length() and throws std::out_of_range beyond it.
// Lengths that the representation's 32-bit fields cannot hold, and a negative count, throw
// xmsg "Tev::String size too big". Memory exhaustion throws std::bad_alloc.
#pragma once

#include <cstddef>
#include <iosfwd>
#include <string>
#include <string_view>

#include "support/string/string_rep.h"
#include "support/string/xmsg.h"

namespace Tev {

class String;

// What String::OutParam() returns: the slot a host call fills with a string object. When the
// proxy goes away at the end of the call's full expression, the string attaches what was put
// there (String::Attach).
class StringOutParam {
public:
    explicit StringOutParam(String& target) : target_(&target) {}
    ~StringOutParam() noexcept(false);
    StringOutParam(const StringOutParam&) = delete;
    StringOutParam& operator=(const StringOutParam&) = delete;

    operator ITevString**() { return &received_; }

private:
    String* target_;
    ITevString* received_ = nullptr;
};

class String {
public:
    static constexpr std::size_t npos = static_cast<std::size_t>(-1);

    String();
    // Null or empty text shares the empty representation.
    String(const char16_t* text);
    // UTF-8 text, converted with the process ANSI code page.
    String(const char* narrow);
    // At most `count` units of `text`, stopping at a NUL. A negative count throws xmsg.
    String(const char16_t* text, std::ptrdiff_t count);
    explicit String(std::u16string_view text);  // every unit, NULs included
    explicit String(std::string_view narrow);   // UTF-8
    explicit String(const std::string& narrow) : String(std::string_view(narrow)) {}
    // Text from the standard wide characters (UTF-32), as the wide streams produce it.
    static String FromWide(std::wstring_view wide);

    String(const String& other) noexcept;
    String(String&& other) noexcept;
    ~String();
    String& operator=(const String& other) noexcept;
    String& operator=(String&& other) noexcept;
    String& operator=(const char16_t* text);

    // --- Queries
    std::size_t Length() const { return static_cast<std::size_t>(Rep()->length - 1); }
    bool IsEmpty() const { return Rep()->length < 2; }
    const char16_t* Text() const { return text_; }
    std::u16string_view View() const { return {text_, Length()}; }
    // The UTF-8 text, valid until the string is changed or released.
    const char* Narrow() const;
    std::string ToNarrow() const { return Narrow(); }
    std::wstring ToWide() const;
    // Units of text the representation holds without growing (its capacity less the terminator).
    std::size_t Capacity() const { return static_cast<std::size_t>(Rep()->capacity - 1); }
    bool IsShared() const { return Rep()->referenceCount > 1; }
    // The unit at `index`; index Length() is the terminator.
    char16_t operator[](std::size_t index) const;

    friend bool operator==(const String& a, const String& b);
    friend bool operator==(const String& a, const char16_t* b);

    // --- Modifiers
    String& Append(const String& other);
    String& Append(const char16_t* text);
    String& operator+=(const String& other) { return Append(other); }
    String& operator+=(const char16_t* text) { return Append(text); }
    String& Replace(std::size_t index, std::size_t count, const String& other);
    String& Erase(std::size_t from, std::size_t to);
    String Substring(std::size_t pos, std::size_t count = npos) const;
    // Gives the representation a capacity of max(capacity, 8) units, terminator included (it may
    // shrink: a longer text is cut and stays terminated).
    void Reserve(std::size_t capacity);
    void Clear();
    // Makes the representation private, copying it when it is shared.
    void MakeUnique();

    // The characters, made private, for writing in place within Capacity() units (and a
    // terminator); SetLength then fixes the text's length.
    char16_t* Buffer();
    // A private buffer of at least length + 1 units holding an empty text and a NUL at
    // `length`, for a call that writes the text in place. Afterwards SetLengthFromBuffer()
    // (or SetLength) makes the written text the string's text.
    char16_t* PrepareBuffer(std::size_t length);
    // The text becomes what the buffer holds up to its first NUL (cut at the capacity).
    void SetLengthFromBuffer();
    // The text becomes the buffer's first `length` units (cut at the capacity).
    void SetLength(std::size_t length);

    // --- The host boundary
    // The representation as the string object, without an added reference.
    ITevString* Interface() const { return Rep(); }
    // The representation as the string object with a reference added, for a call that hands
    // the string out "with a reference for the caller".
    ITevString* HandOut() const {
        TevString::AddReference(Rep());
        return Rep();
    }
    // For a host call that returns a string object through an out-parameter:
    //   host->GetName(name.OutParam());
    StringOutParam OutParam() { return StringOutParam(*this); }
    // Takes over a string object received from the host, with the reference the call delivered:
    // null empties the string; an object of kind 9 is adopted in place without copying; any
    // other implementation is copied (GetSize, CopyTo) and released.
    void Attach(ITevString* received);
    // The same for a string object the caller keeps its own reference to (an in-parameter).
    void Borrow(ITevString* lent) {
        if (lent != nullptr)
            lent->AddRef();
        Attach(lent);
    }

private:
    struct Adopt {};
    String(TevString::StringRepBase* rep, Adopt) : text_(rep->Characters()) {}

    TevString::StringRepBase* Rep() const {
        return TevString::StringRepBase::FromCharacters(text_);
    }
    // Replaces the representation, dropping the old one's reference.
    void Take(TevString::StringRepBase* rep);
    void AppendUnits(const char16_t* units, std::size_t count);
    bool PointsIntoText(const char16_t* pointer) const;

    char16_t* text_;
};

String operator+(const String& a, const String& b);
inline bool operator!=(const String& a, const String& b) {
    return !(a == b);
}
// Writes the narrow text; lets test frameworks and logs print strings.
std::ostream& operator<<(std::ostream& out, const String& text);

}  // namespace Tev
