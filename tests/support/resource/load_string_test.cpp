#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "extension/branding/brand_table.h"
#include "platform/module/application_language.h"
#include "platform/module/resource.h"
#include "platform/module/string_table.h"
#include "support/resource/load_string.h"

namespace {

using Tev::LoadResourceText;
using Tev::LoadString;
using Tev::String;

HMODULE FakeModule(std::uintptr_t n) {
    return reinterpret_cast<HMODULE>((n + 0x100) << 20);
}

LONG CapacityField(const String& s) {
    return static_cast<const TevString::StringRepBase*>(s.Interface())->capacity;
}

TEST(LoadResourceText, FindsTheEntryInsideItsBlock) {
    const HMODULE module = FakeModule(1);
    const StringTableEntry entries[] = {
        {16, u"first of block 2"}, {31, u"last of block 2"}, {40, u"ten"}};
    ModuleStringTable table(module, entries);
    EXPECT_EQ(LoadResourceText(module, 16), u"first of block 2");
    EXPECT_EQ(LoadResourceText(module, 31), u"last of block 2");
    EXPECT_EQ(LoadResourceText(module, 40), u"ten");
    EXPECT_EQ(CapacityField(LoadResourceText(module, 40)), 8);
    EXPECT_EQ(CapacityField(LoadResourceText(module, 16)), 17);
    // Missing: an empty entry, a block that does not exist, an id beyond 16 bits.
    EXPECT_TRUE(LoadResourceText(module, 17).IsEmpty());
    EXPECT_TRUE(LoadResourceText(module, 5).IsEmpty());
    EXPECT_TRUE(LoadResourceText(module, 16 + 0x10000).IsEmpty());
    EXPECT_TRUE(LoadResourceText(FakeModule(2), 16).IsEmpty());
}

TEST(LoadResourceText, NeverReadsPastAMalformedBlock) {
    const HMODULE module = FakeModule(3);
    // Block 1 (ids 0 to 15): entry 0 claims 50 units but the block ends after 3; then a block
    // whose data starts at an odd address and is one byte short of its last unit.
    const char16_t truncated[] = {50, u'a', u'b'};
    std::vector<unsigned char> unaligned(1 + 2 * 3);
    const char16_t shortText[] = {0, 2, u'o'};
    std::memcpy(unaligned.data() + 1, shortText, sizeof shortText);
    const ResourceEntry entries[] = {
        {ResourceType::kString, 1, 0, truncated, sizeof truncated},
        {ResourceType::kString, 2, 0, unaligned.data() + 1, sizeof shortText - 1},
    };
    ModuleResources registration(module, entries);
    EXPECT_TRUE(LoadResourceText(module, 0).IsEmpty());
    EXPECT_TRUE(LoadResourceText(module, 1).IsEmpty());
    EXPECT_TRUE(LoadResourceText(module, 17).IsEmpty());
}

TEST(LoadResourceText, PrefersTheApplicationLanguageAndFallsBackPerEntry) {
    const HMODULE module = FakeModule(4);
    const StringTableEntry english[] = {{100, u"Input"}, {101, u"Output"}};
    const StringTableEntry german[] = {{100, u"Eingang"}};
    ModuleStringTable englishTable(module, english, kLanguageEnglishUs);
    ModuleStringTable germanTable(module, german, 0x0407);

    EXPECT_EQ(LoadResourceText(module, 100), u"Input");  // no application: default search
    SetApplicationLanguage(0x0407);
    EXPECT_EQ(LoadResourceText(module, 100), u"Eingang");
    EXPECT_EQ(LoadResourceText(module, 101), u"Output");  // missing in German: default search
    SetApplicationLanguage(0x040C);
    EXPECT_EQ(LoadResourceText(module, 100), u"Input");  // no French block at all
    ClearApplicationLanguage();
}

TEST(LoadString, IdZeroAndMissingStringsAreEmpty) {
    const HMODULE module = FakeModule(5);
    const StringTableEntry entries[] = {{0, u"zero"}, {1, u"one"}};
    ModuleStringTable table(module, entries);
    EXPECT_TRUE(LoadString(module, 0).IsEmpty());
    EXPECT_EQ(LoadResourceText(module, 0), u"zero");
    EXPECT_EQ(LoadString(module, 1), u"one");
    EXPECT_TRUE(LoadString(module, 2).IsEmpty());
}

TEST(LoadString, SubstitutesBrandTokensUnlessAskedNotTo) {
    const HMODULE module = FakeModule(6);
    const StringTableEntry entries[] = {
        {1, u"VARNISFORWINDOWS needs VARNIS and a CORVEX"},
        {2, u"Corvex is left alone, as is corvex"},
        {3, u"Tev and OEM and QUORVANE"},
        {4, u"No tokens in here."},
    };
    ModuleStringTable table(module, entries);
    Tev::SetBrandTableSource(nullptr);
    EXPECT_EQ(LoadString(module, 1), u"VARNISFORWINDOWS needs VARNIS and a CORVEX")
        << "no source installed: nothing is substituted";
    VavazaZavidi::InstallBrandTable();
    EXPECT_EQ(LoadString(module, 1), u"Ostrel needs Ostrel and a Corvex");
    EXPECT_EQ(LoadString(module, 2), u"Corvex is left alone, as is corvex");
    EXPECT_EQ(LoadString(module, 3), u"Quorvane and Quorvane and Quorvane");
    EXPECT_EQ(LoadString(module, 4), u"No tokens in here.");
    EXPECT_EQ(LoadString(module, 1, false), u"VARNISFORWINDOWS needs VARNIS and a CORVEX");
}

TEST(LoadString, NullModuleIsTheExecutable) {
    const StringTableEntry entries[] = {{20001, u"Enter a number from %1 to %2."}};
    ModuleStringTable table(nullptr, entries);
    EXPECT_EQ(LoadString(nullptr, 20001), u"Enter a number from %1 to %2.");
}

TEST(BrandSubstitution, ScanGoesOnAfterTheInsertedReplacement) {
    const VavazaZavidi::BrandTable table = {
        {String(u"a"), String(u"aa")},    // the replacement contains the find text
        {String(u""), String(u"never")},  // an empty find text is skipped
        {String(u"aaX"), String(u"Y")},   // a later row sees the earlier rows' result
    };
    String text(u"aXa");
    Tev::ApplyBrandSubstitutions(text, table);
    EXPECT_EQ(text, u"Yaa");
}

}  // namespace
