#include "support/unit_test/unit_test_base.h"

#include "support/unit_test/unit_test_exception.h"

namespace Tev {

bool UnitTestBase::IsTest(LONG index) const {
    return index >= 0 && static_cast<std::size_t>(index) < bodies_.size();
}

HRESULT UnitTestBase::GetTestCount(LONG* count) {
    if (count == nullptr)
        return E_FAIL;
    *count = static_cast<LONG>(bodies_.size());
    return S_OK;
}

HRESULT UnitTestBase::RunTest(LONG index) {
    if (!IsTest(index))
        return E_INVALIDARG;
    passed_ = true;
    message_ = String();
    try {
        SetUp();
        // An empty body throws boost::bad_function_call, which is not caught here.
        bodies_[static_cast<std::size_t>(index)]();
        TearDown();
    } catch (const UnitTestException& failure) {
        passed_ = false;
        message_ = failure.Message();
    }
    return S_OK;
}

HRESULT UnitTestBase::GetTestName(LONG index, ITevString** name) {
    if (name == nullptr)
        return E_POINTER;
    *name = nullptr;
    if (!IsTest(index))
        return E_INVALIDARG;
    *name = names_[static_cast<std::size_t>(index)].HandOut();
    return S_OK;
}

HRESULT UnitTestBase::GetLastResult(VARIANT_BOOL* passed, ITevString** message) {
    if (passed == nullptr || message == nullptr)
        return E_POINTER;
    *passed = passed_ ? VARIANT_TRUE : VARIANT_FALSE;
    *message = message_.HandOut();
    return S_OK;
}

HRESULT UnitTestBase::RegisterTests() {
    AddTests();
    return S_OK;
}

HRESULT UnitTestBase::GetOwner(ITevString** address) {
    if (address == nullptr)
        return E_POINTER;
    SetOwner(false);
    *address = owner_.HandOut();
    return S_OK;
}

HRESULT UnitTestBase::GetTestValue(LONG index, LONGLONG* value) {
    if (value == nullptr)
        return E_POINTER;
    if (!IsTest(index))
        return E_INVALIDARG;
    *value = values_[static_cast<std::size_t>(index)];
    return S_OK;
}

void UnitTestBase::AddTest(TestBody body, const String& name, std::int64_t value) {
    // Room first, so that the three lists stay the same length whatever fails.
    bodies_.reserve(bodies_.size() + 1);
    names_.reserve(names_.size() + 1);
    values_.reserve(values_.size() + 1);
    bodies_.push_back(std::move(body));
    names_.push_back(name);
    values_.push_back(value);
}

}  // namespace Tev
