// The module's own string table (resources/), as the module loads it.
#include <gtest/gtest.h>

#include "platform/module/this_module.h"
#include "resources/string_ids.h"
#include "support/resource/load_string.h"

namespace {

using Tev::LoadResourceText;
using Tev::LoadString;
namespace Id = VavazaZavidi::StringId;

TEST(ModuleStrings, EveryMessageIsThereAndNothingElseInItsRange) {
    const HMODULE module = ThisModule();
    for (UINT id = 209; id <= 240; ++id) {
        const bool expected = id <= 229 || id >= 237;
        EXPECT_EQ(!LoadResourceText(module, id).IsEmpty(), expected) << id;
    }
    for (UINT id : {305u, 306u, 402u})
        EXPECT_FALSE(LoadResourceText(module, id).IsEmpty()) << id;
    // The validators' error-provider texts belong to another table.
    EXPECT_TRUE(LoadString(module, 22034).IsEmpty());
    EXPECT_TRUE(LoadString(module, 22035).IsEmpty());
}

TEST(ModuleStrings, TextsAreExactlyAsGiven) {
    const HMODULE module = ThisModule();
    EXPECT_EQ(LoadString(module, Id::kAnalogOutputNumbered), u"Analog Output %1");
    EXPECT_EQ(LoadString(module, Id::kDigitalOutputNumbered), u"Digital Output %1");
    EXPECT_EQ(LoadString(module, Id::kAnalogOutput), u"Analog Output");
    EXPECT_EQ(LoadString(module, Id::kInternalError),
              u"An internal error occurred while setting up Tarvel.  Please contact your "
              u"distributor for assistance.");
    EXPECT_EQ(
        LoadString(module, Id::kSamplingRefusal),
        u"You cannot turn on Tarvel while sampling.\n\nStop sampling and then set up Tarvel.");
    EXPECT_EQ(LoadResourceText(module, Id::kHelpFileLocation),
              u"TarvelHelp.chm::assets\\html\\english\\pc\\");
    EXPECT_EQ(LoadString(module, Id::kMenuCommand), u"Tarvel...");
    EXPECT_EQ(LoadString(module, Id::kDialogCaptionWithDevice), u"Tarvel - %1");
    EXPECT_EQ(LoadResourceText(module, Id::kNoDeviceName), u"none");
    EXPECT_EQ(LoadString(module, Id::kHelpButtonTip), u"Get dialog help");
}

TEST(ModuleStrings, DeviceMessageHasItsSecondParagraph) {
    const Tev::String text = LoadResourceText(ThisModule(), Id::kDeviceNotSuitable);
    const std::u16string_view first =
        u"Tarvel is not available for the current master device (%1). A suitable Corvex must be "
        u"connected and selected as the master device.\n\n";
    ASSERT_GT(text.Length(), first.size());
    EXPECT_EQ(text.View().substr(0, first.size()), first);
    EXPECT_NE(text.View().substr(first.size()).find(u"Corvex"), std::u16string_view::npos);
}

}  // namespace
