#include "host/kyt/unit_test_registry.h"

#include "host/kyt/as_unknown.h"

namespace kyt {

UnitTestRegistry::~UnitTestRegistry() {
    Forget(this);
    for (IUnitTest* test : tests_)
        ReleaseIfAny(test);
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
