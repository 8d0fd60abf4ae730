// The base of a self-test object: a list of named test bodies that the host runs through
// IUnitTest. A derived class registers its bodies in AddTests() and names its owner in
// SetOwner(). A body fails by throwing UnitTestException; the run's result is then "failed" with
// the exception's message. Other exceptions are not caught: they leave the run to the caller.
//
// The object is reference counted: it starts with count 0 and deletes itself when Release
// brings the count back to 0.
#pragma once

#include <boost/function.hpp>
#include <cstdint>
#include <vector>

#include "host/api/unit_test.h"
#include "platform/com/com_object.h"
#include "support/string/tev_string.h"

namespace Tev {

class UnitTestBase : public ComObject<IUnitTest> {
public:
    using TestBody = boost::function<void()>;

    // IUnitTest
    HRESULT GetTestCount(LONG* count) override;
    HRESULT RunTest(LONG index) override;
    HRESULT GetTestName(LONG index, ITevString** name) override;
    HRESULT GetLastResult(VARIANT_BOOL* passed, ITevString** message) override;
    HRESULT RegisterTests() override;
    HRESULT GetOwner(ITevString** address) override;
    HRESULT GetTestValue(LONG index, LONGLONG* value) override;

    bool LastPassed() const { return passed_; }
    const String& LastMessage() const { return message_; }

protected:
    UnitTestBase() = default;
    ~UnitTestBase() override = default;

    // Appends the registration of every test (AddTest).
    virtual void AddTests() = 0;
    // Sets the owner's contact address (SetOwnerAddress); `alternate` picks the second domain.
    virtual void SetOwner(bool alternate) = 0;
    // Run before and after each test body; nothing by default.
    virtual void SetUp() {}
    virtual void TearDown() {}

    void AddTest(TestBody body, const String& name, std::int64_t value = 0);
    void SetOwnerAddress(const String& address) { owner_ = address; }

private:
    bool IsTest(LONG index) const;

    std::vector<TestBody> bodies_;
    std::vector<String> names_;
    std::vector<std::int64_t> values_;
    bool passed_ = true;
    String message_;
    String owner_;
};

}  // namespace Tev
