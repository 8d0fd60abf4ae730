// libKyt.so as the host loads it: one export, answering the framework's three classes.
#include <dlfcn.h>
#include <gtest/gtest.h>

#include <filesystem>

#include "host/api/doc_class_registry.h"
#include "host/api/framework_ids.h"
#include "host/api/host_application.h"
#include "host/api/unit_test_registry.h"
#include "tests/helpers/elf_exports.h"

namespace {

std::filesystem::path LibraryBesideTheTest() {
    return std::filesystem::read_symlink("/proc/self/exe").parent_path() / "libKyt.so";
}

TEST(KytLibrary, ExportsDllGetClassObjectOnly) {
    EXPECT_EQ(ElfExports(LibraryBesideTheTest()), std::set<std::string>{"DllGetClassObject"});
}

TEST(KytLibrary, DllGetClassObjectAnswersTheFrameworkClasses) {
    void* library = dlopen(LibraryBesideTheTest().c_str(), RTLD_NOW | RTLD_LOCAL);
    ASSERT_NE(library, nullptr) << dlerror();
    using Entry = HRESULT (*)(REFCLSID, REFIID, void**);
    auto entry = reinterpret_cast<Entry>(dlsym(library, "DllGetClassObject"));
    ASSERT_NE(entry, nullptr);

    IUnknown* object = nullptr;
    ASSERT_EQ(entry(CLSID_FrameworkClassObject, IDocClassRegistry::kIid,
                    reinterpret_cast<void**>(&object)),
              S_OK);
    object->Release();
    ASSERT_EQ(
        entry(CLSID_UnitTestRegistry, IUnitTestRegistry::kIid, reinterpret_cast<void**>(&object)),
        S_OK);
    object->Release();
    ASSERT_EQ(
        entry(CLSID_HostApplication, IHostApplication::kIid, reinterpret_cast<void**>(&object)),
        S_OK);
    object->Release();
    object = reinterpret_cast<IUnknown*>(1);
    EXPECT_EQ(
        entry(CLSID_HostApplication, IDocClassRegistry::kIid, reinterpret_cast<void**>(&object)),
        E_NOINTERFACE);
    EXPECT_EQ(object, nullptr);
    EXPECT_EQ(entry(MakeGuid("{00000000-0000-0000-0000-000000000001}"), IID_IUnknown,
                    reinterpret_cast<void**>(&object)),
              CLASS_E_CLASSNOTAVAILABLE);
    dlclose(library);
}

}  // namespace
