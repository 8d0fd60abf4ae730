// Service access with a framework registered in COM: each service is asked for once, held
// without a reference and given out as the same pointer after that. (One process: the
// extension keeps its service pointers for the life of the process.)
#include <gtest/gtest.h>

#include <filesystem>
#include <thread>
#include <vector>

#include "extension/services/framework_fallback.h"
#include "extension/services/framework_services.h"
#include "host/api/framework_ids.h"
#include "platform/com/class_objects.h"
#include "platform/com/com_object.h"
#include "platform/com/ole_init.h"

namespace {

// A class object that answers one service interface and counts how often it is asked.
template <class Interface>
class CountingService final : public ComObject<IUnknown> {
public:
    int queries = 0;

private:
    void* QueryInterfaceMore(REFIID iid) override {
        if (iid != Interface::kIid)
            return nullptr;
        ++queries;
        return static_cast<IUnknown*>(this);  // stands in for the interface: never called
    }
};

template <class Interface>
CountingService<Interface>* Register(const CLSID& clsid) {
    auto* service = new CountingService<Interface>;
    service->AddRef();  // the test's own, never given back
    DWORD cookie = 0;
    EXPECT_EQ(
        CoRegisterClassObject(clsid, service, CLSCTX_INPROC_SERVER, REGCLS_MULTIPLEUSE, &cookie),
        S_OK);
    return service;
}

TEST(ServiceAccess, AsksComOnceAndHoldsThePointerWithoutAReference) {
    ASSERT_EQ(OleInitialize(nullptr), S_OK);
    auto* registry = Register<IDocClassRegistry>(CLSID_FrameworkClassObject);
    auto* tests = Register<IUnitTestRegistry>(CLSID_UnitTestRegistry);
    auto* application = Register<IHostApplication>(CLSID_HostApplication);
    const LONG before = registry->ReferenceCount();

    IDocClassRegistry* first = Services::DocClassRegistry();
    EXPECT_EQ(static_cast<void*>(first), static_cast<IUnknown*>(registry));
    EXPECT_EQ(registry->queries, 1);
    EXPECT_EQ(registry->ReferenceCount(), before);  // the query's reference was given back

    std::vector<std::thread> threads;
    std::vector<IDocClassRegistry*> seen(4);
    for (int i = 0; i < 4; ++i) {
        threads.emplace_back([&seen, i] { seen[i] = Services::DocClassRegistry(); });
    }
    for (auto& thread : threads)
        thread.join();
    for (IDocClassRegistry* pointer : seen)
        EXPECT_EQ(pointer, first);
    EXPECT_EQ(registry->queries, 1);

    // The unit-test registry and the application object come from their own classes.
    EXPECT_EQ(static_cast<void*>(Services::UnitTestRegistry()), static_cast<IUnknown*>(tests));
    EXPECT_EQ(static_cast<void*>(Services::HostApplication()), static_cast<IUnknown*>(application));
    EXPECT_EQ(tests->queries, 1);
    EXPECT_EQ(application->queries, 1);
}

TEST(FrameworkLibraryPath, IsBesideTheHostExecutableAndCanonical) {
    const std::u16string path = Services::FrameworkLibraryPath();
    const std::string executable = std::filesystem::read_symlink("/proc/self/exe").string();
    const std::string folder = executable.substr(0, executable.rfind('/') + 1);
    EXPECT_EQ(path, std::u16string(folder.begin(), folder.end()) + u"libKyt.so");
}

TEST(LoadFailureText, NamesThePathAndIsCutAt511Units) {
    EXPECT_EQ(Services::LoadFailureText(u"/opt/ostrel/libKyt.so"),
              u"Varnis failed to load /opt/ostrel/libKyt.so");
    const std::u16string longPath = u"/" + std::u16string(600, u'd') + u"/libKyt.so";
    const std::u16string text = Services::LoadFailureText(longPath);
    EXPECT_EQ(text.size(), 511u);
    EXPECT_EQ(text, (u"Varnis failed to load " + longPath).substr(0, 511));
    EXPECT_EQ(Services::LoadFailureText(std::u16string(489, u'x')).size(), 511u);
    EXPECT_EQ(Services::LoadFailureText(std::u16string(488, u'x')).size(), 510u);
}

}  // namespace
