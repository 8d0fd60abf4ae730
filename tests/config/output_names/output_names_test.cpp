// The output names come from the module's string table through the positional formatter.
#include <gtest/gtest.h>

#include <cstdlib>

#include "config/output_names.h"
#include "platform/module/application_language.h"
#include "platform/module/string_table.h"
#include "platform/module/this_module.h"
#include "resources/resource_module.h"

namespace {

using VavazaZavidi::MakeAnalogOutputName;
using VavazaZavidi::MakeDigitalOutputName;

TEST(OutputNames, TwoAnalogAndThreeDigitalOutputs) {
    EXPECT_EQ(MakeAnalogOutputName(1, 2), u"Analog Output 1");
    EXPECT_EQ(MakeAnalogOutputName(2, 2), u"2");
    EXPECT_EQ(MakeDigitalOutputName(1), u"Digital Output 1");
    EXPECT_EQ(MakeDigitalOutputName(2), u"2");
    EXPECT_EQ(MakeDigitalOutputName(3), u"3");
}

TEST(OutputNames, SingleAnalogOutputHasNoNumber) {
    EXPECT_EQ(MakeAnalogOutputName(1, 1), u"Analog Output");
}

TEST(OutputNames, TheStringTableBelongsToTheModuleTheCodeIsLinkedInto) {
    EXPECT_EQ(VavazaZavidi::ResourceModule(), ThisModule());
}

// With German strings in the application's language the names follow them; once loaded they
// stay. Exits 0 when all of that holds.
[[noreturn]] void CheckNamesFollowTheStringTable() {
    const StringTableEntry german[] = {
        {211, u"Analogausgang %1"}, {212, u"Digitalausgang %1"}, {225, u"Analogausgang"}};
    const ModuleStringTable table(VavazaZavidi::ResourceModule(), german, 0x0407);
    SetApplicationLanguage(0x0407);
    bool ok = MakeAnalogOutputName(1, 2) == u"Analogausgang 1" &&
              MakeDigitalOutputName(1) == u"Digitalausgang 1" &&
              MakeAnalogOutputName(1, 1) == u"Analogausgang";
    ClearApplicationLanguage();
    ok = ok && MakeAnalogOutputName(1, 2) == u"Analogausgang 1";  // kept, not loaded again
    std::exit(ok ? 0 : 1);
}

// In a fresh process, since the texts are loaded once per process.
TEST(OutputNamesDeathTest, AreReadFromTheStringTableOncePerProcess) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(CheckNamesFollowTheStringTable(), ::testing::ExitedWithCode(0), "");
}

}  // namespace
