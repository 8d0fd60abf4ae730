#include <gtest/gtest.h>

#include <boost/bind/bind.hpp>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/com/com_ptr.h"
#include "support/unit_test/unit_test_base.h"
#include "support/unit_test/unit_test_exception.h"
#include "tests/helpers/vtable_call.h"

namespace Tev {
namespace {

TEST(UnitTestException, MessageNamesFileLineExpressionAndExtra) {
    EXPECT_EQ(UnitTestException::FormatMessage(u"test_EventConfig", 19, u"file1==file2", u""),
              String(u"test_EventConfig, Line 19 [file1==file2]"));
    EXPECT_EQ(UnitTestException::FormatMessage(u"C:\\src\\config\\probe.cpp", 7, u"a == b",
                                               u"values differ"),
              String(u"probe.cpp, Line 7 [a == b], [values differ]"));
    EXPECT_EQ(UnitTestException::FormatMessage(u"/src/config/probe.cpp", 123, u"", u"only extra"),
              String(u"probe.cpp, Line 123, [only extra]"));
    EXPECT_EQ(UnitTestException::FormatMessage(u"probe", 0, u"", u""), String(u"probe, Line 0"));

    const UnitTestException failure(u"dir\\x.cpp", 5, u"x > 0");
    EXPECT_STREQ(failure.what(), "x.cpp, Line 5 [x > 0]");
}

// Records the order of set-up, bodies and tear-down.
class Recording final : public UnitTestBase {
public:
    static Recording* Create(std::vector<std::string>* log) { return new Recording(log); }
    ~Recording() override { log_->push_back("destroyed"); }

private:
    explicit Recording(std::vector<std::string>* log) : log_(log) {}

    void AddTests() override {
        AddTest(boost::bind(&Recording::Passes, this), u"Recording::Passes", 11);
        AddTest(boost::bind(&Recording::Fails, this), u"Recording::Fails");
        AddTest(boost::bind(&Recording::Throws, this), u"Recording::Throws");
        AddTest(TestBody(), u"Recording::Missing");
    }
    void SetOwner(bool alternate) override {
        SetOwnerAddress(alternate ? u"tester@b.example" : u"tester@a.example");
    }
    void SetUp() override { log_->push_back("set-up"); }
    void TearDown() override { log_->push_back("tear-down"); }

    void Passes() { log_->push_back("passes"); }
    void Fails() {
        log_->push_back("fails");
        throw UnitTestException(u"recording", 3, u"1 == 2");
    }
    void Throws() { throw std::runtime_error("not an assertion"); }

    std::vector<std::string>* log_;
};

class UnitTestBaseTest : public ::testing::Test {
protected:
    UnitTestBaseTest() : object(Recording::Create(&log)) { test = object; }

    String LastMessage() {
        VARIANT_BOOL passed = 1;
        String message;
        EXPECT_EQ(
            CallSlot<HRESULT>(test, 6, &passed, static_cast<ITevString**>(message.OutParam())),
            S_OK);
        lastPassed = passed;
        return message;
    }

    std::vector<std::string> log;
    Recording* object;
    IUnitTest* test;
    ComPtr<IUnitTest> held{nullptr};
    VARIANT_BOOL lastPassed = 0;
};

TEST_F(UnitTestBaseTest, CountsReferencesAndAnswersItsInterfaces) {
    held = ComPtr<IUnitTest>(test);
    void* found = nullptr;
    EXPECT_EQ(test->QueryInterface(IUnitTest::kIid, &found), S_OK);
    EXPECT_EQ(found, test);
    test->Release();
    EXPECT_EQ(test->QueryInterface(IID_IUnknown, &found), S_OK);
    test->Release();
    EXPECT_EQ(test->QueryInterface(MakeGuid("{00000000-1111-2222-3333-444444444444}"), &found),
              E_NOINTERFACE);
    EXPECT_EQ(found, nullptr);
    held.Reset();
    EXPECT_EQ(log, (std::vector<std::string>{"destroyed"}));
}

TEST_F(UnitTestBaseTest, SlotsRegisterNameAndCountTheTests) {
    held = ComPtr<IUnitTest>(test);
    LONG count = -1;
    EXPECT_EQ(CallSlot<HRESULT>(test, 3, static_cast<LONG*>(nullptr)), E_FAIL);
    EXPECT_EQ(CallSlot<HRESULT>(test, 3, &count), S_OK);
    EXPECT_EQ(count, 0);
    EXPECT_EQ(CallSlot<HRESULT>(test, 7), S_OK);
    EXPECT_EQ(CallSlot<HRESULT>(test, 3, &count), S_OK);
    EXPECT_EQ(count, 4);

    String name;
    EXPECT_EQ(CallSlot<HRESULT>(test, 5, LONG{1}, static_cast<ITevString**>(name.OutParam())),
              S_OK);
    EXPECT_EQ(name, String(u"Recording::Fails"));
    ITevString* none = reinterpret_cast<ITevString*>(1);
    EXPECT_EQ(CallSlot<HRESULT>(test, 5, LONG{4}, &none), E_INVALIDARG);
    EXPECT_EQ(none, nullptr);

    LONGLONG value = -1;
    EXPECT_EQ(CallSlot<HRESULT>(test, 9, LONG{0}, &value), S_OK);
    EXPECT_EQ(value, 11);
    EXPECT_EQ(CallSlot<HRESULT>(test, 9, LONG{1}, &value), S_OK);
    EXPECT_EQ(value, 0);

    String owner;
    EXPECT_EQ(CallSlot<HRESULT>(test, 8, static_cast<ITevString**>(owner.OutParam())), S_OK);
    EXPECT_EQ(owner, String(u"tester@a.example"));
}

TEST_F(UnitTestBaseTest, RunsRecordPassAndFailure) {
    held = ComPtr<IUnitTest>(test);
    test->RegisterTests();
    EXPECT_EQ(LastMessage(), String());  // a new object has passed with an empty message
    EXPECT_EQ(lastPassed, VARIANT_TRUE);

    EXPECT_EQ(CallSlot<HRESULT>(test, 4, LONG{1}), S_OK);
    EXPECT_EQ(LastMessage(), String(u"recording, Line 3 [1 == 2]"));
    EXPECT_EQ(lastPassed, VARIANT_FALSE);

    EXPECT_EQ(CallSlot<HRESULT>(test, 4, LONG{0}), S_OK);  // a clean result for the next run
    EXPECT_EQ(LastMessage(), String());
    EXPECT_EQ(lastPassed, VARIANT_TRUE);
    EXPECT_EQ(log, (std::vector<std::string>{"set-up", "fails", "set-up", "passes", "tear-down"}));

    EXPECT_EQ(test->RunTest(4), E_INVALIDARG);
    EXPECT_EQ(test->RunTest(-1), E_INVALIDARG);
}

TEST_F(UnitTestBaseTest, OtherExceptionsAndMissingBodiesLeaveTheRun) {
    held = ComPtr<IUnitTest>(test);
    test->RegisterTests();
    EXPECT_THROW(test->RunTest(2), std::runtime_error);
    EXPECT_THROW(test->RunTest(3), boost::bad_function_call);
    EXPECT_EQ(test->RunTest(0), S_OK);  // still usable
    EXPECT_TRUE(object->LastPassed());
}

}  // namespace
}  // namespace Tev
