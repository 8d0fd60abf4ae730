#include <gtest/gtest.h>

#include <string>

#include "support/string/tev_string.h"
#include "tests/support/string/foreign_string.h"

namespace {

using Tev::String;
using TevString::StringRepBase;

LONG CountOf(ITevString* s) {
    return static_cast<StringRepBase*>(s)->referenceCount;
}

// A host call that hands out a string object through an out-parameter, with one reference.
HRESULT HostGetName(ITevString* name, ITevString** result) {
    name->AddRef();
    *result = name;
    return S_OK;
}

TEST(TevStringAttach, KindNineIsAdoptedInPlaceWithTheDeliveredReference) {
    String hostName(u"Corvex 16");
    ITevString* object = hostName.Interface();
    ASSERT_EQ(CountOf(object), 1);

    String name;
    HostGetName(object, name.OutParam());
    EXPECT_EQ(name.Text(), hostName.Text());  // the same characters: adopted, not copied
    EXPECT_EQ(CountOf(object), 2);            // the call's reference, and no other
    name = String();
    EXPECT_EQ(CountOf(object), 1);
}

TEST(TevStringAttach, ReplacesWhatTheStringHeldBefore) {
    String old(u"previous");
    String name(old);
    String hostName(u"new");
    HostGetName(hostName.Interface(), name.OutParam());
    EXPECT_EQ(name, u"new");
    EXPECT_EQ(CountOf(old.Interface()), 1);
}

TEST(TevStringAttach, NullResultEmptiesTheString) {
    String name(u"something");
    name.Attach(nullptr);
    EXPECT_TRUE(name.IsEmpty());
    {
        auto proxy = name.OutParam();  // a call that leaves the out-parameter null
        (void)static_cast<ITevString**>(proxy);
    }
    EXPECT_TRUE(name.IsEmpty());
}

TEST(TevStringAttach, ForeignWideTextIsCopiedAndReleasedOnce) {
    auto* foreign = new ForeignString(std::u16string(u"Kanal \u00E9"));
    foreign->AddRef();  // the test's reference
    foreign->AddRef();  // the reference the host call delivers
    String name;
    name.Attach(foreign);
    EXPECT_EQ(name, u"Kanal \u00E9");
    EXPECT_EQ(foreign->ReferenceCount(), 1);
    foreign->Release();
}

TEST(TevStringAttach, ForeignNarrowTextIsConverted) {
    auto* foreign =
        new ForeignString(std::string("Stra\xC3\x9F"
                                      "e"));
    foreign->AddRef();
    foreign->AddRef();
    String name;
    name.Attach(foreign);
    EXPECT_EQ(name, u"Stra\u00DFe");
    EXPECT_EQ(foreign->ReferenceCount(), 1);
    foreign->Release();
}

TEST(TevStringAttach, ForeignObjectThatFailsIsStillReleased) {
    auto* foreign = new ForeignString(std::u16string(u"x"));
    foreign->failGetSize = true;
    foreign->AddRef();
    foreign->AddRef();
    String name(u"before");
    name.Attach(foreign);
    EXPECT_TRUE(name.IsEmpty());
    EXPECT_EQ(foreign->ReferenceCount(), 1);
    foreign->Release();
}

TEST(TevStringAttach, PassingInHandsOverTheRepresentationWithoutAReference) {
    const String text(u"Setup|&Viruvo Dudud Orarorad^OUTPUTEXTS");
    ITevString* object = text.Interface();
    EXPECT_EQ(object->GetBuffer(), text.Text());
    EXPECT_EQ(CountOf(object), 1);
}

}  // namespace
