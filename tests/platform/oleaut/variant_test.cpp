#include <gtest/gtest.h>

#include <string>

#include "platform/com/com_object.h"
#include "platform/oleaut/variant.h"

namespace {

struct IThing : IUnknown {
    static constexpr IID kIid = MakeGuid("{5A1A0001-0000-0000-0000-000000000001}");
};

class Thing final : public ComObject<IThing> {};

TEST(Variant, ClearFreesTheStringAndReleasesTheObject) {
    VARIANT text;
    VariantInit(&text);
    text.vt = VT_BSTR;
    text.bstrVal = SysAllocString(u"owned");  // a leak here would fail the sanitizer build
    EXPECT_EQ(VariantClear(&text), S_OK);
    EXPECT_EQ(text.vt, VT_EMPTY);

    auto* thing = new Thing;
    thing->AddRef();
    VARIANT object;
    VariantInit(&object);
    object.vt = VT_UNKNOWN;
    object.punkVal = thing;
    thing->AddRef();
    EXPECT_EQ(thing->ReferenceCount(), 2);
    EXPECT_EQ(VariantClear(&object), S_OK);
    EXPECT_EQ(thing->ReferenceCount(), 1);
    thing->Release();
}

TEST(Variant, ClearRefusesUnknownTypesAndNull) {
    VARIANT v;
    VariantInit(&v);
    v.vt = 0x4008;  // by-reference BSTR: not a type this platform carries
    EXPECT_EQ(VariantClear(&v), DISP_E_BADVARTYPE);
    EXPECT_EQ(v.vt, 0x4008);
    EXPECT_EQ(VariantClear(nullptr), E_INVALIDARG);
}

TEST(Variant, CopyDuplicatesTheStringAndAddsAReference) {
    VARIANT source;
    VariantInit(&source);
    source.vt = VT_BSTR;
    source.bstrVal = SysAllocString(u"text");
    VARIANT copy;
    VariantInit(&copy);
    ASSERT_EQ(VariantCopy(&copy, &source), S_OK);
    EXPECT_EQ(copy.vt, VT_BSTR);
    EXPECT_NE(copy.bstrVal, source.bstrVal);
    EXPECT_EQ(std::u16string(copy.bstrVal), u"text");
    VariantClear(&copy);
    VariantClear(&source);

    auto* thing = new Thing;
    thing->AddRef();
    source.vt = VT_UNKNOWN;
    source.punkVal = thing;
    ASSERT_EQ(VariantCopy(&copy, &source), S_OK);
    EXPECT_EQ(thing->ReferenceCount(), 2);
    VariantClear(&copy);
    EXPECT_EQ(thing->ReferenceCount(), 1);
    thing->Release();
}

}  // namespace
