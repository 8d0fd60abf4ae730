// TevString::StringRep: the representation of a Tev::String, one heap block holding a header
// and the characters right behind it. The header's layout is a contract at the memory level:
// any module may read and write these fields of an object whose GetKind is 9.
//
//   field             64-bit Linux offset  meaning
//   interface table   0                    the ITevString virtual table
//   narrowText        8                    UTF-8 copy of the text (new[]), or null; owned
//   narrowValid       16                   1 while narrowText matches the text; 0 after a change
//   referenceCount    20                   changed only by interlocked operations
//   capacity          24                   room in UTF-16 units, terminator included (>= 8 when
//   new) length            28                   units used, terminator included (1 when empty)
//   characters        32                   capacity units, NUL-terminated at length - 1
//
// The fields keep the order and widths of the original 32-bit header; the two pointers are
// 8 bytes here.
#pragma once

#include <cstddef>

#include "host/api/tev_string_interface.h"
#include "platform/com/interlocked.h"

namespace TevString {

// The header fields, shared by every implementation with kind 9.
class StringRepBase : public ITevString {
public:
    char* narrowText;
    LONG narrowValid;
    volatile LONG referenceCount;
    LONG capacity;
    LONG length;

    char16_t* Characters() {
        return reinterpret_cast<char16_t*>(reinterpret_cast<std::byte*>(this) +
                                           sizeof(StringRepBase));
    }
    // The representation whose characters begin at `characters`.
    static StringRepBase* FromCharacters(const char16_t* characters) {
        return reinterpret_cast<StringRepBase*>(const_cast<std::byte*>(
            reinterpret_cast<const std::byte*>(characters) - sizeof(StringRepBase)));
    }

protected:
    StringRepBase() = default;
    ~StringRepBase() = default;
};

static_assert(sizeof(StringRepBase) == 2 * sizeof(void*) + 4 * sizeof(LONG),
              "the representation header has no padding");

// The largest capacity the 32-bit fields can hold.
inline constexpr LONG kMaxCapacity = 0x7FFFFFFF;
// The smallest capacity of a new representation.
inline constexpr LONG kMinCapacity = 8;

// This module's implementation.
class StringRep final : public StringRepBase {
public:
    // A new empty representation with `capacity` units (1 to kMaxCapacity), count 1, all units
    // zero. Throws std::bad_alloc when memory runs out.
    static StringRep* Create(LONG capacity);

    HRESULT QueryInterface(REFIID iid, void** object) override;
    ULONG AddRef() override;
    ULONG Release() override;
    HRESULT AssignBSTR(BSTR text) override;
    HRESULT GetBSTR(BSTR* text) override;
    HRESULT IsEmpty(VARIANT_BOOL* empty) override;
    HRESULT GetLength(LONG* length) override;
    HRESULT IsEqual(ITevString* other, VARIANT_BOOL* equal) override;
    HRESULT IsShared(VARIANT_BOOL* shared) override;
    LONG GetKind() override;
    HRESULT CopyTo(LONG bytes, void* destination) override;
    HRESULT GetSize(LONG* length, LONG* unitSize) override;
    HRESULT GetCapacity(LONG* capacity) override;
    HRESULT CreateNew(LONG length, ITevString** created) override;
    HRESULT GetVariant(VARIANT* value) override;
    LONG LengthValue() override;
    HRESULT Delete() override;
    HRESULT Reserved17() override;
    OLECHAR* GetBuffer() override;
    void Destruct(UINT flags) override;

private:
    StringRep() = default;
    ~StringRep() = default;
};

// The process-wide shared empty representation of this module: capacity 9, length 1, text
// zeroed. Made on first use; holds a reference of its own until the module unloads. It is never
// written: every string that shares it copies before changing.
StringRepBase* SharedEmptyRep();

// Adds a reference through the header field, as any module may.
inline void AddReference(StringRepBase* rep) {
    InterlockedIncrement(&rep->referenceCount);
}

// Drops a reference through the header field; at 0 the representation destroys itself through
// its own Delete slot, since it may come from another module.
inline void DropReference(StringRepBase* rep) {
    if (InterlockedDecrement(&rep->referenceCount) == 0)
        rep->Delete();
}

}  // namespace TevString
