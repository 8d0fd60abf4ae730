#include <gtest/gtest.h>

#include <cstddef>
#include <string>

#include "support/string/tev_string.h"
#include "tests/helpers/vtable_call.h"
#include "tests/support/string/foreign_string.h"

namespace {

using Tev::String;
using TevString::StringRepBase;

StringRepBase* RepOf(const String& s) {
    return static_cast<StringRepBase*>(s.Interface());
}

std::ptrdiff_t OffsetOf(const void* field, const void* object) {
    return static_cast<const std::byte*>(field) - static_cast<const std::byte*>(object);
}

TEST(StringRepLayout, HeaderFieldsSitInFrontOfTheCharacters) {
    const String text(u"layout");
    StringRepBase* rep = RepOf(text);
    EXPECT_EQ(OffsetOf(&rep->narrowText, rep), 8);
    EXPECT_EQ(OffsetOf(&rep->narrowValid, rep), 16);
    EXPECT_EQ(OffsetOf(const_cast<LONG*>(&rep->referenceCount), rep), 20);
    EXPECT_EQ(OffsetOf(&rep->capacity, rep), 24);
    EXPECT_EQ(OffsetOf(&rep->length, rep), 28);
    EXPECT_EQ(OffsetOf(text.Text(), rep), 32);
    // Another module reads the header from the characters: 4 bytes before them is the length.
    const auto* header = reinterpret_cast<const LONG*>(text.Text());
    EXPECT_EQ(header[-1], 7);  // length field, terminator included
    EXPECT_EQ(header[-2], 8);  // capacity
    EXPECT_EQ(header[-3], 1);  // reference count
}

TEST(StringRepSlots, EachSlotIsTheNamedOperation) {
    String text(u"slots");
    ITevString* s = text.Interface();

    ITevString* queried = nullptr;
    EXPECT_EQ(CallSlot<HRESULT>(s, 0, &ITevString::kIid, reinterpret_cast<void**>(&queried)), S_OK);
    EXPECT_EQ(CallSlot<ULONG>(s, 1), 3u);  // AddRef: text, queried, this call
    EXPECT_EQ(CallSlot<ULONG>(s, 2), 2u);  // Release
    queried->Release();

    VARIANT_BOOL flag = 0;
    LONG value = 0;
    LONG unit = 0;
    EXPECT_EQ(CallSlot<HRESULT>(s, 5, &flag), S_OK);  // IsEmpty
    EXPECT_EQ(flag, VARIANT_FALSE);
    EXPECT_EQ(CallSlot<HRESULT>(s, 6, &value), S_OK);  // GetLength
    EXPECT_EQ(value, 5);
    EXPECT_EQ(CallSlot<HRESULT>(s, 7, s, &flag), S_OK);  // IsEqual with itself
    EXPECT_EQ(flag, VARIANT_TRUE);
    EXPECT_EQ(CallSlot<HRESULT>(s, 8, &flag), S_OK);  // IsShared
    EXPECT_EQ(flag, VARIANT_FALSE);
    EXPECT_EQ(CallSlot<LONG>(s, 9), 9);  // GetKind
    char16_t copy[6];
    EXPECT_EQ(CallSlot<HRESULT>(s, 10, LONG{12}, static_cast<void*>(copy)), S_OK);  // CopyTo
    EXPECT_EQ(std::u16string(copy), u"slots");
    EXPECT_EQ(CallSlot<HRESULT>(s, 11, &value, &unit), S_OK);  // GetSize
    EXPECT_EQ(unit, 2);
    EXPECT_EQ(CallSlot<HRESULT>(s, 12, &value), S_OK);  // GetCapacity
    EXPECT_EQ(value, 7);
    ITevString* created = nullptr;
    EXPECT_EQ(CallSlot<HRESULT>(s, 13, LONG{20}, &created), S_OK);  // CreateNew
    EXPECT_EQ(static_cast<StringRepBase*>(created)->capacity, 21);
    VARIANT variant;
    EXPECT_EQ(CallSlot<HRESULT>(s, 14, &variant), S_OK);  // GetVariant
    EXPECT_EQ(variant.vt, VT_BSTR);
    VariantClear(&variant);
    EXPECT_EQ(CallSlot<LONG>(s, 15), 5);                // LengthValue
    EXPECT_EQ(CallSlot<HRESULT>(s, 17), 0);             // Reserved17
    EXPECT_EQ(CallSlot<OLECHAR*>(s, 18), text.Text());  // GetBuffer
    EXPECT_EQ(CallSlot<HRESULT>(created, 16), S_OK);    // Delete
    ITevString* other = nullptr;
    s->CreateNew(0, &other);
    CallSlot<void>(other, 19, UINT{kTevStringFreeMemory});  // the destructor, freeing

    EXPECT_EQ(CallSlot<HRESULT>(s, 3, static_cast<BSTR>(nullptr)), S_OK);  // AssignBSTR
    EXPECT_TRUE(text.IsEmpty());
    BSTR bstr = nullptr;
    EXPECT_EQ(CallSlot<HRESULT>(s, 4, &bstr), S_OK);  // GetBSTR
    EXPECT_EQ(bstr, nullptr);
}

TEST(StringRepSlots, EmptyStringIsLengthOneEmptyAndANullBstr) {
    const String empty;
    ITevString* s = empty.Interface();
    EXPECT_EQ(RepOf(empty)->length, 1);
    VARIANT_BOOL isEmpty = 0;
    s->IsEmpty(&isEmpty);
    EXPECT_EQ(isEmpty, VARIANT_TRUE);
    BSTR bstr = SysAllocString(u"old");  // a BSTR already present is freed
    EXPECT_EQ(s->GetBSTR(&bstr), S_OK);
    EXPECT_EQ(bstr, nullptr);
    VARIANT variant;
    EXPECT_EQ(s->GetVariant(&variant), S_OK);
    EXPECT_EQ(variant.vt, VT_BSTR);
    EXPECT_EQ(variant.bstrVal, nullptr);
}

TEST(StringRepSlots, QueryAnswersTheTwoStringInterfacesAndIUnknownOnly) {
    const String text(u"q");
    ITevString* s = text.Interface();
    for (const IID& iid : {IID_IUnknown, IAutoTevString::kIid, ITevString::kIid}) {
        void* object = nullptr;
        EXPECT_EQ(s->QueryInterface(iid, &object), S_OK);
        EXPECT_EQ(object, s);
        s->Release();
    }
    void* object = s;
    EXPECT_EQ(s->QueryInterface(MakeGuid("{00000000-0000-0000-0000-000000000001}"), &object),
              E_NOINTERFACE);
    EXPECT_EQ(object, nullptr);
    EXPECT_EQ(s->QueryInterface(IID_IUnknown, nullptr), E_POINTER);
}

TEST(StringRepSlots, AssignBstrWritesOnlyAnUnsharedBigEnoughObject) {
    String text(u"1234567");  // capacity 8
    ITevString* s = text.Interface();
    BSTR seven = SysAllocString(u"abcdefg");
    BSTR eight = SysAllocString(u"abcdefgh");
    EXPECT_EQ(s->AssignBSTR(eight), E_FAIL);  // not smaller than the capacity
    EXPECT_EQ(s->AssignBSTR(seven), S_OK);
    EXPECT_EQ(text, u"abcdefg");
    {
        const String sharer(text);
        EXPECT_EQ(s->AssignBSTR(nullptr), E_FAIL);  // shared
    }
    // The shared empty object is never written, whatever its count.
    EXPECT_EQ(TevString::SharedEmptyRep()->AssignBSTR(seven), E_FAIL);
    SysFreeString(seven);
    SysFreeString(eight);
    EXPECT_EQ(s->GetBSTR(nullptr), E_FAIL);
}

TEST(StringRepSlots, IsEqualComparesKindNineDirectlyAndOthersThroughTheirBstr) {
    const String a(u"same");
    const String b(u"same");
    const String c(u"other");
    VARIANT_BOOL equal = 0;
    EXPECT_EQ(a.Interface()->IsEqual(b.Interface(), &equal), S_OK);
    EXPECT_EQ(equal, VARIANT_TRUE);
    a.Interface()->IsEqual(c.Interface(), &equal);
    EXPECT_EQ(equal, VARIANT_FALSE);

    auto* foreign = new ForeignString(std::u16string(u"same"));
    foreign->AddRef();
    a.Interface()->IsEqual(foreign, &equal);
    EXPECT_EQ(equal, VARIANT_TRUE);
    auto* foreignEmpty = new ForeignString(std::u16string());  // answers a null BSTR
    foreignEmpty->AddRef();
    String().Interface()->IsEqual(foreignEmpty, &equal);
    EXPECT_EQ(equal, VARIANT_TRUE);
    a.Interface()->IsEqual(foreignEmpty, &equal);
    EXPECT_EQ(equal, VARIANT_FALSE);
    foreign->Release();
    foreignEmpty->Release();

    EXPECT_EQ(a.Interface()->IsEqual(nullptr, &equal), E_POINTER);
    EXPECT_EQ(a.Interface()->IsEqual(b.Interface(), nullptr), E_POINTER);
}

TEST(StringRepSlots, CopyToNeedsRoomForTheTerminator) {
    const String text(u"abc");
    char16_t out[4] = {u'x', u'x', u'x', u'x'};
    EXPECT_EQ(text.Interface()->CopyTo(7, out), E_FAIL);
    EXPECT_EQ(out[0], u'x');
    EXPECT_EQ(text.Interface()->CopyTo(8, out), S_OK);
    EXPECT_EQ(std::u16string(out), u"abc");
    EXPECT_EQ(text.Interface()->CopyTo(8, nullptr), E_POINTER);
}

TEST(StringRepSlots, CreateNewHasAtLeastEightUnits) {
    const String text(u"x");
    for (LONG n : {-5, 0, 7}) {
        ITevString* created = nullptr;
        ASSERT_EQ(text.Interface()->CreateNew(n, &created), S_OK);
        auto* rep = static_cast<StringRepBase*>(created);
        EXPECT_EQ(rep->capacity, 8) << n;
        EXPECT_EQ(rep->length, 1);
        EXPECT_EQ(rep->referenceCount, 1);
        created->Release();
    }
    ITevString* created = nullptr;
    EXPECT_EQ(text.Interface()->CreateNew(0x7FFFFFFF, &created), E_OUTOFMEMORY);
    EXPECT_EQ(created, nullptr);
}

}  // namespace
