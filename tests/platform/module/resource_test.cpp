#include <gtest/gtest.h>

#include "platform/error/last_error.h"
#include "platform/module/module.h"
#include "platform/module/resource.h"

namespace {

// Registrations under made-up module handles: the registry treats a handle as a key.
HMODULE FakeModule(std::uintptr_t n) {
    return reinterpret_cast<HMODULE>(n << 20);
}

const char kGerman[] = "deutsch";
const char kEnglish[] = "english";
const char kNeutral[] = "neutral";

std::string TextOf(HMODULE module, HRSRC resource) {
    const auto* bytes = static_cast<const char*>(LockResource(LoadResource(module, resource)));
    return std::string(bytes, SizeofResource(module, resource) - 1);
}

TEST(ResourceRegistry, ExactLanguageOrNothing) {
    const HMODULE module = FakeModule(1);
    const ResourceEntry entries[] = {
        {ResourceType::kDialog, 201, 0x0407, kGerman, sizeof kGerman},
        {ResourceType::kDialog, 201, kLanguageEnglishUs, kEnglish, sizeof kEnglish},
    };
    ModuleResources registration(module, entries);

    HRSRC german = FindResourceExW(module, RT_DIALOG, MAKEINTRESOURCEW(201), 0x0407);
    ASSERT_NE(german, nullptr);
    EXPECT_EQ(TextOf(module, german), "deutsch");
    EXPECT_EQ(LanguageOfResource(german), 0x0407);

    SetLastError(ERROR_SUCCESS);
    EXPECT_EQ(FindResourceExW(module, RT_DIALOG, MAKEINTRESOURCEW(201), 0x040C), nullptr);
    EXPECT_EQ(GetLastError(), ERROR_RESOURCE_LANG_NOT_FOUND);
}

TEST(ResourceRegistry, DefaultSearchPrefersNeutralThenEnglishThenAnything) {
    const HMODULE module = FakeModule(2);
    const ResourceEntry germanAndEnglish[] = {
        {ResourceType::kDialog, 1, 0x0407, kGerman, sizeof kGerman},
        {ResourceType::kDialog, 1, kLanguageEnglishUs, kEnglish, sizeof kEnglish},
        {ResourceType::kDialog, 2, 0x0407, kGerman, sizeof kGerman},
    };
    ModuleResources first(module, germanAndEnglish);
    EXPECT_EQ(TextOf(module, FindResourceW(module, MAKEINTRESOURCEW(1), RT_DIALOG)), "english");
    EXPECT_EQ(TextOf(module, FindResourceW(module, MAKEINTRESOURCEW(2), RT_DIALOG)), "deutsch");
    EXPECT_EQ(TextOf(module, FindResourceExW(module, RT_DIALOG, MAKEINTRESOURCEW(1), 0)),
              "english");

    const ResourceEntry neutral[] = {{ResourceType::kDialog, 1, 0, kNeutral, sizeof kNeutral}};
    ModuleResources second(module, neutral);
    EXPECT_EQ(TextOf(module, FindResourceW(module, MAKEINTRESOURCEW(1), RT_DIALOG)), "neutral");
}

TEST(ResourceRegistry, ReportsWhatIsMissing) {
    const HMODULE module = FakeModule(3);
    const ResourceEntry entries[] = {{ResourceType::kBitmap, 208, 0, kNeutral, sizeof kNeutral}};
    ModuleResources registration(module, entries);

    SetLastError(ERROR_SUCCESS);
    EXPECT_EQ(FindResourceW(module, MAKEINTRESOURCEW(208), RT_DIALOG), nullptr);
    EXPECT_EQ(GetLastError(), ERROR_RESOURCE_TYPE_NOT_FOUND);
    EXPECT_EQ(FindResourceW(module, MAKEINTRESOURCEW(209), RT_BITMAP), nullptr);
    EXPECT_EQ(GetLastError(), ERROR_RESOURCE_NAME_NOT_FOUND);
    EXPECT_EQ(FindResourceW(FakeModule(4), MAKEINTRESOURCEW(208), RT_BITMAP), nullptr);
    EXPECT_EQ(GetLastError(), ERROR_RESOURCE_DATA_NOT_FOUND);
    EXPECT_EQ(FindResourceW(module, nullptr, RT_BITMAP), nullptr);
    EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);
}

TEST(ResourceRegistry, HandleOfAnotherModuleIsNotLoaded) {
    const ResourceEntry entries[] = {{ResourceType::kBitmap, 208, 0, kNeutral, sizeof kNeutral}};
    ModuleResources registration(FakeModule(5), entries);
    HRSRC found = FindResourceW(FakeModule(5), MAKEINTRESOURCEW(208), RT_BITMAP);
    ASSERT_NE(found, nullptr);
    SetLastError(ERROR_SUCCESS);
    EXPECT_EQ(LoadResource(FakeModule(6), found), nullptr);
    EXPECT_EQ(GetLastError(), ERROR_INVALID_HANDLE);
    EXPECT_EQ(SizeofResource(FakeModule(6), found), 0u);
    EXPECT_EQ(LoadResource(FakeModule(5), nullptr), nullptr);
}

TEST(ResourceRegistry, TextNamesIgnoreAsciiCase) {
    const HMODULE module = FakeModule(7);
    const ResourceEntry entries[] = {
        {ResourceName(u"TEMPLATES"), ResourceName(u"Main"), 0, kNeutral, sizeof kNeutral},
    };
    ModuleResources registration(module, entries);
    EXPECT_NE(FindResourceW(module, u"MAIN", u"templates"), nullptr);
    EXPECT_EQ(FindResourceW(module, u"Mains", u"templates"), nullptr);
    // A text never matches a number.
    EXPECT_EQ(FindResourceW(module, MAKEINTRESOURCEW(1), u"templates"), nullptr);
}

TEST(ResourceRegistry, WithdrawnWhenTheRegistrationEnds) {
    const HMODULE module = FakeModule(8);
    const ResourceEntry entries[] = {{ResourceType::kBitmap, 208, 0, kNeutral, sizeof kNeutral}};
    {
        ModuleResources registration(module, entries);
        EXPECT_NE(FindResourceW(module, MAKEINTRESOURCEW(208), RT_BITMAP), nullptr);
    }
    EXPECT_EQ(FindResourceW(module, MAKEINTRESOURCEW(208), RT_BITMAP), nullptr);
}

TEST(ResourceRegistry, FirstRegistrationWinsAndEmptyDataStillLoads) {
    const HMODULE module = FakeModule(9);
    const ResourceEntry first[] = {{ResourceType::kVersion, 1, 0, nullptr, 0}};
    const ResourceEntry second[] = {{ResourceType::kVersion, 1, 0, kNeutral, sizeof kNeutral}};
    ModuleResources a(module, first);
    ModuleResources b(module, second);
    HRSRC found = FindResourceW(module, MAKEINTRESOURCEW(1), RT_VERSION);
    ASSERT_NE(found, nullptr);
    EXPECT_EQ(SizeofResource(module, found), 0u);
    EXPECT_NE(LoadResource(module, found), nullptr);
}

TEST(ResourceRegistry, NullModuleMeansTheExecutable) {
    const ResourceEntry entries[] = {{ResourceType::kBitmap, 4242, 0, kNeutral, sizeof kNeutral}};
    ModuleResources registration(nullptr, entries);
    EXPECT_EQ(registration.Module(), ExecutableModule());
    EXPECT_NE(FindResourceW(nullptr, MAKEINTRESOURCEW(4242), RT_BITMAP), nullptr);
    EXPECT_NE(FindResourceW(ExecutableModule(), MAKEINTRESOURCEW(4242), RT_BITMAP), nullptr);
}

}  // namespace
