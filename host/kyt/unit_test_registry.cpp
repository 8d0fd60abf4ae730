#include "host/kyt/unit_test_registry.h"

#include "host/kyt/as_unknown.h"

namespace kyt {

namespace {

std::mutex g_instanceMutex;
UnitTestRegistry* g_instance = nullptr;  // not counted

}  // namespace

UnitTestRegistry* UnitTestRegistry::Acquire() {
    std::lock_guard lock(g_instanceMutex);
    if (g_instance != nullptr && g_instance->AddRef() > 1)
        return g_instance;
    g_instance = new UnitTestRegistry;
    g_instance->AddRef();
    return g_instance;
}

UnitTestRegistry::~UnitTestRegistry() {
    for (IUnitTest* test : tests_)
        ReleaseIfAny(test);
    std::lock_guard lock(g_instanceMutex);
    if (g_instance == this)
        g_instance = nullptr;
}

HRESULT UnitTestRegistry::RegisterTest(IUnitTest* test) {
    if (test == nullptr)
        return E_POINTER;
    std::lock_guard lock(mutex_);
    tests_.push_back(AddRefed(test));
    return S_OK;
}

HRESULT UnitTestRegistry::GetTestCount(LONG* count) {
    if (count == nullptr)
        return E_POINTER;
    std::lock_guard lock(mutex_);
    *count = static_cast<LONG>(tests_.size());
    return S_OK;
}

HRESULT UnitTestRegistry::GetTest(LONG index, IUnitTest** test) {
    if (test == nullptr)
        return E_POINTER;
    *test = nullptr;
    std::lock_guard lock(mutex_);
    if (index < 0 || static_cast<std::size_t>(index) >= tests_.size())
        return E_INVALIDARG;
    *test = AddRefed(tests_[static_cast<std::size_t>(index)]);
    return S_OK;
}

}  // namespace kyt
