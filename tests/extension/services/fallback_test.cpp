// Service access without a framework in COM: the first access runs the framework fallback,
// which initialises OLE and loads libKyt.so from the executable's folder (this test's own
// folder holds the real one) and registers its class object. (One process: each step of the
// fallback runs once per process.)
#include <gtest/gtest.h>

#include "extension/services/framework_services.h"
#include "host/api/framework_ids.h"
#include "platform/com/class_objects.h"
#include "platform/com/com_ptr.h"
#include "platform/com/ole_init.h"
#include "platform/module/module.h"

namespace {

TEST(FrameworkFallback, LoadsTheFrameworkLibraryOnceAndTheRetriedQuerySucceeds) {
    ASSERT_FALSE(IsOleInitializedInProcess());
    ASSERT_EQ(GetModuleHandleW(u"libKyt.so"), nullptr);

    IDocClassRegistry* registry = Services::DocClassRegistry();
    ASSERT_NE(registry, nullptr);
    EXPECT_TRUE(IsOleInitializedInProcess());
    EXPECT_NE(GetModuleHandleW(u"libKyt.so"), nullptr);

    // The framework class object is now registered in COM, and the registry is its service.
    ComPtr<IDocClassRegistry> registered;
    ASSERT_EQ(
        CoGetClassObject(CLSID_FrameworkClassObject, Services::kServiceContext, nullptr,
                         IDocClassRegistry::kIid, reinterpret_cast<void**>(registered.OutParam())),
        S_OK);
    EXPECT_EQ(registered.Get(), registry);

    // The other services of the framework class come from it without loading anything again
    // (a second registration of the class object would be refused and raised).
    EXPECT_NE(Services::MessageFamilies(), nullptr);
    EXPECT_NE(Services::MessageRouter(), nullptr);
    EXPECT_NE(Services::ObserverRegistry(), nullptr);
    EXPECT_NE(Services::MessageFactory(), nullptr);
    EXPECT_EQ(Services::DocClassRegistry(), registry);

    // The fallback registers only the framework class: services of other classes stay none.
    EXPECT_EQ(Services::UnitTestRegistry(), nullptr);
    EXPECT_EQ(Services::HostApplication(), nullptr);
}

}  // namespace
