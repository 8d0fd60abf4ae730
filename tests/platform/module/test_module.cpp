// A module for the module tests: one export, and resources registered for itself when it loads.
#include "platform/module/resource.h"
#include "platform/module/string_table.h"
#include "platform/module/this_module.h"

namespace {

const unsigned char kBitmapBytes[] = {1, 2, 3, 4, 5};
const ResourceEntry kResources[] = {
    {ResourceType::kBitmap, 208, kLanguageEnglishUs, kBitmapBytes, sizeof kBitmapBytes},
};
const ModuleResources kRegistration(kResources);

const StringTableEntry kStrings[] = {{5, u"five, from the test module"}};
const ModuleStringTable kStringTable(kStrings);

}  // namespace

extern "C" __attribute__((visibility("default"))) int TestModuleAnswer() {
    return 42;
}

// The module's handle as the module itself finds it.
extern "C" __attribute__((visibility("default"))) HMODULE TestModuleOwnHandle() {
    return ThisModule();
}
