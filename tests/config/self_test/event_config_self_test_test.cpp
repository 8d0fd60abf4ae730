#include <gtest/gtest.h>

#include "config/event_config_self_test.h"
#include "platform/com/com_ptr.h"

namespace VavazaZavidi {
namespace {

// Runs test 0 of `test` through its interface and gives back the result's message.
Tev::String RunFirstTest(IUnitTest* test, VARIANT_BOOL& passed) {
    EXPECT_EQ(test->RegisterTests(), S_OK);
    EXPECT_EQ(test->RunTest(0), S_OK);
    Tev::String message(u"unchanged");
    EXPECT_EQ(test->GetLastResult(&passed, message.OutParam()), S_OK);
    return message;
}

TEST(Tarvel_EventConfig, RegistersAndPassesTestSerialize) {
    const ComPtr<IUnitTest> test(Tarvel_EventConfig::Create());
    VARIANT_BOOL passed = 0;
    EXPECT_EQ(RunFirstTest(test.Get(), passed), Tev::String());
    EXPECT_EQ(passed, VARIANT_TRUE);

    LONG count = 0;
    EXPECT_EQ(test->GetTestCount(&count), S_OK);
    EXPECT_EQ(count, 1);
    EXPECT_EQ(test->GetTestCount(nullptr), E_FAIL);
    Tev::String name;
    EXPECT_EQ(test->GetTestName(0, name.OutParam()), S_OK);
    EXPECT_EQ(name, Tev::String(u"Tarvel_EventConfig::TestSerialize"));
    Tev::String owner;
    EXPECT_EQ(test->GetOwner(owner.OutParam()), S_OK);
    EXPECT_EQ(owner, Tev::String(u"eventconfig@tarvel.example.com"));
}

const char* SecondRule() {
    return "BeginOnlineEventRule\nVersion = 1\nInput = 0\nAbove = 1\nHysteresis = 5\nLevel = 0\n"
           "EndOnlineEventRule\n";
}

// A writer that changes one piece of its text on one of its calls.
class DriftingWriter final : public Tarvel_EventConfig {
public:
    static DriftingWriter* Create(int call, std::string from, std::string to) {
        return new DriftingWriter(call, std::move(from), std::move(to));
    }

private:
    DriftingWriter(int call, std::string from, std::string to)
        : call_(call), from_(std::move(from)), to_(std::move(to)) {}

    bool Write(const EventConfig& config, std::string& text) override {
        config.Serialize(text);
        if (++calls_ == call_)
            text.replace(text.find(from_), from_.size(), to_);
        return true;
    }

    int call_;
    std::string from_;
    std::string to_;
    int calls_ = 0;
};

TEST(Tarvel_EventConfig, AWrongWriterFailsAtTheFirstComparison) {
    // A different number format on the second pass.
    const ComPtr<IUnitTest> test(DriftingWriter::Create(2, "Count = 0", "Count = 0.0"));
    VARIANT_BOOL passed = -1;
    EXPECT_EQ(RunFirstTest(test.Get(), passed),
              Tev::String(u"test_EventConfig, Line 19 [file1==file2]"));
    EXPECT_EQ(passed, VARIANT_FALSE);
}

TEST(Tarvel_EventConfig, AChangedRuleThatDoesNotSurviveFailsAtItsCheck) {
    // The third text is the one with the changed rule.
    const ComPtr<IUnitTest> test(DriftingWriter::Create(3, "Input = 2", "Input = 3"));
    VARIANT_BOOL passed = -1;
    EXPECT_EQ(RunFirstTest(test.Get(), passed),
              Tev::String(u"test_EventConfig, Line 71 [rule_other.Input == 2]"));

    const ComPtr<IUnitTest> extra(DriftingWriter::Create(
        3, "RuleCount = 1\n", "RuleCount = 2\n" + std::string(SecondRule())));
    EXPECT_EQ(RunFirstTest(extra.Get(), passed),
              Tev::String(u"test_EventConfig, Line 69 [ruleCount == 1]"));
}

}  // namespace
}  // namespace VavazaZavidi
